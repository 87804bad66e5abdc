#pragma once
// A background picture with three progress bars moved together: the
// board's item-goal bars.

#include "game/ui/image_sprite.h"
#include "game/ui/progress_bar.h"

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class ProgressBarGroup {
public:
    static constexpr int kBarCount = 3;

    // The background goes 10 pixels up and left of (x, y).
    void SetPosition(float x, float y);
    // Bar `index` moves toward its target + delta; other indices do
    // nothing.
    void AddToBar(int index, float delta);
    // The background, then bars 0, 1 and 2.
    void Draw(Kavo::Graphics* g);

    ImageSprite mBackground;
    ProgressBar mBars[kBarCount];
    float mX = 0;
    float mY = 0;
    float mPictureOffsetX = -10.0f;
    float mPictureOffsetY = -10.0f;
};

} // namespace Game
