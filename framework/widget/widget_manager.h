#pragma once

#include <cstdint>
#include <list>

#include "framework/util/rect.h"
#include "framework/widget/widget_container.h"

namespace Kavo {

class Image;
class KavoAppBase;
class Widget;

// The root of the widget tree: owns the mapping from window to game
// coordinates, the keyboard table, focus and the modal stack, and counts
// updates. Drawing and the routing of input to widgets come with the
// widget toolkit; this is the part the application's start-up, loop and
// shutdown rely on.
class WidgetManager : public WidgetContainer {
public:
    explicit WidgetManager(KavoAppBase* app);
    ~WidgetManager() override;
    WidgetManager(const WidgetManager&) = delete;
    WidgetManager& operator=(const WidgetManager&) = delete;

    // The game area and the window rectangle that maps onto it.
    void Resize(const IntRect& screenRect, const IntRect& mouseSourceRect);
    // Maps a window position into game coordinates by the mouse rectangles.
    void RemapMouse(int32_t& x, int32_t& y) const;

    // One fixed update: counts it; true when anything became dirty.
    bool UpdateFrame();
    bool UpdateFrameF(float fraction);
    bool DrawScreen();

    // Mouse input in game coordinates; click counts 1 left, 2 left double,
    // -1 right, -2 right double, 3 middle.
    virtual bool MousePosition(int32_t x, int32_t y);
    virtual bool MouseDown(int32_t x, int32_t y, int32_t clickCount);
    virtual bool MouseUp(int32_t x, int32_t y, int32_t clickCount);
    virtual bool MouseExit(int32_t x, int32_t y);
    virtual bool KeyChar(char character);

    void KeyDown(int32_t key);
    void KeyUp(int32_t key);
    // Sends a key-up for every key still down and clears the table.
    void LostFocus();
    // Sends the widget a mouse-up for each held button (bit 0 left, 1 right,
    // 2 middle).
    void SendMouseUps(Widget* widget, int32_t buttonMask);

    void AddModalWidget(Widget* widget, int32_t flags);
    void RemoveModalWidget(Widget* widget);

    KavoAppBase* mApp;
    Image* mImage = nullptr; // the display's screen image, when there is one
    IntRect mScreenRect;
    IntRect mMouseSourceRect;
    IntRect mMouseDestRect;
    bool mKeyDown[255] = {};
    bool mCtrlDown = false;
    bool mAltDown = false;
    Widget* mFocusWidget = nullptr;
    Widget* mDownWidget = nullptr; // holds the mouse buttons in mDownButtons
    int32_t mDownButtons = 0;
    int32_t mLastMouseX = 0;
    int32_t mLastMouseY = 0;
    bool mHasFocus = true;
    int32_t mUpdateCnt = 0;
    int32_t mLastInputUpdateCnt = 0;
    int32_t mDefaultModalFlags = 0;
    Widget* mBaseModalWidget = nullptr;
    int32_t mModalFlags = 0;

private:
    struct ModalState {
        Widget* widget;
        Widget* previousBase;
        int32_t previousFlags;
    };
    std::list<ModalState> mModalStack;
};

} // namespace Kavo
