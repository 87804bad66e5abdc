#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "framework/util/rect.h"
#include "framework/widget/widget_app_host.h"
#include "framework/widget/widget_container.h"
#include "framework/widget/widget_flags.h"

namespace Kavo {

class Font;
class Graphics;
class Image;
class KavoAppBase;
class Widget;

// An overlay a widget asked to draw once the widgets below its priority are drawn.
struct DeferredOverlay {
    Widget* mWidget;
    int32_t mPriority;
};

// What AddModalWidget saved and RemoveModalWidget gives back.
struct ModalState {
    Widget* mModalWidget;
    Widget* mPrevBaseModalWidget;
    Widget* mPrevFocusWidget;
    FlagsMod mPrevBelowModalFlagsMod;
};

// The root of the widget tree and its only entry for input, updates and
// drawing: finds the widget under the mouse, tracks the pressed and the focus
// widget, keeps the modal state that blocks the widgets beneath a dialog and
// draws the deferred overlays in priority order. Positions are game
// coordinates; the application remaps window positions with RemapMouse.
class WidgetManager : public WidgetContainer {
public:
    static constexpr int32_t kKeyCount = 255;
    static constexpr int32_t kNoOverlay = 0x7fffffff;
    enum KeyCode : int32_t {
        KEYCODE_TAB = 9,
        KEYCODE_SHIFT = 16,
        KEYCODE_CONTROL = 17,
    };
    // Held-button bits.
    enum ButtonBit : int32_t {
        BUTTON_LEFT = 1,
        BUTTON_RIGHT = 2,
        BUTTON_MIDDLE = 4,
    };

    explicit WidgetManager(KavoAppBase* app);
    ~WidgetManager() override;

    // The application's services; without a host dialogs cannot wait, the
    // cursor stays as it is and widgets make no fonts of their own.
    void SetAppHost(std::unique_ptr<WidgetAppHost> host) { mAppHost = std::move(host); }
    WidgetAppHost* GetAppHost() const { return mAppHost.get(); }
    void SetCursorState(int32_t state);
    Font* CreateSysFont(const std::string& face, int32_t pointSize);

    // The game area inside the manager (centred with equal margins) and the
    // window rectangle that maps onto it.
    void Resize(const IntRect& screenRect, const IntRect& mouseSourceRect);
    // Window position into game coordinates; truncates toward zero.
    void RemapMouse(int32_t& x, int32_t& y) const;

    // One fixed update of the widgets the modal state lets update; true when
    // anything is dirty.
    bool UpdateFrame();
    bool UpdateFrameF(float fraction);
    // Draws the dirty top-level widgets and the overlays into the screen
    // image; true when it drew a widget.
    bool DrawScreen();
    void DrawDeferredOverlays(int32_t maxPriority);

    // Mouse input in game coordinates; click counts 1 left, 2 left double,
    // -1 right, -2 right double, 3 middle. Virtual so that a recorder (demo
    // tools, tests) can see what the application hands over.
    virtual bool MousePosition(int32_t x, int32_t y);
    virtual bool MouseDown(int32_t x, int32_t y, int32_t clickCount);
    virtual bool MouseUp(int32_t x, int32_t y, int32_t clickCount);
    virtual bool MouseExit();
    void MouseMove(int32_t x, int32_t y);
    void MouseDrag(int32_t x, int32_t y);
    void MouseWheel(int32_t delta);
    bool KeyDown(int32_t key);
    bool KeyUp(int32_t key);
    virtual bool KeyChar(char character);
    // The application lost the activation: a key-up for every key still
    // down, then the focus widget loses the focus.
    void LostFocus();
    // The application was activated again.
    void GotFocus();
    void ReleaseMouseCapture();
    // A mouse-up for each held button (bit 0 left, 1 right, 2 middle), at the
    // last mouse position in the widget's own coordinates.
    void SendMouseUps(Widget* widget, int32_t buttonMask);
    void RecheckMouseOver();

    void SetFocus(Widget* widget) override;
    void DisableWidget(Widget* widget) override;
    // The widget at (x, y) that the mouse may reach, with the position in its
    // own coordinates; a disabled widget counts as none.
    Widget* GetWidgetAt(int32_t x, int32_t y, int32_t* widgetX, int32_t* widgetY);

    void AddModalWidget(Widget* widget, const FlagsMod& belowModalFlagsMod);
    void RemoveModalWidget(Widget* widget);
    // A widget leaving the tree must not come back through a saved state.
    void ForgetInModalStack(const Widget* widget);

    // Button bit of a click code.
    static int32_t GetButtonBit(int32_t clickCode);

    Graphics* mCurG = nullptr; // while DrawScreen runs
    KavoAppBase* mApp;
    Image* mImage = nullptr; // the display's screen image, when there is one
    std::vector<DeferredOverlay> mDeferredOverlays;
    int32_t mMinDeferredOverlayPriority = kNoOverlay;
    bool mHasFocus = true;
    Widget* mFocusWidget = nullptr;
    Widget* mDownWidget = nullptr; // holds the mouse buttons in mDownButtons
    Widget* mOverWidget = nullptr;
    Widget* mBaseModalWidget = nullptr;
    FlagsMod mBelowModalFlagsMod;
    FlagsMod mDefaultModalFlags{0, WIDGETFLAGS_ALLOW_MOUSE | WIDGETFLAGS_ALLOW_FOCUS};
    std::list<ModalState> mModalStack;
    IntRect mScreenRect;
    IntRect mMouseSourceRect;
    bool mMouseIn = false;
    int32_t mLastMouseX = 0;
    int32_t mLastMouseY = 0;
    int32_t mDownButtons = 0;
    bool mKeyDown[kKeyCount] = {};
    bool mCtrlDown = false;
    bool mAltDown = false;
    int32_t mLastInputUpdateCnt = 0;
    int32_t mDefaultFlags =
        WIDGETFLAGS_UPDATE | WIDGETFLAGS_DRAW | WIDGETFLAGS_CLIP | WIDGETFLAGS_ALLOW_MOUSE | WIDGETFLAGS_ALLOW_FOCUS;

private:
    ModalFlags InitModalFlags() const;
    void LeaveOverWidget();
    void EnterOverWidget(Widget* widget);
    void SetBaseModal(Widget* widget, const FlagsMod& belowModalFlagsMod);

    std::unique_ptr<WidgetAppHost> mAppHost;
};

} // namespace Kavo
