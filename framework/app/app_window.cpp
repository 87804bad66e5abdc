// The main window and the display device behind it. The full window
// procedure and input queue come with the window issue; this is what
// start-up and shutdown need.
#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_interface.h"
#include "framework/util/string_util.h"
#include "framework/widget/widget_manager.h"

namespace Kavo {

platform::LResult AppWindowProc(platform::WindowHandle window, platform::MessageId message, platform::WParam wParam,
                                platform::LParam lParam) {
    auto* app = static_cast<KavoAppBase*>(platform::GetWindowUserData(window));
    if (app != nullptr && app->mNotifyGameMessage != 0 && message == app->mNotifyGameMessage) {
        app->BringWindowToFront(wParam, lParam);
        return 0;
    }
    return platform::DefWindowProc(window, message, wParam, lParam);
}

void KavoAppBase::CreateMainWindow() {
    mIsPhysWindowed = mIsWindowed;
    const std::uint32_t style = mIsWindowed ? platform::kWsCaption | platform::kWsSysMenu | platform::kWsMinimizeBox |
                                                  (mEnableMaximizeButton ? platform::kWsMaximizeBox : 0)
                                            : platform::kWsPopup;
    const platform::Rect outer = platform::AdjustWindowRect({0, 0, mWidth, mHeight}, style, 0);
    platform::WindowCreateInfo info;
    info.className = "MainWindow";
    info.title = mTitle;
    info.style = style;
    info.x = mPreferredX < 0 ? 0 : mPreferredX;
    info.y = mPreferredY < 0 ? 0 : mPreferredY;
    info.width = outer.Width();
    info.height = outer.Height();
    mHWnd = platform::CreateWindow(info);
    if (mHWnd != nullptr)
        platform::SetWindowUserData(mHWnd, this);
    if (mInstance.IsOwner() && mNotifyGameMessage != 0)
        mInstance.SetNotifyTarget(mHWnd, mNotifyGameMessage);

    if (mDDInterface == nullptr)
        mDDInterface = new DDInterface(this, GetDisplayLock());
    PreDisplayInitHook();
    const int32_t result = mDDInterface->Init(mHWnd, mIsPhysWindowed);
    if (result != DDInterface::RESULT_OK) {
        if (result == DDInterface::RESULT_INVALID_COLORDEPTH)
            ShowFatalError(GetString("PLEASE_SET_COLOR_DEPTH", "Please set your desktop color depth to 16 bit."));
        else
            ShowFatalError(GetString("FAILED_INIT_DIRECTDRAW", "Failed to initialize DirectDraw: ") +
                           DDInterface::ResultToString(result) + " " + mDDInterface->mErrorString);
        DoExit(1);
    }
    mScreenBounds = IntRect((mWidth - mDDInterface->mDisplayWidth) / 2, (mHeight - mDDInterface->mDisplayHeight) / 2,
                            mDDInterface->mDisplayWidth, mDDInterface->mDisplayHeight);
    PostDisplayInitHook();
}

void KavoAppBase::BringWindowToFront(platform::WParam, platform::LParam) {
    if (mHWnd == nullptr)
        return;
    if (platform::IsIconic(mHWnd))
        platform::ShowWindow(mHWnd, platform::kSwRestore);
    platform::SetForegroundWindow(mHWnd);
}

} // namespace Kavo
