#pragma once
// Dialogs without a desktop: each layout is kept, and the dialog ends with
// a queued answer or else with its last enabled button (the way out), as if
// the user had pressed it. A polled dialog is ticked on the process clock
// until it ends; a queued answer is pressed at its first tick.

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/dialog_presenter.h"

namespace platform {

class RecordingDialogPresenter final : public DialogPresenter {
public:
    struct Answer {
        std::string button;
        std::string typed; // the text left in the first editable box
    };

    std::string Run(const DialogLayout& layout) override;
    std::string RunWithInput(const DialogLayout& layout, std::string& entered) override;
    void RunPolled(const DialogLayout& layout, DialogPoll& poll) override;

    void QueueAnswer(Answer answer);
    std::vector<DialogLayout> Shown() const;
    // The texts the polled dialogs' layouts showed, one entry per change.
    std::vector<DialogLayout> PolledStates() const;

private:
    Answer Take(const DialogLayout& layout);

    mutable std::mutex mMutex;
    std::deque<Answer> mAnswers;
    std::vector<DialogLayout> mShown;
    std::vector<DialogLayout> mPolledStates;
};

} // namespace platform
