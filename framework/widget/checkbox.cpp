#include "framework/widget/checkbox.h"

#include "framework/graphics/graphics.h"
#include "framework/widget/checkbox_listener.h"

namespace Kavo {

Checkbox::Checkbox(Image* uncheckedImage, Image* checkedImage, int32_t id, CheckboxListener* listener)
    : mListener(listener), mId(id), mUncheckedImage(uncheckedImage), mCheckedImage(checkedImage) {
    mDoFinger = true;
}

void Checkbox::SetChecked(bool checked, bool notify) {
    mChecked = checked;
    if (notify && mListener != nullptr)
        mListener->CheckboxChecked(mId, mChecked);
    MarkDirty();
}

bool Checkbox::IsChecked() {
    return mChecked;
}

void Checkbox::MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) {
    // Every press toggles, so a double click (two presses) ends where it began.
    Widget::MouseDownButton(x, y, button, clickCount);
    mChecked = !mChecked;
    if (mListener != nullptr)
        mListener->CheckboxChecked(mId, mChecked);
    MarkDirty();
}

void Checkbox::Draw(Graphics* g) {
    if (mCheckedRect.mWidth == 0 && mCheckedImage != nullptr && mUncheckedImage != nullptr) {
        g->DrawImage(mChecked ? mCheckedImage : mUncheckedImage, 0, 0);
        return;
    }
    if (mCheckedRect.mWidth != 0 && mUncheckedImage != nullptr) {
        g->DrawImage(mUncheckedImage, 0, 0, mChecked ? mCheckedRect : mUncheckedRect);
        return;
    }
    if (mCheckedImage != nullptr || mUncheckedImage != nullptr)
        return;
    g->SetColor(mOutlineColor);
    g->FillRect(0, 0, mWidth, mHeight);
    g->SetColor(mInsideColor);
    g->FillRect(1, 1, mWidth - 2, mHeight - 2);
    if (mChecked) {
        g->SetColor(mCheckColor);
        g->DrawLine(1, 1, mWidth - 2, mHeight - 2);
        g->DrawLine(mWidth - 1, 1, 1, mHeight - 2);
    }
}

} // namespace Kavo
