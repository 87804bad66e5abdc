#include "framework/widget/hyperlink_widget.h"

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widget/widget_manager.h"

namespace Kavo {

HyperlinkWidget::HyperlinkWidget(int32_t id, ButtonListener* listener) : ButtonWidget(id, listener) {
    mDoFinger = true;
}

void HyperlinkWidget::MouseEnter() {
    ButtonWidget::MouseEnter();
    MarkDirtyFull();
}

void HyperlinkWidget::MouseLeave() {
    ButtonWidget::MouseLeave();
    MarkDirtyFull();
}

void HyperlinkWidget::DrawLabel(Graphics* g, int32_t x, int32_t y) {
    if (mWordWrap)
        g->WriteWordWrapped(IntRect(x, y, mWidth, mHeight), mLabel, -1, mJustify - 1);
    else
        g->DrawString(mLabel, x, y);
}

void HyperlinkWidget::DrawUnderline(Graphics* g, int32_t x, int32_t y, const Color& color) {
    if (color.mAlpha == 0 || g->mDestImage == nullptr)
        return;
    const int32_t width = mFont->StringWidth(mLabel);
    // Straight onto the destination, so that the strokes are exact pixels
    // whatever the context's scale.
    for (int32_t i = 0; i < mUnderlineSize; ++i) {
        const IntRect stroke(x + static_cast<int32_t>(g->mTransX),
                             y + mUnderlineOffset + i + static_cast<int32_t>(g->mTransY), width, 1);
        const IntRect clipped = stroke.Intersection(g->mClipRect);
        if (clipped.mWidth > 0 && clipped.mHeight > 0)
            g->mDestImage->FillRect(clipped, color, g->GetDrawMode());
    }
}

void HyperlinkWidget::Draw(Graphics* g) {
    if (mFont == nullptr && mWidgetManager != nullptr)
        mFont = mWidgetManager->CreateSysFont("SansSerif", 10);
    if (mFont == nullptr)
        return;
    g->SetFont(mFont);
    const int32_t labelWidth = mFont->StringWidth(mLabel);
    int32_t x = 0;
    if (mJustify == 1)
        x = (mWidth - labelWidth) / 2;
    else if (mJustify == 2)
        x = mWidth - labelWidth;
    int32_t y = (mFont->GetAscent() + mHeight) / 2 - 1;
    if (mWordWrap)
        y = (mHeight - g->GetWordWrappedHeight(mWidth, mLabel, -1)) / 2 - 1;
    if (mShadowX > 0 && mShadowY > 0) {
        g->SetColor(mShadowColor);
        DrawLabel(g, mWordWrap ? mShadowX : x + mShadowX, y + mShadowY);
    }
    const Color& color = mIsOver ? mOverColor : mColor;
    g->SetColor(color);
    DrawLabel(g, mWordWrap ? 0 : x, y);
    DrawUnderline(g, x, y, color);
}

} // namespace Kavo
