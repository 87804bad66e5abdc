#pragma once

// Pixel arithmetic shared by the memory image's fills, lines and blits.
// Pixels are 0xAARRGGBB with straight (not premultiplied) colour.

#include <array>
#include <cstdint>

#include "framework/util/color.h"

namespace Kavo::PixelMath {

// x / 255 for any x below 2^32, without a division.
constexpr uint32_t Div255(uint32_t x) {
    return static_cast<uint32_t>((uint64_t{x} * 0x80808081u) >> 39);
}

// The channels clamped to 0..255 and packed as 0xAARRGGBB.
constexpr uint32_t PackClamped(const Color& c) {
    return static_cast<uint32_t>(ClampChannel(c.mAlpha)) << 24 | static_cast<uint32_t>(ClampChannel(c.mRed)) << 16 |
           static_cast<uint32_t>(ClampChannel(c.mGreen)) << 8 | static_cast<uint32_t>(ClampChannel(c.mBlue));
}

// Entry i is min(i, 255): sums of two channels index it directly.
inline constexpr std::array<uint8_t, 512> kSaturationTable = [] {
    std::array<uint8_t, 512> table{};
    for (int i = 0; i < 512; ++i)
        table[i] = static_cast<uint8_t>(i < 256 ? i : 255);
    return table;
}();

// Mixes the colour channels of d and c as (d * (256 - w) + c * w) >> 8,
// red and blue in one multiply, green in another.
constexpr uint32_t MixRgb(uint32_t d, uint32_t c, uint32_t w) {
    uint32_t iw = 256 - w;
    return (((d & 0x00FF00FF) * iw + (c & 0x00FF00FF) * w) >> 8 & 0x00FF00FF) |
           (((d & 0x0000FF00) * iw + (c & 0x0000FF00) * w) >> 8 & 0x0000FF00);
}

// The normal blend of colour c (its alpha byte ignored) with source alpha
// a (0..255) over d: the new alpha is ad + (255 - ad) * a / 255, the colour
// weight a * 255 / that alpha. A result alpha of 0 leaves d as it was.
constexpr uint32_t BlendNormal(uint32_t d, uint32_t c, uint32_t a) {
    uint32_t ad = d >> 24;
    if (ad == 255) // the usual case: the weight is the source alpha itself
        return 0xFF000000u | MixRgb(d, c, a);
    uint32_t outA = ad + Div255((255 - ad) * a);
    if (outA == 0)
        return d;
    return outA << 24 | MixRgb(d, c, a * 255 / outA);
}

} // namespace Kavo::PixelMath
