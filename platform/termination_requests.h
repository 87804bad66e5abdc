#pragma once
// An orderly end when the process is asked to end (SIGTERM, or SIGINT from
// a terminal's Ctrl+C). The signal handler only writes a byte to a pipe,
// which is safe inside a handler; a thread of this object reads it and calls
// the given function there, which may ask the main loop to close. A second
// signal of the same kind ends the process as the system would, so a
// program that no longer closes can still be stopped.
//
// One object at a time takes the signals; its destructor puts the previous
// handlers back.

#include <signal.h>

#include <functional>
#include <thread>

namespace platform {

class TerminationRequests {
public:
    explicit TerminationRequests(std::function<void()> onRequest);
    ~TerminationRequests();
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

private:
    void Listen();

    static constexpr int kSignals[] = {SIGTERM, SIGINT};
    std::function<void()> mOnRequest;
    struct sigaction mPrevious[2] = {};
    std::thread mListener;
};

} // namespace platform
