// The application as the owner of the display device: the game area and
// depth it asks for, how its frames are presented, and the refresh rate
// that cannot be paced by, and what it wants of 3D.
#include "framework/app/kavo_app_base.h"
#include "platform/registry.h"

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

Display3DSettings KavoAppBase::Get3DSettings() const {
    Display3DSettings settings;
    settings.mAutoEnable3D = mAutoEnable3D;
    settings.mTest3D = mTest3D;
    settings.mMinVidMemory = static_cast<uint32_t>(mMinVidMemory3D);
    settings.mRecVidMemory = static_cast<uint32_t>(mRecommendedVidMemory3D);
    settings.mRegKey = mRegKey;
    settings.mReplayingDemo = mPlayingDemo;
    return settings;
}

void KavoAppBase::Write3DRuntimeError(const std::string& text) {
    WriteRegValue("Test3D\\RuntimeError", platform::kRegString, text.c_str(), static_cast<uint32_t>(text.size() + 1));
}

std::string KavoAppBase::RecordOrReplay3DText(const std::string& text) {
    return RecordOrReplayString(text);
}

bool KavoAppBase::RecordOrReplay3DFlag(bool flag) {
    return RecordOrReplayData(flag);
}

bool KavoAppBase::IsWindowMinimized() const {
    return mMinimized;
}

} // namespace Kavo
