#include "platform/headless/recording_dialog_presenter.h"

namespace platform {

std::string RecordingDialogPresenter::Run(const DialogLayout& layout) {
    std::lock_guard lock(mMutex);
    mShown.push_back(layout);
    for (auto control = layout.controls.rbegin(); control != layout.controls.rend(); ++control) {
        if (control->kind == DialogControl::Kind::Button && control->enabled)
            return control->text;
    }
    return {};
}

std::vector<DialogLayout> RecordingDialogPresenter::Shown() const {
    std::lock_guard lock(mMutex);
    return mShown;
}

} // namespace platform
