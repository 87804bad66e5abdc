#include "game/ui/timer_dial.h"

#include "framework/graphics/graphics.h"
#include "game/ui/resource_ids.h"
#include "game/ui/timer_dial_listener.h"

namespace Game {

TimerDial::TimerDial() {
    mDial.SetImage(IMAGE_TIMER);
    mRing.SetImage(IMAGE_TIMER_CIRCLE);
    // Both pictures stand centred on their points: the ring's point is the
    // needle's, so the face turns about where the needle does, whatever the
    // pictures' sizes. Placed by their corners, the needle would turn on the
    // ring's left edge, outside any face the pictures could draw.
    mDial.mCentered = true;
    mRing.mCentered = true;
    mArrow = IMAGE_TIMER_ARROW;
}

void TimerDial::SetPosition(float x, float y) {
    mDial.mX = x;
    mDial.mY = y;
    mRing.mX = x - 3.0f;
    mRing.mY = y + 37.0f;
    mArrowX = x - 3.0f;
    mArrowY = y + 37.0f;
}

void TimerDial::Start(bool reverse, bool immediate) {
    mReverse = reverse;
    mState = kMoving;
    if (immediate)
        mValue = reverse ? mDuration : 0.0f;
}

void TimerDial::Wait(int updates) {
    mState = kWaiting;
    mWaitCount = updates;
}

void TimerDial::Move() {
    if (mDuration <= 0) {
        // No run to make: the dial ends at once instead of dividing by zero.
        mValue = 0;
        mState = kFinished;
        if (mListener != nullptr) {
            mListener->OnTimerTick(mReverse ? 0.0f : 1.0f);
            mListener->OnTimeUp();
        }
        return;
    }
    mValue += mReverse ? -mSpeed : mSpeed;
    if (mListener == nullptr)
        return; // nobody to tell: the value runs on
    const float fraction = mValue / mDuration;
    mListener->OnTimerTick(fraction);
    // Compared in float, so that whole steps over a whole duration meet them.
    if (fraction == (mReverse ? 0.1f : 0.9f))
        mListener->OnTimerNotice();
    const bool ended = mReverse ? mValue <= 0 : mValue >= mDuration;
    if (ended) {
        mValue = mReverse ? 0.0f : mDuration;
        mState = kFinished;
        mListener->OnTimeUp();
    }
}

void TimerDial::Update() {
    if (mState == kMoving) {
        Move();
    } else if (mState == kWaiting) {
        if (--mWaitCount <= 0)
            mState = kMoving;
    }
    mAngle = mDuration > 0 ? mStartAngle + (mEndAngle - mStartAngle) / mDuration * mValue : mEndAngle;
}

void TimerDial::Draw(Kavo::Graphics* g) {
    mDial.Draw(g, 255);
    if (mArrow != nullptr) {
        const bool wasColorizing = g->GetColorizeImages();
        const Kavo::Color oldColor = g->GetColor();
        if (mAlpha != 255) {
            g->SetColor(Kavo::Color(255, 255, 255, mAlpha));
            g->SetColorizeImages(true);
        }
        g->DrawImageRotated(mArrow, static_cast<int>(mArrowX), static_cast<int>(mArrowY) - 9, -mAngle, 0, 18);
        g->SetColorizeImages(wasColorizing);
        g->SetColor(oldColor);
    }
    mRing.Draw(g, 255);
}

void TimerDial::SetAlpha(int alpha) {
    mAlpha = alpha;
    mDial.SetAlpha(static_cast<float>(alpha));
    mRing.SetAlpha(static_cast<float>(alpha));
}

} // namespace Game
