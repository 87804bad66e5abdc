#include "game/meta/post_thumb.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "game/meta/recipe_card.h"
#include "game/meta/secret_maps.h"
#include "game/ui/normalize_2d.h"
#include "game/ui/resource_ids.h"

#include <algorithm>
#include <cmath>

namespace Game {

PostThumb::PostThumb(const SecretMapEntry* map, int index, const Kavo::IntRect& rect)
    : mIndex(index), mRect(rect), mMap(map) {
    mNormal.SetImage(IMAGE_POSTTUMB);
    mGreyedSprite.SetImage(IMAGE_POSTTUMBDISABLED);
    for (ImageSprite* sprite : {&mNormal, &mGreyedSprite}) {
        sprite->mCentered = true;
        sprite->mSourceRect = rect;
    }
}

PostThumb::~PostThumb() = default;

Kavo::Image* PostThumb::GetBack() const {
    return mBack.get();
}

void PostThumb::Place(int x, int y, float targetX, float targetY) {
    mX = x;
    mY = y;
    mHome = {static_cast<float>(x), static_cast<float>(y)};
    mCurrent = mHome;
    mTarget = {targetX, targetY};
    for (ImageSprite* sprite : {&mNormal, &mGreyedSprite}) {
        sprite->mX = static_cast<float>(x);
        sprite->mY = static_cast<float>(y);
    }
}

bool PostThumb::Contains(int x, int y) const {
    const int left = mX - mRect.mWidth / 2;
    const int top = mY - mRect.mHeight / 2;
    return x >= left && x < left + mRect.mWidth && y >= top && y < top + mRect.mHeight;
}

void PostThumb::ReleaseCardImages() {
    mFront.Release();
    mBack.reset();
}

void PostThumb::BuildCardImages() {
    mState = kAtRest;
    ReleaseCardImages();
    if (mMap == nullptr)
        return;
    if (!mMap->mPostCard.empty())
        mFront.Load(mMap->mPostCard);
    mBack = MakeRecipeCard(mMap->mRecipe);
}

float PostThumb::DistanceTo(const Spot& point) const {
    return std::hypot(point.x - mCurrent.x, point.y - mCurrent.y);
}

bool PostThumb::StartFlight() {
    const Kavo::Image* front = mFront.Get();
    const int size = front != nullptr ? std::max(front->GetWidth(), front->GetHeight()) : 0;
    // A picture of no size cannot grow from 40 pixels across.
    if (size <= 0) {
        ReleaseCardImages();
        return false;
    }
    mStartScale = kStartSize / static_cast<float>(size);
    mScale = mStartScale;
    mState = kToCentre;
    mScaleStep = (1.0f - mStartScale) * kStepShare;
    mCurrent = mHome;
    mSpeed = DistanceTo(mTarget) * kStepShare;
    return true;
}

void PostThumb::SendBack() {
    mState = kBack;
    mScaleStep = (mScale - mStartScale) * -kStepShare;
    mSpeed = DistanceTo(mHome) * kStepShare;
}

void PostThumb::Update() {
    if (mState == kToCentre) {
        mScale += mScaleStep;
        if (mScale >= 1.0f) {
            mScale = 1.0f;
            mState = kAtRest;
            mCurrent = mTarget;
            if (mListener != nullptr)
                mListener->OnThumbArrived(this);
        }
    } else if (mState == kBack) {
        mScale += mScaleStep;
        if (mScale <= mStartScale) {
            mScale = 0;
            mState = kAtRest;
            ReleaseCardImages();
            if (mListener != nullptr)
                mListener->OnThumbReturned(this);
        }
    }
}

void PostThumb::UpdateF(float f) {
    if (mState != kToCentre && mState != kBack)
        return;
    const Spot& to = mState == kToCentre ? mTarget : mHome;
    const Vector2F direction = Normalize2D(to.x - mCurrent.x, to.y - mCurrent.y);
    mCurrent.x += direction.x * mSpeed * f;
    mCurrent.y += direction.y * mSpeed * f;
    mTransform.Reset();
    mTransform.Scale(mScale, mScale);
    mTransform.Translate(mCurrent.x, mCurrent.y);
}

void PostThumb::Draw(Kavo::Graphics* g) {
    ImageSprite& sprite = mGreyed ? mGreyedSprite : mNormal;
    sprite.Draw(g, 255.0f);
    if (!mHovered)
        return;
    const int mode = g->GetDrawMode();
    g->SetDrawMode(Kavo::Graphics::DRAWMODE_ADDITIVE);
    sprite.mColor = Kavo::Color(64, 64, 64, 127);
    sprite.Draw(g, 255.0f);
    sprite.mColor = Kavo::Color(0, 0, 0, 255);
    g->SetDrawMode(mode);
}

void PostThumb::DrawFlight(Kavo::Graphics* g) {
    if ((mState == kToCentre || mState == kBack) && mFront.Get() != nullptr)
        g->DrawImageTransformF(mFront.Get(), mTransform, 0, 0);
}

} // namespace Game
