#include "framework/app/crash_submit.h"

#include "framework/app/http_transfer.h"
#include "platform/clock.h"
#include "platform/message_box.h"

namespace Kavo {

namespace {

constexpr uint32_t kProgressStepMs = 1000;

platform::DialogControl Box(std::string text, int x, int y, int width, int height, const char* font) {
    platform::DialogControl box;
    box.kind = platform::DialogControl::Kind::TextBox;
    box.text = std::move(text);
    box.x = x;
    box.y = y;
    box.width = width;
    box.height = height;
    box.font = font;
    return box;
}

platform::DialogControl Button(std::string text, int x, int y, int width, int height, const char* font) {
    platform::DialogControl button = Box(std::move(text), x, y, width, height, font);
    button.kind = platform::DialogControl::Kind::Button;
    button.readOnly = false;
    return button;
}

} // namespace

platform::DialogLayout BuildSubmitInfoLayout(bool hasApplication) {
    platform::DialogLayout layout;
    layout.className = "SubmitInfoWindow";
    layout.caption = "Error Details";
    layout.x = 80;
    layout.y = 80;
    layout.clientWidth = 400;
    layout.clientHeight = 300;
    layout.controls.push_back(Box("Please help out by providing as much information as you can about this crash.", 8, 8,
                                  384, 84, "Arial 9 bold"));
    platform::DialogControl entry = Box("", 8, 92, 384, 168, "Tahoma 8");
    entry.readOnly = false;
    entry.border = true;
    entry.verticalScroll = true;
    layout.controls.push_back(entry);
    platform::DialogControl next = Button(kCrashContinueButton, 8, 268, 188, 24, "Arial 9 bold");
    next.isDefault = true;
    next.enabled = hasApplication;
    layout.controls.push_back(next);
    layout.controls.push_back(Button(kCrashAbortButton, 204, 268, 188, 24, "Arial 9 bold"));
    return layout;
}

platform::DialogLayout BuildSubmitProgressLayout() {
    platform::DialogLayout layout;
    layout.className = "SEHProgressWindow";
    layout.caption = "Submitting Report";
    layout.x = 64;
    layout.y = 64;
    layout.clientWidth = 240;
    layout.clientHeight = 64;
    layout.controls.push_back(Box(SubmitProgressText(0), 24, 10, 224, 24, "Tahoma 10 bold"));
    layout.controls.push_back(Button(kCrashAbortButton, 72, 36, 96, 22, "Tahoma 8"));
    return layout;
}

std::string SubmitProgressText(int tick) {
    std::string text = "Please Wait";
    for (int i = 0; i < tick % 10; ++i)
        text += " .";
    return text;
}

// Follows the transfer: Abort or closing asks it to stop; a failure offers
// to try again; done or aborted ends the window.
class CrashReportSubmitter::ProgressPoll final : public platform::DialogPoll {
public:
    explicit ProgressPoll(CrashReportSubmitter& owner) : mOwner(owner), mLastStep(platform::GetTickMs()) {}

    void Pressed(const std::string&) override {
        mAbortRequested = true;
        mOwner.mTransfer.RequestStop(true);
    }

    bool Tick(platform::DialogLayout& layout) override {
        const uint32_t now = platform::GetTickMs();
        if (now - mLastStep >= kProgressStepMs) {
            mLastStep = now;
            layout.controls[0].text = SubmitProgressText(++mTick);
        }
        HTTPTransfer& transfer = mOwner.mTransfer;
        transfer.UpdateStatus();
        const int32_t result = transfer.GetResult();
        if (result == HTTPTransfer::kResultIdle || result == HTTPTransfer::kResultRunning) {
            // Asked again: a request still being prepared clears an earlier stop.
            if (mAbortRequested)
                transfer.RequestStop(true);
            return true;
        }
        if (result == HTTPTransfer::kResultDone || result == HTTPTransfer::kResultAborted)
            return false;
        transfer.Reset();
        if (platform::ShowMessageBox(nullptr, "Failed to connect to server.", "Connection Failed",
                                     platform::kMbRetryCancel) != platform::kIdRetry)
            return false;
        mOwner.StartUpload();
        return true;
    }

private:
    CrashReportSubmitter& mOwner;
    uint32_t mLastStep;
    int mTick = 0;
    bool mAbortRequested = false;
};

CrashReportSubmitter::CrashReportSubmitter(platform::DialogPresenter& presenter, HTTPTransfer& transfer,
                                           std::string host, UploadMaker makeUpload)
    : mPresenter(presenter), mTransfer(transfer), mHost(std::move(host)), mMakeUpload(std::move(makeUpload)) {}

CrashReportSubmitter::~CrashReportSubmitter() {
    mUploadThread.Join();
}

bool CrashReportSubmitter::Run(bool hasApplication, std::string& userText) {
    std::string entered;
    if (mPresenter.RunWithInput(BuildSubmitInfoLayout(hasApplication), entered) != kCrashContinueButton ||
        !hasApplication)
        return false;
    mUserText = entered.substr(0, kCrashUserTextLimit);
    userText = mUserText;
    StartUpload();
    ProgressPoll poll(*this);
    mPresenter.RunPolled(BuildSubmitProgressLayout(), poll);
    // A stop asked for while the request was still being prepared.
    mUploadThread.Join();
    mTransfer.Reset();
    return true;
}

void CrashReportSubmitter::StartUpload() {
    mUploadThread.Join();
    mUploadThread.Start([this] { SubmitCrashReport(mTransfer, mHost, mMakeUpload(mUserText)); });
}

} // namespace Kavo
