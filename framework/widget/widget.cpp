#include "framework/widget/widget.h"

namespace Kavo {

Widget::~Widget() {
    if (mParent != nullptr)
        mParent->RemoveWidget(this);
}

void Widget::Resize(int32_t x, int32_t y, int32_t width, int32_t height) {
    mX = x;
    mY = y;
    mWidth = width;
    mHeight = height;
    MarkAllDirty();
}

} // namespace Kavo
