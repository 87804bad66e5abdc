#pragma once
// What the X server shows of an SDL window, read from the server as a
// screenshot would, and the window resized as a window manager that grants
// full screen would resize it. Both fail the test off X11.

#include <gtest/gtest.h>

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

#include "platform/sdl/sdl_x11_handle.h"

namespace sdl_test {

struct XPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb; // 0x00RRGGBB
    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }
};

// The window's pixels on the server, at the size it really has.
inline XPixels ReadXWindow(SDL_Window* window) {
    XPixels out;
    Display* display = nullptr;
    Window xwindow = 0;
    if (!platform::X11WindowOf(window, display, xwindow)) {
        ADD_FAILURE() << "not an X11 window";
        return out;
    }
    XSync(display, False);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, xwindow, &attributes);
    XImage* image = XGetImage(display, xwindow, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        ADD_FAILURE() << "XGetImage failed";
        return out;
    }
    out.width = attributes.width;
    out.height = attributes.height;
    out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.rgb[static_cast<std::size_t>(y * out.width + x)] =
                static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu;
    XDestroyImage(image);
    return out;
}

// Moves and resizes the X window, as a window manager does.
inline void ResizeXWindow(SDL_Window* window, int x, int y, int width, int height) {
    Display* display = nullptr;
    Window xwindow = 0;
    ASSERT_TRUE(platform::X11WindowOf(window, display, xwindow));
    XMoveResizeWindow(display, xwindow, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(display, False);
}

} // namespace sdl_test
