#include "game/ui/game_button.h"

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/widget/checkbox_listener.h"

namespace Game {

namespace {

const int32_t kGameButtonColors[][3] = {{0, 0, 0},       {0, 0, 0},       {0, 0, 0},
                                        {255, 255, 255}, {132, 132, 132}, {212, 212, 212}};

} // namespace

GameButton::GameButton(Kavo::Image* uncheckedImage, Kavo::Image* checkedImage, int32_t id,
                       Kavo::CheckboxListener* listener, Kavo::Image* overImage, Kavo::Image* downImage,
                       Kavo::Image* disabledImage)
    : mListener(listener), mId(id), mUncheckedImage(uncheckedImage), mCheckedImage(checkedImage), mOverImage(overImage),
      mDownImage(downImage), mDisabledImage(disabledImage) {
    SetColorsRGB(kGameButtonColors, 6);
}

GameButton::~GameButton() {
    delete mFont;
}

void GameButton::SetChecked(bool checked, bool notify) {
    mChecked = checked;
    if (notify && mListener != nullptr)
        mListener->CheckboxChecked(mId, checked);
    MarkDirty();
}

void GameButton::SetFont(Kavo::Font* font) {
    // Copy first: the font given may be the button's own.
    Kavo::Font* copy = font != nullptr ? font->Duplicate() : nullptr;
    delete mFont;
    mFont = copy;
}

void GameButton::MouseUpButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) {
    Widget::MouseUpButton(x, y, button, clickCount);
    // A release never toggles: over the button checks it, elsewhere unchecks.
    mChecked = mIsOver;
    if (mListener != nullptr)
        mListener->CheckboxChecked(mId, mChecked);
    MarkDirty();
}

bool GameButton::DrawState(Kavo::Graphics* g, Kavo::Image* image, const Kavo::IntRect& rect) {
    if (image != nullptr) {
        g->DrawImage(image, 0, 0);
        return true;
    }
    if (rect.mWidth != 0 && mUncheckedImage != nullptr) {
        g->DrawImage(mUncheckedImage, 0, 0, rect);
        return true;
    }
    return false;
}

void GameButton::DrawResting(Kavo::Graphics* g) {
    if (mCheckedRect.mWidth == 0 && mUncheckedImage != nullptr && mCheckedImage != nullptr) {
        g->DrawImage(mChecked ? mCheckedImage : mUncheckedImage, 0, 0);
        return;
    }
    if (mCheckedRect.mWidth != 0 && mUncheckedImage != nullptr) {
        g->DrawImage(mUncheckedImage, 0, 0, mChecked ? mCheckedRect : mUncheckedRect);
        return;
    }
    if (mUncheckedImage != nullptr || mCheckedImage != nullptr)
        return;
    g->SetColor(mFrameColor);
    g->FillRect(0, 0, mWidth, mHeight);
    g->SetColor(mFillColor);
    g->FillRect(1, 1, mWidth - 2, mHeight - 2);
    if (mChecked) {
        g->SetColor(mMarkColor);
        g->DrawRect(1, 1, mWidth - 2, mHeight - 2);
        g->DrawRect(mWidth - 1, 1, 1, mHeight - 2);
    }
}

void GameButton::Draw(Kavo::Graphics* g) {
    bool pressed = false;
    bool drawn = false;
    if (mDisabled) {
        drawn = DrawState(g, mDisabledImage, mDisabledRect);
    } else if (mIsDown && mIsOver) {
        drawn = pressed = DrawState(g, mDownImage, mDownRect);
    } else if (mIsOver && !mChecked) {
        drawn = DrawState(g, mOverImage, mOverRect);
    }
    if (!drawn)
        DrawResting(g);
    DrawCaption(g, pressed);
}

void GameButton::DrawCaption(Kavo::Graphics* g, bool pressed) {
    if (mCaption.empty() || mFont == nullptr)
        return;
    const int32_t width = mFont->StringWidth(mCaption);
    int32_t x = 0;
    if (mCaptionJustify == 0)
        x = (mWidth - width) / 2;
    else if (mCaptionJustify == 1)
        x = mWidth - width;
    const int32_t ascent = mFont->GetAscent();
    int32_t y = (mHeight - ascent / 6 + ascent - 1) / 2;
    if (pressed) {
        ++x;
        ++y;
    }
    g->SetFont(mFont);
    g->SetColor(GetColor(mIsOver ? 1 : 0));
    g->DrawString(mCaption, x, y);
}

} // namespace Game
