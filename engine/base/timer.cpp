#include "engine/base/timer.h"

#include "platform/clock.h"

platform::ProcessSlot<Timer_t> gEngineTimer;

namespace {

double CounterSeconds(std::uint64_t start, std::uint64_t now) {
    return (static_cast<double>(now) - static_cast<double>(start)) /
           static_cast<double>(platform::GetPerformanceFrequency());
}

} // namespace

void ExactTimer_t::Reset() {
    mStart = platform::GetPerformanceCounter();
}

double ExactTimer_t::Elapsed() {
    return CounterSeconds(mStart, platform::GetPerformanceCounter());
}

double ExactTimer_t::Lap() {
    const std::uint64_t now = platform::GetPerformanceCounter();
    const double elapsed = CounterSeconds(mStart, now);
    mStart = now;
    return elapsed;
}

namespace {

// The tick wraps after 49.7 days; one wrap between two reads is absorbed by
// taking the difference as unsigned. The factor is the single-precision
// 0.001, as the engine has always scaled it.
double TickSeconds(std::uint32_t start, std::uint32_t now) {
    const std::uint32_t difference = now - start;
    return static_cast<double>(difference) * static_cast<double>(0.001f);
}

} // namespace

void SimpleTimer_t::Reset() {
    mStart = platform::GetTickMs();
}

double SimpleTimer_t::Elapsed() {
    return TickSeconds(mStart, platform::GetTickMs());
}

double SimpleTimer_t::Lap() {
    const std::uint32_t now = platform::GetTickMs();
    const double elapsed = TickSeconds(mStart, now);
    mStart = now;
    return elapsed;
}

Timer_t::Timer_t(Kind kind) {
    if (kind == Kind::Simple)
        mImpl = std::make_unique<SimpleTimer_t>();
    else
        mImpl = std::make_unique<ExactTimer_t>();
    mImpl->Reset();
}
