#include "game/ui/named_image.h"

#include "framework/graphics/graphics.h"
#include "game/ui/held_image_draw.h"

namespace Game {

bool NamedImage::StepValue() {
    mValue += mStep;
    if (mStep > 0 && mValue > mTarget)
        mValue = mTarget;
    else if (mStep < 0 && mValue < mTarget)
        mValue = mTarget;
    return mValue == mTarget;
}

void NamedImage::Draw(Kavo::Graphics* g, int alphaScale) {
    Kavo::Image* image = GetImage();
    if (image == nullptr || mValue <= 0)
        return;
    const bool wasColorizing = g->GetColorizeImages();
    g->SetColor(Kavo::Color(255, 255, 255, static_cast<int>(mValue) * alphaScale / 255));
    g->SetColorizeImages(true);
    DrawHeldImage(g, image, mX, mY, mSourceRect, mCentered, mFloatPositioning);
    g->SetColorizeImages(wasColorizing);
}

} // namespace Game
