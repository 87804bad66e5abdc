#pragma once
// Conversions between packed RGB colours and hue, saturation and lightness,
// all in whole numbers 0 to 255. The integer steps are fixed: colour fades
// that interpolate in HSL must give the same pixels on every machine.

#include <cstdint>

namespace Kavo {

// (h, s, l) each 0 to 255 → 0xFFRRGGBB.
std::uint32_t HslToRgb(int h, int s, int l);

// (r, g, b) each 0 to 255 → HSL packed like a colour: 0xFF, then lightness
// in the red byte, saturation in the green byte and hue in the blue byte.
std::uint32_t RgbToHsl(int r, int g, int b);

} // namespace Kavo
