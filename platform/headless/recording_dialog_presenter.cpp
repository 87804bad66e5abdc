#include "platform/headless/recording_dialog_presenter.h"

#include <chrono>
#include <thread>

#include "platform/clock.h"

namespace platform {

namespace {

bool SameTexts(const DialogLayout& a, const DialogLayout& b) {
    if (a.controls.size() != b.controls.size())
        return false;
    for (size_t i = 0; i < a.controls.size(); ++i) {
        if (a.controls[i].text != b.controls[i].text)
            return false;
    }
    return true;
}

} // namespace

RecordingDialogPresenter::Answer RecordingDialogPresenter::Take(const DialogLayout& layout) {
    std::lock_guard lock(mMutex);
    mShown.push_back(layout);
    if (!mAnswers.empty()) {
        Answer answer = std::move(mAnswers.front());
        mAnswers.pop_front();
        return answer;
    }
    Answer answer;
    if (const DialogControl* box = FirstEditableBox(layout))
        answer.typed = box->text;
    for (auto control = layout.controls.rbegin(); control != layout.controls.rend(); ++control) {
        if (control->kind == DialogControl::Kind::Button && control->enabled) {
            answer.button = control->text;
            break;
        }
    }
    return answer;
}

std::string RecordingDialogPresenter::Run(const DialogLayout& layout) {
    return Take(layout).button;
}

std::string RecordingDialogPresenter::RunWithInput(const DialogLayout& layout, std::string& entered) {
    Answer answer = Take(layout);
    entered = std::move(answer.typed);
    return answer.button;
}

void RecordingDialogPresenter::RunPolled(const DialogLayout& layout, DialogPoll& poll) {
    bool pressQueued = false;
    std::string button;
    {
        std::lock_guard lock(mMutex);
        mShown.push_back(layout);
        if (!mAnswers.empty()) {
            pressQueued = true;
            button = std::move(mAnswers.front().button);
            mAnswers.pop_front();
        }
    }
    DialogLayout shown = layout;
    DialogLayout last = layout;
    for (bool first = true;; first = false) {
        if (first && pressQueued)
            poll.Pressed(button);
        if (!poll.Tick(shown))
            break;
        if (!SameTexts(shown, last)) {
            std::lock_guard lock(mMutex);
            mPolledStates.push_back(shown);
            last = shown;
        }
        SleepMs(kDialogPollMs);
        // The clock may be virtual while what is polled runs in real time.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void RecordingDialogPresenter::QueueAnswer(Answer answer) {
    std::lock_guard lock(mMutex);
    mAnswers.push_back(std::move(answer));
}

std::vector<DialogLayout> RecordingDialogPresenter::Shown() const {
    std::lock_guard lock(mMutex);
    return mShown;
}

std::vector<DialogLayout> RecordingDialogPresenter::PolledStates() const {
    std::lock_guard lock(mMutex);
    return mPolledStates;
}

} // namespace platform
