#include "game/ui/image_sprite.h"

#include "framework/graphics/graphics.h"
#include "game/ui/held_image_draw.h"

namespace Game {

void ImageSprite::Draw(Kavo::Graphics* g, float alpha) {
    Kavo::Image* image = GetImage();
    if (image == nullptr)
        return;
    const bool wasColorizing = g->GetColorizeImages();
    if (mColor.mAlpha != 255) {
        Kavo::Color tint = mColor;
        tint.mAlpha = static_cast<int>(static_cast<float>(mColor.mAlpha) * alpha * (1.0f / 255.0f));
        g->SetColor(tint);
        g->SetColorizeImages(true);
    }
    DrawHeldImage(g, image, mX, mY, mSourceRect, mCentered, mFloatPositioning);
    g->SetColorizeImages(wasColorizing);
}

void ImageSprite::SetAlpha(float alpha) {
    mColor = Kavo::Color(255, 255, 255, static_cast<int>(alpha));
}

float ImageSprite::GetCenterX() const {
    return mCentered && mSourceRect.mWidth != 0 ? mX + static_cast<float>(mSourceRect.mWidth) * 0.5f : mX;
}

float ImageSprite::GetCenterY() const {
    return mCentered && mSourceRect.mHeight != 0 ? mY + static_cast<float>(mSourceRect.mHeight) * 0.5f : mY;
}

} // namespace Game
