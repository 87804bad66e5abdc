#pragma once
// Leads every fault that nothing else handles into one crash report. The
// fault signals (segmentation fault, bus error, illegal instruction,
// arithmetic fault, trap, abort) and std::terminate are mapped onto the
// exception codes of the report; the report is written to "crash.txt" in
// the current folder, a demo being recorded is finished, and the "Fatal
// Error!" window shows the report. The process then ends with the signal.
//
// The application installs one CrashCatcher in CrashCatcherSlot() and calls
// InstallHandlers(); the catcher's destructor puts the previous handlers back.

#include <signal.h>

#include <atomic>
#include <exception>
#include <string>
#include <vector>

#include "framework/app/crash_report.h"
#include "framework/app/crash_upload.h"
#include "platform/process_slot.h"

namespace platform {
class DialogPresenter;
}

namespace Kavo {

class KavoAppBase;

class CrashCatcher {
public:
    CrashCatcher() = default;
    ~CrashCatcher();
    CrashCatcher(const CrashCatcher&) = delete;
    CrashCatcher& operator=(const CrashCatcher&) = delete;

    // Takes the fault signals and std::terminate; the previous handlers are
    // kept and restored by the destructor. Also gives the installing thread
    // a stack of its own for signals, so that a stack overflow is reported.
    void InstallHandlers();
    void RestoreHandlers();

    // The whole crash sequence for a fault described by context, on the
    // crashing thread: report, "crash.txt", demo, window. Returns the report.
    CrashReport BuildReport(const CrashContext& context);

    // The "Fatal Error!" window and, when sending is offered and chosen,
    // the windows that send the report.
    void RunWindows(platform::DialogPresenter& presenter, KavoAppBase* app);
    // What the upload sends: the application's fields, product and version,
    // the report and, when attached, the demo file's bytes.
    CrashUpload MakeUpload(KavoAppBase* app, const std::string& userText) const;

    // Settings. Nothing in the program sets a submit host, so the window
    // offers "Close Now" alone.
    bool mShowWindow = true;
    bool mAllowSending = true;
    std::string mSubmitHost;

    // What BuildReport left for an upload.
    std::string mErrorTitle;
    std::string mErrorText;
    std::string mUserText;
    std::string mDemoFileName;
    bool mAttachDemo = false;

    // Called by the signal and terminate handlers.
    void OnSignal(int signal, siginfo_t* info, void* ucontext);
    void OnTerminate();
    // A crash asked for on purpose (the "-crash" option): reported as an
    // access violation at the caller, then the process ends with SIGSEGV.
    [[noreturn]] void CrashOnRequest();

private:
    // The crash sequence for a fault raised by the calling thread itself.
    void ReportHere(uint32_t code, uintptr_t address);

    static constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGABRT};
    static constexpr int kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);

    // The first crash takes the report; one during it (a fault inside the
    // report, or another thread) ends the process at once.
    std::atomic<bool> mInCrash{false};
    bool mInstalled = false;
    struct sigaction mPrevious[kSignalCount] = {};
    std::terminate_handler mPreviousTerminate = nullptr;
    std::vector<char> mSignalStack;
    stack_t mPreviousSignalStack = {};
};

platform::ProcessSlot<CrashCatcher>& CrashCatcherSlot();

// Faults on the calling thread as an access violation, which the installed
// catcher reports like any other.
[[noreturn]] void CrashNow();

} // namespace Kavo
