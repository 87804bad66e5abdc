#pragma once
// Where the pixels of the primary surface go to be seen. The layer calls the
// presenter after every change of the primary (a blit into it, a flip, an
// unlock); the presenter shows the part of the desktop the window covers.

#include <cstdint>

#include "platform/geometry.h"
#include "platform/surface/pixel_format.h"
#include "platform/window.h"

namespace platform {

struct PrimaryFrame {
    WindowHandle window = nullptr; // the cooperative-level window (else the clipper's)
    const void* pixels = nullptr;  // the whole primary, desktop-sized
    int pitch = 0;
    PixelFormat format;
    int width = 0;
    int height = 0;
    // The window's client area in primary (screen) coordinates, clipped to
    // the primary; the whole primary in exclusive full screen.
    Rect windowArea;
    // The part of the primary that changed.
    Rect changed;
};

class PrimaryPresenter {
public:
    virtual ~PrimaryPresenter() = default;
    // Runs on the thread that changed the primary; the pixels are valid
    // only during the call.
    virtual void PresentPrimary(const PrimaryFrame& frame) = 0;
};

} // namespace platform
