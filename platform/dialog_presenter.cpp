#include "platform/dialog_presenter.h"

#include "platform/clock.h"

namespace platform {

std::string DialogPresenter::RunWithInput(const DialogLayout& layout, std::string& entered) {
    const DialogControl* box = FirstEditableBox(layout);
    entered = box != nullptr ? box->text : std::string();
    return Run(layout);
}

void DialogPresenter::RunPolled(const DialogLayout& layout, DialogPoll& poll) {
    DialogLayout shown = layout;
    while (poll.Tick(shown))
        SleepMs(kDialogPollMs);
}

const DialogControl* FirstEditableBox(const DialogLayout& layout) {
    for (const DialogControl& control : layout.controls) {
        if (control.kind == DialogControl::Kind::TextBox && !control.readOnly)
            return &control;
    }
    return nullptr;
}

ProcessSlot<DialogPresenter>& DialogPresenterSlot() {
    static ProcessSlot<DialogPresenter> slot;
    return slot;
}

} // namespace platform
