#include "platform/message_wait.h"

#include <algorithm>
#include <mutex>

#include "platform/clock.h"
#include "platform/window_state.h"

namespace platform {

using namespace window_state;

namespace {

std::uint32_t TimerDelay(ThreadId thread) {
    const std::uint32_t now = GetTickMs();
    std::lock_guard lock(S().mutex);
    return NextTimerDelay(thread, now);
}

} // namespace

WakeResult WaitForMessageOrEvents(Event* const* events, int count, std::uint32_t timeoutMs) {
    PumpDesktop();
    const ThreadId thread = GetCurrentThreadId();
    const auto clock = GetClock();
    const std::uint64_t start = clock->Microseconds();
    const auto hasMessage = [thread] {
        std::lock_guard lock(S().mutex);
        return HasQueuedInput(thread);
    };
    for (;;) {
        const std::uint32_t timerDelay = TimerDelay(thread);
        std::uint32_t remaining = kWaitInfinite;
        if (timeoutMs != kWaitInfinite) {
            const std::uint64_t elapsed = (clock->Microseconds() - start) / 1000;
            remaining = elapsed >= timeoutMs ? 0 : static_cast<std::uint32_t>(timeoutMs - elapsed);
        }
        const std::uint32_t wait = std::min(timerDelay, remaining);
        // Virtual time does not pass by itself: jump to the timer or the time-out.
        const bool jump = clock->IsVirtual() && wait != kWaitInfinite;
        const int index = WaitForAnyEventOr(events, count, jump ? 0 : wait, hasMessage);
        if (index >= 0)
            return {WakeReason::Event, index};
        if (index == kWaitOther)
            return {WakeReason::Message, -1};
        if (jump && wait > 0)
            clock->Sleep(wait);
        if (TimerDelay(thread) == 0)
            return {WakeReason::Timer, -1};
        if (timeoutMs != kWaitInfinite && (clock->Microseconds() - start) / 1000 >= timeoutMs)
            return {WakeReason::Timeout, -1};
        // Woken early (a timer was set, or the clock is coarser than the wait): look again.
    }
}

WakeResult WaitForMessageOrEvents(std::initializer_list<Event*> events, std::uint32_t timeoutMs) {
    return WaitForMessageOrEvents(events.begin(), static_cast<int>(events.size()), timeoutMs);
}

} // namespace platform
