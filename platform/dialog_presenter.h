#pragma once
// Shows a DialogLayout modally and tells which button ended it. A window
// that is closed without a button gives "".

#include <string>

#include "platform/dialog_layout.h"
#include "platform/process_slot.h"

namespace platform {

// What keeps a polled dialog up (RunPolled): its buttons do not end it, the
// poll does.
class DialogPoll {
public:
    virtual ~DialogPoll() = default;
    // A button was pressed, or "" when the window was asked to close.
    virtual void Pressed(const std::string& button) = 0;
    // Called about every kDialogPollMs while the dialog is up; may change the
    // texts of the layout's controls. False ends the dialog.
    virtual bool Tick(DialogLayout& layout) = 0;
};

inline constexpr unsigned kDialogPollMs = 20;

class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    virtual std::string Run(const DialogLayout& layout) = 0;
    // Like Run, and gives back what the user typed into the layout's first
    // editable text box. The default shows the dialog with Run and gives back
    // the box's text as it was.
    virtual std::string RunWithInput(const DialogLayout& layout, std::string& entered);
    // Shows the layout until the poll's Tick returns false. The default,
    // for presenters without their own loop, only ticks.
    virtual void RunPolled(const DialogLayout& layout, DialogPoll& poll);
};

// The first editable text box of the layout, or null.
const DialogControl* FirstEditableBox(const DialogLayout& layout);

// Empty unless the program or a test installs a presenter; with none, a
// dialog is not shown.
ProcessSlot<DialogPresenter>& DialogPresenterSlot();

} // namespace platform
