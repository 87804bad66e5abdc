#pragma once
// How an image's 32-bit pixels are written into a display surface, and the
// colour key that stands for its transparent pixels there.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "framework/graphics/image_host.h"

namespace Kavo {

// An ARGB pixel in a surface's format: each channel narrowed to the
// display's width, moved to the display's shift and cut by the surface's
// mask.
struct SurfacePixelConverter {
    DisplayPixelFormat mDisplay; // widths and shifts
    uint32_t mRedMask = 0;       // of the surface
    uint32_t mGreenMask = 0;
    uint32_t mBlueMask = 0;

    uint32_t Convert(uint32_t pixel) const;
};

// The key for the non-opaque pixels of a surface of 16 or 32 bits: the
// first non-opaque pixel's value (converted for 16 bits, its own for 32),
// unless an opaque pixel has it in the surface; then the lowest value that
// no visible pixel has (16 bits, or the low 24 bits). Nothing when every
// value is taken, so that no opaque pixel would turn transparent. Call it
// only for pixels of which some are not opaque.
std::optional<uint32_t> ChooseColorKey(const uint32_t* pixels, size_t count, int bitCount,
                                       const SurfacePixelConverter& converter);

} // namespace Kavo
