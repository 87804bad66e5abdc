#include "framework/app/demo_hooks.h"

#include "framework/app/kavo_app_base.h"

namespace Kavo {

DemoHooks::DemoHooks(KavoAppBase& app)
    : mApp(app), mTransfers(HttpTransferDemoSlot(), static_cast<HttpTransferDemo&>(*this)),
      mCrashes(CrashDemoSlot(), static_cast<CrashDemo&>(*this)) {}

bool DemoHooks::IsRecording() {
    return mApp.mRecordingDemo;
}

bool DemoHooks::IsPlaying() {
    return mApp.mPlayingDemo;
}

void DemoHooks::WriteTransferResult(int32_t transferId, int32_t result, const std::string& body) {
    if (mApp.mRecordingDemo)
        mApp.Demo().WriteHttpResult(transferId, result, body);
}

bool DemoHooks::ReadTransferResult(int32_t transferId, int32_t* result, std::string* body) {
    // After a close during the demo no result is fed back.
    if (!mApp.mPlayingDemo || mApp.mManualShutdown || result == nullptr || body == nullptr)
        return false;
    return mApp.Demo().ReadHttpResult(transferId, *result, *body);
}

std::string DemoHooks::FinishRecording() {
    if (!mApp.mRecordingDemo)
        return {};
    mApp.Demo().WriteFiller();
    // A recording that could not be written is no demo to attach.
    return mApp.WriteDemoFile() ? mApp.mDemoFileName : std::string();
}

} // namespace Kavo
