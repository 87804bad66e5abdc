#include "framework/widget/dialog_button.h"

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"

namespace Kavo {

namespace {

const int32_t kDialogButtonColors[][3] = {{255, 255, 255}, {255, 255, 255}, {0, 0, 0},
                                          {255, 255, 255}, {132, 132, 132}, {212, 212, 212}};

} // namespace

DialogButton::DialogButton(Image* componentImage, int32_t id, ButtonListener* listener)
    : ButtonWidget(id, listener), mComponentImage(componentImage) {
    mDoFinger = true;
    SetColorsRGB(kDialogButtonColors, 6);
}

void DialogButton::Draw(Graphics* g) {
    if (mBtnNoDraw)
        return;
    if (mComponentImage == nullptr) {
        ButtonWidget::Draw(g);
        return;
    }
    EnsureFont(12);
    const bool down = IsButtonDown();
    const IntRect box(0, 0, mWidth, mHeight);
    if (mNormalRect.mWidth == 0) {
        if (down)
            g->Translate(mTranslateX, mTranslateY);
        g->DrawImageBox(box, mComponentImage);
    } else {
        if (mDisabled && mDisabledRect.mWidth > 0 && mDisabledRect.mHeight > 0) {
            g->DrawImageBox(mDisabledRect, box, mComponentImage);
        } else if (down) {
            g->DrawImageBox(mDownRect, box, mComponentImage);
        } else if (mOverAlpha <= 0.0) {
            g->DrawImageBox(mIsOver ? mOverRect : mNormalRect, box, mComponentImage);
        } else {
            if (mOverAlpha < 1.0)
                g->DrawImageBox(mNormalRect, box, mComponentImage);
            g->SetColorizeImages(true);
            g->SetColor(Color(255, 255, 255, static_cast<int32_t>(mOverAlpha * 255)));
            g->DrawImageBox(mOverRect, box, mComponentImage);
            g->SetColorizeImages(false);
        }
        // Only the label moves.
        if (down)
            g->Translate(mTranslateX, mTranslateY);
    }
    if (mFont != nullptr) {
        const int32_t ascent = mFont->GetAscent();
        const int32_t x = (mWidth - mFont->StringWidth(mLabel)) / 2 + mTextOffsetX;
        const int32_t y = (mHeight - ascent / 6 - mFont->GetAscentPadding() - 1 + ascent) / 2 + mTextOffsetY;
        mFont->DrawString(g, x, y, mLabel, GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL), g->mClipRect);
    }
    if (down)
        g->Translate(-mTranslateX, -mTranslateY);
}

} // namespace Kavo
