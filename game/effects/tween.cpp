#include "game/effects/tween.h"

namespace Game {

void Tween::Set(float value, float target, float step) {
    mValue = value;
    mTarget = target;
    mStep = step;
    mDone = false;
}

bool Tween::Step() {
    if (mDone)
        return true;
    mValue += mStep;
    if ((mStep >= 0 && mValue >= mTarget) || (mStep < 0 && mValue <= mTarget)) {
        mValue = mTarget;
        mDone = true;
    }
    return mDone;
}

} // namespace Game
