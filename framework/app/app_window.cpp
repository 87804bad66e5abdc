// The main window, the display behind it, the window procedure and the
// application's input queue. The procedure answers at once only what must
// be answered inside the callback; input and state messages wait in the
// queue until the loop hands them, one per step, to the widget manager.
#include <algorithm>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_image.h"
#include "framework/graphics/dd_interface.h"
#include "framework/util/debug_trace.h"
#include "framework/widget/widget.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/system_info.h"

namespace Kavo {

namespace {

constexpr std::uintptr_t kFrameTimerId = 100;
constexpr int kWorkAreaMargin = 4;
// The key-down bit saying the key was already down: a repeat.
constexpr platform::LParam kKeyWasDown = platform::LParam{1} << 30;

bool IsQueuedMessage(platform::MessageId message) {
    switch (message) {
    case platform::kWmMove:
    case platform::kWmSize:
    case platform::kWmClose:
    case platform::kWmSysColorChange:
    case platform::kWmDisplayChange:
    case platform::kWmActivateApp:
    case platform::kWmKeyDown:
    case platform::kWmKeyUp:
    case platform::kWmChar:
    case platform::kWmSysKeyDown:
    case platform::kWmSysKeyUp:
    case platform::kWmTimer:
    case platform::kWmMouseWheel:
        return true;
    default:
        return message >= platform::kWmMouseMove && message <= platform::kWmMButtonDblClk;
    }
}

// What an open replay dialog takes: the keyboard (system keys go on to the
// system) and the mouse.
bool IsControlsInput(platform::MessageId message) {
    switch (message) {
    case platform::kWmKeyDown:
    case platform::kWmKeyUp:
    case platform::kWmChar:
    case platform::kWmMouseWheel:
        return true;
    default:
        return message >= platform::kWmMouseMove && message <= platform::kWmMButtonDblClk;
    }
}

bool IsColorOrDisplayChange(platform::MessageId message) {
    return message == platform::kWmSysColorChange || message == platform::kWmDisplayChange;
}

// Keeps a window of the given outer size at (x, y) inside the work area,
// a margin away from its edges; the left and top edges win.
platform::Point ClampToWorkArea(int x, int y, int width, int height) {
    const platform::Rect area = platform::GetWorkArea();
    x = std::min(x, area.right - kWorkAreaMargin - width);
    y = std::min(y, area.bottom - kWorkAreaMargin - height);
    x = std::max(x, area.left + kWorkAreaMargin);
    y = std::max(y, area.top + kWorkAreaMargin);
    return {x, y};
}

} // namespace

platform::LResult AppWindowProc(platform::WindowHandle window, platform::MessageId message, platform::WParam wParam,
                                platform::LParam lParam) {
    auto* app = static_cast<KavoAppBase*>(platform::GetWindowUserData(window));
    if (app == nullptr)
        return platform::DefWindowProc(window, message, wParam, lParam);
    return app->WindowProc(window, message, wParam, lParam);
}

void KavoAppBase::CreateMainWindow() {
    if (mHWnd != nullptr) {
        platform::WindowHandle old = mHWnd;
        {
            platform::AutoCrit guard(mDisplayLock);
            mHWnd = nullptr;
        }
        platform::SetWindowUserData(old, nullptr);
        platform::DestroyWindow(old);
        if (mWidgetManager != nullptr)
            mWidgetManager->mImage = nullptr;
    }

    platform::WindowCreateInfo info;
    info.className = "MainWindow";
    info.title = mTitle;
    const bool fullScreen = !mPlayingDemo && (!mIsWindowed || mFullScreenWindow);
    bool centre = false;
    if (fullScreen) {
        info.exStyle = platform::kWsExTopmost;
        info.style = platform::kWsPopup | platform::kWsVisible;
        info.width = mWidth;
        info.height = mHeight;
        mIsPhysWindowed = false;
    } else {
        info.style = platform::kWsPopup | platform::kWsClipChildren | platform::kWsCaption | platform::kWsSysMenu |
                     platform::kWsMinimizeBox | (mEnableMaximizeButton ? platform::kWsMaximizeBox : 0);
        const platform::Rect outer = platform::AdjustWindowRect({0, 0, mWidth, mHeight}, info.style, 0);
        info.width = outer.Width();
        info.height = outer.Height();
        info.x = 64;
        info.y = 64;
        if (mPreferredX != -1 || mPreferredY != -1) {
            const platform::Point position = ClampToWorkArea(mPreferredX, mPreferredY, info.width, info.height);
            info.x = position.x;
            info.y = position.y;
        } else {
            centre = true;
        }
        mIsPhysWindowed = true;
    }
    platform::WindowHandle window = platform::CreateWindow(info);
    {
        platform::AutoCrit guard(mDisplayLock);
        mHWnd = window;
    }
    if (mHWnd != nullptr && centre) {
        const platform::Rect area = platform::GetWorkArea();
        const int x = area.left + (area.Width() - info.width) / 2;
        const int y = area.top + static_cast<int>((area.Height() - info.height) * 0.382);
        platform::MoveWindow(mHWnd, x, y, info.width, info.height);
    }
    if (mHWnd != nullptr)
        platform::SetWindowUserData(mHWnd, this);
    const bool wasActive = mActive;
    TakeStartingFocus();
    if (mInstance.IsOwner() && mNotifyGameMessage != 0)
        mInstance.SetNotifyTarget(mHWnd, mNotifyGameMessage);

    if (mDDInterface == nullptr) {
        mDDInterface = new DDInterface(this, GetDisplayLock());
        bool is3D = false;
        if (RegistryReadBoolean("Is3D", &is3D)) {
            mDDInterface->mIs3D = is3D;
            mAutoEnable3D = is3D;
        }
    }

    const int32_t result = InitDisplay();
    if (result != DDInterface::RESULT_OK) {
        if (mIsPhysWindowed && result == DDInterface::RESULT_INVALID_COLORDEPTH) {
            if (mForceWindowed) {
                ShowFatalError(GetString("PLEASE_SET_COLOR_DEPTH", "Please set your desktop color depth to 16 bit."));
                DoExit(1);
            }
            mForceFullscreen = true;
            SwitchScreenMode(false);
            return;
        }
        if (!mIsPhysWindowed &&
            (result == DDInterface::RESULT_EXCLUSIVE_FAIL || result == DDInterface::RESULT_DISPCHANGE_FAIL)) {
            mForceWindowed = true;
            SwitchScreenMode(true);
        } else if (result == DDInterface::RESULT_3D_FAIL || mDDInterface->mIs3D) {
            SetHardware3D(false, true);
        } else {
            ShowFatalError(GetString("FAILED_INIT_DIRECTDRAW", "Failed to initialize DirectDraw: ") +
                           DDInterface::ResultToString(result) + " " + mDDInterface->mErrorString);
            DoExit(1);
        }
    }

    mMinimizePending = false;
    if (mMinimized) {
        if (mMuteOnLostFocus)
            Unmute(true);
        mMinimized = false;
        HandleFocusChange();
    }
    if (wasActive != mActive)
        HandleFocusChange();
    ReapplyImageStorageFlags();
    AttachScreenImage();
    if (mHWnd != nullptr)
        platform::SetTimer(mHWnd, kFrameTimerId, static_cast<uint32_t>(mFrameTime));
}

void KavoAppBase::TakeStartingFocus() {
    // A full-screen window is active before its procedure knows the
    // application, so no activation message tells of it: the state is
    // taken here and recorded, and a replay (always in a window, deaf to
    // the desktop's activations) takes the recorded one.
    bool recorded = false;
    if (mPlayingDemo && Demo().ReadStartingFocus(recorded)) {
        mActive = recorded;
        return;
    }
    if (!mPlayingDemo)
        mActive = mHWnd != nullptr && platform::GetActiveWindow() == mHWnd;
    if (mRecordingDemo && !mShutdown && mHWnd != nullptr)
        Demo().WriteMessage({mHWnd, platform::kWmActivateApp, mActive ? 1u : 0u, 0, platform::GetTickMs()});
}

int32_t KavoAppBase::InitDisplay() {
    PreDisplayInitHook();
    DropAllSoftwareCaches();
    const int32_t result = mDDInterface->Init(mHWnd, mIsPhysWindowed);
    if (result != DDInterface::RESULT_OK)
        return result;
    // A new test outcome replaces whatever 3D choice was stored.
    if (mDDInterface->mD3DTester != nullptr && mDDInterface->mD3DTester->mFreshResult)
        DeleteRegValue("Is3D");
    const int32_t width = mDDInterface->mDisplayWidth;
    const int32_t height = mDDInterface->mDisplayHeight;
    mScreenBounds = IntRect((mWidth - width) / 2, (mHeight - height) / 2, width, height);
    if (mWidgetManager != nullptr) {
        mWidgetManager->Resize(mScreenBounds, IntRect(0, 0, width, height));
        // Every successful start of the display hands its screen image to the widgets.
        mWidgetManager->mImage = mDDInterface->mScreenImage;
    }
    PostDisplayInitHook();
    RecordScreenMode();
    return result;
}

void KavoAppBase::BringWindowToFront(platform::WParam wParam, platform::LParam) {
    if (wParam != 0 || mHWnd == nullptr)
        return;
    if (platform::IsIconic(mHWnd))
        platform::ShowWindow(mHWnd, platform::kSwRestore);
    platform::SetForegroundWindow(mHWnd);
}

void KavoAppBase::HandleFocusChange() {
    const bool hasFocus = mActive && !mMinimized;
    if (hasFocus == mHasFocus)
        return;
    mHasFocus = hasFocus;
    if (hasFocus) {
        if (mMuteOnLostFocus)
            Unmute(true);
        if (mWidgetManager != nullptr) {
            mWidgetManager->mHasFocus = true;
            if (mWidgetManager->mFocusWidget != nullptr)
                mWidgetManager->mFocusWidget->GotFocus();
        }
        GotFocus();
        return;
    }
    if (mMuteOnLostFocus)
        Mute(true);
    if (mWidgetManager != nullptr)
        mWidgetManager->LostFocus();
    LostFocus();
    platform::ReleaseCapture();
    if (mWidgetManager != nullptr && mWidgetManager->mDownWidget != nullptr) {
        mWidgetManager->SendMouseUps(mWidgetManager->mDownWidget, mWidgetManager->mDownButtons);
        mWidgetManager->mDownWidget = nullptr;
        mWidgetManager->mDownButtons = 0;
    }
}

void KavoAppBase::ClearKeyStates() {
    if (mWidgetManager != nullptr) {
        for (bool& down : mWidgetManager->mKeyDown)
            down = false;
    }
    mCtrlDown = false;
    mAltDown = false;
}

platform::LResult KavoAppBase::WindowProc(platform::WindowHandle window, platform::MessageId message,
                                          platform::WParam wParam, platform::LParam lParam) {
    using namespace platform;
    LResult screenSaverAnswer = 0;
    if (CheckScreenSaverPassword(window, message, wParam, screenSaverAnswer))
        return screenSaverAnswer;
    if (message == kWmActivateApp && !mPlayingDemo && window == mHWnd)
        mActive = wParam != 0;

    switch (message) {
    case kWmDestroy:
        DebugTrace("DESTROYED HWND: %d\r\n", static_cast<int>(reinterpret_cast<std::uintptr_t>(window)));
        return DefWindowProc(window, message, wParam, lParam);
    case kWmEnable:
        mWindowDisabled = wParam == 0;
        return DefWindowProc(window, message, wParam, lParam);
    case kWmPaint:
        if (!mInitialized || mIsHidden)
            return DefWindowProc(window, message, wParam, lParam);
        if (mRunning)
            PresentScreen(nullptr);
        return 0;
    case kWmQueryOpen:
        if (!AllowRestore())
            return 0;
        break;
    case kWmEraseBackground:
        return 1;
    case kWmEndSession:
        CloseApp();
        return DefWindowProc(window, message, wParam, lParam);
    case kWmSetCursor:
        if (!mIsHidden)
            ApplyCursor();
        return 1;
    case kWmNcLButtonDown: {
        // A window drag is not caught up afterwards.
        const LResult result = DefWindowProc(window, message, wParam, lParam);
        mUpdateFTimeAcc = 0.0;
        mLastTimeCheck = GetTickMs();
        return result;
    }
    case kWmSysCommand: {
        const WParam command = wParam & 0xFFF0;
        if (command == kScMonitorPower && !(mAllowMonitorPowersave && mLoaded))
            return 0;
        if (command == kScScreenSave && !(mLoaded && mIsPhysWindowed))
            return 0;
        break;
    }
    case kWmSysChar:
        if (IsConfirmKey(static_cast<int32_t>(wParam)))
            return 0;
        break;
    default:
        break;
    }
    if (mNotifyGameMessage != 0 && message == mNotifyGameMessage && window == mHWnd) {
        BringWindowToFront(wParam, lParam);
        return 0;
    }
    if (!IsQueuedMessage(message))
        return DefWindowProc(window, message, wParam, lParam);
    if (mPopupActive)
        return DefWindowProc(window, message, wParam, lParam);

    const bool keyDown = message == kWmKeyDown || message == kWmSysKeyDown;
    if (keyDown || message == kWmKeyUp || message == kWmSysKeyUp) {
        mCtrlDown = IsKeyDown(kVkControl);
        mAltDown = IsKeyDown(kVkMenu);
        if (keyDown && DebugKeyHook(static_cast<int32_t>(wParam), mCtrlDown, mAltDown))
            return 0;
    }
    if (mPlayingDemo && Demo().ControlsOpen() && IsControlsInput(message)) {
        // An open replay dialog takes the real input, as a modal window would.
        Demo().ControlsMessage({window, message, wParam, lParam, GetTickMs()});
        return 0;
    }
    if (mPlayingDemo) {
        if (message == kWmChar)
            Demo().PlaybackKey(static_cast<int32_t>(wParam));
        else if (message == kWmKeyDown)
            HandleDeveloperKey(static_cast<int32_t>(wParam));
    }
    QueueMessage({window, message, wParam, lParam, GetTickMs()});

    if (message == kWmSize)
        mMinimizePending = wParam == kSizeMinimized;
    // Alt+F4 goes on to the system; other Alt keys would open its menu.
    if (message == kWmSysKeyDown && wParam != static_cast<WParam>(kVkF4))
        return 0;
    if (message == kWmClose) {
        CloseRequestHook();
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

void KavoAppBase::QueueMessage(const platform::Message& message) {
    if (!mDeferredMessages.empty()) {
        // Nothing goes behind a close; timers never pile up.
        const platform::MessageId last = mDeferredMessages.back().message;
        if (last == platform::kWmClose)
            return;
        if (message.message == platform::kWmTimer && last == platform::kWmTimer)
            return;
        if (IsColorOrDisplayChange(message.message)) {
            for (const platform::Message& queued : mDeferredMessages)
                if (IsColorOrDisplayChange(queued.message))
                    return;
        }
    }
    mDeferredMessages.push_back(message);
    ++mNumDeferredMessages;
}

bool KavoAppBase::ProcessDeferredMessages(bool one) {
    while (!mDeferredMessages.empty()) {
        const platform::Message message = mDeferredMessages.front();
        mDeferredMessages.pop_front();
        --mNumDeferredMessages;
        // The mode switch is recorded by its outcome (the screen mode the
        // display takes): recorded as the Return it was pressed with, a
        // replay would hand that Return to the focused widget instead, and
        // a dialog would take it for its answer.
        if (mRecordingDemo && !mShutdown && !IsScreenModeToggle(message))
            Demo().WriteMessage(message);
        // A replay feeds its own events; only a close goes through.
        if (!mPlayingDemo)
            HandleDeferredMessage(message);
        if (message.message == platform::kWmClose && (message.window == mHWnd || message.window == mInvisHWnd)) {
            mManualShutdown = true;
            CloseApp();
        }
        if (one)
            break;
    }
    return !mDeferredMessages.empty();
}

bool KavoAppBase::IsScreenModeToggle(const platform::Message& message) const {
    using namespace platform;
    // Only a fresh press switches: Enter held with Alt repeats, and every
    // repeat would switch the screen mode back again.
    return message.message == kWmSysKeyDown && message.wParam == static_cast<WParam>(kVkReturn) && !mForceFullscreen &&
           !mForceWindowed && (message.lParam & kKeyWasDown) == 0;
}

void KavoAppBase::HandleDeferredMessage(const platform::Message& message) {
    using namespace platform;
    const int32_t key = static_cast<int32_t>(message.wParam);
    switch (message.message) {
    case kWmMove:
        if (message.window == mHWnd && mIsPhysWindowed) {
            const WindowPlacement placement = GetWindowPlacement(mHWnd);
            if (placement.showCommand == kSwShow || placement.showCommand == kSwShowNormal) {
                mPreferredX = placement.normalRect.left;
                mPreferredY = placement.normalRect.top;
            }
        }
        break;
    case kWmSize:
        if (message.window == mHWnd && !mShutdown) {
            const bool minimized = message.wParam == kSizeMinimized;
            if (minimized != mMinimized) {
                mMinimized = minimized;
                if (minimized) {
                    if (mMuteOnLostFocus)
                        Mute(true);
                } else {
                    if (mMuteOnLostFocus)
                        Unmute(true);
                    mWidgetManager->MarkAllDirty();
                }
                HandleFocusChange();
            }
            if (message.wParam == kSizeMaximized)
                SwitchScreenMode(false);
        }
        break;
    case kWmSysColorChange:
    case kWmDisplayChange:
        mWidgetManager->SysColorChangedAll();
        mWidgetManager->MarkAllDirty();
        break;
    case kWmActivateApp:
        if (message.window == mHWnd && !mIsHidden && !mShutdown) {
            HandleFocusChange();
            if (mActive && !mIsWindowed)
                mWidgetManager->MarkAllDirty();
            if (mUpdateCheckWatch && !mActive)
                CancelUpdateCheck(mWatchedWebPage);
        }
        break;
    case kWmKeyDown:
    case kWmSysKeyDown:
        mLastInputTime = mLastTimerTime;
        if (IsScreenModeToggle(message)) {
            SwitchScreenMode(!mIsWindowed);
            ClearKeyStates();
            break;
        }
        if (key == 'D' && mWidgetManager->mKeyDown[kVkControl] && mWidgetManager->mKeyDown[kVkMenu])
            mDebugKeysEnabled = !mDebugKeysEnabled; // the confirmation sound plays nothing here
        if (!(mDebugKeysEnabled && HandleDeveloperKey(key)))
            mWidgetManager->KeyDown(key);
        break;
    case kWmKeyUp:
    case kWmSysKeyUp:
        mLastInputTime = mLastTimerTime;
        mWidgetManager->mLastInputUpdateCnt = mWidgetManager->mUpdateCnt;
        if (key >= 0 && key < 255)
            mWidgetManager->mKeyDown[key] = false;
        if (!(key == kVkTab && mWidgetManager->mKeyDown[kVkControl]) && mWidgetManager->mFocusWidget != nullptr)
            mWidgetManager->mFocusWidget->KeyUp(key);
        break;
    case kWmChar:
        mLastInputTime = mLastTimerTime;
        mWidgetManager->KeyChar(static_cast<char>(message.wParam));
        break;
    case kWmTimer:
        if (!mIsHidden && mRunning) {
            WatchWebPage();
            TrackMouse();
        }
        break;
    case kWmMouseWheel:
        mWidgetManager->mLastInputUpdateCnt = mWidgetManager->mUpdateCnt;
        if (mWidgetManager->mFocusWidget != nullptr)
            mWidgetManager->mFocusWidget->MouseWheel(HighSigned16(static_cast<std::intptr_t>(message.wParam)) /
                                                     kWheelDelta);
        break;
    default:
        if (message.message >= kWmMouseMove && message.message <= kWmMButtonDblClk && !mIsHidden)
            HandleMouseMessage(message);
        break;
    }
}

void KavoAppBase::HandleMouseMessage(const platform::Message& message) {
    using namespace platform;
    int32_t x = LowSigned16(message.lParam);
    int32_t y = HighSigned16(message.lParam);
    mWidgetManager->RemapMouse(x, y);
    mLastInputTime = mLastTimerTime;
    mWidgetManager->MousePosition(x, y);
    if (!mMouseIn) {
        if (mRecordingDemo)
            Demo().WriteMouseInWindow(true);
        mMouseIn = true;
        ApplyCursor();
    }
    constexpr WParam kButtons = kMkLButton | kMkRButton | kMkMButton;
    auto release = [&](WParam button, int32_t clickCount) {
        if ((message.wParam & kButtons & ~button) == 0)
            ReleaseCapture();
        mWidgetManager->MouseUp(x, y, clickCount);
    };
    switch (message.message) {
    case kWmLButtonDown:
        SetCapture(mHWnd);
        mWidgetManager->MouseDown(x, y, 1);
        break;
    case kWmLButtonDblClk:
        mWidgetManager->MouseDown(x, y, 2);
        break;
    case kWmRButtonDown:
        mWidgetManager->MouseDown(x, y, -1);
        break;
    case kWmRButtonDblClk:
        mWidgetManager->MouseDown(x, y, -2);
        break;
    case kWmMButtonDown:
        mWidgetManager->MouseDown(x, y, 3);
        break;
    case kWmLButtonUp:
        release(kMkLButton, 1);
        break;
    case kWmRButtonUp:
        release(kMkRButton, -1);
        break;
    case kWmMButtonUp:
        release(kMkMButton, 3);
        break;
    default:
        break;
    }
}

void KavoAppBase::WatchWebPage() {
    const uint32_t now = platform::GetTickMs();
    // After a stall of the loop a new run of timer messages starts.
    if (now - mLastTimerTime > 500)
        mWatchRunStartTick = now;
    mLastTimerTime = now;
    if (!mUpdateCheckWatch || now - mWatchRunStartTick <= 5000)
        return;
    if (now - mWebPageOpenTick > 8000 && !mActive)
        CancelUpdateCheck(mWatchedWebPage);
    else if (now - mWebPageOpenTick > 12000 && mActive)
        ClearUpdateFlag(mWatchedWebPage);
}

void KavoAppBase::TrackMouse() {
    const platform::Point cursor = platform::GetCursorPos();
    const platform::Point client = platform::ScreenToClient(mHWnd, cursor);
    bool inside = platform::WindowFromPoint(cursor) == mHWnd;
    if (inside && mDDInterface != nullptr)
        inside = client.x >= 0 && client.y >= 0 && client.x < mDDInterface->mDisplayWidth &&
                 client.y < mDDInterface->mDisplayHeight;
    if (inside == mMouseIn)
        return;
    if (mRecordingDemo)
        Demo().WriteMouseInWindow(inside);
    if (!inside)
        mWidgetManager->MouseExit();
    mMouseIn = inside;
    ApplyCursor();
}

bool KavoAppBase::CheckScreenSaverPassword(platform::WindowHandle window, platform::MessageId message,
                                           platform::WParam wParam, platform::LResult& result) {
    using namespace platform;
    if (!mIsScreenSaver || mScreenSaverClosing)
        return false;
    bool close = false;
    switch (message) {
    case kWmCreate:
        if (!mScreenSaverCursorRecorded) {
            mScreenSaverCursor = GetCursorPos();
            mScreenSaverCursorRecorded = true;
        }
        return false;
    case kWmSysCommand: {
        const WParam command = wParam & 0xFFF0;
        if (command == kScMonitorPower) {
            mMonitorPowerTick = GetTickMs();
            mMonitorPowerSeen = true;
            return false;
        }
        if (command == kScClose || command == kScNextWindow || command == kScPrevWindow || command == kScScreenSave) {
            result = 0;
            return true;
        }
        return false;
    }
    case kWmMouseMove: {
        const platform::Point position = GetCursorPos();
        if (mScreenSaverCursorRecorded && position == mScreenSaverCursor) {
            result = 0;
            return true;
        }
        mScreenSaverCursor = position;
        mScreenSaverCursorRecorded = true;
        if (++mScreenSaverMoves <= 3) {
            result = 0;
            return true;
        }
        close = true;
        break;
    }
    case kWmKeyDown:
    case kWmSysKeyDown:
    case kWmLButtonDown:
    case kWmRButtonDown:
    case kWmMButtonDown:
    case kWmClose:
        close = true;
        break;
    case kWmActivate:
    case kWmActivateApp:
    case kWmNcActivate:
        close = (wParam & 0xFFFF) == 0;
        break;
    default:
        return false;
    }
    if (!close || window != mHWnd)
        return false;
    // Just after the monitor was switched off or on, activation, closing and
    // mouse moves are the system's doing, not the user's.
    const bool powerJustChanged = mMonitorPowerSeen && GetTickMs() - mMonitorPowerTick < 1000;
    if (powerJustChanged && (message == kWmActivate || message == kWmActivateApp || message == kWmNcActivate ||
                             message == kWmClose || message == kWmMouseMove))
        return false;
    mScreenSaverClosing = true;
    PostMessage(window, kWmClose, 0, 0);
    result = 0;
    return true;
}

} // namespace Kavo
