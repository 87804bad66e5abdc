#include "game/ui/anim_sequence.h"

namespace Game {

void AnimSequence::SetPosition(int x, int y) {
    mX = static_cast<float>(x);
    mY = static_cast<float>(y);
    mCentered = true;
}

void AnimSequence::Step() {
    if (mHiddenLengths.empty())
        return;
    if (!mShown) {
        ++mStepCounter;
        if (static_cast<size_t>(mSequence) < mHiddenLengths.size() &&
            mStepCounter == mHiddenLengths[static_cast<size_t>(mSequence)]) {
            mShownCounter = 0;
            mShown = true;
        }
        return;
    }
    ++mShownCounter;
    mStepCounter = 0;
    if (mShownCounter >= mShownLength) {
        mSequence = (mSequence + 1) % static_cast<int>(mHiddenLengths.size());
        mShown = false;
    }
}

void AnimSequence::Draw(Kavo::Graphics* g) {
    if (mShown)
        ImageSprite::Draw(g, 255.0f);
}

} // namespace Game
