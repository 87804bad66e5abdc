#pragma once
// The display's pixel format worked out from its channel masks, and the
// lookup tables the software kernels draw with in that format.

#include <array>
#include <cstdint>
#include <vector>

#include "framework/graphics/image_host.h"

namespace Kavo {

// Shift = index of the lowest set bit, bits = highest set bit - shift + 1;
// both 0 for an empty mask.
DisplayPixelFormat PixelFormatFromMasks(uint32_t redMask, uint32_t greenMask, uint32_t blueMask);

// True when the masks lie blue < green < red (as in 5:6:5 and x8r8g8b8).
bool IsRgbOrder(uint32_t redMask, uint32_t greenMask, uint32_t blueMask);

// Per channel: the saturation table clamps a sum of two channel values
// (2 * max + 1 entries, entry i = min(i, max) with max = 2^bits - 1); the
// component table maps an 8-bit channel value to its bits in the display
// format ((i * mask / 255) & mask, in 32-bit unsigned arithmetic).
struct DisplayColorTables {
    std::vector<int32_t> mRedSaturation;
    std::vector<int32_t> mGreenSaturation;
    std::vector<int32_t> mBlueSaturation;
    std::array<uint32_t, 256> mRedComponent{};
    std::array<uint32_t, 256> mGreenComponent{};
    std::array<uint32_t, 256> mBlueComponent{};

    void Build(const DisplayPixelFormat& format);
};

} // namespace Kavo
