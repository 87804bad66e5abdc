#pragma once
// A banner that fades in over 40 updates, holds, then grows to four times
// its size while it fades out.

#include "game/effects/tween.h"
#include "game/ui/effect_base.h"

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class EffectListener;

class EffectFade : public EffectBase {
public:
    // Fades out once it is opaque and `hold` updates have passed, over
    // `outSteps` updates (at least 1). The listener's first operation at
    // the end.
    EffectFade(Kavo::Image* image, int x, int y, int hold, EffectListener* listener, float outSteps);

    void Draw(Kavo::Graphics* g) override;
    void Update() override;

    Tween mScale;
    Tween mAlpha;
    Kavo::Image* mImage;
    float mX;
    float mY;
    int mState = 0; // 0 fading in and holding, 1 growing and fading out
    int mUpdateCount = 0;
    int mHold;
    float mOutSteps;
    EffectListener* mListener;
};

} // namespace Game
