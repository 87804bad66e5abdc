#include <gtest/gtest.h>

#include "framework/graphics/color_space.h"

namespace Kavo {
namespace {

TEST(ColorSpace, RgbToHslInWholeNumbers) {
    struct Case {
        int r, g, b;
        std::uint32_t hsl; // 0xFF, lightness, saturation, hue
    };
    const Case cases[] = {
        {128, 128, 128, 0xFF800000}, // grey: no saturation, no hue
        {255, 0, 0, 0xFF7FFFFF},     // saturation 256 and hue 256 are held at 255
        {0, 255, 0, 0xFF7FFF55},     {0, 0, 255, 0xFF7FFFAA}, {255, 255, 255, 0xFFFF0000},
        {200, 100, 50, 0xFF7D990E}, // l 125, s 150 * 256 / 250 = 153, h (256 - 100 * 256 / 150) / 6 = 14
    };
    for (const Case& c : cases)
        EXPECT_EQ(RgbToHsl(c.r, c.g, c.b), c.hsl) << c.r << "," << c.g << "," << c.b;
}

TEST(ColorSpace, HslToRgbInWholeNumbers) {
    struct Case {
        int h, s, l;
        std::uint32_t rgb;
    };
    const Case cases[] = {
        {0, 0, 200, 0xFFC8C8C8},     {0, 255, 127, 0xFFFE0000},
        {85, 255, 127, 0xFF00FE00}, // the falling channel goes below 0 and is held at 0
        {170, 255, 127, 0xFF0002FE}, {255, 255, 255, 0xFFFFFFFF},
        {0, 0, 0, 0xFF000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HslToRgb(c.h, c.s, c.l), c.rgb) << c.h << "," << c.s << "," << c.l;
}

} // namespace
} // namespace Kavo
