#include "framework/graphics/color_space.h"

#include <algorithm>

namespace Kavo {
namespace {

std::uint32_t Pack(int high, int middle, int low) {
    return 0xFF000000u | (static_cast<std::uint32_t>(high) & 0xFF) << 16 |
           (static_cast<std::uint32_t>(middle) & 0xFF) << 8 | (static_cast<std::uint32_t>(low) & 0xFF);
}

} // namespace

std::uint32_t HslToRgb(int h, int s, int l) {
    const int m2 = l < 128 ? l * (255 + s) / 255 : l + s - l * s / 255;
    const int m1 = 2 * l - m2;
    const int sector = (6 * h) / 256;
    const int f = (h - sector * 256 / 6) * 6;
    const double d = static_cast<double>(m2 - m1) * f / 255;
    const int rise = std::min(static_cast<int>(m1 + d), 255);
    const int fall = std::max(static_cast<int>(m2 - d), 0);
    switch (sector) {
    case 0:
        return Pack(m2, rise, m1);
    case 1:
        return Pack(fall, m2, m1);
    case 2:
        return Pack(m1, m2, rise);
    case 3:
        return Pack(m1, fall, m2);
    case 4:
        return Pack(rise, m1, m2);
    default:
        return Pack(m2, m1, fall);
    }
}

std::uint32_t RgbToHsl(int r, int g, int b) {
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    const int l = (max + min) / 2;
    const int delta = max - min;
    int s = 0;
    int h = 0;
    if (delta != 0) {
        s = l <= 128 ? delta * 256 / (max + min) : delta * 256 / (512 - max - min);
        int sixths;
        if (r == max)
            sixths = g == min ? 1280 + (max - b) * 256 / delta : 256 - (max - g) * 256 / delta;
        else if (g == max)
            sixths = b == min ? 256 + (max - r) * 256 / delta : 768 - (max - b) * 256 / delta;
        else
            sixths = r == min ? 768 + (max - g) * 256 / delta : 1280 - (max - r) * 256 / delta;
        h = sixths / 6;
    }
    return Pack(l, std::min(s, 255), std::min(h, 255));
}

} // namespace Kavo
