#pragma once
// Fixed-layout dialogs on SDL2, shown as SDL message boxes: the caption as
// the title, the text boxes' texts one after another as the message, and
// the enabled buttons in layout order. The default button answers Enter;
// the last button (the way out) answers Escape. SDL's boxes take no typed
// text and run no timer, so an editable box gives back its text unchanged
// and a polled dialog is not shown while its poll runs.

#include <string>
#include <vector>

#include "platform/dialog_presenter.h"

namespace platform {

struct SdlDialogBox {
    struct Button {
        std::string text;
        bool enterDefault = false;
        bool escapeDefault = false;
    };
    std::string title;
    std::string message; // UTF-8
    std::vector<Button> buttons;
};

// What the layout shows as an SDL message box.
SdlDialogBox SdlDialogBoxFor(const DialogLayout& layout);

class SdlDialogPresenter final : public DialogPresenter {
public:
    // The pressed button's text; "" when the box could not be shown or was
    // closed without a button.
    std::string Run(const DialogLayout& layout) override;
};

} // namespace platform
