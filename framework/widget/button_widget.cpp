#include "framework/widget/button_widget.h"

#include <algorithm>

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widget/button_listener.h"
#include "framework/widget/widget_manager.h"

namespace Kavo {

namespace {

const int32_t kButtonColors[][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}, {132, 132, 132}, {212, 212, 212}};

bool IsSet(const Image* image, const IntRect& rect) {
    return image != nullptr || rect.mWidth != 0;
}

} // namespace

ButtonWidget::ButtonWidget(int32_t id, ButtonListener* listener) : mId(id), mButtonListener(listener) {
    mHasTransparencies = true;
    SetColorsRGB(kButtonColors, 6);
}

ButtonWidget::~ButtonWidget() {
    delete mFont;
}

void ButtonWidget::SetFont(Font* font) {
    // Copy first: the font given may be the button's own.
    Font* copy = font != nullptr ? font->Duplicate() : nullptr;
    delete mFont;
    mFont = copy;
}

bool ButtonWidget::IsButtonDown() {
    return mIsDown && mIsOver && !mDisabled;
}

void ButtonWidget::EnsureFont(int32_t pointSize) {
    if (mFont == nullptr && !mLabel.empty() && mWidgetManager != nullptr)
        mFont = mWidgetManager->CreateSysFont("Arial Unicode MS", pointSize);
}

void ButtonWidget::DrawButtonImage(Graphics* g, Image* image, const IntRect& source, int32_t x, int32_t y) {
    if (source.mWidth == 0) {
        if (image != nullptr)
            g->DrawImage(image, x, y);
    } else if (mButtonImage != nullptr) {
        g->DrawImage(mButtonImage, x, y, source);
    }
}

void ButtonWidget::SetDisabled(bool disabled) {
    Widget::SetDisabled(disabled);
    if (IsSet(mDisabledImage, mDisabledRect))
        MarkDirty();
}

bool ButtonWidget::HoverShows() {
    return mIsDown || IsSet(mOverImage, mOverRect) || GetColor(COLOR_LABEL) != GetColor(COLOR_LABEL_HILITE);
}

void ButtonWidget::MouseEnter() {
    if (mOverAlphaFadeInSpeed == 0.0 && mOverAlpha > 0.0)
        mOverAlpha = 0.0;
    if (HoverShows())
        MarkDirty();
    if (mButtonListener != nullptr)
        mButtonListener->ButtonMouseEnter(mId);
}

void ButtonWidget::MouseLeave() {
    if (mOverAlphaSpeed == 0.0 && mOverAlpha > 0.0)
        mOverAlpha = 0.0;
    else if (mOverAlphaSpeed > 0.0 && mOverAlpha == 0.0)
        mOverAlpha = 1.0; // the hover image fades out from full strength
    if (HoverShows())
        MarkDirty();
    if (mButtonListener != nullptr)
        mButtonListener->ButtonMouseLeave(mId);
}

void ButtonWidget::MouseMove(int32_t x, int32_t y) {
    if (mButtonListener != nullptr)
        mButtonListener->ButtonMouseMove(mId, x, y);
}

void ButtonWidget::MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) {
    Widget::MouseDownButton(x, y, button, clickCount);
    if (mButtonListener != nullptr)
        mButtonListener->ButtonPress(mId, clickCount);
    MarkDirty();
}

void ButtonWidget::MouseUpButton(int32_t, int32_t, int32_t, int32_t) {
    // Only a release over the button while the application is active counts.
    if (mIsOver && mWidgetManager != nullptr && mWidgetManager->mHasFocus && mButtonListener != nullptr)
        mButtonListener->ButtonDepress(mId);
    MarkDirty();
}

void ButtonWidget::Update() {
    Widget::Update();
    if (mIsDown && mIsOver && mButtonListener != nullptr)
        mButtonListener->ButtonDownTick(mId);
    if (mIsOver) {
        if (mOverAlphaFadeInSpeed > 0.0 && mOverAlpha < 1.0) {
            mOverAlpha = std::min(mOverAlpha + mOverAlphaFadeInSpeed, 1.0);
            MarkDirty();
        }
    } else if (!mIsDown && mOverAlpha > 0.0) {
        mOverAlpha = mOverAlphaSpeed > 0.0 ? std::max(mOverAlpha - mOverAlphaSpeed, 0.0) : 0.0;
        MarkDirty();
    }
}

void ButtonWidget::Draw(Graphics* g) {
    if (mBtnNoDraw)
        return;
    EnsureFont(10);
    const bool drawnDown = (mIsDown && mIsOver && !mDisabled) != mInverted;
    const int32_t labelWidth = mFont != nullptr ? mFont->StringWidth(mLabel) : 0;
    const int32_t ascent = mFont != nullptr ? mFont->GetAscent() : 0;
    int32_t labelX = 0;
    if (mLabelJustify == 0)
        labelX = (mWidth - labelWidth) / 2;
    else if (mLabelJustify == 1)
        labelX = mWidth - labelWidth;
    const int32_t labelY = (mHeight - ascent / 6 - 1 + ascent) / 2;
    g->SetFont(mFont);
    if (mButtonImage == nullptr && mDownImage == nullptr)
        DrawColored(g, drawnDown, labelX, labelY);
    else
        DrawImages(g, drawnDown, labelX, labelY);
}

void ButtonWidget::DrawColored(Graphics* g, bool drawnDown, int32_t labelX, int32_t labelY) {
    const int32_t w = mWidth;
    const int32_t h = mHeight;
    if (!mFrameNoDraw) {
        g->SetColor(GetColor(COLOR_BKG));
        g->FillRect(0, 0, w, h);
        // Pressed, the light and dark edges swap and the shadow moves to the top left.
        g->SetColor(GetColor(drawnDown ? COLOR_DARK_OUTLINE : COLOR_LIGHT_OUTLINE));
        g->FillRect(0, 0, w - 1, 1);
        g->FillRect(0, 0, 1, h - 1);
        g->SetColor(GetColor(drawnDown ? COLOR_LIGHT_OUTLINE : COLOR_DARK_OUTLINE));
        g->FillRect(0, h - 1, w, 1);
        g->FillRect(w - 1, 0, 1, h);
        g->SetColor(GetColor(COLOR_MEDIUM_OUTLINE));
        if (drawnDown) {
            g->FillRect(1, 1, w - 3, 1);
            g->FillRect(1, 1, 1, h - 3);
        } else {
            g->FillRect(1, h - 2, w - 2, 1);
            g->FillRect(w - 2, 1, 1, h - 2);
        }
    }
    g->SetColor(GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL));
    const int32_t shift = drawnDown ? 1 : 0;
    g->DrawString(mLabel, labelX + shift, labelY + shift);
}

void ButtonWidget::DrawImages(Graphics* g, bool drawnDown, int32_t labelX, int32_t labelY) {
    if (drawnDown) {
        if (IsSet(mDownImage, mDownRect))
            DrawButtonImage(g, mDownImage, mDownRect, 0, 0);
        else if (IsSet(mOverImage, mOverRect))
            DrawButtonImage(g, mOverImage, mOverRect, 1, 1);
        else
            DrawButtonImage(g, mButtonImage, mNormalRect, 1, 1);
        if (mFont != nullptr)
            mFont->DrawString(g, labelX + 1, labelY + 1, mLabel, GetColor(COLOR_LABEL_HILITE), g->mClipRect);
        return;
    }
    if (mDisabled && IsSet(mDisabledImage, mDisabledRect)) {
        DrawButtonImage(g, mDisabledImage, mDisabledRect, 0, 0);
    } else if (mOverAlpha > 0.0 && IsSet(mOverImage, mOverRect)) {
        if (mOverAlpha < 1.0 && IsSet(mButtonImage, mNormalRect))
            DrawButtonImage(g, mButtonImage, mNormalRect, 0, 0);
        g->SetColorizeImages(true);
        g->SetColor(Color(255, 255, 255, static_cast<int32_t>(mOverAlpha * 255)));
        DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
        g->SetColorizeImages(false);
    } else if ((mIsOver || mIsDown) && IsSet(mOverImage, mOverRect)) {
        DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
    } else if (IsSet(mButtonImage, mNormalRect)) {
        DrawButtonImage(g, mButtonImage, mNormalRect, 0, 0);
    }
    if (mFont != nullptr)
        mFont->DrawString(g, labelX, labelY, mLabel, GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL),
                          g->mClipRect);
}

} // namespace Kavo
