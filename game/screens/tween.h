#pragma once
// A float moving by a step toward a target: with a step of 0 or more it
// stops at the target from below, with a negative step from above.

namespace Game {

struct Tween {
    // Starts a run from `from` to `to`.
    void Set(float from, float to, float step) {
        mValue = from;
        mTarget = to;
        mStep = step;
        mDone = from == to;
    }
    // One step; true once the value is at the target.
    bool Step() {
        mValue += mStep;
        if (mStep >= 0 ? mValue >= mTarget : mValue <= mTarget)
            mValue = mTarget;
        mDone = mValue == mTarget;
        return mDone;
    }

    float mValue = 0;
    float mTarget = 0;
    float mStep = 0;
    bool mDone = true;
};

} // namespace Game
