#include "framework/app/app_widget_host.h"
#include "framework/font/sys_font.h"

#include <algorithm>

#include "framework/app/kavo_app_base.h"
#include "platform/drivers.h"

namespace Kavo {

bool AppWidgetHost::LoopStep() {
    return mApp->RunLoopStep(nullptr);
}

void AppWidgetHost::SetCursorState(int32_t state) {
    mApp->mCursorNum = state;
    mApp->ApplyCursor();
}

void AppWidgetHost::KillDialog(int32_t dialogId) {
    mApp->KillDialog(dialogId);
}

Font* AppWidgetHost::CreateSysFont(const std::string& face, int32_t pointSize) {
    return new SysFont(face, pointSize);
}

void AppWidgetHost::SetClipboardText(const std::string& text) {
    mApp->SetClipboardText(text);
}

std::string AppWidgetHost::GetClipboardText() {
    return mApp->GetClipboardText();
}

bool AppWidgetHost::AllowsHighCharacters() {
    return mApp->mAllowHighCharacters;
}

void AppWidgetHost::PlaceCaret(int32_t x, int32_t y) {
    if (!mApp->mUseSystemCaret)
        return;
    // std::clamp would need the bounds in order on a screen narrower than 20.
    x = std::max(std::min(x, mApp->mWidth - 10), 10);
    y = std::max(std::min(y, mApp->mHeight - 10), 10);
    platform::GetVideoDriver()->SetTextInputRect(mApp->mHWnd, platform::Rect{x, y, x, y});
}

void AppWidgetHost::HideCaret() {
    if (mApp->mUseSystemCaret)
        platform::GetVideoDriver()->SetTextInputRect(mApp->mHWnd, std::nullopt);
}

} // namespace Kavo
