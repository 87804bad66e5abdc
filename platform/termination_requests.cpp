#include "platform/termination_requests.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

namespace platform {
namespace {

// The pipe lives as long as the process: a handler running on another
// thread while the object goes away must never write to a closed (and
// perhaps reused) descriptor.
int gPipe[2] = {-1, -1};

// The byte that tells the listener to end; a signal writes its number.
constexpr char kQuit = 0;

void OpenPipeOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            gPipe[0] = gPipe[1] = -1;
    });
}

void OnSignal(int signal) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    if (gPipe[1] >= 0)
        (void)!write(gPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationRequests::TerminationRequests(std::function<void()> onRequest) : mOnRequest(std::move(onRequest)) {
    OpenPipeOnce();
    // Bytes left by a signal after the previous listener ended are not ours.
    char stale[64];
    while (gPipe[0] >= 0 && read(gPipe[0], stale, sizeof stale) > 0) {
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    // The first signal asks; the handler then falls back to the default,
    // so that a second one ends the process.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 2; ++i)
        sigaction(kSignals[i], &action, &mPrevious[i]);
    mListener = std::thread([this] { Listen(); });
}

TerminationRequests::~TerminationRequests() {
    for (int i = 0; i < 2; ++i)
        sigaction(kSignals[i], &mPrevious[i], nullptr);
    if (gPipe[1] >= 0)
        (void)!write(gPipe[1], &kQuit, 1);
    if (mListener.joinable())
        mListener.join();
}

void TerminationRequests::Listen() {
    if (gPipe[0] < 0)
        return;
    for (;;) {
        pollfd ready{gPipe[0], POLLIN, 0};
        if (poll(&ready, 1, -1) < 0 && errno != EINTR)
            return;
        char bytes[16];
        ssize_t count = 0;
        while ((count = read(gPipe[0], bytes, sizeof bytes)) > 0) {
            for (ssize_t i = 0; i < count; ++i) {
                if (bytes[i] == kQuit)
                    return;
                if (mOnRequest)
                    mOnRequest();
            }
        }
    }
}

} // namespace platform
