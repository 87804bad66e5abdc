#pragma once
// Waiting for whichever comes first: a message for the calling thread, one
// of a set of events, a window timer of the calling thread falling due, or
// the end of a time-out.
//
// With the real clock the wait blocks on a condition variable (it never
// spins). With a virtual clock a time-out or a timer does not wait at all:
// the clock is moved forward to it. Waiting for events or messages alone
// (no timer, no time-out) still blocks in real time, since only another
// thread can end it.

#include <cstdint>
#include <initializer_list>

#include "platform/threads.h"

namespace platform {

enum class WakeReason { Event, Message, Timer, Timeout };

struct WakeResult {
    WakeReason reason = WakeReason::Timeout;
    int eventIndex = -1; // for WakeReason::Event: the lowest index set (an auto-reset event is consumed)
};

// Events are looked at first, then queued messages (a posted message or a
// quit), then timers. A message already queued when the call starts ends it
// at once; the caller takes it out with PeekMessage.
WakeResult WaitForMessageOrEvents(Event* const* events, int count, std::uint32_t timeoutMs);
WakeResult WaitForMessageOrEvents(std::initializer_list<Event*> events, std::uint32_t timeoutMs);

} // namespace platform
