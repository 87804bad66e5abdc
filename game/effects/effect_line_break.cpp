#include "game/effects/effect_line_break.h"

#include "framework/util/lazy_transform.h"
#include "game/effects/effect_draw.h"
#include "game/ui/resource_ids.h"

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

float InitialSpeed(float rise) {
    return rise / 3.0f * 0.05f;
}

} // namespace

void EffectLineBreak::Start(int x, int startY, int topY, int endY) {
    mX = static_cast<float>(x);
    mY = static_cast<float>(startY);
    mStartY = static_cast<float>(startY);
    mTopY = static_cast<float>(topY);
    mEndY = static_cast<float>(endY);
    const float rise = std::fabs(mStartY - mTopY);
    mSpeed = InitialSpeed(rise);
    mState = 0;
    if (rise == 0) {
        // The deceleration would be 0 / 0 and the toast would never move.
        mDeceleration = 0;
        mDone = true;
        return;
    }
    mDeceleration = mSpeed / rise;
}

void EffectLineBreak::Update(float) {
    if (mDone)
        return;
    const float rise = std::fabs(mStartY - mTopY);
    if (mState == 0 || mState == 1) {
        mY -= mSpeed;
        mSpeed = std::max(mSpeed - mDeceleration, 0.0f);
        if (mState == 0 && mY <= mStartY - rise / 3.0f) {
            mState = 1;
        } else if (mState == 1 && (mY <= mTopY || mSpeed == 0)) {
            mState = 2;
            mSpeed = InitialSpeed(rise);
        }
    } else if (mState == 3) {
        mY += mSpeed;
        mSpeed += mDeceleration;
        mDone = mY >= mEndY;
    }
}

void EffectLineBreak::Update() {
    if (mDone || mState != 2)
        return;
    if (--mHold <= 0)
        mState = 3;
}

void EffectLineBreak::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    Kavo::LazyTransform transform;
    transform.Translate(mX, mY);
    DrawEffectImageTransform(g, IMAGE_BREAD, transform);
}

} // namespace Game
