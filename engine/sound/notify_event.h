#pragma once
// The event a sound buffer signals at its notification positions, and the
// sound that owns it, so the worker knows whom a signal is for.

#include "platform/threads.h"

namespace Sound {

class Sound_t;

struct NotifyEvent {
    platform::Event event{true, false}; // manual reset: the owner resets it
    Sound_t* owner = nullptr;
};

} // namespace Sound
