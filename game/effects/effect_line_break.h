#pragma once
// The toast of the line-break bonus: it pops up from its start, slowing, to
// the top, holds there for 10 updates and then drops, gathering speed.

#include "game/ui/effect_base.h"

namespace Game {

class EffectLineBreak : public EffectBase {
public:
    EffectLineBreak() = default;

    // A start at the top has nowhere to go: the toast is done at once.
    void Start(int x, int startY, int topY, int endY);

    void Draw(Kavo::Graphics* g) override;
    void Update() override;
    void Update(float t) override;

    float mX = 0;
    float mY = 0;
    float mTopY = 0;
    float mStartY = 0;
    float mEndY = 0;
    float mSpeed = 0;
    float mDeceleration = 0;
    int mState = 0; // 0 rising fast, 1 rising, 2 holding, 3 dropping
    int mHold = 10;
};

} // namespace Game
