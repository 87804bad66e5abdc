#pragma once

#include <cstdint>

#include "framework/widget/widget_container.h"

namespace Kavo {

// A rectangle of the game area that draws itself and takes input.
class Widget : public WidgetContainer {
public:
    ~Widget() override;

    virtual void Resize(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    virtual void KeyUp(int32_t) {}
    virtual void MouseWheel(int32_t) {}
    virtual void MouseUp(int32_t, int32_t, int32_t) {}

    int32_t mX = 0;
    int32_t mY = 0;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    WidgetContainer* mParent = nullptr;
};

} // namespace Kavo
