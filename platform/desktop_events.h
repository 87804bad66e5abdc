#pragma once
// Changes that start on the desktop: the user moved, resized, minimised,
// restored, maximised, activated or closed a window. A video driver calls
// these from PumpEvents (on the thread that owns the main window). Each
// updates the window's state and sends the messages the program expects,
// and none tells the driver back, since the desktop already shows it.
// Mouse and keyboard input comes in through the Inject calls of
// platform/window.h.
//
// Each returns false when the window is not a live window, or when the
// reply to one of the messages destroyed it (except DesktopCloseRequested,
// whose reply usually does).

#include "platform/window.h"

namespace platform {

// The client area's new top-left corner (screen coordinates): WM_MOVE.
bool DesktopWindowMoved(WindowHandle window, int clientX, int clientY);
// The client area's new size: WM_SIZE (restored or maximised, as the window is).
bool DesktopWindowResized(WindowHandle window, int clientWidth, int clientHeight);
// The user minimised it: it loses activation, then WM_SIZE(minimised).
bool DesktopMinimized(WindowHandle window);
// Back from minimised or maximised: WM_SIZE(restored).
bool DesktopRestored(WindowHandle window);
// Maximised into the work area: WM_SIZE(maximised).
bool DesktopMaximized(WindowHandle window);
// The window gained or lost the keyboard focus to or from another program:
// WM_ACTIVATEAPP to the top-level windows when the program's activation
// changes, then WM_ACTIVATE to the window.
bool DesktopActivated(WindowHandle window, bool active);
// The user asked to close it: WM_CLOSE (the default handling destroys it).
bool DesktopCloseRequested(WindowHandle window);

// WM_ACTIVATE's wParam.
inline constexpr WParam kWaInactive = 0;
inline constexpr WParam kWaActive = 1;

} // namespace platform
