// The application's texts, message boxes, fatal errors, the screen-saver
// error log, the crash header and the orderly shutdown.
#include <cstdio>
#include <ctime>

#include "framework/app/kavo_app_base.h"
#include "framework/app/window_position_keeper.h"
#include "framework/graphics/dd_interface.h"
#include "framework/imagelib/image_lib.h"
#include "framework/resource/resource_manager.h"
#include "framework/sound/music_interface.h"
#include "framework/util/string_util.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/drivers.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/process_exit.h"
#include "platform/text_encoding.h"

namespace Kavo {

std::string KavoAppBase::GetString(const std::string& id, const std::string& defaultText) const {
    auto it = mStringMap.find(id);
    return it == mStringMap.end() ? defaultText : WStringToString(it->second);
}

std::wstring KavoAppBase::GetStringW(const std::string& id, const std::wstring& defaultText) const {
    auto it = mStringMap.find(id);
    return it == mStringMap.end() ? defaultText : it->second;
}

void KavoAppBase::SetString(const std::string& id, const std::wstring& text) {
    mStringMap[id] = text;
}

void KavoAppBase::BeginPopup() {
    if (!mIsPhysWindowed && mDDInterface != nullptr && mDDInterface->HasDirectDraw()) {
        mDDInterface->FlipToGDISurface();
        mPopupActive = true;
    }
}

void KavoAppBase::EndPopup() {
    if (!mIsPhysWindowed)
        mPopupActive = false;
    // The time spent in the popup is not caught up.
    mUpdateFTimeAcc = 0.0;
    mLastTimeCheck = platform::GetTickMs();
    mCtrlDown = false;
    mAltDown = false;
    if (mWidgetManager != nullptr) {
        for (bool& down : mWidgetManager->mKeyDown)
            down = false;
        mWidgetManager->mCtrlDown = false;
        mWidgetManager->mAltDown = false;
        mWidgetManager->SendMouseUps(mWidgetManager->mDownWidget, mWidgetManager->mDownButtons);
        mWidgetManager->mDownWidget = nullptr;
        mWidgetManager->mDownButtons = 0;
    }
    platform::ReleaseCapture();
}

int KavoAppBase::MsgBox(const std::string& text, const std::string& caption, uint32_t flags) {
    if (mIsScreenSaver) {
        AppendScreenSaverError(text);
        return platform::kIdOk;
    }
    BeginPopup();
    const int result = platform::ShowMessageBox(mHWnd, text, caption, flags);
    EndPopup();
    return result;
}

int KavoAppBase::MsgBoxW(const std::wstring& text, const std::wstring& caption, uint32_t flags) {
    return MsgBox(WStringToString(text), WStringToString(caption), flags);
}

void KavoAppBase::ShowFatalError(const std::string& text) {
    // Also where a run without a desktop, or a script, can read it.
    std::fprintf(stderr, "%s: %s\n", platform::Cp1251ToUtf8(mProdName).c_str(), platform::Cp1251ToUtf8(text).c_str());
    if (mIsScreenSaver) {
        AppendScreenSaverError(text);
        return;
    }
    BeginPopup();
    if (!mShutdown)
        platform::ShowMessageBox(mHWnd, text, GetString("FATAL_ERROR", "FATAL ERROR"), platform::kMbIconError);
    EndPopup();
}

void KavoAppBase::ShowFatalErrorW(const std::wstring& text) {
    ShowFatalError(WStringToString(text));
}

void KavoAppBase::AppendScreenSaverError(const std::string& text) {
    std::FILE* file = platform::OpenFile("ScrError.txt", mScreenSaverErrorWritten ? "a+" : "w");
    if (file == nullptr)
        return;
    mScreenSaverErrorWritten = true;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char timeOfDay[16];
    std::strftime(timeOfDay, sizeof timeOfDay, "%H:%M:%S", &local);
    std::fprintf(file, "%s %s %u\n", text.c_str(), timeOfDay, platform::GetTickMs());
    std::fclose(file);
}

std::string KavoAppBase::GetCrashInfoText() {
    const uint32_t seconds = (platform::GetTickMs() - mTimeLoaded) / 1000;
    std::string text;
    text += "Product: " + mProdName + "\r\n";
    text += "Version: " + mProductVersion + "\r\n";
    text += FormatString("Time Loaded: %02d:%02d:%02d\r\n", static_cast<int>(seconds / 3600),
                         static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    text += std::string("Fullscreen: ") + (mIsWindowed ? "No" : "Yes") + "\r\n";
    text += FormatString("Primary ThreadId: %X\r\n", static_cast<unsigned>(mPrimaryThreadId));
    return text;
}

void KavoAppBase::CloseApp() {
    if (mPrimaryThreadId != 0 && platform::GetCurrentThreadId() != mPrimaryThreadId) {
        // The main loop closes at its next frame.
        mCloseRequestedByOtherThread = true;
        return;
    }
    if (mShutdown)
        return;
    mExitToTop = true;
    if (mRecordingDemo || mPlayingDemo) {
        // The cursor thread moves the pointer on the screen in real time:
        // it stops before the demo's closing frame, which it must not touch.
        StopCursorThread();
        PresentClosingFrame();
    }
    mShutdown = true;
    ShutdownHook();
    if (mPlayingDemo) {
        mMusicVolume = mDemoMusicVolume;
        mSfxVolume = mDemoSfxVolume;
    }
    StopCursorThread();
    if (mMusicInterface != nullptr)
        mMusicInterface->StopAllMusic();
    if (!mIsPhysWindowed && mDDInterface != nullptr && mDDInterface->HasDirectDraw())
        mDDInterface->RestoreDisplayMode();
    if (mHWnd != nullptr)
        platform::ShowWindow(mHWnd, platform::kSwHide);
    RestoreDesktopMode();
    if (mSaveSettingsOnClose)
        SaveSettings();
    ImageLib::ReleaseJpeg2000Library();
}

void KavoAppBase::RestoreDesktopMode() {
    if (!mFullScreenWindow)
        return;
    KeepWindowPositions(false);
    platform::GetVideoDriver()->RestoreDesktopMode();
    KeepWindowPositions(true);
    mFullScreenWindow = false;
}

void KavoAppBase::ShutdownFrameworkThreads() {
    StopCursorThread();
    // The loading thread may end the process itself; it cannot wait for
    // its own end.
    if (mLoadingThread.Id() == platform::GetCurrentThreadId())
        return;
    while (mLoadingThreadStarted && !mLoadingThreadCompleted)
        platform::SleepMs(20);
}

void KavoAppBase::DoExit(int code) {
    mShutdown = true;
    if (!mIsPhysWindowed && mDDInterface != nullptr && mDDInterface->HasDirectDraw())
        mDDInterface->RestoreDisplayMode();
    RestoreDesktopMode();
    ShutdownFrameworkThreads();
    platform::ExitProcess(code);
}

void KavoAppBase::HideApp() {
    // The player falls silent; the stored volume stays for the next run.
    if (mMusicInterface != nullptr)
        mMusicInterface->SetVolume(0.0);
    if (mHWnd != nullptr)
        platform::ShowWindow(mHWnd, platform::kSwHide);
    mIsHidden = true;
    ApplyCursor();
}

bool KavoAppBase::ShowResourceError(bool doExit) {
    ShowFatalError(mResourceManager != nullptr ? mResourceManager->GetErrorText() : std::string());
    if (doExit)
        DoExit(1);
    return false;
}

} // namespace Kavo
