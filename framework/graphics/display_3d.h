#pragma once
// The one place that knows whether drawing goes through the 3D renderer.
// The display installs its answer in Display3DSlot() while it runs in 3D;
// with nothing installed the answer is "no" to both questions. Memory images
// ask it before purging their pixels, drawing contexts when they are made.

#include "platform/process_slot.h"

namespace Kavo {

class Image;

class Display3D {
public:
    virtual ~Display3D() = default;
    // The display draws through the 3D renderer.
    virtual bool IsDisplay3D() const = 0;
    // The image is the display's draw surface in 3D mode.
    virtual bool IsDrawSurface3D(const Image* image) const = 0;
};

platform::ProcessSlot<Display3D>& Display3DSlot();

// The installed answers; false with nothing installed.
bool IsDisplay3D();
bool IsDrawSurface3D(const Image* image);

} // namespace Kavo
