#pragma once
// Shows a DialogLayout modally and tells which button ended it. A window
// that is closed without a button gives "".

#include <string>

#include "platform/dialog_layout.h"
#include "platform/process_slot.h"

namespace platform {

class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    virtual std::string Run(const DialogLayout& layout) = 0;
};

// Empty unless the program or a test installs a presenter; with none, a
// dialog is not shown.
ProcessSlot<DialogPresenter>& DialogPresenterSlot();

} // namespace platform
