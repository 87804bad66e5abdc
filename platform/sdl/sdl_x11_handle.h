#pragma once
// The X11 window under an SDL window, for what only the X server can tell
// (the size a window really has) and what only it can do (a test's real
// pointer and keys, a window manager's resize).

#include <SDL.h>

// Xlib's display, declared as Xlib declares it, so that this header asks
// for no X11 headers.
struct _XDisplay;

namespace platform {

// The window's display connection and X window id (Xlib's `Window`). False
// off X11, and in a build without X11.
bool X11WindowOf(SDL_Window* window, _XDisplay*& display, unsigned long& xwindow);

} // namespace platform
