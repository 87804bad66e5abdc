#pragma once
// A reward picture that appears large at the screen's centre, shrinks to its
// own size, holds, then flies along its named path "Reward<index>" to its
// slot, over a particle scene; the listener hears when it lands.

#include "game/ui/effect_base.h"

#include <memory>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class EffectListener;
class SplineAnimation;
class TrMoveItems;

class EffectReward : public EffectBase {
public:
    enum State { kShrinking = 0, kFlying = 1 };

    // The image is not owned. `a` and `b` have no effect. Without the named
    // path (or with a path without points) the effect ends on its first
    // update, telling the listener it finished.
    EffectReward(int index, Kavo::Image* image, int a, int b, EffectListener* listener);
    ~EffectReward() override;

    void Update() override;
    void Update(float t) override;
    void Draw(Kavo::Graphics* g) override;

    int mState = kShrinking;
    int mCounter = 0;
    int mHold = 100;
    int mCenterX = 0;
    int mCenterY = 0;
    Kavo::Image* mImage;
    float mScale = 2.0f;
    float mScaleStep = -0.01f;
    float mAlpha = 100.0f;
    float mAlphaStep = 1.55f;
    bool mHasPath = false;
    std::unique_ptr<SplineAnimation> mFlyer;
    EffectListener* mListener;
    std::unique_ptr<TrMoveItems> mScene;
};

} // namespace Game
