#include "framework/widget/dialog.h"

#include <memory>

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widget/dialog_button.h"
#include "framework/widget/dialog_listener.h"
#include "framework/widget/widget_manager.h"

namespace Kavo {

namespace {

const int32_t kDialogColors[][3] = {{255, 255, 255}, {255, 255, 0}, {255, 255, 255}, {255, 255, 255},
                                    {255, 255, 255}, {80, 80, 80},  {255, 255, 255}};

// How far a dragged dialog may pass the manager's edges.
constexpr int32_t kDragMargin = 8;

int32_t Ascent(Font* font) {
    return font != nullptr ? font->GetAscent() : 0;
}
int32_t AscentPadding(Font* font) {
    return font != nullptr ? font->GetAscentPadding() : 0;
}
int32_t Height(Font* font) {
    return font != nullptr ? font->GetHeight() : 0;
}
int32_t LineSpacing(Font* font) {
    return font != nullptr ? font->GetLineSpacing() : 0;
}

Font* Copy(Font* font) {
    return font != nullptr ? font->Duplicate() : nullptr;
}

} // namespace

Dialog::Dialog(Image* componentImage, Image* buttonComponentImage, int32_t id, bool isModal, const std::string& header,
               const std::string& lines, const std::string& footer, int32_t buttonMode)
    : mComponentImage(componentImage), mDialogHeader(header), mDialogFooter(footer), mDialogLines(lines),
      mButtonMode(buttonMode), mButtonHeight(buttonComponentImage != nullptr ? buttonComponentImage->GetHeight() : 24),
      mId(id), mIsModal(isModal) {
    mHasAlpha = true;
    mHasTransparencies = true;
    mPriority = 1;
    if (buttonMode == BUTTONS_YES_NO || buttonMode == BUTTONS_OK_CANCEL) {
        mYesButton = new DialogButton(buttonComponentImage, kFirstButtonId, this);
        mYesButton->mLabel = buttonMode == BUTTONS_YES_NO ? "YES" : "OK";
        mNoButton = new DialogButton(buttonComponentImage, kSecondButtonId, this);
        mNoButton->mLabel = buttonMode == BUTTONS_YES_NO ? "NO" : "CANCEL";
    } else if (buttonMode == BUTTONS_FOOTER) {
        mYesButton = new DialogButton(buttonComponentImage, kFirstButtonId, this);
        mYesButton->mLabel = footer;
    }
    SetColorsRGB(kDialogColors, 7);
    if (buttonComponentImage == nullptr) {
        // Black labels on the colour-drawn buttons' light face.
        SetColor(COLOR_BUTTON_TEXT, Color(0, 0, 0));
        SetColor(COLOR_BUTTON_TEXT_HILITE, Color(0, 0, 0));
    }
}

Dialog::~Dialog() {
    delete mYesButton;
    delete mNoButton;
    delete mHeaderFont;
    delete mLinesFont;
}

void Dialog::EnsureFonts() {
    if (mWidgetManager == nullptr)
        return;
    if (mHeaderFont == nullptr)
        mHeaderFont = mWidgetManager->CreateSysFont("Arial Unicode MS", 14);
    if (mLinesFont == nullptr)
        mLinesFont = mWidgetManager->CreateSysFont("Arial Unicode MS", 12);
}

void Dialog::SetButtonFont(Font* font) {
    // The font given may be a button's own, which the first SetFont deletes.
    std::unique_ptr<Font> copy(Copy(font));
    if (mYesButton != nullptr)
        mYesButton->SetFont(copy.get());
    if (mNoButton != nullptr)
        mNoButton->SetFont(copy.get());
}

void Dialog::SetHeaderFont(Font* font) {
    // Copy first: the font given may be the dialog's own.
    Font* copy = Copy(font);
    delete mHeaderFont;
    mHeaderFont = copy;
}

void Dialog::SetLinesFont(Font* font) {
    Font* copy = Copy(font);
    delete mLinesFont;
    mLinesFont = copy;
}

void Dialog::SetColor(int32_t index, const Color& color) {
    Widget::SetColor(index, color);
    const int32_t buttonIndex = index == COLOR_BUTTON_TEXT          ? ButtonWidget::COLOR_LABEL
                                : index == COLOR_BUTTON_TEXT_HILITE ? ButtonWidget::COLOR_LABEL_HILITE
                                                                    : -1;
    if (buttonIndex < 0)
        return;
    if (mYesButton != nullptr)
        mYesButton->SetColor(buttonIndex, color);
    if (mNoButton != nullptr)
        mNoButton->SetColor(buttonIndex, color);
}

int32_t Dialog::GetPreferredHeight(int32_t width) {
    EnsureFonts();
    const Insets& bg = mBackgroundInsets;
    const Insets& content = mContentInsets;
    int32_t height = bg.mTop + bg.mBottom + content.mTop + content.mBottom;
    bool somethingAbove = false;
    if (!mDialogHeader.empty()) {
        height += Height(mHeaderFont) - AscentPadding(mHeaderFont);
        somethingAbove = true;
    }
    if (!mDialogLines.empty()) {
        if (somethingAbove)
            height += mSpaceAfterHeader;
        Graphics g;
        g.SetFont(mLinesFont);
        const int32_t wrapWidth = width - content.mRight - content.mLeft - bg.mRight - bg.mLeft - 4;
        height += GetWordWrappedHeight(&g, wrapWidth, mDialogLines, LineSpacing(mLinesFont) + mLineSpacingOffset);
        somethingAbove = true;
    }
    if (!mDialogFooter.empty() && mButtonMode != BUTTONS_FOOTER) {
        if (somethingAbove)
            height += 8;
        height += LineSpacing(mHeaderFont);
        somethingAbove = true;
    }
    if (mYesButton != nullptr) {
        if (somethingAbove)
            height += 8;
        height += 8 + mButtonHeight;
    }
    return height;
}

void Dialog::Draw(Graphics* g) {
    EnsureFonts();
    const Insets& bg = mBackgroundInsets;
    const Insets& content = mContentInsets;
    if (mComponentImage != nullptr) {
        g->DrawImageBox(IntRect(bg.mLeft, bg.mTop, mWidth - bg.mRight - bg.mLeft, mHeight - bg.mBottom - bg.mTop),
                        mComponentImage);
    } else {
        g->SetColor(GetColor(COLOR_OUTLINE));
        g->DrawRect(12, 12, mWidth - 25, mHeight - 25);
        g->SetColor(GetColor(COLOR_BKG));
        g->FillRect(13, 13, mWidth - 26, mHeight - 26);
        g->SetColor(Color(0, 0, 0, 128));
        g->FillRect(mWidth - 12, 24, 12, mHeight - 36);
        g->FillRect(24, mHeight - 12, mWidth - 24, 12);
    }

    int32_t y = content.mTop + bg.mTop;
    if (!mDialogHeader.empty()) {
        y += Ascent(mHeaderFont) - AscentPadding(mHeaderFont);
        g->SetFont(mHeaderFont);
        g->SetColor(GetColor(COLOR_HEADER));
        DrawCenteredLine(g, y, mDialogHeader);
        y += Height(mHeaderFont) - Ascent(mHeaderFont) + mSpaceAfterHeader;
    }

    g->SetFont(mLinesFont);
    g->SetColor(GetColor(COLOR_LINES));
    const IntRect linesRect(bg.mLeft + 2 + content.mLeft, y,
                            mWidth - content.mRight - bg.mLeft - content.mLeft - bg.mRight - 4, 0);
    const int32_t linesHeight =
        DrawWordWrapped(g, linesRect, mDialogLines, LineSpacing(mLinesFont) + mLineSpacingOffset, mTextAlign);

    // With one button the footer is the button's label.
    if (!mDialogFooter.empty() && mButtonMode != BUTTONS_FOOTER) {
        g->SetFont(mHeaderFont);
        g->SetColor(GetColor(COLOR_FOOTER));
        DrawCenteredLine(g, y + linesHeight + 8 + LineSpacing(mHeaderFont), mDialogFooter);
    }
}

void Dialog::Resize(int32_t x, int32_t y, int32_t width, int32_t height) {
    Widget::Resize(x, y, width, height);
    const Insets& bg = mBackgroundInsets;
    const Insets& content = mContentInsets;
    // The buttons are siblings: manager coordinates.
    const int32_t buttonY = y + height - content.mBottom - bg.mBottom - mButtonHeight;
    if (mYesButton != nullptr && mNoButton != nullptr) {
        const int32_t available =
            width - bg.mLeft - content.mLeft - bg.mRight - content.mRight - mButtonHorzSpacing - 2 * mButtonSidePadding;
        const int32_t buttonWidth = available / 2;
        mYesButton->Resize(x + bg.mLeft + content.mLeft + mButtonSidePadding, buttonY, buttonWidth, mButtonHeight);
        mNoButton->Resize(mYesButton->mX + buttonWidth + mButtonHorzSpacing, buttonY, buttonWidth, mButtonHeight);
    } else if (mYesButton != nullptr) {
        mYesButton->Resize(x + bg.mLeft + content.mLeft, buttonY,
                           width - content.mRight - bg.mRight - bg.mLeft - content.mLeft, mButtonHeight);
    }
}

void Dialog::AddedToManager(WidgetManager* manager) {
    Widget::AddedToManager(manager);
    if (mYesButton != nullptr)
        manager->AddWidget(mYesButton);
    if (mNoButton != nullptr)
        manager->AddWidget(mNoButton);
}

void Dialog::RemovedFromManager(WidgetManager* manager) {
    Widget::RemovedFromManager(manager);
    if (mYesButton != nullptr)
        manager->RemoveWidget(mYesButton);
    if (mNoButton != nullptr)
        manager->RemoveWidget(mNoButton);
}

void Dialog::OrderInManagerChanged() {
    if (mWidgetManager == nullptr)
        return;
    if (mYesButton != nullptr)
        mWidgetManager->PutInFront(mYesButton, this);
    if (mNoButton != nullptr)
        mWidgetManager->PutInFront(mNoButton, this);
}

void Dialog::MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) {
    if (mDraggable && clickCount == 1) {
        if (mWidgetManager != nullptr)
            mWidgetManager->SetCursorState(WidgetAppHost::CURSOR_DRAGGING);
        mDragMouseX = x;
        mDragMouseY = y;
        mDragging = true;
    }
    Widget::MouseDownButton(x, y, button, clickCount);
}

void Dialog::MouseUpButton(int32_t, int32_t, int32_t, int32_t) {
    if (!mDragging)
        return;
    if (mWidgetManager != nullptr)
        mWidgetManager->SetCursorState(WidgetAppHost::CURSOR_POINTER);
    mDragging = false;
}

void Dialog::MouseDrag(int32_t x, int32_t y) {
    if (!mDragging || mWidgetManager == nullptr)
        return;
    const int32_t managerWidth = mWidgetManager->mWidth;
    const int32_t managerHeight = mWidgetManager->mHeight;
    int32_t newX = mX - mDragMouseX + x;
    int32_t newY = mY - mDragMouseY + y;
    if (newX < -kDragMargin)
        newX = -kDragMargin;
    else if (newX + mWidth > managerWidth + kDragMargin)
        newX = managerWidth - mWidth + kDragMargin;
    if (newY < -kDragMargin)
        newY = -kDragMargin;
    else if (newY + mHeight > managerHeight + kDragMargin)
        newY = managerHeight - mHeight + kDragMargin;
    mDragMouseX = mX - newX + x;
    mDragMouseY = mY - newY + y;
    // The held point stays inside the box.
    if (mDragMouseX < kDragMargin)
        mDragMouseX = kDragMargin;
    else if (mDragMouseX > mWidth - kDragMargin - 1)
        mDragMouseX = mWidth - kDragMargin - 1;
    if (mDragMouseY < kDragMargin)
        mDragMouseY = kDragMargin;
    else if (mDragMouseY > mHeight - kDragMargin - 1)
        mDragMouseY = mHeight - kDragMargin - 1;
    Move(newX, newY);
}

int32_t Dialog::WaitForResult(bool kill) {
    WidgetAppHost* host = mWidgetManager != nullptr ? mWidgetManager->GetAppHost() : nullptr;
    while (host != nullptr && mWidgetManager != nullptr && mResult == kNoResult) {
        if (!host->LoopStep())
            break;
    }
    const int32_t result = mResult;
    if (kill && host != nullptr)
        host->KillDialog(mId);
    return result;
}

void Dialog::ButtonPress(int32_t id) {
    if ((id == kFirstButtonId || id == kSecondButtonId) && mDialogListener != nullptr)
        mDialogListener->DialogButtonPress(mId, id);
}

void Dialog::ButtonDepress(int32_t id) {
    if (id != kFirstButtonId && id != kSecondButtonId)
        return;
    mResult = id;
    if (mDialogListener != nullptr)
        mDialogListener->DialogButtonRelease(mId, id);
}

} // namespace Kavo
