#include "framework/widget/widget_manager.h"

#include "framework/widget/widget.h"

namespace Kavo {

WidgetManager::WidgetManager(KavoAppBase* app) : mApp(app) {}

WidgetManager::~WidgetManager() = default;

void WidgetManager::Resize(const IntRect& screenRect, const IntRect& mouseSourceRect) {
    mScreenRect = screenRect;
    mMouseSourceRect = mouseSourceRect;
    mMouseDestRect = IntRect(0, 0, screenRect.mWidth, screenRect.mHeight);
    MarkAllDirty();
}

void WidgetManager::RemapMouse(int32_t& x, int32_t& y) const {
    if (mMouseSourceRect.mWidth != 0)
        x = (x - mMouseSourceRect.mX) * mMouseDestRect.mWidth / mMouseSourceRect.mWidth + mMouseDestRect.mX;
    if (mMouseSourceRect.mHeight != 0)
        y = (y - mMouseSourceRect.mY) * mMouseDestRect.mHeight / mMouseSourceRect.mHeight + mMouseDestRect.mY;
}

bool WidgetManager::UpdateFrame() {
    ++mUpdateCnt;
    return false;
}

bool WidgetManager::UpdateFrameF(float) {
    return false;
}

bool WidgetManager::DrawScreen() {
    const bool drew = mDirty;
    mDirty = false;
    return drew;
}

bool WidgetManager::MousePosition(int32_t x, int32_t y) {
    mLastMouseX = x;
    mLastMouseY = y;
    return true;
}

bool WidgetManager::MouseDown(int32_t x, int32_t y, int32_t) {
    mLastMouseX = x;
    mLastMouseY = y;
    return true;
}

bool WidgetManager::MouseUp(int32_t x, int32_t y, int32_t) {
    mLastMouseX = x;
    mLastMouseY = y;
    return true;
}

bool WidgetManager::MouseExit(int32_t, int32_t) {
    return true;
}

bool WidgetManager::KeyChar(char) {
    return true;
}

void WidgetManager::KeyDown(int32_t key) {
    if (key >= 0 && key < 255)
        mKeyDown[key] = true;
}

void WidgetManager::KeyUp(int32_t key) {
    if (key >= 0 && key < 255)
        mKeyDown[key] = false;
    if (mFocusWidget != nullptr)
        mFocusWidget->KeyUp(key);
}

void WidgetManager::LostFocus() {
    for (int32_t key = 0; key < 255; ++key)
        if (mKeyDown[key])
            KeyUp(key);
}

void WidgetManager::SendMouseUps(Widget* widget, int32_t buttonMask) {
    if (widget == nullptr)
        return;
    static constexpr int32_t kClickCodes[3] = {1, -1, 3};
    for (int32_t bit = 0; bit < 3; ++bit)
        if (buttonMask & (1 << bit))
            widget->MouseUp(mLastMouseX - widget->mX, mLastMouseY - widget->mY, kClickCodes[bit]);
}

void WidgetManager::AddModalWidget(Widget* widget, int32_t flags) {
    mModalStack.push_back({widget, mBaseModalWidget, mModalFlags});
    mBaseModalWidget = widget;
    mModalFlags = flags;
}

void WidgetManager::RemoveModalWidget(Widget* widget) {
    for (auto it = mModalStack.begin(); it != mModalStack.end(); ++it) {
        if (it->widget != widget)
            continue;
        // Removing a widget below the top hands its saved state up the stack.
        auto next = std::next(it);
        if (next == mModalStack.end()) {
            mBaseModalWidget = it->previousBase;
            mModalFlags = it->previousFlags;
        } else {
            next->previousBase = it->previousBase;
            next->previousFlags = it->previousFlags;
        }
        mModalStack.erase(it);
        return;
    }
}

} // namespace Kavo
