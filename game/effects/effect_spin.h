#pragma once
// Two pictures circling a point, opposite each other, while they fade out:
// the replace bonus swapping two items. Done after 91 updates.

#include "game/ui/effect_base.h"
#include "game/ui/image_sprite.h"

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class EffectSpin : public EffectBase {
public:
    // The pictures are not owned; they circle (x, y) at `radius`.
    EffectSpin(Kavo::Image* image1, Kavo::Image* image2, float x, float y, int radius);

    using EffectBase::Update;
    void Update() override;
    void Draw(Kavo::Graphics* g) override;

    float mCenterX;
    float mCenterY;
    ImageSprite mSprite1;
    ImageSprite mSprite2;
    int mRadius;
    float mRadiusF;
    float mAlpha = 255.0f;
    float mAlphaStep = 255.0f / 90.0f;
    float mAngleA = -0.3490658f;    // -20 degrees
    float mAngleB = 2.9670596f;     // 170 degrees
    float mAngleStep = 0.06981317f; // 4 degrees
    int mCounter = 0;
    float mLength = 90.0f;
};

} // namespace Game
