#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/util/color.h"
#include "framework/util/rect.h"
#include "framework/widget/widget_container.h"

namespace Kavo {

class Graphics;
class Image;

// Room a widget keeps free of hits along each edge.
struct Insets {
    int32_t mLeft = 0;
    int32_t mTop = 0;
    int32_t mRight = 0;
    int32_t mBottom = 0;
};

// A rectangle of the game area that draws itself and takes input. The
// manager calls the mouse operations with positions local to the widget and
// keeps the focus, pressed and hovered states; subclasses override the
// button-level operations and the drawing.
class Widget : public WidgetContainer {
public:
    Widget() = default;
    // Leaves its parent first, so that no tree keeps a dangling child.
    ~Widget() override;

    using WidgetContainer::MarkDirty;
    using WidgetContainer::MarkDirtyFull;

    virtual void OrderInManagerChanged() {}
    virtual void SetVisible(bool visible);
    virtual void SetColors(const int32_t colors[][4], int32_t count);
    virtual void SetColorsRGB(const int32_t colors[][3], int32_t count);
    // Grows the table to index + 1 entries when needed, the new ones opaque black.
    virtual void SetColor(int32_t index, const Color& color);
    virtual Color GetColorOr(int32_t index, const Color& fallback) const;
    // Opaque black for an index outside the table.
    virtual const Color& GetColor(int32_t index) const;
    virtual void SetDisabled(bool disabled);
    virtual void SetHandCursor(bool on);
    virtual void ResizeToRect(const IntRect& rect);
    virtual void Resize(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void Move(int32_t x, int32_t y);
    virtual bool WantsFocus() { return mWantsFocus; }
    virtual void DrawOverlay(Graphics* g, int32_t priority);
    virtual void DrawOverlay(Graphics*) {}
    virtual void GotFocus();
    virtual void LostFocus();
    virtual void KeyChar(char) {}
    virtual void KeyDown(int32_t key);
    virtual void KeyUp(int32_t) {}
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void MouseMove(int32_t, int32_t) {}
    // Button 0 is left, 1 right, 2 middle.
    virtual void MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount);
    // Click codes: 1 left, 2 left double, -1 right, -2 right double, 3 middle.
    virtual void MouseDown(int32_t x, int32_t y, int32_t clickCount);
    virtual void MouseUpButton(int32_t, int32_t, int32_t, int32_t) {}
    virtual void MouseUp(int32_t x, int32_t y, int32_t clickCount);
    virtual void MouseUpAt(int32_t, int32_t) {}
    virtual void MouseDrag(int32_t, int32_t) {}
    virtual void MouseWheel(int32_t) {}
    virtual bool IsPointVisible(int32_t, int32_t) { return true; }

    virtual IntRect DrawCenteredLineWithShadow(Graphics* g, int32_t y, const std::string& text, const Color& color,
                                               const Color& shadowColor, std::pair<int32_t, int32_t> shadowOffset);
    // The rectangle the line covers: (x, y - ascent, width, font height).
    virtual IntRect DrawCenteredLine(Graphics* g, int32_t y, const std::string& text);
    virtual int32_t DrawString(Graphics* g, const std::string& text, int32_t x, int32_t y, int32_t width,
                               int32_t justification, bool draw, int32_t offset, int32_t length);
    virtual int32_t DrawWordWrapped(Graphics* g, const IntRect& rect, const std::string& text, int32_t lineSpacing,
                                    int32_t justification);
    virtual int32_t GetWordWrappedHeight(Graphics* g, int32_t width, const std::string& text, int32_t lineSpacing);
    virtual int32_t CountDigits(int32_t number);
    // The decimal digits of number from a strip of ten equal cells, 0 to 9.
    virtual void DrawNumberFromStrip(Graphics* g, int32_t number, int32_t x, int32_t y, Image* strip, int32_t spacing);
    // In parent coordinates.
    virtual bool Contains(int32_t x, int32_t y) const;
    virtual IntRect GetInsetRect() const;

    // Has DrawOverlay run after the widgets of lower priority are drawn.
    void DeferOverlay(int32_t priority);

    bool mVisible = true;
    bool mMouseVisible = true;
    bool mDisabled = false;
    bool mHasFocus = false;
    bool mIsDown = false;
    bool mIsOver = false;
    bool mHasAlpha = false;
    std::vector<Color> mColors;
    Insets mMouseInsets;
    bool mDoFinger = false; // wants the hand cursor
    bool mWantsFocus = false;
    Widget* mTabPrev = nullptr;
    Widget* mTabNext = nullptr;
    int32_t mPressX = 0;
    int32_t mPressY = 0;
};

} // namespace Kavo
