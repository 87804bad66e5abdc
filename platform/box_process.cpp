#include "platform/box_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <vector>

namespace platform {
namespace {

// Of the thread showing a box, and so also of the copy of that thread which
// is the only thread of a process it forks.
thread_local bool tShowing = false;
thread_local pid_t tProgram = 0;            // the program's process number
thread_local int tNumberPipe[2] = {-1, -1}; // the forked process tells its number here
thread_local int tOwnProcess = -1;          // a process descriptor of the latest process forked

std::once_flag gForkHandlers;
std::mutex gStateMutex; // guards gEnding and gBoxProcesses
bool gEnding = false;
std::vector<int> gBoxProcesses; // process descriptors of the processes of boxes being shown

// The system calls themselves, for C libraries without their wrappers.
int OpenProcess(pid_t pid) {
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}
void KillProcess(int process) {
    syscall(SYS_pidfd_send_signal, process, SIGKILL, nullptr, 0);
}

void BeforeFork() {
    if (tShowing && pipe2(tNumberPipe, O_CLOEXEC) != 0)
        tNumberPipe[0] = tNumberPipe[1] = -1;
}

// Async-signal-safe calls only: the program's other threads are gone here,
// and the locks they held stay held.
void InForkedProcess() {
    if (!tShowing)
        return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The program ended before the line above: nobody waits for this box.
    if (getppid() != tProgram)
        _exit(1);
    // The program's handlers would take a request to end, or a fault, of
    // this process for the program's own.
    for (int signal = 1; signal < NSIG; ++signal) {
        struct sigaction now {};
        if (signal == SIGKILL || signal == SIGSTOP || sigaction(signal, nullptr, &now) != 0)
            continue;
        if (now.sa_handler != SIG_DFL && now.sa_handler != SIG_IGN) {
            now.sa_handler = SIG_DFL;
            now.sa_flags = 0;
            sigaction(signal, &now, nullptr);
        }
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (tNumberPipe[1] >= 0) {
        const pid_t self = getpid();
        (void)!write(tNumberPipe[1], &self, sizeof self);
        close(tNumberPipe[1]);
        close(tNumberPipe[0]);
    }
}

void Forget(int process) {
    gBoxProcesses.erase(std::remove(gBoxProcesses.begin(), gBoxProcesses.end(), process), gBoxProcesses.end());
    close(process);
}

void AfterFork() {
    if (!tShowing || tNumberPipe[0] < 0)
        return;
    close(tNumberPipe[1]);
    // The forked process writes its number first thing, or dies before it
    // can (the pipe then ends). It is not waited for until this returns, so
    // the number is still its own when the descriptor is made.
    pid_t child = 0;
    pollfd ready{tNumberPipe[0], POLLIN, 0};
    int polled = 0;
    while ((polled = poll(&ready, 1, 10000)) < 0 && errno == EINTR) {
    }
    if (polled <= 0 || read(tNumberPipe[0], &child, sizeof child) != sizeof child)
        child = 0;
    close(tNumberPipe[0]);
    tNumberPipe[0] = tNumberPipe[1] = -1;
    const std::lock_guard<std::mutex> lock(gStateMutex);
    // The thread's earlier process (a box program that could not start) has
    // been waited for before this one was forked.
    if (tOwnProcess >= 0)
        Forget(tOwnProcess);
    tOwnProcess = child > 0 ? OpenProcess(child) : -1;
    if (tOwnProcess < 0)
        return;
    gBoxProcesses.push_back(tOwnProcess);
    if (gEnding)
        KillProcess(tOwnProcess);
}

bool Ending() {
    const std::lock_guard<std::mutex> lock(gStateMutex);
    return gEnding;
}

} // namespace

int RunBoxProcess(const std::function<int()>& show) {
    std::call_once(gForkHandlers, [] { pthread_atfork(BeforeFork, AfterFork, InForkedProcess); });
    if (Ending())
        return -1;
    tProgram = getpid();
    tShowing = true;
    const int result = show();
    tShowing = false;
    const std::lock_guard<std::mutex> lock(gStateMutex);
    if (tOwnProcess >= 0)
        Forget(tOwnProcess);
    tOwnProcess = -1;
    return gEnding ? -1 : result;
}

void EndBoxProcesses() {
    const std::lock_guard<std::mutex> lock(gStateMutex);
    gEnding = true;
    for (const int process : gBoxProcesses)
        KillProcess(process);
}

} // namespace platform
