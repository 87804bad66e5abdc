#include "game/ui/progress_bar.h"

#include "framework/graphics/image.h"
#include "game/ui/effect_anim_fade.h"
#include "game/ui/effect_base.h"
#include "game/ui/progress_bar_listener.h"

#include <algorithm>
#include <cmath>

namespace Game {

ProgressBar::ProgressBar() = default;
ProgressBar::~ProgressBar() = default;

void ProgressBar::SetImage(Kavo::Image* image, const Kavo::IntRect& rect) {
    mSprite.SetImage(image);
    mSourceRect = rect;
    if (rect.mWidth == 0)
        mSourceRect = image != nullptr ? Kavo::IntRect(0, 0, image->GetWidth(), image->GetHeight()) : Kavo::IntRect();
}

void ProgressBar::SetValue(float value, bool immediate) {
    if (immediate || value == mCurrent) {
        mCurrent = value;
        mTarget = value;
        return;
    }
    mTarget = value;
    mStep = value < mCurrent ? -std::fabs(mStep) : std::fabs(mStep);
}

void ProgressBar::Update() {
    if (mCurrent != mTarget) {
        mCurrent += mStep;
        const bool arrived = mStep > 0 ? mCurrent >= mTarget : mStep < 0 && mCurrent <= mTarget;
        if (arrived) {
            mCurrent = mTarget;
            if (mListener != nullptr)
                mListener->OnBarReached(this);
        }
    }
    if (mChild != nullptr)
        mChild->Update();
}

void ProgressBar::UpdateF(float fraction) {
    if (mChild == nullptr)
        return;
    mChild->Update(fraction);
    if (mChild->IsDone())
        mChild.reset();
}

int ProgressBar::ComputeFill() {
    const int length = mVertical ? mSourceRect.mHeight : mSourceRect.mWidth;
    double shown = mCurrent;
    if (mMaximum > 0)
        shown = static_cast<double>(mCurrent) / mMaximum * length;
    // Clamped before the conversion: a huge or negative value (or not a
    // number) must not overflow it.
    mFillLength = shown >= 1.0 ? static_cast<int>(std::min(std::trunc(shown), static_cast<double>(length))) : 0;
    if (mFillLength <= 0) {
        mDrawRect = Kavo::IntRect(mSourceRect.mX, mSourceRect.mY, 0, 0);
    } else if (mVertical) {
        // The bottom rows of the source, growing upward.
        mDrawRect = Kavo::IntRect(mSourceRect.mX, mSourceRect.mY + mSourceRect.mHeight - mFillLength,
                                  mSourceRect.mWidth, mFillLength);
    } else {
        mDrawRect = Kavo::IntRect(mSourceRect.mX, mSourceRect.mY, mFillLength, mSourceRect.mHeight);
    }
    return mFillLength;
}

float ProgressBar::FillY() const {
    const float y = mY + mOffsetY;
    return mVertical ? y + static_cast<float>(mSourceRect.mHeight - mFillLength) : y;
}

void ProgressBar::Draw(Kavo::Graphics* g) {
    if (ComputeFill() > 0) {
        mSprite.mSourceRect = mDrawRect;
        mSprite.mX = FillX();
        mSprite.mY = FillY();
        mSprite.mCentered = false;
        mSprite.Draw(g, 255);
    }
    if (mChild != nullptr)
        mChild->Draw(g);
}

void ProgressBar::StartFade() {
    mChild.reset();
    if (ComputeFill() > 0)
        mChild = std::make_unique<EffectAnimFade>(static_cast<int>(FillX()), static_cast<int>(FillY()), mDrawRect);
}

} // namespace Game
