#pragma once

#include <cstdint>

#include "framework/widget/button_widget.h"

namespace Kavo {

// An arrow button of a scroll bar, drawn from fixed colours: id 0 points up
// (or left), id 1 down (or right); an arrow type of 1 (up) or 3 (left)
// points it that way whatever its id.
class ScrollbuttonWidget : public ButtonWidget {
public:
    ScrollbuttonWidget(int32_t id, ButtonListener* listener) : ButtonWidget(id, listener) {}

    void Draw(Graphics* g) override;

    bool mHorizontal = false;
    int32_t mArrowType = 0;
};

} // namespace Kavo
