#include "framework/widget/scrollbutton_widget.h"

#include "framework/graphics/graphics.h"

namespace Kavo {

namespace {

const Color kFace(212, 212, 212, 255);
const Color kShadow(132, 132, 132, 255);
const Color kLight(255, 255, 255, 255);
const Color kDark(0, 0, 0, 255);

} // namespace

void ScrollbuttonWidget::Draw(Graphics* g) {
    const int32_t w = mWidth;
    const int32_t h = mHeight;
    const bool pressed = mIsDown && mIsOver && !mDisabled;
    g->SetColor(kFace);
    g->FillRect(0, 0, w, h);
    if (pressed) {
        g->SetColor(kShadow);
        g->DrawRect(0, 0, w - 1, h - 1);
    } else {
        g->SetColor(kLight);
        g->FillRect(1, 1, w - 2, 1);
        g->FillRect(1, 1, 1, h - 2);
        g->SetColor(kDark);
        g->FillRect(0, h - 1, w, 1);
        g->FillRect(w - 1, 0, 1, h);
        g->SetColor(kShadow);
        g->FillRect(1, h - 2, w - 2, 1);
        g->FillRect(w - 2, 1, 1, h - 2);
    }
    const int32_t shift = pressed ? 1 : 0;
    g->SetColor(mDisabled ? kShadow : kDark);
    const bool vertical = !mHorizontal && mArrowType != 3 && mArrowType != 4;
    for (int32_t i = 0; i < 4; ++i) {
        const int32_t span = 2 * i + 1;
        if (vertical) {
            const bool up = mId == 0 || mArrowType == 1;
            const int32_t y = up ? (h - 4) / 2 + i : (h - 4) / 2 - i + 3;
            g->FillRect(w / 2 - i - 1 + shift, y + shift, span, 1);
        } else {
            const bool left = mId == 0 || mArrowType == 3;
            const int32_t x = left ? (w - 4) / 2 + i : (w - 4) / 2 - i + 3;
            g->FillRect(x + shift, h / 2 - i - 1 + shift, 1, span);
        }
    }
}

} // namespace Kavo
