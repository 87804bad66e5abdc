// Start-up: from a constructed application to one whose window, display,
// sound and music exist.
#include <cstdio>

#include "framework/app/command_line.h"
#include "framework/app/cursor_masks.h"
#include "framework/app/demo_hooks.h"
#include "framework/app/demo_session.h"
#include "framework/app/kavo_app_base.h"
#include "framework/app/window_position_keeper.h"
#include "framework/graphics/dd_interface.h"
#include "framework/pak/pak_interface.h"
#include "framework/sound/dsound_manager.h"
#include "framework/sound/music_interface.h"
#include "framework/sound/music_player.h"
#include "framework/util/mersenne_twister.h"
#include "framework/util/system_util.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/drivers.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "platform/text_encoding.h"

namespace Kavo {

namespace {

constexpr const char* kDirectXDownloadAddress = "http://www.microsoft.com/directx";

} // namespace

platform::LResult AppWindowProc(platform::WindowHandle window, platform::MessageId message, platform::WParam wParam,
                                platform::LParam lParam);

void KavoAppBase::Initialize() {
    mPrimaryThreadId = platform::GetCurrentThreadId();
    if (mShutdown)
        return;

    if (!mHasDisplayService || !mHasSoundService) {
        platform::ShowMessageBox(
            nullptr,
            GetString("APP_REQUIRES_DIRECTX",
                      std::string("This application requires DirectX to run.  You can get DirectX at ") +
                          kDirectXDownloadAddress),
            GetString("YOU_NEED_DIRECTX", "You need DirectX"), platform::kMbIconError);
        DoExit(0);
    }

    PreInitHook();
    LoadSettings();

    if (platform::IsWindowsVistaOrLater()) {
        SetUserDataFolder(platform::GetUserDataRoot(mProdName));
        if (!IsDemoPathAnchored(mDemoFileName))
            mDemoFileName = GetUserDataFolder() + mDemoFileName;
    }

    if (!mCmdLineParsed)
        ReadCommandLine();
    if (mIsScreenSaver)
        mOnlyAllowOneCopyToRun = false;
    MarkRunInProgress();

    if (!ChangeDirHook(mChangeDirTo))
        platform::SetCurrentFolder(mChangeDirTo);

    // Without the archive every file comes from the disk.
    if (gPakInterface != nullptr)
        gPakInterface->MountArchive("main.pak");

    mNotifyGameMessage = platform::RegisterWindowMessage("Notify" + mProdName);
    if (!mInstance.Acquire(mProdName + "Mutex"))
        NotifyRunningInstance();
    // Only the copy that runs alone clears what killed saves of the settings
    // left, and of those only the files of processes that are gone.
    if (mInstance.IsOwner())
        platform::RemoveStaleRegistryTemporaries();

    mRandSeed = platform::GetTickMs();
    GetRandGenerator().Seed(mRandSeed);

    // A recording that could not be kept, or a demo that cannot be played,
    // ends the start with its error.
    std::string demoError;
    if ((mRecordingDemo && !CanWriteDemoFile(demoError)) || (mPlayingDemo && !ReadDemoFileHeader(demoError))) {
        mRecordingDemo = false;
        mPlayingDemo = false;
        ShowFatalError(demoError);
        DoExit(1);
    }
    if (mRecordingDemo)
        SetDemoRecorder(std::make_unique<DemoSession>(*this));

    if (mRecordingDemo || mPlayingDemo) {
        mDemoHooks = std::make_unique<DemoHooks>(*this);
        KeepStartSettingsInDemo();
    }

    // A recorded or replayed run must refill boards as the recording did:
    // the runtime generator then follows the demo's seed.
    platform::CrtSrand(mRecordingDemo || mPlayingDemo ? mRandSeed : platform::GetTickMs());

    platform::RegisterWindowClass({"MainWindow", platform::kCsDblClks, AppWindowProc});
    platform::RegisterWindowClass({"InvisWindow", 0, AppWindowProc});
    mUseWideWindowProc = false;

    platform::WindowCreateInfo invisible;
    invisible.className = "InvisWindow";
    invisible.title = mTitle;
    mInvisHWnd = platform::CreateWindow(invisible);
    if (mInvisHWnd != nullptr)
        platform::SetWindowUserData(mInvisHWnd, this);

    const auto video = platform::GetVideoDriver();
    mHandCursor = video->CreateCursor(HandCursorImage());
    mDraggingCursor = video->CreateCursor(DraggingCursorImage());

    PreCreateWindowHook();

    mWidgetManager->Resize(IntRect(0, 0, mWidth, mHeight), IntRect(0, 0, mWidth, mHeight));

    if (mIsWindowed && !mFullScreenWindow) {
        if (mWidth >= platform::GetSystemMetric(platform::kMetricFullScreenWidth) ||
            mHeight >= platform::GetSystemMetric(platform::kMetricFullScreenHeight)) {
            mIsWindowed = false;
            mForceFullscreen = true;
        }
    }

    if (mFullScreenWindow) {
        KeepWindowPositions(false);
        const platform::DisplayMode current = video->GetDesktopMode();
        const bool depthUsable = current.bitsPerPixel == 16 || current.bitsPerPixel == 32;
        if (current.width != mWidth || current.height != mHeight || !depthUsable) {
            const platform::DisplayMode wanted{mWidth, mHeight, depthUsable ? current.bitsPerPixel : 16,
                                               current.refreshRate};
            if (!video->SetDisplayMode(wanted)) {
                mFullScreenWindow = false;
                mIsWindowed = false;
            }
        }
    }

    CreateMainWindow();

    if (mSoundManager == nullptr)
        mSoundManager = new DSoundManager(mNoSoundNeeded || mNoFrameworkSound ? nullptr : mHWnd, mWantFMod);

    SetSfxVolume(mSfxVolume);
    mMusicInterface = CreateMusicPlayer(mInvisHWnd);
    SetMusicVolume(mMusicVolume);

    if (mIsScreenSaver) {
        mCursorNum = 11;
        ApplyCursor();
    }

    InitHook();
    mInitialized = true;
}

MusicInterface* KavoAppBase::CreateMusicPlayer(platform::WindowHandle window) {
    if (mNoSoundNeeded)
        return new MusicInterface();
    return MakeMusicPlayer(mWantFMod, window).release();
}

void KavoAppBase::NotifyRunningInstance() {
    if (!mOnlyAllowOneCopyToRun)
        return;
    std::fprintf(stderr, "%s is already running: the running copy is brought to the front, and this one ends.\n",
                 platform::Cp1251ToUtf8(mProdName).c_str());
    if (mNotifyGameMessage != 0)
        mInstance.NotifyOwner();
    DoExit(0);
}

} // namespace Kavo
