#pragma once
// A combo badge that spins in while it grows, holds while it pales a little
// and then fades out.

#include "game/effects/tween.h"
#include "game/ui/effect_base.h"
#include "game/ui/named_image.h"

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class EffectTwirl : public EffectBase {
public:
    // Kind 1 shows a IMAGE_COMBO1 badge, any other kind a IMAGE_COMBO2 one;
    // successive twirls alternate between the "_2" and the "_1" picture,
    // starting with "_2".
    EffectTwirl(int x, int y, int kind);

    // The next twirl starts with the "_2" picture again.
    static void ResetToggle();

    void Draw(Kavo::Graphics* g) override;
    void Update() override;

    float mX;
    float mY;
    int mState = 0; // 0 spinning in, 1 holding, 2 fading
    Kavo::Image* mImage;
    Tween mAngle;
    Tween mScale;
    NamedImage mFade;
};

} // namespace Game
