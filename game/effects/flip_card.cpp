#include "game/effects/flip_card.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/effects/effect_listener.h"

#include <algorithm>

namespace Game {

namespace {

constexpr float kShadowOffset = 10.0f;

} // namespace

FlipCard::FlipCard(Kavo::Image* front, Kavo::Image* back, Kavo::Image* shadow, float x, float y,
                   EffectListener* listener)
    : mListener(listener), mX(x), mY(y), mShadow(shadow), mFront(front), mBack(back), mCurrent(front) {
    PlaceTransform();
    if (mListener != nullptr)
        mListener->OnEffectMiddle(nullptr, mX, mY);
}

void FlipCard::Update() {
    if (mState == kClosing) {
        mScaleX -= mStepX;
        mScaleY += mStepY;
        if (mScaleX <= 0) {
            mScaleX = 0;
            mCurrent = mBack;
            mState = kOpening;
        }
    } else if (mState == kOpening) {
        mScaleX += mStepX;
        mScaleY = std::max(1.0f, mScaleY - mStepY);
        if (mScaleX >= 1.0f) {
            mScaleX = 1.0f;
            mScaleY = 1.0f;
            mState = kAtRest;
            if (mListener != nullptr)
                mListener->OnEffectFinished(nullptr);
        }
    } else {
        return;
    }
    PlaceTransform();
}

void FlipCard::Restart() {
    std::swap(mFront, mBack);
    mCurrent = mFront;
    mState = kClosing;
    if (mListener != nullptr)
        mListener->OnEffectMiddle(nullptr, mX, mY);
}

void FlipCard::PlaceTransform() {
    mTransform.Reset();
    mTransform.Scale(mScaleX, mScaleY);
    mTransform.Translate(mX, mY);
}

void FlipCard::Draw(Kavo::Graphics* g) {
    if (mShadow != nullptr) {
        Kavo::LazyTransform shadow;
        shadow.Scale(mScaleX, mScaleY);
        shadow.Translate(mX + kShadowOffset, mY + kShadowOffset);
        g->DrawImageTransformF(mShadow, shadow, 0, 0);
    } else if (mCurrent != nullptr) {
        const float width = static_cast<float>(mCurrent->GetWidth()) * mScaleX;
        const float height = static_cast<float>(mCurrent->GetHeight()) * mScaleY;
        g->PushState();
        g->SetColor(Kavo::Color(80, 80, 80, 200));
        g->FillRect(static_cast<int>(mX + kShadowOffset - width / 2), static_cast<int>(mY + kShadowOffset - height / 2),
                    static_cast<int>(width), static_cast<int>(height));
        g->PopState();
    }
    if (mCurrent != nullptr)
        g->DrawImageTransformF(mCurrent, mTransform, 0, 0);
}

bool FlipCard::Contains(int x, int y) const {
    if (mCurrent == nullptr)
        return false;
    const int width = mCurrent->GetWidth();
    const int height = mCurrent->GetHeight();
    const int left = static_cast<int>(mX - static_cast<float>(width / 2));
    const int top = static_cast<int>(mY - static_cast<float>(height / 2));
    return left <= x && x < left + width && top <= y && y < top + height;
}

} // namespace Game
