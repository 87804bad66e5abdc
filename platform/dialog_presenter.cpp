#include "platform/dialog_presenter.h"

namespace platform {

ProcessSlot<DialogPresenter>& DialogPresenterSlot() {
    static ProcessSlot<DialogPresenter> slot;
    return slot;
}

} // namespace platform
