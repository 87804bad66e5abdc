#pragma once
// The framework controls that layouts make, each owning the images its look
// loaded from files (resource images stay shared).

#include <array>
#include <cstdint>
#include <memory>

#include "framework/widget/button_widget.h"
#include "framework/widget/checkbox.h"
#include "framework/widget/dialog_button.h"
#include "framework/widget/slider.h"
#include "game/ui/control_resources.h"

namespace Game {

// Up to four images a control loaded from files.
class OwnedControlImages {
public:
    // The image, kept here when the control owns it.
    Kavo::Image* Keep(size_t slot, ControlImage image) {
        mImages.at(slot) = std::move(image.owned);
        return image.image;
    }
    void Clear() {
        for (auto& image : mImages)
            image.reset();
    }

private:
    std::array<std::unique_ptr<Kavo::Image>, 4> mImages;
};

class LayoutDialogButton : public Kavo::DialogButton {
public:
    LayoutDialogButton(int32_t id, Kavo::ButtonListener* listener) : DialogButton(nullptr, id, listener) {}
    // Slots 0 to 3: normal, over, down, disabled; the component image is
    // kept in slot 0 (it replaces the four).
    OwnedControlImages mOwnedImages;
};

class LayoutButton : public Kavo::ButtonWidget {
public:
    LayoutButton(int32_t id, Kavo::ButtonListener* listener) : ButtonWidget(id, listener) {}
    OwnedControlImages mOwnedImages;
};

class LayoutCheckbox : public Kavo::Checkbox {
public:
    LayoutCheckbox(int32_t id, Kavo::CheckboxListener* listener) : Checkbox(nullptr, nullptr, id, listener) {}
    OwnedControlImages mOwnedImages;
};

class LayoutSlider : public Kavo::Slider {
public:
    LayoutSlider(int32_t id, Kavo::SliderListener* listener) : Slider(nullptr, nullptr, id, listener) {}
    OwnedControlImages mOwnedImages;
};

} // namespace Game
