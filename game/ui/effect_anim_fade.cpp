#include "game/ui/effect_anim_fade.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/ui/resource_ids.h"

namespace Game {

EffectAnimFade::EffectAnimFade(int x, int y, const Kavo::IntRect& rect) {
    mLayer = 0;
    mImage.SetImage(IMAGE_RATING_BLICK);
    mImage.mCentered = false;
    mImage.mX = static_cast<float>(x);
    mImage.mY = static_cast<float>(y);
    const int width = IMAGE_RATING_BLICK != nullptr ? IMAGE_RATING_BLICK->GetWidth() : 0;
    mImage.mSourceRect = Kavo::IntRect(0, rect.mY, width, rect.mHeight);
    mImage.mValue = 0;
    mImage.mTarget = 255.0f;
    mImage.mStep = 10.2f;
}

void EffectAnimFade::Update() {
    if (mDone || !mImage.StepValue())
        return;
    if (static_cast<int>(mImage.mValue) == 0) {
        mDone = true;
    } else if (mImage.mValue >= 255.0f) {
        mImage.mTarget = 0;
        mImage.mStep = static_cast<float>(-255 / mDuration);
    }
}

void EffectAnimFade::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    const int mode = g->GetDrawMode();
    g->SetDrawMode(1);
    mImage.Draw(g, 255);
    g->SetDrawMode(mode);
}

} // namespace Game
