// The parts of the main loop, the loading thread, cursors, screen modes and
// dialogs that start-up and shutdown rely on. Frame pacing, the window
// procedure's input queue, screen-mode switches and the developer keys come
// with their own issues and extend these bodies.
#include <algorithm>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_interface.h"
#include "framework/sound/music_interface.h"
#include "framework/util/debug_trace.h"
#include "framework/widget/dialog.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/drivers.h"
#include "platform/services.h"

namespace Kavo {

bool KavoAppBase::ProcessFrame(bool) {
    if (mCloseRequestedByOtherThread) {
        mCloseRequestedByOtherThread = false;
        CloseApp();
    }
    if (mShutdown)
        return false;
    UpdateApp();
    return !mShutdown;
}

void KavoAppBase::UpdateFrame() {
    ++mUpdateCount;
    if (mWidgetManager != nullptr && mWidgetManager->UpdateFrame())
        mHasPendingDraw = true;
    if (mMusicInterface != nullptr)
        mMusicInterface->Update();
}

bool KavoAppBase::UpdateApp() {
    if (mLoadingThreadStarted && mLoadingThreadCompleted && !mLoaded) {
        mLoaded = true;
        mYieldMainThread = false;
        platform::SetCurrentThreadPriority(platform::ThreadPriority::Normal);
        LoadingThreadCompleted();
    }
    UpdateFrame();
    return true;
}

void KavoAppBase::UpdateFrameF(float fraction) {
    if (mWidgetManager != nullptr)
        mWidgetManager->UpdateFrameF(fraction);
}

void KavoAppBase::ApplyCursor() {
    if (mIsHidden)
        return;
    const auto video = platform::GetVideoDriver();
    switch (mCursorNum) {
    case 1:
        video->SetCustomCursor(mHandCursor);
        break;
    case 2:
        video->SetCustomCursor(mDraggingCursor);
        break;
    case 3:
        video->SetSystemCursor(platform::SystemCursor::IBeam);
        break;
    default:
        video->SetSystemCursor(platform::SystemCursor::Arrow);
        break;
    }
}

void KavoAppBase::BeginLoadingThread() {
    if (mLoadingThreadStarted)
        return;
    mYieldMainThread = true;
    platform::SetCurrentThreadPriority(platform::ThreadPriority::AboveNormal);
    mLoadingThreadStarted = true;
    mLoadingThread.Start(
        [this] {
            LoadingThreadProc();
            DebugTrace("Resource Loading Time: %d\r\n", static_cast<int>(platform::GetTickMs() - mTimeLoaded));
            mLoadingThreadCompleted = true;
        },
        platform::ThreadPriority::AboveNormal);
}

double KavoAppBase::GetLoadingProgress() {
    if (mLoaded)
        return 1.0;
    const int32_t total = mNumLoadingThreadTasks;
    if (!mLoadingThreadStarted || total == 0)
        return 0.0;
    return std::min(1.0, static_cast<double>(mCompletedLoadingThreadTasks) / total);
}

void KavoAppBase::Run() {
    if (!mShutdown) {
        mRunning = true;
        if (mHWnd != nullptr)
            platform::ShowWindow(mHWnd, platform::kSwShowNormal);
        if (mAutoStartLoadingThread)
            BeginLoadingThread();
        RunMainLoop();
        mRunning = false;
    }
    DebugTrace("Sleep Count: %d\r\nUpdate Count: %d\r\nDraw Count: %d\r\n", mSleepCount, mUpdateCount, mDrawCount);
    PostRunHook();
    SaveSettings();
}

void KavoAppBase::RunMainLoop() {
    bool updated = false;
    while (RunLoopStep(&updated)) {
    }
}

bool KavoAppBase::RunLoopStep(bool* updated) {
    const bool running = ProcessFrame(true);
    if (updated != nullptr)
        *updated = running;
    return running;
}

bool KavoAppBase::RunUntilUpdated() {
    bool updated = false;
    while (!mShutdown && !updated)
        RunLoopStep(&updated);
    return updated;
}

void KavoAppBase::Redraw(const IntRect* region) {
    if (mWidgetManager != nullptr && mWidgetManager->DrawScreen())
        PresentScreen(region);
}

bool KavoAppBase::PresentScreen(const IntRect*) {
    ++mDrawCount;
    return mDDInterface != nullptr && mDDInterface->mInitialized;
}

void KavoAppBase::SafeDeleteObject(Widget* widget) {
    mSafeDeleteList.push_back({mUpdateAppDepth, widget});
}

void KavoAppBase::ClearUpdateFlag(const std::string&) {
    mUpdateCheckWatch = false;
}

void KavoAppBase::CancelUpdateCheck(const std::string& webPage) {
    ClearUpdateFlag(webPage);
    if (mCloseAfterWebPage)
        CloseApp();
}

bool KavoAppBase::OpenWebPage(const std::string& url) {
    return platform::OpenWebPage(url);
}

std::string KavoAppBase::ReadFileProductVersion(const std::string&) {
    // Executables here carry no version resource.
    return {};
}

void KavoAppBase::ReadCommandLine() {}

void KavoAppBase::SplitCommandLine() {}

void KavoAppBase::HandleCmdLineParam(const std::string& name, const std::string&) {
    if (name == "-screensaver")
        mIsScreenSaver = true;
}

void KavoAppBase::SwitchScreenMode(bool wantWindowed, bool is3D, bool) {
    if (mDDInterface != nullptr && mDDInterface->mIs3D != is3D) {
        mDDInterface->mIs3D = is3D;
        mUserChanged3DSetting = true;
    }
    mIsWindowed = wantWindowed;
}

void KavoAppBase::SwitchScreenMode(bool wantWindowed) {
    SwitchScreenMode(wantWindowed, IsDisplay3D(), false);
}

void KavoAppBase::ReapplyScreenMode() {
    SwitchScreenMode(mIsWindowed, IsDisplay3D(), true);
}

void KavoAppBase::SetDisplayOption(bool option) {
    mDisplayOption = option;
}

Dialog* KavoAppBase::NewDialog(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                               const std::string& footer, int32_t buttonMode) {
    auto* dialog = new Dialog(nullptr, nullptr, id, isModal, header, lines, footer, buttonMode);
    dialog->mDialogListener = this;
    return dialog;
}

Dialog* KavoAppBase::DoDialog(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                              const std::string& footer, int32_t buttonMode) {
    KillDialog(id);
    Dialog* dialog = NewDialog(id, isModal, header, lines, footer, buttonMode);
    AddDialog(id, dialog);
    return dialog;
}

Dialog* KavoAppBase::GetDialog(int32_t id) {
    auto it = mDialogMap.find(id);
    return it == mDialogMap.end() ? nullptr : it->second;
}

void KavoAppBase::AddDialog(Dialog* dialog) {
    AddDialog(dialog->mId, dialog);
}

void KavoAppBase::AddDialog(int32_t id, Dialog* dialog) {
    KillDialog(id);
    if (dialog->mWidth == 0) {
        const int32_t width = mWidth / 2;
        dialog->Resize((mWidth - width) / 2, mHeight / 5, width, dialog->GetPreferredHeight(width));
    }
    mDialogMap[id] = dialog;
    mDialogList.push_back(dialog);
    mWidgetManager->AddWidget(dialog);
    if (dialog->IsModal()) {
        mWidgetManager->AddModalWidget(dialog, mWidgetManager->mDefaultModalFlags);
        ModalOpenedHook();
    }
}

bool KavoAppBase::KillDialog(int32_t id, bool removeWidget, bool deleteWidget) {
    auto it = mDialogMap.find(id);
    if (it == mDialogMap.end())
        return false;
    Dialog* dialog = it->second;
    mDialogMap.erase(it);
    mDialogList.remove(dialog);
    if (removeWidget || deleteWidget)
        mWidgetManager->RemoveWidget(dialog);
    if (dialog->IsModal()) {
        mWidgetManager->RemoveModalWidget(dialog);
        ModalClosedHook();
    }
    if (deleteWidget)
        SafeDeleteObject(dialog);
    return true;
}

bool KavoAppBase::KillDialog(int32_t id) {
    return KillDialog(id, true, true);
}

bool KavoAppBase::KillDialog(Dialog* dialog) {
    return dialog != nullptr && KillDialog(dialog->mId);
}

int32_t KavoAppBase::GetDialogCount() {
    return static_cast<int32_t>(mDialogMap.size());
}

bool KavoAppBase::IsConfirmKey(int32_t) {
    return false;
}

bool KavoAppBase::HandleDeveloperKey(int32_t) {
    return false;
}

} // namespace Kavo
