// The main loop: a fixed update step paced by real time or by the display's
// refresh rate, redraws when something changed, presents, and sleeps the
// rest of the frame. Modal waits run the same steps, so the loop nests; the
// safe-delete list keeps objects alive until no step is inside them.
#include <algorithm>
#include <cmath>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_interface.h"
#include "framework/sound/dsound_manager.h"
#include "framework/sound/music_interface.h"
#include "framework/util/debug_trace.h"
#include "framework/widget/widget.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/system_info.h"

namespace Kavo {

namespace {

// Whether tick a lies before tick b, across the 32-bit wrap.
bool TickBefore(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) < 0;
}

} // namespace

void KavoAppBase::Run() {
    if (mShutdown)
        return;
    BeginRun();
    RunMainLoop();
    EndRun();
}

void KavoAppBase::BeginRun() {
    StartCursorThread();
    if (mAutoStartLoadingThread)
        BeginLoadingThread();
    if (mHWnd != nullptr) {
        platform::ShowWindow(mHWnd, platform::kSwShow);
        platform::SetForegroundWindow(mHWnd);
    }
    mRunStartTick = platform::GetTickMs();
    mRunning = true;
    mLastInputTime = mRunStartTick;
    mLastTimerTime = mRunStartTick;
}

void KavoAppBase::EndRun() {
    ProcessSafeDeletes();
    mRunning = false;
    WriteDemoFile();

    const uint32_t elapsed = platform::GetTickMs() - mRunStartTick;
    DebugTrace("Seconds       = %g\r\n", elapsed * 0.001);
    DebugTrace("Sleep Count   = %d\r\n", mSleepCount);
    DebugTrace("Update Count  = %d\r\n", mUpdateCount);
    DebugTrace("Draw Count    = %d\r\n", mDrawCount.load());
    DebugTrace("Draw Time     = %d\r\n", mDrawTime);
    DebugTrace("Screen Blt    = %d\r\n", mScreenBltTime);
    if (mDrawTime + mScreenBltTime > 0)
        DebugTrace("Avg FPS       = %d\r\n", mDrawCount.load() * 1000 / (mDrawTime + mScreenBltTime));

    PostRunHook();
    SaveSettings();
}

void KavoAppBase::RunMainLoop() {
    while (!mShutdown) {
        if (mExitToTop)
            mExitToTop = false;
        RunUntilUpdated();
    }
}

bool KavoAppBase::RunUntilUpdated() {
    bool updated = false;
    while (RunLoopStep(&updated)) {
        if (updated)
            return true;
    }
    return false;
}

bool KavoAppBase::RunLoopStep(bool* updated) {
    if (updated != nullptr)
        *updated = false;
    if (mExitToTop)
        return false;
    if (mUpdateAppState == 3)
        mUpdateAppState = 0;
    ++mUpdateAppDepth;
    if (mUpdateAppState == 0) {
        platform::Message message;
        while (!mShutdown && platform::PeekMessage(message))
            platform::DispatchMessage(message);
        if (mPlayingDemo)
            Demo().ReplayDueEvents();
        if (!ProcessDeferredMessages(true))
            mUpdateAppState = 1;
    } else if (mLoopMode == 0) {
        const int32_t before = mUpdateCount;
        ProcessFrame(true);
        if (updated != nullptr)
            *updated = mUpdateCount != before;
    } else if (mLoopMode == 2) {
        platform::SleepMs(static_cast<uint32_t>(mFrameTime));
        mUpdateAppState = 3;
    } else if (mLoopMode == 1) {
        mLoopMode = 2;
        UpdateApp();
        UpdateFrameF(1.0f);
        Redraw(nullptr);
    }
    --mUpdateAppDepth;
    return true;
}

void KavoAppBase::RunExtraUpdates(double updatesPerFrame, bool countInFrame) {
    mPendingUpdatesAcc += updatesPerFrame - 1.0;
    ProcessSafeDeletes();
    while (mPendingUpdatesAcc >= 1.0) {
        if (mPlayingDemo)
            Demo().ReplayDueEvents();
        if (countInFrame)
            ++mUpdatesThisFrame;
        if (!UpdateApp())
            break;
        ProcessSafeDeletes();
        mPendingUpdatesAcc -= 1.0;
    }
    UpdateFrameF(static_cast<float>(updatesPerFrame));
    ProcessSafeDeletes();
}

KavoAppBase::CatchUp KavoAppBase::DemoCatchUp(double updatesPerFrame) {
    auto behind = [this] {
        return mPlayingDemo && (mUpdateCount < Demo().TargetUpdate() || Demo().FastForwardToEnd());
    };
    if (behind()) {
        if (!mDemoMute && !mFastForwardStep) {
            mDemoMute = true;
            Mute(true);
        }
        if (mLastCatchUpRedraw == 0)
            mLastCatchUpRedraw = platform::GetTickMs();
        while (behind()) {
            mUpdateFTimeAcc = 0.0;
            mLastTimeCheck = platform::GetTickMs();
            const int32_t before = mUpdateCount;
            if (UpdateApp())
                RunExtraUpdates(updatesPerFrame, false);
            if (mUpdateCount == before)
                return CatchUp::Stalled;
            const uint32_t now = platform::GetTickMs();
            if (now - mLastCatchUpRedraw >= 1000 || mFastForwardStep) {
                mFastForwardStep = false;
                mLastCatchUpRedraw = now;
                Redraw(nullptr);
                return CatchUp::Redrawn;
            }
        }
    }
    if (mDemoMute && mPlayingDemo) {
        mDemoMute = false;
        if (mSoundManager != nullptr)
            mSoundManager->StopAllSounds();
        Unmute(true);
    }
    return CatchUp::None;
}

bool KavoAppBase::IdleFrame(bool allowSleep) {
    mUpdateAppState = 3;
    ProcessSafeDeletes();
    if (!allowSleep)
        return false;
    ++mSleepCount;
    platform::SleepMs(static_cast<uint32_t>(std::max(mFrameTime, 1)));
    return true;
}

void KavoAppBase::RefreshCheck(uint32_t start) {
    ++mVSyncBrokenTestUpdates;
    if (mVSyncBrokenTestUpdates < (mFrameTime + 999) / mFrameTime)
        return;
    // A second's worth of updates that finished well within the second: the
    // display does not hold the loop to its refresh rate.
    if (start - mVSyncBrokenTestStartTick <= 800) {
        if (++mVSyncBrokenCount >= 3)
            mVSyncBroken = true;
    } else {
        mVSyncBrokenCount = 0;
    }
    mVSyncBrokenTestStartTick = start;
    mVSyncBrokenTestUpdates = 0;
}

bool KavoAppBase::ProcessFrame(bool allowSleep) {
    if (mCloseRequestedByOtherThread.exchange(false)) {
        // A request to end from outside (the system's) is input as a closed
        // window is: the recording keeps it, so its replay ends there too.
        if (mRecordingDemo && !mShutdown)
            Demo().WriteMessage({mHWnd, platform::kWmClose, 0, 0});
        CloseApp();
    }

    const double speed = mUpdateMultiplier;
    double frameLength = 0.0;
    double updatesPerFrame = 1.0;
    if (mVSyncUpdates) {
        frameLength = (1000.0 / mSyncRefreshRate) / speed;
        updatesPerFrame = 1000.0 / (mFrameTime * mSyncRefreshRate);
    } else {
        frameLength = mFrameTime / speed;
    }
    const bool refreshPacing = !mPlayingDemo && mVSyncUpdates && !mLastDrawWasEmpty && !mVSyncBroken &&
                               (!mIsPhysWindowed || (mWaitForVSync && !mSoftVSyncWait));

    if (mPlayingDemo && Demo().ControlsOpen()) {
        // A replay dialog holds the replay: it alone updates and is drawn,
        // and the next step takes the window's messages again.
        mUpdateAppState = 3;
        Demo().UpdateControls();
        mForceRedraw = true;
        Redraw(nullptr);
        if (allowSleep)
            platform::SleepMs(static_cast<uint32_t>(std::max(mFrameTime, 1)));
        ProcessSafeDeletes();
        return true;
    }
    switch (DemoCatchUp(updatesPerFrame)) {
    case CatchUp::Redrawn:
        // A long catch-up still takes the window's messages between its bursts.
        mUpdateAppState = 3;
        ProcessSafeDeletes();
        return true;
    case CatchUp::Stalled:
        return IdleFrame(allowSleep);
    case CatchUp::None:
        break;
    }

    if (mPaused || speed <= 0.0)
        return IdleFrame(allowSleep);

    const uint32_t start = platform::GetTickMs();
    uint32_t slept = 0;
    if (!refreshPacing)
        AccumulateTime();

    bool drawOrSleep = false;
    if (mUpdateAppState == 1) {
        ++mUpdatesThisFrame;
        // Once loaded, a draw comes after at most floor(S x 10) updates in a
        // row, and at least one update runs between draws even below 0.1.
        const int32_t updatesBeforeDraw = std::max(1, static_cast<int32_t>(std::floor(speed * 10)));
        if (mUpdatesThisFrame > updatesBeforeDraw && mLoaded) {
            drawOrSleep = true;
        } else {
            const bool due = refreshPacing
                                 ? (!mHasPendingDraw || static_cast<int32_t>(frameLength * 0.75) <= mUpdateFTimeAcc)
                                 : mUpdateFTimeAcc >= frameLength;
            if (!due) {
                drawOrSleep = true;
            } else {
                if (!mPlayingDemo && speed == 1.0)
                    RefreshCheck(start);
                if (UpdateApp())
                    mUpdateAppState = 2;
                mHasPendingDraw = true;
            }
        }
    } else if (mUpdateAppState == 2) {
        mUpdateAppState = 3;
        RunExtraUpdates(updatesPerFrame, true);
        mUpdateFTimeAcc -= frameLength;
        if (refreshPacing)
            mUpdateFTimeAcc = std::max(0.0, mUpdateFTimeAcc - 0.2);
    } else {
        drawOrSleep = true;
    }

    if (drawOrSleep) {
        mUpdateAppState = 3;
        mUpdatesThisFrame = 0;
        if (mHasPendingDraw) {
            Redraw(nullptr);
        } else {
            const int32_t wait = static_cast<int32_t>(frameLength - mUpdateFTimeAcc);
            if (wait > 0) {
                if (!allowSleep)
                    return false;
                ++mSleepCount;
                platform::SleepMs(static_cast<uint32_t>(wait));
                slept = static_cast<uint32_t>(wait);
            }
        }
    }

    if (mYieldMainThread) {
        // The loading thread gets twice the time this step took.
        const int32_t busy = static_cast<int32_t>(platform::GetTickMs() - start - slept);
        const int32_t yield = std::min(250, 2 * busy - static_cast<int32_t>(slept));
        if (yield >= 0) {
            if (!allowSleep)
                return false;
            platform::SleepMs(static_cast<uint32_t>(yield));
        }
    }
    ProcessSafeDeletes();
    return true;
}

void KavoAppBase::AccumulateTime() {
    const uint32_t now = platform::GetTickMs();
    if (mLastTimeCheck == 0) {
        mLastTimeCheck = now;
        return;
    }
    // At most 200 ms are caught up after a stall, but never less than one
    // frame: below speed 0.05 a frame is longer than that.
    const double frameLength = mUpdateMultiplier > 0.0 ? mFrameTime / mUpdateMultiplier : 0.0;
    const double cap = std::max(200.0, frameLength);
    mUpdateFTimeAcc = std::min(mUpdateFTimeAcc + static_cast<double>(now - mLastTimeCheck), cap);
    mLastTimeCheck = now;
}

void KavoAppBase::SafeDeleteObject(Widget* widget) {
    mSafeDeleteList.push_back({mUpdateAppDepth, widget});
}

void KavoAppBase::ProcessSafeDeletes() {
    ++mRedrawDepth;
    for (auto it = mSafeDeleteList.begin(); it != mSafeDeleteList.end();) {
        if (it->mUpdateAppDepth >= mUpdateAppDepth) {
            Widget* widget = it->mWidget;
            it = mSafeDeleteList.erase(it);
            delete widget;
        } else {
            ++it;
        }
    }
    mRedrawDepth = std::max(0, mRedrawDepth - 1);
}

bool KavoAppBase::UpdateApp() {
    if (mUserIdle)
        return false;
    const bool finished = mLoadingThreadStarted && mLoadingThreadCompleted;
    if (!mPlayingDemo) {
        if (finished && !mLoaded)
            CompleteLoading();
    } else {
        if (finished && !mLoaded && Demo().LoadingCompleted())
            CompleteLoading();
        if (mLoaded != Demo().LoadingCompleted() || mUpdateCount == Demo().StopUpdate())
            return false;
    }
    UpdateFrame();
    return true;
}

void KavoAppBase::CompleteLoading() {
    platform::SetCurrentThreadPriority(platform::ThreadPriority::Normal);
    mLoaded = true;
    mYieldMainThread = false;
    // The event goes before whatever the completion hook records (settings,
    // files): a replay completes loading on this event and only then runs
    // the hook, which reads its own events after it.
    if (mRecordingDemo)
        Demo().WriteLoadingCompleted();
    LoadingThreadCompleted();
}

void KavoAppBase::UpdateFrame() {
    ++mUpdateCount;
    if (!mMinimized && mWidgetManager != nullptr)
        mWidgetManager->UpdateFrame();
    if (mMusicInterface != nullptr)
        mMusicInterface->Update();
    PurgeSharedImages();
}

void KavoAppBase::UpdateFrameF(float fraction) {
    if (mVSyncUpdates && !mMinimized && mWidgetManager != nullptr)
        mWidgetManager->UpdateFrameF(fraction);
}

void KavoAppBase::CheckUserIdle() {
    // The desktop reports no screen saver: the user never counts as idle.
    if (mIsScreenSaver || !mIsPhysWindowed)
        return;
    mUserIdle = false;
}

void KavoAppBase::Redraw(const IntRect* region) {
    ++mRedrawDepth;
    struct DepthGuard {
        int32_t& depth;
        ~DepthGuard() { depth = std::max(0, depth - 1); }
    } guard{mRedrawDepth};

    if (mDisplayLost) {
        PresentScreen(region);
        mHasPendingDraw = false;
        mLastDrawWasEmpty = true;
        return;
    }
    BuildOverlay();
    const uint32_t drawStart = platform::GetTickMs();
    if (drawStart - mLastIdleCheckTick > 1000) {
        mLastIdleCheckTick = drawStart;
        CheckUserIdle();
    }
    if (mUserIdle) {
        mHasPendingDraw = false;
        mLastDrawWasEmpty = true;
        return;
    }

    mIsDrawing = true;
    const bool drew = mWidgetManager != nullptr && mWidgetManager->DrawScreen();
    mIsDrawing = false;

    uint32_t now = platform::GetTickMs();
    if ((!drew && now - mLastDrawTick < 1000 && !mForceRedraw) || TickBefore(now, mNextDrawTick)) {
        // A frame drawn but held back (the loading thread's pacing) has
        // already cleared its widgets' dirty marks: show it with the next
        // draw, or it would wait for the next change or the once-a-second
        // refresh.
        if (drew)
            mForceRedraw = true;
        mHasPendingDraw = false;
        mLastDrawWasEmpty = true;
        return;
    }
    mLastDrawWasEmpty = false;
    ++mDrawCount;
    mDrawTime += static_cast<int32_t>(now - drawStart);
    DrawOverlay();

    if (mWaitForVSync && mIsPhysWindowed && mSoftVSyncWait && mDDInterface != nullptr) {
        const uint32_t sinceLast = now - mLastDrawTick;
        const uint32_t period = static_cast<uint32_t>(std::max(0, mDDInterface->mMillisecondsPerFrame));
        if (sinceLast < period)
            platform::SleepMs(period - sinceLast);
    }

    mLastDrawTick = platform::GetTickMs();
    PresentScreen(region);
    AccumulateTime();
    now = platform::GetTickMs();
    mScreenBltTime = static_cast<int32_t>(now - mLastDrawTick);

    if (mLoadingThreadStarted && !mLoadingThreadCompleted) {
        // Leave the loading thread room between two draws.
        const uint32_t duration = now - drawStart;
        if (!TickBefore(now, mNextDrawTick))
            mNextDrawTick = now;
        mNextDrawTick += std::max<uint32_t>(duration, 15) + 35;
    } else {
        mNextDrawTick = now;
    }
    mHasPendingDraw = false;
    mForceRedraw = false;
}

void KavoAppBase::PresentClosingFrame() {
    // A demo ends on a whole frame of the state it closed in, the pointer
    // where the run took it last. The frames before it follow the clock:
    // a slow machine draws fewer of them, so the last one it drew may be
    // some updates old, and the pointer the cursor thread last placed in
    // it depends on that thread's pace; a recording and its replay must
    // still end on the same picture.
    if (mIsDrawing || mDisplayLost || mMinimized || mUserIdle || mWidgetManager == nullptr ||
        mWidgetManager->mImage == nullptr || mDDInterface == nullptr)
        return;
    const platform::Point pointer = Demo().MousePosition();
    mDDInterface->mCursorPos.store({pointer.x, pointer.y});
    mWidgetManager->MarkAllDirty();
    mIsDrawing = true;
    const bool drew = mWidgetManager->DrawScreen();
    mIsDrawing = false;
    if (drew)
        PresentScreen(nullptr);
}

bool KavoAppBase::PresentScreen(const IntRect* region) {
    if (mIsDrawing || mShutdown || mUserIdle)
        return false;
    if (mDDInterface != nullptr && mDDInterface->Redraw(region)) {
        if (mDisplayLost) {
            mDisplayLost = false;
            mDisplayRetryTick = 0;
        }
        return true;
    }
    if (mDDInterface != nullptr && mDDInterface->mD3DInterface != nullptr)
        mDDInterface->mD3DInterface->mPreDrawError = false;
    mDisplayLost = true;
    const uint32_t now = platform::GetTickMs();
    const bool mayRetry = mActive || now - mDisplayRetryTick >= 1000;
    if (mayRetry && (mActive || mIsPhysWindowed) && !(mHWnd != nullptr && platform::IsIconic(mHWnd)) && !mMinimized) {
        mDisplayRetryTick = now;
        RecoverDisplay();
    }
    return false;
}

void KavoAppBase::RecoverDisplay() {
    if (mWidgetManager != nullptr)
        mWidgetManager->mImage = nullptr;
    if (mIsWindowed && (mWidth > platform::GetSystemMetric(platform::kMetricFullScreenWidth) ||
                        mHeight > platform::GetSystemMetric(platform::kMetricFullScreenHeight))) {
        if (!mForceWindowed) {
            mForceFullscreen = true;
            SwitchScreenMode(false);
        } else {
            ShowFatalError(GetString("PLEASE_SET_COLOR_DEPTH", "Please set your desktop color depth to 16 bit."));
            CloseApp();
        }
        return;
    }
    const int32_t result = InitDisplay();
    if (result == DDInterface::RESULT_INVALID_COLORDEPTH && mIsPhysWindowed) {
        if (mActive) {
            mForceFullscreen = true;
            SwitchScreenMode(false);
        }
    } else if (result == DDInterface::RESULT_3D_FAIL) {
        SetHardware3D(false, true);
    } else if (result == DDInterface::RESULT_OK) {
        ReapplyImageStorageFlags();
        AttachScreenImage();
    }
}

} // namespace Kavo
