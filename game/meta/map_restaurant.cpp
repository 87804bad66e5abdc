#include "game/meta/map_restaurant.h"

#include "framework/graphics/image.h"

namespace Game {

MapRestaurant::MapRestaurant(int index, bool placed, int x, int y, Kavo::Image* glow) : mIndex(index), mPlaced(placed) {
    mPosition.mX = static_cast<float>(x);
    mPosition.mY = static_cast<float>(y);
    mPosition.mCentered = true;
    mGlow.SetImage(glow);
    mGlow.mCentered = true;
    mGlow.mX = static_cast<float>(x);
    mGlow.mY = static_cast<float>(y);
    mGlow.mValue = 0;
    mGlow.mTarget = 0;
    const int w = glow != nullptr ? glow->GetWidth() : 0;
    const int h = glow != nullptr ? glow->GetHeight() : 0;
    mHitRect = Kavo::IntRect(x - w / 2, y - h / 2, w, h);
}

bool MapRestaurant::Contains(int x, int y) const {
    return mPlaced && x >= mHitRect.mX && x < mHitRect.mX + mHitRect.mWidth && y >= mHitRect.mY &&
           y < mHitRect.mY + mHitRect.mHeight;
}

bool MapRestaurant::TrackPointer(int x, int y) {
    const bool inside = Contains(x, y);
    if (inside && !mHovered) {
        mGlow.mValue = 0;
        mGlow.mTarget = 255.0f;
        mGlow.mStep = kGlowStep;
    } else if (!inside && mHovered) {
        mGlow.mValue = 255.0f;
        mGlow.mTarget = 0;
        mGlow.mStep = -kGlowStep;
    }
    mHovered = inside;
    return inside;
}

} // namespace Game
