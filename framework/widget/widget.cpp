#include "framework/widget/widget.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widget/widget_manager.h"

namespace Kavo {

namespace {

const Color kOpaqueBlack(0, 0, 0, 255);

// The three click codes and their buttons: 0 left, 1 right, 2 middle.
void SplitClickCode(int32_t clickCode, int32_t* button, int32_t* clickCount) {
    if (clickCode == 3) {
        *button = 2;
        *clickCount = 1;
    } else if (clickCode < 0) {
        *button = 1;
        *clickCount = -clickCode;
    } else {
        *button = 0;
        *clickCount = clickCode;
    }
}

} // namespace

Widget::~Widget() {
    if (mParent != nullptr)
        mParent->RemoveWidget(this);
}

void Widget::SetVisible(bool visible) {
    if (mVisible == visible)
        return;
    mVisible = visible;
    if (visible) {
        // A hidden widget is never drawn, so a dirty flag left from before
        // would stop the marking from reaching its parent.
        mDirty = false;
        MarkDirty();
    } else {
        MarkDirtyFull();
    }
    if (mWidgetManager != nullptr)
        mWidgetManager->RecheckMouseOver();
}

void Widget::SetColors(const int32_t colors[][4], int32_t count) {
    mColors.clear();
    for (int32_t i = 0; i < count; ++i)
        SetColor(i, Color(colors[i][0], colors[i][1], colors[i][2], colors[i][3]));
    MarkDirty();
}

void Widget::SetColorsRGB(const int32_t colors[][3], int32_t count) {
    mColors.clear();
    for (int32_t i = 0; i < count; ++i)
        SetColor(i, Color(colors[i][0], colors[i][1], colors[i][2], 255));
    MarkDirty();
}

void Widget::SetColor(int32_t index, const Color& color) {
    if (index < 0)
        return;
    if (static_cast<size_t>(index) >= mColors.size())
        mColors.resize(static_cast<size_t>(index) + 1, kOpaqueBlack);
    mColors[static_cast<size_t>(index)] = color;
    MarkDirty();
}

Color Widget::GetColorOr(int32_t index, const Color& fallback) const {
    if (index < 0 || static_cast<size_t>(index) >= mColors.size())
        return fallback;
    return mColors[static_cast<size_t>(index)];
}

const Color& Widget::GetColor(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= mColors.size())
        return kOpaqueBlack;
    return mColors[static_cast<size_t>(index)];
}

void Widget::SetDisabled(bool disabled) {
    if (mDisabled == disabled)
        return;
    mDisabled = disabled;
    if (disabled && mWidgetManager != nullptr)
        mWidgetManager->DisableWidget(this);
    MarkDirty();
    // Enabled under a still mouse: entered at once.
    if (!disabled && mWidgetManager != nullptr && Contains(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY))
        mWidgetManager->MouseMove(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY);
}

void Widget::SetHandCursor(bool on) {
    if (mWidgetManager != nullptr)
        mWidgetManager->SetCursorState(on ? WidgetAppHost::CURSOR_HAND : WidgetAppHost::CURSOR_POINTER);
}

void Widget::ResizeToRect(const IntRect& rect) {
    Resize(rect.mX, rect.mY, rect.mWidth, rect.mHeight);
}

void Widget::Resize(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (mX == x && mY == y && mWidth == width && mHeight == height)
        return;
    MarkDirtyFull();
    mX = x;
    mY = y;
    mWidth = width;
    mHeight = height;
    MarkDirty();
    if (mWidgetManager != nullptr)
        mWidgetManager->RecheckMouseOver();
}

void Widget::Move(int32_t x, int32_t y) {
    Resize(x, y, mWidth, mHeight);
}

void Widget::DrawOverlay(Graphics* g, int32_t) {
    DrawOverlay(g);
}

void Widget::GotFocus() {
    mHasFocus = true;
}

void Widget::LostFocus() {
    mHasFocus = false;
}

void Widget::KeyDown(int32_t key) {
    if (key != WidgetManager::KEYCODE_TAB || mWidgetManager == nullptr)
        return;
    Widget* target = mWidgetManager->mKeyDown[WidgetManager::KEYCODE_SHIFT] ? mTabPrev : mTabNext;
    if (target != nullptr)
        mWidgetManager->SetFocus(target);
}

void Widget::MouseDownButton(int32_t x, int32_t y, int32_t, int32_t clickCount) {
    if (clickCount == 1) {
        mPressX = x;
        mPressY = y;
    }
}

void Widget::MouseDown(int32_t x, int32_t y, int32_t clickCount) {
    int32_t button = 0;
    int32_t count = 0;
    SplitClickCode(clickCount, &button, &count);
    MouseDownButton(x, y, button, count);
}

void Widget::MouseUp(int32_t x, int32_t y, int32_t clickCount) {
    MouseUpAt(x, y);
    int32_t button = 0;
    int32_t count = 0;
    SplitClickCode(clickCount, &button, &count);
    MouseUpButton(x, y, button, count);
}

IntRect Widget::DrawCenteredLine(Graphics* g, int32_t y, const std::string& text) {
    Font* font = g->GetFont();
    if (font == nullptr)
        return IntRect((mWidth) / 2, y, 0, 0);
    const int32_t width = font->StringWidth(text);
    const int32_t x = (mWidth - width) / 2;
    font->DrawString(g, x, y, text, g->GetColor(), g->mClipRect);
    return IntRect(x, y - font->GetAscent(), width, font->GetHeight());
}

IntRect Widget::DrawCenteredLineWithShadow(Graphics* g, int32_t y, const std::string& text, const Color& color,
                                           const Color& shadowColor, std::pair<int32_t, int32_t> shadowOffset) {
    Font* font = g->GetFont();
    const auto [offsetX, offsetY] = shadowOffset;
    if (font == nullptr) {
        g->SetColor(color);
        return IntRect(mWidth / 2, y, 0, 0);
    }
    const int32_t width = font->StringWidth(text);
    const int32_t x = (mWidth - width) / 2;
    g->SetColor(shadowColor);
    font->DrawString(g, x + offsetX, y + offsetY, text, shadowColor, g->mClipRect);
    g->SetColor(color);
    font->DrawString(g, x, y, text, color, g->mClipRect);
    return IntRect(x + std::min(offsetX, 0), y + std::min(offsetY, 0) - font->GetAscent(), width + std::abs(offsetX),
                   font->GetHeight() + std::abs(offsetY));
}

int32_t Widget::DrawString(Graphics* g, const std::string& text, int32_t x, int32_t y, int32_t width,
                           int32_t justification, bool draw, int32_t offset, int32_t length) {
    if (g->GetFont() == nullptr)
        return 0;
    const bool colored = g->mWriteColoredString;
    g->mWriteColoredString = true;
    const int32_t result = g->WriteString(text, x, y, width, justification, draw, offset, length, -1);
    g->mWriteColoredString = colored;
    return result;
}

int32_t Widget::DrawWordWrapped(Graphics* g, const IntRect& rect, const std::string& text, int32_t lineSpacing,
                                int32_t justification) {
    if (g->GetFont() == nullptr)
        return 0;
    const bool colored = g->mWriteColoredString;
    g->mWriteColoredString = true;
    const int32_t height = g->WriteWordWrapped(rect, text, lineSpacing, justification, nullptr, -1, nullptr);
    g->mWriteColoredString = colored;
    return height;
}

int32_t Widget::GetWordWrappedHeight(Graphics* g, int32_t width, const std::string& text, int32_t lineSpacing) {
    if (g->GetFont() == nullptr)
        return 0;
    return g->GetWordWrappedHeight(width, text, lineSpacing, nullptr);
}

int32_t Widget::CountDigits(int32_t number) {
    int32_t count = 1;
    for (int64_t power = 10; number >= power; power *= 10)
        ++count;
    return count;
}

void Widget::DrawNumberFromStrip(Graphics* g, int32_t number, int32_t x, int32_t y, Image* strip, int32_t spacing) {
    // A strip has no minus sign: negative numbers draw nothing.
    if (strip == nullptr || number < 0)
        return;
    const std::string digits = std::to_string(number);
    const int32_t cellWidth = strip->GetWidth() / 10;
    for (size_t k = 0; k < digits.size(); ++k) {
        const int32_t digit = digits[k] - '0';
        const int32_t cellX = x + static_cast<int32_t>(k) * (cellWidth + spacing);
        std::unique_ptr<Graphics> cell(g->Create());
        cell->ClipRect(cellX, y, cellWidth, strip->GetHeight());
        cell->DrawImage(strip, cellX - digit * cellWidth, y);
    }
}

bool Widget::Contains(int32_t x, int32_t y) const {
    return x >= mX && x < mX + mWidth && y >= mY && y < mY + mHeight;
}

IntRect Widget::GetInsetRect() const {
    return IntRect(mX + mMouseInsets.mLeft, mY + mMouseInsets.mTop, mWidth - mMouseInsets.mLeft - mMouseInsets.mRight,
                   mHeight - mMouseInsets.mTop - mMouseInsets.mBottom);
}

void Widget::DeferOverlay(int32_t priority) {
    if (mWidgetManager == nullptr)
        return;
    mWidgetManager->mDeferredOverlays.push_back({this, priority});
    if (priority < mWidgetManager->mMinDeferredOverlayPriority)
        mWidgetManager->mMinDeferredOverlayPriority = priority;
}

} // namespace Kavo
