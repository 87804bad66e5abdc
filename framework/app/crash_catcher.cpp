#include "framework/app/crash_catcher.h"

#include <execinfo.h>
#include <ucontext.h>

#include <cstdio>
#include <cstdlib>

#include "framework/app/crash_demo.h"
#include "framework/app/crash_exception_names.h"
#include "framework/app/crash_logical_address.h"
#include "framework/app/crash_map_file.h"
#include "framework/app/crash_submit.h"
#include "framework/app/crash_window.h"
#include "framework/app/http_transfer.h"
#include "framework/app/kavo_app_base.h"
#include "platform/dialog_presenter.h"
#include "platform/threads.h"

namespace Kavo {

namespace {

constexpr int kMaxFrames = 64;
constexpr size_t kSignalStackSize = 256 * 1024;
// A fault this close to the stack pointer is taken for a stack overflow.
constexpr uint64_t kStackOverflowReach = 64 * 1024;

void SignalEntry(int signal, siginfo_t* info, void* ucontext) {
    if (const auto catcher = CrashCatcherSlot().Get()) {
        catcher->OnSignal(signal, info, ucontext);
        return;
    }
    ::signal(signal, SIG_DFL);
    raise(signal);
}

void TerminateEntry() {
    if (const auto catcher = CrashCatcherSlot().Get())
        catcher->OnTerminate(); // ends the process
    std::abort();
}

CrashRegisters RegistersOf(const ucontext_t* context) {
    CrashRegisters r;
#if defined(__x86_64__)
    const greg_t* g = context->uc_mcontext.gregs;
    const auto at = [g](int index) { return static_cast<uint64_t>(g[index]); };
    r.rax = at(REG_RAX), r.rbx = at(REG_RBX), r.rcx = at(REG_RCX), r.rdx = at(REG_RDX);
    r.rsi = at(REG_RSI), r.rdi = at(REG_RDI);
    r.r8 = at(REG_R8), r.r9 = at(REG_R9), r.r10 = at(REG_R10), r.r11 = at(REG_R11);
    r.r12 = at(REG_R12), r.r13 = at(REG_R13), r.r14 = at(REG_R14), r.r15 = at(REG_R15);
    r.rip = at(REG_RIP), r.rsp = at(REG_RSP), r.rbp = at(REG_RBP);
    r.flags = static_cast<uint32_t>(at(REG_EFL));
    // cs, gs and fs share one slot, 16 bits each.
    r.cs = static_cast<uint16_t>(at(REG_CSGSFS));
    r.gs = static_cast<uint16_t>(at(REG_CSGSFS) >> 16);
    r.fs = static_cast<uint16_t>(at(REG_CSGSFS) >> 32);
#else
    (void)context;
#endif
    return r;
}

// The return addresses of the calling thread, starting at the faulting
// instruction when it is among them (so the handler's own frames drop out).
std::vector<uintptr_t> CurrentFrames(uintptr_t faultAddress, int skip) {
    void* addresses[kMaxFrames];
    const int count = backtrace(addresses, kMaxFrames);
    int first = skip < count ? skip : 0;
    for (int i = 0; i < count; ++i) {
        if (reinterpret_cast<uintptr_t>(addresses[i]) == faultAddress) {
            first = i;
            break;
        }
    }
    std::vector<uintptr_t> frames;
    for (int i = first; i < count; ++i)
        frames.push_back(reinterpret_cast<uintptr_t>(addresses[i]));
    return frames;
}

void HideApplication() {
    if (KavoAppBase* app = gAppBase)
        app->HideApp();
}

} // namespace

platform::ProcessSlot<CrashCatcher>& CrashCatcherSlot() {
    static platform::ProcessSlot<CrashCatcher> slot;
    return slot;
}

platform::ProcessSlot<CrashDemo>& CrashDemoSlot() {
    static platform::ProcessSlot<CrashDemo> slot;
    return slot;
}

CrashCatcher::~CrashCatcher() {
    RestoreHandlers();
}

void CrashCatcher::InstallHandlers() {
    if (mInstalled)
        return;
    // The first backtrace loads the unwinder; do it now rather than in a crash.
    void* warmUp[2];
    backtrace(warmUp, 2);

    mSignalStack.resize(kSignalStackSize);
    stack_t own{};
    own.ss_sp = mSignalStack.data();
    own.ss_size = mSignalStack.size();
    sigaltstack(&own, &mPreviousSignalStack);

    struct sigaction action {};
    action.sa_sigaction = SignalEntry;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &action, &mPrevious[i]);
    mPreviousTerminate = std::set_terminate(TerminateEntry);
    mInstalled = true;
}

void CrashCatcher::RestoreHandlers() {
    if (!mInstalled)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &mPrevious[i], nullptr);
    std::set_terminate(mPreviousTerminate);
    sigaltstack(&mPreviousSignalStack, nullptr);
    mInstalled = false;
}

void CrashCatcher::OnSignal(int signal, siginfo_t* info, void* ucontext) {
    if (!mInCrash.exchange(true)) {
        CrashContext context;
        context.registers = RegistersOf(static_cast<const ucontext_t*>(ucontext));
        context.address = context.registers.rip;
        const auto faultAt = reinterpret_cast<uintptr_t>(info->si_addr);
        const uint64_t stackPointer = context.registers.rsp;
        const bool nearStack =
            faultAt + kStackOverflowReach >= stackPointer && faultAt < stackPointer + kStackOverflowReach;
        context.code = ExceptionCodeForSignal(signal, info->si_code, signal == SIGSEGV && nearStack);
        context.threadId = platform::GetCurrentThreadId();
        context.frames = CurrentFrames(static_cast<uintptr_t>(context.address), 0);
        HideApplication();
        BuildReport(context);
    }
    // The process ends with the signal once the handler returns: the signal
    // is blocked while it runs, so the raised one waits until then.
    ::signal(signal, SIG_DFL);
    raise(signal);
}

void CrashCatcher::ReportHere(uint32_t code, uintptr_t address) {
    CrashContext context;
    ucontext_t here;
    getcontext(&here);
    context.registers = RegistersOf(&here);
    context.code = code;
    context.address = address;
    context.threadId = platform::GetCurrentThreadId();
    context.frames = CurrentFrames(static_cast<uintptr_t>(context.address), 2);
    HideApplication();
    BuildReport(context);
}

void CrashCatcher::OnTerminate() {
    if (!mInCrash.exchange(true))
        ReportHere(kExceptionCpp, reinterpret_cast<uintptr_t>(__builtin_return_address(0)));
    // abort() then finds the catcher busy and ends the process.
    if (mPreviousTerminate != nullptr && mPreviousTerminate != TerminateEntry)
        mPreviousTerminate();
    std::abort();
}

void CrashCatcher::CrashOnRequest() {
    if (!mInCrash.exchange(true))
        ReportHere(kExceptionAccessViolation, reinterpret_cast<uintptr_t>(__builtin_return_address(0)));
    // The process ends as it does after a fault.
    RestoreHandlers();
    ::signal(SIGSEGV, SIG_DFL);
    raise(SIGSEGV);
    std::abort();
}

CrashReport CrashCatcher::BuildReport(const CrashContext& context) {
    KavoAppBase* app = gAppBase;
    LogicalAddressFinder finder;
    CrashMapFile map;
    const bool hasMap = map.LoadFirstInFolder(".");
    const CrashReport report =
        BuildCrashReport(context, finder, app != nullptr ? app->GetCrashInfoText() : "", hasMap ? &map : nullptr);
    mErrorTitle = report.title;
    mErrorText = report.text;

    if (std::FILE* file = std::fopen("crash.txt", "wb")) {
        std::fwrite(report.text.data(), 1, report.text.size(), file);
        std::fputc('\n', file);
        std::fclose(file);
    }

    if (app != nullptr) {
        const auto demo = CrashDemoSlot().Get();
        mAttachDemo = demo != nullptr && demo->IsRecording();
        if (mAttachDemo) {
            mDemoFileName = demo->FinishRecording();
            mAttachDemo = !mDemoFileName.empty();
        }
        const std::string updateData = app->GetUpdateAppDataString();
        if (!updateData.empty()) {
            mDemoFileName = updateData;
            mAttachDemo = true;
        }
        app->mRecordingDemo = false;
        app->mPlayingDemo = false;
    }

    if (mShowWindow) {
        if (const auto presenter = platform::DialogPresenterSlot().Get())
            RunWindows(*presenter, app);
    }
    return report;
}

void CrashCatcher::RunWindows(platform::DialogPresenter& presenter, KavoAppBase* app) {
    const bool offerSending = mAllowSending && !mSubmitHost.empty();
    const std::string pressed = presenter.Run(BuildCrashWindowLayout(mErrorText, offerSending, app != nullptr));
    if (!offerSending || pressed != kCrashSendButton)
        return;
    HTTPTransfer transfer;
    CrashReportSubmitter submitter(presenter, transfer, mSubmitHost,
                                   [this, app](const std::string& userText) { return MakeUpload(app, userText); });
    submitter.Run(app != nullptr, mUserText);
}

CrashUpload CrashCatcher::MakeUpload(KavoAppBase* app, const std::string& userText) const {
    CrashUpload upload;
    upload.userText = userText;
    upload.errorTitle = mErrorTitle;
    upload.errorText = mErrorText;
    if (app == nullptr)
        return upload;
    app->AddCrashReportFields(upload.extraFields);
    upload.product = app->mProdName;
    upload.version = app->mProductVersion;
    if (mAttachDemo) {
        Buffer demo;
        app->LoadFileToBuffer(mDemoFileName, demo, true);
        upload.attachDemo = true;
        if (demo.GetDataLen() > 0)
            upload.demoBytes.assign(reinterpret_cast<const char*>(demo.GetDataPtr()), demo.GetDataLen());
    }
    return upload;
}

// Left out of the undefined-behaviour checks, which would stop the program
// before the fault that is wanted here.
__attribute__((no_sanitize("undefined"))) void CrashNow() {
    static volatile uintptr_t nowhere = 0;
    *reinterpret_cast<volatile int*>(nowhere) = 1;
    std::abort();
}

} // namespace Kavo
