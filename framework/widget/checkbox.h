#pragma once

#include <cstdint>

#include "framework/util/color.h"
#include "framework/util/rect.h"
#include "framework/widget/widget.h"

namespace Kavo {

class CheckboxListener;
class Image;

// A two-state box that toggles on every press of any button, drawn from its
// two images, from two parts of the unchecked image used as a sheet, or from
// colours when it has no image.
class Checkbox : public Widget {
public:
    Checkbox(Image* uncheckedImage, Image* checkedImage, int32_t id, CheckboxListener* listener);

    virtual void SetChecked(bool checked, bool notify = true);
    virtual bool IsChecked();

    void Draw(Graphics* g) override;
    void MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;

    CheckboxListener* mListener;
    int32_t mId;
    bool mChecked = false;
    Image* mUncheckedImage;
    Image* mCheckedImage;
    IntRect mCheckedRect;   // inside the unchecked image; width 0 when not set
    IntRect mUncheckedRect; // likewise
    Color mOutlineColor{255, 255, 255, 255};
    Color mInsideColor{80, 80, 80, 255};
    Color mCheckColor{255, 255, 0, 255};
};

} // namespace Kavo
