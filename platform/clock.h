#pragma once
// Time as the program sees it: a 32-bit millisecond tick that wraps after
// about 49.7 days, a high-resolution counter, and sleeping. The clock lives
// in a ProcessSlot so tests can install a virtual clock, in which a sleep
// moves time forward at once instead of waiting; with nothing installed the
// system clock runs.

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/process_slot.h"

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Microseconds since an arbitrary start; never decreases.
    virtual std::uint64_t Microseconds() const = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // True when time moves only when told (waits advance it instead of blocking).
    virtual bool IsVirtual() const = 0;
};

// Real time from the monotonic clock.
class SystemClock final : public Clock {
public:
    std::uint64_t Microseconds() const override;
    void Sleep(std::uint32_t milliseconds) override;
    bool IsVirtual() const override { return false; }
};

// Time that moves only when told: Sleep(n) and Advance(n) add n ms.
// Thread-safe; a sleep yields the processor so polling threads progress.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(std::uint64_t startMilliseconds = 0) : mMicroseconds(startMilliseconds * 1000) {}
    std::uint64_t Microseconds() const override { return mMicroseconds.load(); }
    void Sleep(std::uint32_t milliseconds) override;
    bool IsVirtual() const override { return true; }
    void Advance(std::uint32_t milliseconds) { mMicroseconds += std::uint64_t{milliseconds} * 1000; }
    void AdvanceMicroseconds(std::uint64_t microseconds) { mMicroseconds += microseconds; }

private:
    std::atomic<std::uint64_t> mMicroseconds;
};

ProcessSlot<Clock>& ClockSlot();
// The installed clock, or the system clock; held for the length of a call.
std::shared_ptr<Clock> GetClock();

// The millisecond tick (wraps at 2^32).
std::uint32_t GetTickMs();
// High-resolution counter and its ticks per second.
std::uint64_t GetPerformanceCounter();
std::uint64_t GetPerformanceFrequency();
void SleepMs(std::uint32_t milliseconds);

// A fresh virtual clock installed for the lifetime of this object.
class ScopedVirtualClock {
public:
    explicit ScopedVirtualClock(std::uint64_t startMilliseconds = 0)
        : mClock(std::make_shared<VirtualClock>(startMilliseconds)), mInstalled(ClockSlot(), mClock) {}
    ScopedVirtualClock(const ScopedVirtualClock&) = delete;
    ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;
    VirtualClock& Get() { return *mClock; }

private:
    std::shared_ptr<VirtualClock> mClock;
    Installed<Clock> mInstalled;
};

} // namespace platform
