#include "framework/util/cpu_ticks.h"

#include <atomic>
#include <chrono>
#include <typeinfo>

#include "platform/clock.h"

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace Kavo {
namespace {

bool OnSystemClock() {
    const std::shared_ptr<platform::Clock> clock = platform::GetClock();
    const platform::Clock& installed = *clock; // a plain reference: typeid then has no side effects to warn of
    return typeid(installed) == typeid(platform::SystemClock);
}

std::uint64_t ReadHardwareCounter() {
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

// The system clock's measured rate; 0 until measured. A plain cache of a
// machine constant: any thread may fill it, all fill it alike.
std::atomic<std::uint64_t> gSystemTicksPerSecond{0};

} // namespace

std::uint64_t ReadTimeStampCounter() {
    return OnSystemClock() ? ReadHardwareCounter() : platform::GetClock()->Microseconds();
}

std::uint64_t MeasureCpuTicksPerSecond() {
    const std::uint64_t frequency = platform::GetPerformanceFrequency();
    if (frequency == 0)
        return 0;
    const std::uint64_t counterStart = platform::GetPerformanceCounter();
    const std::uint64_t target = counterStart + frequency / 100;
    const std::uint64_t ticksStart = ReadTimeStampCounter();
    std::uint64_t counterNow = counterStart;
    // Sleeping in 1 ms steps instead of spinning lets a virtual clock move
    // on; the rate is taken over the interval that really passed.
    while (counterNow < target) {
        platform::SleepMs(1);
        counterNow = platform::GetPerformanceCounter();
    }
    const std::uint64_t ticks = ReadTimeStampCounter() - ticksStart;
    return static_cast<std::uint64_t>(static_cast<double>(ticks) * static_cast<double>(frequency) /
                                      static_cast<double>(counterNow - counterStart));
}

std::uint64_t GetCpuTicksPerSecond() {
    if (!OnSystemClock()) {
        const std::uint64_t measured = MeasureCpuTicksPerSecond();
        return measured < 1 ? 1 : measured;
    }
    std::uint64_t cached = gSystemTicksPerSecond.load(std::memory_order_relaxed);
    if (cached == 0) {
        const std::uint64_t measured = MeasureCpuTicksPerSecond();
        cached = measured < 1 ? 1 : measured;
        gSystemTicksPerSecond.store(cached, std::memory_order_relaxed);
    }
    return cached;
}

} // namespace Kavo
