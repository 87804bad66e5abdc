#include "framework/util/stop_watch.h"

#include "platform/clock.h"

namespace Kavo {

void StopWatch::Start() {
    mStart = platform::GetPerformanceCounter();
}

double StopWatch::Stop() {
    const std::uint64_t elapsed = platform::GetPerformanceCounter() - mStart;
    mDuration = static_cast<double>(elapsed) * 1000.0 / static_cast<double>(platform::GetPerformanceFrequency());
    return mDuration;
}

} // namespace Kavo
