#include "platform/sdl/sdl_window_size.h"

#include "platform/sdl/sdl_x11_handle.h"

#include <algorithm>

#ifdef KAVO_SDL_X11
#include <X11/Xlib.h>
#endif

namespace platform {
namespace {

bool DesktopWindowSize(SDL_Window* window, int& width, int& height) {
#ifdef KAVO_SDL_X11
    Display* display = nullptr;
    Window xwindow = 0;
    XWindowAttributes attributes{};
    if (!X11WindowOf(window, display, xwindow) || XGetWindowAttributes(display, xwindow, &attributes) == 0)
        return false;
    width = attributes.width;
    height = attributes.height;
    return width > 0 && height > 0;
#else
    (void)window;
    (void)width;
    (void)height;
    return false;
#endif
}

} // namespace

bool RealWindowSize(SDL_Window* window, SDL_Renderer* renderer, int& width, int& height) {
    int outputWidth = 0, outputHeight = 0;
    const bool haveOutput = renderer != nullptr &&
                            SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) == 0 && outputWidth > 0 &&
                            outputHeight > 0;
    int desktopWidth = 0, desktopHeight = 0;
    const bool haveDesktop = DesktopWindowSize(window, desktopWidth, desktopHeight);
    if (haveDesktop && haveOutput) {
        // What is seen is where both lie: the window, as far as the renderer draws.
        width = std::min(desktopWidth, outputWidth);
        height = std::min(desktopHeight, outputHeight);
    } else if (haveDesktop) {
        width = desktopWidth;
        height = desktopHeight;
    } else if (haveOutput) {
        width = outputWidth;
        height = outputHeight;
    } else {
        return false;
    }
    return true;
}

} // namespace platform
