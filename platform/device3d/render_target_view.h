#pragma once
// The piece of a surface a 3D device renders into: its locked bits, pitch,
// size and pixel format. A surface hands one out; the device never owns the
// memory, and the view stays valid until the next render target is set.

#include <cstdint>

#include "platform/surface/surface_desc.h"

namespace platform {

enum class TargetFormat {
    Unsupported,
    Rgb565,   // 16 bits, 0xF800 / 0x07E0 / 0x001F
    Rgb555,   // 16 bits, 0x7C00 / 0x03E0 / 0x001F
    Xrgb8888, // 32 bits, 0xFF0000 / 0xFF00 / 0xFF; the top byte is written as 0xFF
};

struct RenderTargetView {
    void* bits = nullptr;
    int pitch = 0; // bytes from one row to the next
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
};

// The view of a surface locked with Surface::Lock (its description as the
// lock filled it in).
RenderTargetView ViewOfLockedSurface(const SurfaceDesc& locked);

// The format of the view's pixels, Unsupported for any other layout.
TargetFormat ClassifyTarget(const RenderTargetView& view);
// Bytes per pixel: 2, 2, 4; 0 when unsupported.
int TargetBytesPerPixel(TargetFormat format);

} // namespace platform
