#include "platform/periodic_timer.h"

#include <algorithm>
#include <chrono>

#include "platform/clock.h"

namespace platform {

PeriodicTimer::~PeriodicTimer() {
    Stop();
}

void PeriodicTimer::Start(std::uint32_t periodMs) {
    Stop();
    {
        std::lock_guard lock(mMutex);
        mStop = false;
    }
    const std::uint64_t periodUs = std::uint64_t{std::max<std::uint32_t>(periodMs, 1)} * 1000;
    // The first period counts from now, not from whenever the thread gets going.
    const std::uint64_t firstDue = GetClock()->Microseconds() + periodUs;
    mThread.Start([this, periodUs, firstDue] { Run(periodUs, firstDue); });
}

void PeriodicTimer::Stop() {
    {
        std::lock_guard lock(mMutex);
        mStop = true;
    }
    mStopChanged.notify_all();
    mThread.Join();
}

void PeriodicTimer::Run(std::uint64_t periodUs, std::uint64_t due) {
    std::unique_lock lock(mMutex);
    while (!mStop) {
        const std::shared_ptr<Clock> clock = GetClock();
        const std::uint64_t now = clock->Microseconds();
        if (now >= due) {
            mEvent.Set();
            due += periodUs;
            if (due <= now)
                due = now + periodUs; // missed periods fold into the one signal
            continue;
        }
        // A virtual clock moves without telling anyone, so it is looked at
        // again after a millisecond; real time is waited out.
        const std::uint64_t waitUs = clock->IsVirtual() ? 1000 : due - now;
        mStopChanged.wait_for(lock, std::chrono::microseconds(waitUs), [this] { return mStop; });
    }
}

} // namespace platform
