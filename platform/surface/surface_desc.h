#pragma once
// What a surface is asked to be on creation, and what it reports about
// itself (GetSurfaceDesc, Lock and the display mode fill the same record).

#include <cstdint>

#include "platform/surface/pixel_format.h"

namespace platform {

// A range of pixel values (inclusive) that a keyed blit skips.
struct ColorKey {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    bool operator==(const ColorKey&) const = default;
};

struct SurfaceDesc {
    std::uint32_t flags = 0; // kDesc* bits: which fields below are valid
    int width = 0;
    int height = 0;
    int pitch = 0; // bytes from one row to the next; may exceed the row
    std::uint32_t backBufferCount = 0;
    std::uint32_t refreshRate = 0;
    void* surface = nullptr; // the pixels, while locked
    ColorKey srcBltKey;
    PixelFormat pixelFormat;
    std::uint32_t caps = 0; // kCaps* bits
};

// Extra arguments of a blit.
struct BltEffects {
    std::uint32_t fx = 0;        // kBltFx* bits
    std::uint32_t fillColor = 0; // the pixel value of a colour fill
};

} // namespace platform
