#include "game/effects/anim_effect.h"

#include <algorithm>

namespace Game {

AnimEffect::AnimEffect(int x, int y, Kavo::Image* image, int delay, int duration, bool centred, int maxCycles)
    : mDelay(delay), mDuration(std::max(duration, 1)), mMaxCycles(maxCycles) {
    mImage.SetImage(image);
    mImage.mCentered = centred;
    mImage.mX = static_cast<float>(x);
    mImage.mY = static_cast<float>(y);
    mImage.mValue = 0;
    mImage.mTarget = 255.0f;
    mImage.mStep = static_cast<float>(255 / mDuration);
}

void AnimEffect::Update() {
    if (mDone)
        return;
    if (mUpdateCount < mDelay) {
        ++mUpdateCount;
        return;
    }
    if (!mImage.StepValue())
        return;
    if (static_cast<int>(mImage.mValue) == 0) {
        mImage.mValue = 0;
        mImage.mTarget = 255.0f;
        mImage.mStep = static_cast<float>(255 / mDuration);
        ++mCycles;
        if (mMaxCycles != 0 && mCycles >= mMaxCycles)
            mDone = true;
    } else if (mImage.mValue >= 255.0f) {
        mImage.mValue = 255.0f;
        mImage.mTarget = 0;
        mImage.mStep = static_cast<float>(-255 / mDuration);
    }
}

void AnimEffect::Draw(Kavo::Graphics* g) {
    if (!mDone)
        mImage.Draw(g, static_cast<int>(mAlphaScale));
}

} // namespace Game
