#pragma once
// One SDL input event (key, typed text, mouse move, button, wheel) for a
// window, handed to the window layer's Inject calls as the messages the
// system would post: virtual-key codes, Windows-1251 characters, client
// coordinates, double clicks for classes that ask for them, and wheel
// turns in units of 120.

#include <SDL.h>

#include "platform/sdl/letterbox.h"
#include "platform/window.h"

namespace platform {

// `view` maps the SDL window's coordinates to the client area. Events of
// other kinds are ignored.
void TranslateSdlInput(const SDL_Event& event, WindowHandle window, const Letterbox& view);

} // namespace platform
