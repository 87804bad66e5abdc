#pragma once
// Dialogs without a desktop: each layout is kept, and the dialog ends with
// its last button (the way out), as if the user had pressed it.

#include <mutex>
#include <string>
#include <vector>

#include "platform/dialog_presenter.h"

namespace platform {

class RecordingDialogPresenter final : public DialogPresenter {
public:
    std::string Run(const DialogLayout& layout) override;
    std::vector<DialogLayout> Shown() const;

private:
    mutable std::mutex mMutex;
    std::vector<DialogLayout> mShown;
};

} // namespace platform
