#pragma once

#include <cstdint>

#include "framework/widget/button_widget.h"

namespace Kavo {

// The button of framework dialogs: a nine-slice box from a component image
// whose label (and, without source rectangles, the whole box) moves by the
// down offset while pressed. Without a component image it draws as a
// colour-drawn button.
class DialogButton : public ButtonWidget {
public:
    DialogButton(Image* componentImage, int32_t id, ButtonListener* listener);

    void Draw(Graphics* g) override;

    Image* mComponentImage; // not owned
    int32_t mTranslateX = 1;
    int32_t mTranslateY = 1;
    int32_t mTextOffsetX = 0;
    int32_t mTextOffsetY = 0;
};

} // namespace Kavo
