#pragma once
// Sending a crash report: the "Error Details" window where the user
// describes what happened, then the "Submitting Report" window that follows
// the upload (made on a thread of its own) until it is done, aborted or
// given up after a failed connection.

#include <functional>
#include <string>

#include "framework/app/crash_upload.h"
#include "platform/dialog_layout.h"
#include "platform/dialog_presenter.h"
#include "platform/threads.h"

namespace Kavo {

class HTTPTransfer;

inline constexpr char kCrashContinueButton[] = "Continue";
inline constexpr char kCrashAbortButton[] = "Abort";
// The most bytes of the user's description that are sent.
inline constexpr size_t kCrashUserTextLimit = 8192;

platform::DialogLayout BuildSubmitInfoLayout(bool hasApplication);
platform::DialogLayout BuildSubmitProgressLayout();
// "Please Wait" followed by (tick mod 10) copies of " .".
std::string SubmitProgressText(int tick);

// Runs the two windows on the calling thread. makeUpload is called on the
// upload thread with the user's text and gives what to send. False when the
// user left before anything was sent.
class CrashReportSubmitter {
public:
    using UploadMaker = std::function<CrashUpload(const std::string& userText)>;

    CrashReportSubmitter(platform::DialogPresenter& presenter, HTTPTransfer& transfer, std::string host,
                         UploadMaker makeUpload);
    ~CrashReportSubmitter();
    CrashReportSubmitter(const CrashReportSubmitter&) = delete;
    CrashReportSubmitter& operator=(const CrashReportSubmitter&) = delete;

    // hasApplication enables "Continue". The user's text is kept in userText.
    bool Run(bool hasApplication, std::string& userText);

private:
    class ProgressPoll;

    void StartUpload();

    platform::DialogPresenter& mPresenter;
    HTTPTransfer& mTransfer;
    std::string mHost;
    UploadMaker mMakeUpload;
    std::string mUserText;
    platform::Thread mUploadThread;
};

} // namespace Kavo
