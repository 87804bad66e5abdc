#include "game/effects/effect_spin.h"

#include "game/effects/effect_fade.h"

#include <cmath>

namespace Game {

EffectSpin::EffectSpin(Kavo::Image* image1, Kavo::Image* image2, float x, float y, int radius)
    : mCenterX(x), mCenterY(y), mRadius(radius), mRadiusF(static_cast<float>(radius)) {
    mLayer = 0;
    // The first sprite shows the second picture: the pictures trade places.
    mSprite1.SetImage(image2);
    mSprite2.SetImage(image1);
    mSprite1.mCentered = true;
    mSprite2.mCentered = true;
}

void EffectSpin::Update() {
    if (mDone)
        return;
    mAlpha = FadeAlpha(mAlpha, -mAlphaStep);
    ++mCounter;
    mAngleA -= mAngleStep;
    mAngleB -= mAngleStep;
    mSprite1.mX = mCenterX + mRadiusF * std::cos(mAngleA);
    mSprite1.mY = mCenterY - mRadiusF * std::sin(mAngleA);
    mSprite2.mX = mCenterX + mRadiusF * std::cos(mAngleB);
    mSprite2.mY = mCenterY - mRadiusF * std::sin(mAngleB);
    mSprite1.SetAlpha(mAlpha);
    mSprite2.SetAlpha(mAlpha);
    mDone = static_cast<float>(mCounter) > mLength;
}

void EffectSpin::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    mSprite1.Draw(g, 255.0f);
    mSprite2.Draw(g, 255.0f);
}

} // namespace Game
