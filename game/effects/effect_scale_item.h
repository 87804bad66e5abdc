#pragma once
// Every item of the board pulsing once, each after its own random delay:
// the board settling in.

#include "game/ui/animation.h"
#include "game/ui/effect_base.h"

#include <memory>
#include <vector>

namespace Game {

class Board;
class EffectListener;

class EffectScaleItem : public EffectBase {
public:
    // Reads the board's items now; the listener's first operation once every
    // item has pulsed (on the first update when there are none).
    EffectScaleItem(const Board& board, EffectListener* listener);

    void Draw(Kavo::Graphics* g) override;
    void Update() override;

    std::vector<std::unique_ptr<Animation>> mAnimations;
    std::vector<int> mDelays; // the update on which each animation starts
    int mUpdateCount = 0;
    EffectListener* mListener;
};

} // namespace Game
