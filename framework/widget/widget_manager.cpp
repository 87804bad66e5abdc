#include "framework/widget/widget_manager.h"

#include <algorithm>

#include "framework/graphics/graphics.h"
#include "framework/widget/widget.h"

namespace Kavo {

namespace {

// Nodes that outlive the manager must not reach it any more.
void ForgetManager(WidgetContainer* node) {
    for (Widget* child : node->mWidgets) {
        child->mWidgetManager = nullptr;
        ForgetManager(child);
    }
}

} // namespace

WidgetManager::WidgetManager(KavoAppBase* app) : mApp(app) {
    mWidgetManager = this;
}

WidgetManager::~WidgetManager() {
    ForgetManager(this);
}

void WidgetManager::SetCursorState(int32_t state) {
    if (mAppHost != nullptr)
        mAppHost->SetCursorState(state);
}

Font* WidgetManager::CreateSysFont(const std::string& face, int32_t pointSize) {
    return mAppHost != nullptr ? mAppHost->CreateSysFont(face, pointSize) : nullptr;
}

void WidgetManager::Resize(const IntRect& screenRect, const IntRect& mouseSourceRect) {
    mWidth = screenRect.mWidth + 2 * screenRect.mX;
    mHeight = screenRect.mHeight + 2 * screenRect.mY;
    mScreenRect = screenRect;
    mMouseSourceRect = mouseSourceRect;
    MarkAllDirty();
}

void WidgetManager::RemapMouse(int32_t& x, int32_t& y) const {
    // An empty source maps nothing rather than dividing by zero.
    if (mMouseSourceRect.mWidth != 0)
        x = (x - mMouseSourceRect.mX) * mScreenRect.mWidth / mMouseSourceRect.mWidth + mScreenRect.mX;
    if (mMouseSourceRect.mHeight != 0)
        y = (y - mMouseSourceRect.mY) * mScreenRect.mHeight / mMouseSourceRect.mHeight + mScreenRect.mY;
}

ModalFlags WidgetManager::InitModalFlags() const {
    ModalFlags flags;
    flags.mOverFlags = mDefaultFlags;
    flags.mUnderFlags = mBelowModalFlagsMod.Apply(mDefaultFlags);
    flags.mIsOver = mBaseModalWidget == nullptr;
    return flags;
}

bool WidgetManager::UpdateFrame() {
    ++mUpdateCnt;
    // The manager's own Update does not run again in the walk.
    mLastWMUpdateCount = mUpdateCnt;
    ModalFlags flags = InitModalFlags();
    UpdateAll(flags);
    return mDirty;
}

bool WidgetManager::UpdateFrameF(float fraction) {
    ModalFlags flags = InitModalFlags();
    UpdateFAll(flags, fraction);
    return mDirty;
}

bool WidgetManager::DrawScreen() {
    ModalFlags flags = InitModalFlags();
    const bool anyDirty =
        std::any_of(mWidgets.begin(), mWidgets.end(), [](const Widget* widget) { return widget->mDirty; });
    mDirty = false;
    mDeferredOverlays.clear();
    mMinDeferredOverlayPriority = kNoOverlay;

    Graphics g(mImage);
    mCurG = &g;
    bool drew = false;
    if (anyDirty) {
        Graphics screen(g);
        screen.Translate(-mScreenRect.mX, -mScreenRect.mY);
        for (Widget* widget : std::vector<Widget*>(mWidgets.begin(), mWidgets.end())) {
            if (widget == mBaseModalWidget)
                flags.mIsOver = true;
            if (!widget->mDirty || !widget->mVisible)
                continue;
            Graphics copy(screen);
            copy.Translate(widget->mX, widget->mY);
            widget->DrawAll(flags, &copy);
            widget->mDirty = false;
            drew = true;
        }
    }
    DrawDeferredOverlays(kNoOverlay);
    mCurG = nullptr;
    return drew;
}

void WidgetManager::DrawDeferredOverlays(int32_t maxPriority) {
    for (;;) {
        int32_t nextPriority = kNoOverlay;
        // By index: an overlay may queue further overlays while it draws.
        for (size_t i = 0; i < mDeferredOverlays.size(); ++i) {
            Widget* widget = mDeferredOverlays[i].mWidget;
            const int32_t priority = mDeferredOverlays[i].mPriority;
            if (widget == nullptr)
                continue;
            if (priority != mMinDeferredOverlayPriority) {
                nextPriority = std::min(nextPriority, priority);
                continue;
            }
            mDeferredOverlays[i].mWidget = nullptr;
            if (mCurG == nullptr)
                continue;
            Graphics copy(*mCurG);
            const Point pos = widget->GetAbsPos();
            copy.Translate(pos.mX - mScreenRect.mX, pos.mY - mScreenRect.mY);
            widget->DrawOverlay(&copy, priority);
        }
        mMinDeferredOverlayPriority = nextPriority;
        if (nextPriority == kNoOverlay) {
            mDeferredOverlays.clear();
            return;
        }
        if (nextPriority >= maxPriority)
            return;
    }
}

Widget* WidgetManager::GetWidgetAt(int32_t x, int32_t y, int32_t* widgetX, int32_t* widgetY) {
    bool found = false;
    Widget* widget = GetWidgetAtHelper(x, y, mDefaultFlags, &found, widgetX, widgetY);
    return widget != nullptr && widget->mDisabled ? nullptr : widget;
}

void WidgetManager::LeaveOverWidget() {
    Widget* widget = mOverWidget;
    if (widget == nullptr)
        return;
    mOverWidget = nullptr;
    widget->mIsOver = false;
    widget->MouseLeave();
    if (widget->mDoFinger)
        widget->SetHandCursor(false);
}

void WidgetManager::EnterOverWidget(Widget* widget) {
    mOverWidget = widget;
    widget->mIsOver = true;
    widget->MouseEnter();
    if (widget->mDoFinger)
        widget->SetHandCursor(true);
}

int32_t WidgetManager::GetButtonBit(int32_t clickCode) {
    if (clickCode < 0)
        return BUTTON_RIGHT;
    if (clickCode == 3)
        return BUTTON_MIDDLE;
    return BUTTON_LEFT;
}

bool WidgetManager::MousePosition(int32_t x, int32_t y) {
    if (mDownWidget != nullptr) {
        MouseDrag(x, y);
    } else {
        mMouseIn = true;
        MouseMove(x, y);
    }
    return true;
}

void WidgetManager::MouseMove(int32_t x, int32_t y) {
    const bool moved = x != mLastMouseX || y != mLastMouseY;
    mLastMouseX = x;
    mLastMouseY = y;
    int32_t widgetX = 0;
    int32_t widgetY = 0;
    Widget* widget = GetWidgetAt(x, y, &widgetX, &widgetY);
    if (widget != mOverWidget) {
        LeaveOverWidget();
        if (widget != nullptr) {
            EnterOverWidget(widget);
            widget->MouseMove(widgetX, widgetY);
        }
    } else if (widget != nullptr && moved) {
        widget->MouseMove(widgetX, widgetY);
    }
}

void WidgetManager::MouseDrag(int32_t x, int32_t y) {
    mMouseIn = true;
    mLastMouseX = x;
    mLastMouseY = y;
    if (mOverWidget != nullptr && mOverWidget != mDownWidget)
        LeaveOverWidget();
    Widget* pressed = mDownWidget;
    if (pressed == nullptr)
        return;
    const Point abs = pressed->GetAbsPos();
    pressed->MouseDrag(x - abs.mX, y - abs.mY);
    // The drag may have taken the widget out of the tree.
    if (mDownWidget != pressed)
        return;
    // The pressed widget counts as under the mouse only while the mouse is over it.
    if (GetWidgetAt(x, y, nullptr, nullptr) == pressed) {
        if (mOverWidget == nullptr)
            EnterOverWidget(pressed);
    } else {
        LeaveOverWidget();
    }
}

bool WidgetManager::MouseDown(int32_t x, int32_t y, int32_t clickCount) {
    MouseMove(x, y);
    int32_t widgetX = 0;
    int32_t widgetY = 0;
    Widget* widget = GetWidgetAt(x, y, &widgetX, &widgetY);
    // A further button goes to the widget that holds the first, wherever the mouse is.
    if (mDownWidget != nullptr) {
        widget = mDownWidget;
        const Point abs = widget->GetAbsPos();
        widgetX = x - abs.mX;
        widgetY = y - abs.mY;
    }
    mDownButtons |= GetButtonBit(clickCount);
    mDownWidget = widget;
    if (widget != nullptr) {
        if (widget->WantsFocus())
            SetFocus(widget);
        widget->mIsDown = true;
        widget->MouseDown(widgetX, widgetY, clickCount);
    }
    return true;
}

bool WidgetManager::MouseUp(int32_t x, int32_t y, int32_t clickCount) {
    const int32_t bit = GetButtonBit(clickCount);
    Widget* pressed = mDownWidget;
    if (pressed != nullptr && (mDownButtons & bit) != 0) {
        mDownButtons &= ~bit;
        if (mDownButtons == 0)
            mDownWidget = nullptr;
        pressed->mIsDown = false;
        const Point abs = pressed->GetAbsPos();
        pressed->MouseUp(x - abs.mX, y - abs.mY, clickCount);
    } else {
        mDownButtons &= ~bit;
    }
    MouseMove(x, y);
    return true;
}

bool WidgetManager::MouseExit() {
    mMouseIn = false;
    LeaveOverWidget();
    return true;
}

void WidgetManager::MouseWheel(int32_t delta) {
    if (mFocusWidget != nullptr)
        mFocusWidget->MouseWheel(delta);
}

bool WidgetManager::KeyDown(int32_t key) {
    if (key >= 0 && key < kKeyCount)
        mKeyDown[key] = true;
    if (mFocusWidget != nullptr)
        mFocusWidget->KeyDown(key);
    return true;
}

bool WidgetManager::KeyUp(int32_t key) {
    if (key >= 0 && key < kKeyCount)
        mKeyDown[key] = false;
    if (key == KEYCODE_TAB && mKeyDown[KEYCODE_CONTROL])
        return true;
    if (mFocusWidget != nullptr)
        mFocusWidget->KeyUp(key);
    return true;
}

bool WidgetManager::KeyChar(char character) {
    if (character == '\t' && mKeyDown[KEYCODE_CONTROL])
        return true;
    if (mFocusWidget != nullptr)
        mFocusWidget->KeyChar(character);
    return true;
}

void WidgetManager::LostFocus() {
    if (!mHasFocus)
        return;
    // Lowest code first; Ctrl comes after Tab, so a Tab held with Ctrl is
    // released without a KeyUp.
    for (int32_t key = 0; key < kKeyCount; ++key)
        if (mKeyDown[key])
            KeyUp(key);
    mHasFocus = false;
    if (mFocusWidget != nullptr)
        mFocusWidget->LostFocus();
}

void WidgetManager::GotFocus() {
    mHasFocus = true;
    if (mFocusWidget != nullptr)
        mFocusWidget->GotFocus();
}

void WidgetManager::ReleaseMouseCapture() {
    if (mDownWidget == nullptr || mDownButtons == 0)
        return;
    Widget* pressed = mDownWidget;
    const int32_t buttons = mDownButtons;
    mDownButtons = 0;
    mDownWidget = nullptr;
    SendMouseUps(pressed, buttons);
}

void WidgetManager::SendMouseUps(Widget* widget, int32_t buttonMask) {
    if (widget == nullptr)
        return;
    static constexpr int32_t kClickCodes[3] = {1, -1, 3};
    for (int32_t bit = 0; bit < 3; ++bit) {
        if ((buttonMask & (1 << bit)) == 0)
            continue;
        widget->mIsDown = false;
        const Point abs = widget->GetAbsPos();
        widget->MouseUp(mLastMouseX - abs.mX, mLastMouseY - abs.mY, kClickCodes[bit]);
    }
}

void WidgetManager::RecheckMouseOver() {
    if (mDownWidget != nullptr) {
        if (mOverWidget != nullptr && GetWidgetAt(mLastMouseX, mLastMouseY, nullptr, nullptr) != mDownWidget)
            LeaveOverWidget();
    } else if (mMouseIn) {
        MouseMove(mLastMouseX, mLastMouseY);
    }
}

void WidgetManager::SetFocus(Widget* widget) {
    if (widget == mFocusWidget)
        return;
    Widget* old = mFocusWidget;
    mFocusWidget = nullptr;
    if (old != nullptr)
        old->LostFocus();
    if (widget != nullptr && widget->mWidgetManager == this) {
        mFocusWidget = widget;
        if (mHasFocus)
            widget->GotFocus();
    }
}

void WidgetManager::DisableWidget(Widget* widget) {
    if (widget == nullptr)
        return;
    if (widget == mOverWidget)
        LeaveOverWidget();
    if (widget == mDownWidget) {
        const int32_t buttons = mDownButtons;
        mDownWidget = nullptr;
        mDownButtons = 0;
        SendMouseUps(widget, buttons);
    }
    if (widget == mFocusWidget) {
        mFocusWidget = nullptr;
        widget->LostFocus();
    }
    if (widget == mBaseModalWidget)
        mBaseModalWidget = nullptr;
}

void WidgetManager::SetBaseModal(Widget* widget, const FlagsMod& belowModalFlagsMod) {
    mBaseModalWidget = widget;
    mBelowModalFlagsMod = belowModalFlagsMod;
    // Nothing lies below no widget.
    if (widget == nullptr)
        return;
    const bool blocksMouse = (belowModalFlagsMod.mRemoveFlags & WIDGETFLAGS_ALLOW_MOUSE) != 0;
    const bool blocksFocus = (belowModalFlagsMod.mRemoveFlags & WIDGETFLAGS_ALLOW_FOCUS) != 0;
    if (blocksMouse && mOverWidget != nullptr && IsBelow(mOverWidget, widget))
        LeaveOverWidget();
    if (blocksMouse && mDownWidget != nullptr && IsBelow(mDownWidget, widget)) {
        Widget* pressed = mDownWidget;
        const int32_t buttons = mDownButtons;
        mDownWidget = nullptr;
        mDownButtons = 0;
        SendMouseUps(pressed, buttons);
    }
    if (blocksFocus && mFocusWidget != nullptr && IsBelow(mFocusWidget, widget)) {
        Widget* focus = mFocusWidget;
        mFocusWidget = nullptr;
        focus->LostFocus();
    }
}

void WidgetManager::AddModalWidget(Widget* widget, const FlagsMod& belowModalFlagsMod) {
    mModalStack.push_back({widget, mBaseModalWidget, mFocusWidget, mBelowModalFlagsMod});
    SetBaseModal(widget, belowModalFlagsMod);
}

void WidgetManager::RemoveModalWidget(Widget* widget) {
    if (mModalStack.empty() || mModalStack.back().mModalWidget != widget)
        return;
    for (;;) {
        const ModalState state = mModalStack.back();
        SetBaseModal(state.mPrevBaseModalWidget, state.mPrevBelowModalFlagsMod);
        if (mFocusWidget == nullptr) {
            mFocusWidget = state.mPrevFocusWidget;
            if (mFocusWidget != nullptr)
                mFocusWidget->GotFocus();
        }
        mModalStack.pop_back();
        // Entries whose base has left the tree since are unwound together.
        if (state.mPrevBaseModalWidget != nullptr || mModalStack.empty())
            return;
    }
}

void WidgetManager::ForgetInModalStack(const Widget* widget) {
    for (ModalState& state : mModalStack) {
        if (state.mPrevBaseModalWidget == widget)
            state.mPrevBaseModalWidget = nullptr;
        if (state.mPrevFocusWidget == widget)
            state.mPrevFocusWidget = nullptr;
    }
}

} // namespace Kavo
