#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace platform {

std::uint64_t SystemClock::Microseconds() const {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

void SystemClock::Sleep(std::uint32_t milliseconds) {
    if (milliseconds == 0) {
        std::this_thread::yield();
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

void VirtualClock::Sleep(std::uint32_t milliseconds) {
    Advance(milliseconds);
    std::this_thread::yield();
}

ProcessSlot<Clock>& ClockSlot() {
    static ProcessSlot<Clock> slot;
    return slot;
}

std::shared_ptr<Clock> GetClock() {
    if (auto installed = ClockSlot().Get())
        return installed;
    static SystemClock* systemClock = new SystemClock; // lives to the end of the process
    return Unowned<Clock>(*systemClock);
}

std::uint32_t GetTickMs() {
    return static_cast<std::uint32_t>(GetClock()->Microseconds() / 1000);
}

std::uint64_t GetPerformanceCounter() {
    return GetClock()->Microseconds();
}

std::uint64_t GetPerformanceFrequency() {
    return 1000000;
}

void SleepMs(std::uint32_t milliseconds) {
    GetClock()->Sleep(milliseconds);
}

} // namespace platform
