#include "platform/sdl/sdl_x11_handle.h"

#include <SDL_syswm.h>

namespace platform {

bool X11WindowOf(SDL_Window* window, _XDisplay*& display, unsigned long& xwindow) {
#ifdef KAVO_SDL_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
        return false;
    display = info.info.x11.display;
    xwindow = info.info.x11.window;
    return true;
#else
    (void)window;
    (void)display;
    (void)xwindow;
    return false;
#endif
}

} // namespace platform
