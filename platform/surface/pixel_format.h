#pragma once
// Checks of pixel layouts for surfaces, and the layout of each display depth.

#include <cstdint>

#include "platform/pixel_format.h"
#include "platform/result_codes.h"
#include "platform/surface/surface_flags.h"

namespace platform {

// DD_OK for 16, 24 or 32 bits with non-empty red, green and blue masks that
// fit the bit count and do not overlap (nor the alpha mask);
// DDERR_INVALIDPIXELFORMAT otherwise.
HResult ValidatePixelFormat(const PixelFormat& format);

// Pixel layout of a display mode of this depth: 16 bits are 5:6:5, 24 bits
// 8:8:8 and 32 bits x8r8g8b8.
PixelFormat FormatForDepth(int bitsPerPixel);

} // namespace platform
