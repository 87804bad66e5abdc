#pragma once
// The profiler's time base: a fast counter of processor ticks and its rate.
//
// On the system clock the counter is the processor's time-stamp counter. On
// any other clock (a test's virtual clock) it is that clock's microseconds,
// so that profiles made on virtual time are exact and need no waiting.

#include <cstdint>

namespace Kavo {

std::uint64_t ReadTimeStampCounter();

// Counts the ticks of ReadTimeStampCounter during at least 10 ms of the
// performance counter and scales them to one second; 0 when the performance
// counter has no frequency.
std::uint64_t MeasureCpuTicksPerSecond();

// The rate of ReadTimeStampCounter, never less than 1. The system clock's
// rate is measured once and kept (the processor's counter does not change
// speed while the program runs); other clocks are measured on each call.
std::uint64_t GetCpuTicksPerSecond();

} // namespace Kavo
