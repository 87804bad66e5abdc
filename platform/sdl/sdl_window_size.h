#pragma once
// The size a window really has on the desktop. SDL answers with the size it
// asked for: a full-screen window is "desktop-sized" at once, although a
// desktop without a window manager leaves it as it was, and its renderer
// then draws into a surface larger than the window. On X11 the server is
// asked; elsewhere the renderer's output, which follows the size events.
// Only on the thread that owns the window.

#include <SDL.h>

namespace platform {

// False when neither the desktop nor the renderer can tell.
bool RealWindowSize(SDL_Window* window, SDL_Renderer* renderer, int& width, int& height);

} // namespace platform
