#pragma once
// The burst of the hint bonus: its badge and the menu label fading out while
// five strips cut from the label's text drift upward and fade.

#include "game/board/board_move.h"
#include "game/ui/effect_base.h"
#include "game/ui/named_image.h"
#include "game/ui/spline_animation.h"
#include "game/ui/trajectory_path.h"

#include <memory>
#include <vector>

namespace Game {

class EffectListener;
class RectParticle;

class EffectHintBonus : public EffectBase {
public:
    static constexpr int kStripCount = 5;

    // a, b and the moves do not change it. The listener's first operation
    // once every strip has faded.
    EffectHintBonus(int x, int y, int a, int b, const std::vector<Move>& moves, EffectListener* listener);
    ~EffectHintBonus() override;

    void Draw(Kavo::Graphics* g) override;
    void Update() override;
    void Update(float t) override;

    // Strip `index` (0..4) of the label's text at (x, y); count is unused.
    void AddTextStrips(float x, float y, int count, int index);

    int mState = 1;
    int mUpdateCount = 0;
    int mHold = 20;
    int mX;
    int mY;
    std::unique_ptr<TrajectoryPath> mPath;
    std::unique_ptr<SplineAnimation> mFlyer; // loaded, never moved or drawn
    EffectListener* mListener;
    NamedImage mBadge;
    NamedImage mLabel;
    std::vector<std::unique_ptr<RectParticle>> mStrips;
};

} // namespace Game
