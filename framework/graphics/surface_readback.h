#pragma once

#include <cstdint>

namespace Kavo {

class MemoryImage;

// A locked display surface: its pixels, row pitch in bytes and the masks of
// its pixel format.
struct LockedSurface {
    const void* mBits = nullptr;
    int32_t mPitch = 0;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    uint32_t mRedMask = 0;
    uint32_t mGreenMask = 0;
    uint32_t mBlueMask = 0;
};

// Fill the image's pixels (opaque 0xFFRRGGBB) from a surface of 32- or
// 16-bit pixels; the part both cover is copied.
void ReadSurface32(MemoryImage& image, const LockedSurface& surface);
void ReadSurface16(MemoryImage& image, const LockedSurface& surface);

// The same conversion into a plain pixel buffer of destWidth pixels a row.
void ReadSurfacePixels(uint32_t* dest, int32_t destWidth, int32_t destHeight, const LockedSurface& surface,
                       int bytesPerPixel);

} // namespace Kavo
