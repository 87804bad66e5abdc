// The application as the owner of the display device: the game area and
// depth it asks for, how its frames are presented, and the refresh rate
// that cannot be paced by.
#include "framework/app/kavo_app_base.h"

namespace Kavo {

DisplayRequest KavoAppBase::GetDisplayRequest() const {
    DisplayRequest request;
    request.mWidth = mWidth;
    request.mHeight = mHeight;
    request.mColorDepth = mColorDepth;
    request.mHackAspectNum = mAspectNum;
    request.mHackAspectDen = mAspectDen;
    return request;
}

PresentPolicy KavoAppBase::GetPresentPolicy() const {
    PresentPolicy policy;
    policy.mWaitForVSync = mWaitForVSync;
    policy.mEmulateVSyncWhenWindowed = mSoftVSyncWait;
    policy.mPageFlipping = mIsNotTablet;
    policy.mPopupActive = mPopupActive;
    return policy;
}

void KavoAppBase::SetRefreshPacingOff() {
    mVSyncBroken = true;
}

} // namespace Kavo
