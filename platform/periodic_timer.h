#pragma once
// A timer that signals an auto-reset Event every period on the platform
// clock, so a thread can wait for its ticks among other events. Under a
// virtual clock it fires as the clock is moved on (its thread looks at the
// clock every millisecond of real time); periods that pass while nobody
// waits fold into one signal.

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/threads.h"

namespace platform {

class PeriodicTimer {
public:
    PeriodicTimer() = default;
    ~PeriodicTimer(); // stops
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // First signal one period from now, then every period (at least 1 ms).
    // A running timer starts over with the new period.
    void Start(std::uint32_t periodMs);
    // No signal after this returns; one already given stays until taken.
    void Stop();
    bool IsRunning() const { return mThread.IsStarted(); }

    Event& Signal() { return mEvent; }

private:
    void Run(std::uint64_t periodUs, std::uint64_t firstDue);

    Event mEvent{false, false};
    std::mutex mMutex; // guards mStop
    std::condition_variable mStopChanged;
    bool mStop = false;
    Thread mThread;
};

} // namespace platform
