// The loading and cursor threads, the cursor choice, and the switches of
// screen mode and 3D mode.
#include <algorithm>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_image.h"
#include "framework/graphics/dd_interface.h"
#include "framework/sound/dsound_manager.h"
#include "framework/util/debug_trace.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/drivers.h"

namespace Kavo {

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

void KavoAppBase::WaitForLoadingThread() {
    while (mLoadingThreadStarted && !mLoadingThreadCompleted)
        platform::SleepMs(20);
}

void KavoAppBase::StartCursorThread() {
    if (mCursorThreadRunning)
        return;
    mCursorThreadRunning = true;
    platform::SetCurrentThreadPriority(platform::ThreadPriority::AboveNormal);
    mCursorThreadStop.Reset();
    // The thread polls in real time (an event wait), so that a virtual
    // clock moves only with the main loop.
    mCursorThread.Start(
        [this] {
            while (!mShutdown && !mCursorThreadStop.Wait(10))
                CursorThreadStep();
            mCursorThreadRunning = false;
        },
        platform::ThreadPriority::AboveNormal);
}

void KavoAppBase::StopCursorThread() {
    mCursorThreadStop.Set();
    while (mCursorThreadRunning)
        platform::SleepMs(10);
    if (mCursorThread.IsStarted() && mCursorThread.Id() != platform::GetCurrentThreadId())
        mCursorThread.Join();
}

void KavoAppBase::CursorThreadStep() {
    // The display lock keeps the window and the display as they are while
    // the position is taken and applied.
    platform::AutoCrit guard(mDisplayLock);
    DDInterface* display = mDDInterface;
    if (display == nullptr || mHWnd == nullptr)
        return;
    const platform::Point position =
        mPlayingDemo ? Demo().MousePosition() : platform::ScreenToClient(mHWnd, platform::GetCursorPos());
    const platform::Point current = mDrawCount > 0
                                        ? platform::Point{display->GetCursorPos().mX, display->GetCursorPos().mY}
                                        : platform::Point{0, 0};
    if (position == current)
        return;
    // Draw the cursor here only when the loop has not presented for longer
    // than a refresh period; otherwise the next present places it.
    const int32_t sinceNextDraw = static_cast<int32_t>(platform::GetTickMs() - mNextDrawTick.load());
    if (sinceNextDraw > display->mMillisecondsPerFrame + 5) {
        display->SetCursorPos(position.x, position.y);
    } else {
        display->mCursorPos.store({position.x, position.y});
    }
}

void KavoAppBase::SetCursorSlotImage(int32_t slot, Image* image) {
    if (slot < 0 || slot > 12)
        return;
    mCursorImages[slot] = image;
    ApplyCursor();
}

void KavoAppBase::ApplyCursor() {
    if (mDDInterface == nullptr)
        return;
    const auto video = platform::GetVideoDriver();
    auto setSoftwareImage = [this](Image* image) {
        if (mDDInterface->SetCursorImage(image))
            mForceRedraw = true;
    };
    if (mIsHidden || !mMouseIn) {
        video->ShowCursor(true);
        video->SetSystemCursor(platform::SystemCursor::Arrow);
        setSoftwareImage(nullptr);
        mSystemCursorShown = true;
        return;
    }
    const int32_t number = mCursorNum;
    Image* image = number >= 0 && number <= 12 ? mCursorImages[number] : nullptr;
    if (image != nullptr && (mPlayingDemo || mCustomCursorsEnabled || number == 12)) {
        setSoftwareImage(image);
        if (!mPlayingDemo) {
            video->ShowCursor(false);
        } else {
            const platform::Point cursor = platform::GetCursorPos();
            const platform::Point origin = platform::ClientToScreen(mHWnd, {0, 0});
            const platform::Rect area{origin.x, origin.y, origin.x + mWidth, origin.y + mHeight};
            video->ShowCursor(true);
            video->SetSystemCursor(area.Contains(cursor) ? platform::SystemCursor::No : platform::SystemCursor::Arrow);
        }
        mSystemCursorShown = false;
        return;
    }
    setSoftwareImage(nullptr);
    bool shown = true;
    if (mCursorOverride != 0) {
        video->SetCustomCursor(mCursorOverride);
    } else {
        switch (number) {
        case 1:
            video->SetCustomCursor(mHandCursor);
            break;
        case 2:
            video->SetCustomCursor(mDraggingCursor);
            break;
        case 3:
            video->SetSystemCursor(platform::SystemCursor::IBeam);
            break;
        case 4:
            video->SetSystemCursor(platform::SystemCursor::No);
            break;
        case 5:
            video->SetSystemCursor(platform::SystemCursor::SizeAll);
            break;
        case 6:
            video->SetSystemCursor(platform::SystemCursor::SizeNesw);
            break;
        case 7:
            video->SetSystemCursor(platform::SystemCursor::SizeNs);
            break;
        case 8:
            video->SetSystemCursor(platform::SystemCursor::SizeNwse);
            break;
        case 9:
            video->SetSystemCursor(platform::SystemCursor::SizeWe);
            break;
        case 10:
            video->SetSystemCursor(platform::SystemCursor::Wait);
            break;
        case 11:
        case 12:
            shown = false;
            break;
        default:
            video->SetSystemCursor(platform::SystemCursor::Arrow);
            break;
        }
    }
    video->ShowCursor(shown);
    mSystemCursorShown = shown;
}

void KavoAppBase::SwitchScreenMode(bool wantWindowed, bool is3D, bool force) {
    if (mForceFullscreen)
        wantWindowed = false;
    if (wantWindowed == mIsWindowed && !force) {
        SetHardware3D(is3D, true);
        KeepChosenSettings();
        return;
    }
    SetHardware3D(is3D, false);
    mIsWindowed = wantWindowed;
    CreateMainWindow();
    if (mHWnd != nullptr) {
        if (mUpdateCheckWatch) {
            platform::ShowWindow(mHWnd, platform::kSwShowNoActivate);
        } else {
            platform::ShowWindow(mHWnd, platform::kSwShowNormal);
            platform::SetForegroundWindow(mHWnd);
        }
    }
    if (mSoundManager != nullptr)
        mSoundManager->SetCooperativeWindow(mHWnd, mIsWindowed);
    KeepChosenSettings();
}

void KavoAppBase::KeepChosenSettings() {
    // Not before the settings were read: defaults would replace them. A
    // replay leaves the player's settings alone, and a recording holds
    // nothing of this write, which decides nothing in the run.
    if (!mSaveSettingsOnClose || mPlayingDemo)
        return;
    mKeepingChosenSettings = true;
    StoreSettings();
    mKeepingChosenSettings = false;
}

void KavoAppBase::SwitchScreenMode(bool wantWindowed) {
    SwitchScreenMode(wantWindowed, IsDisplay3D(), false);
}

void KavoAppBase::ReapplyScreenMode() {
    SwitchScreenMode(mIsWindowed, IsDisplay3D(), true);
}

void KavoAppBase::SetDisplayOption(bool option) {
    if (option == mDisplayOption)
        return;
    mDisplayOption = option;
    if (mDDInterface != nullptr)
        mDDInterface->SetVideoOnlyDraw(option);
    AttachScreenImage();
}

bool KavoAppBase::UsesHardware3D() const {
    return IsDisplay3D();
}

void KavoAppBase::SetHardware3D(bool on, bool reinitialise) {
    if (mDDInterface == nullptr || mDDInterface->mIs3D == on)
        return;
    mUserChanged3DSetting = true;
    mDDInterface->mIs3D = on;
    if (!reinitialise)
        return;
    const int32_t result = InitDisplay();
    if (result != DDInterface::RESULT_OK) {
        if (on) {
            // Back to 2D.
            SetHardware3D(false, true);
            return;
        }
        ShowFatalError(GetString("FAILED_INIT_DIRECTDRAW", "Failed to initialize DirectDraw: ") +
                       DDInterface::ResultToString(result) + " " + mDDInterface->mErrorString);
        DoExit(1);
    }
    ReapplyImageStorageFlags();
    AttachScreenImage();
}

// Points the widget tree at the display's screen image, through which every
// frame is drawn, and marks the whole tree dirty.
void KavoAppBase::AttachScreenImage() {
    if (mWidgetManager == nullptr)
        return;
    mWidgetManager->mImage = mDDInterface != nullptr ? mDDInterface->mScreenImage : nullptr;
    mWidgetManager->MarkAllDirty();
}

void KavoAppBase::RecordScreenMode() {
    if (mDDInterface == nullptr)
        return;
    mSyncRefreshRate = mDDInterface->mRefreshRate;
    if (mRecordingDemo)
        Demo().WriteScreenMode(mSyncRefreshRate);
}

} // namespace Kavo
