// The row-wise and vector solid fills against the fill rules written out
// pixel by pixel: random destinations, every alpha class, rows long enough
// for the vector steps and with tails of every length.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "framework/graphics/display_tables.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blend.h"
#include "framework/graphics/surface_kernels.h"

namespace Kavo {
namespace {

constexpr int kWidth = 45;
constexpr int kHeight = 6;

uint32_t Channel(std::mt19937& random) {
    switch (random() % 4) {
    case 0:
        return 0;
    case 1:
        return 255;
    default:
        return random() % 256;
    }
}

std::vector<Color> Colors(std::mt19937& random) {
    std::vector<Color> colors = {Color(255, 255, 255, 255), Color(255, 0, 0, 128), Color(0, 0, 0, 1),
                                 Color(12, 200, 77, 254), Color(9, 9, 9, 0)};
    for (int i = 0; i < 12; ++i)
        colors.push_back(Color(static_cast<int>(Channel(random)), static_cast<int>(Channel(random)),
                               static_cast<int>(Channel(random)), static_cast<int>(Channel(random))));
    return colors;
}

// The memory image's fill rule pixel by pixel: opaque colours are stored,
// others blend normally.
uint32_t MemoryFillReference(uint32_t d, const Color& color) {
    const uint32_t packed = PixelMath::PackClamped(color);
    const uint32_t a = packed >> 24;
    if (a == 255)
        return packed;
    return PixelMath::BlendNormal(d, packed, a);
}

TEST(FillKernels, MemoryImageFillMatchesTheRuleForEveryPixel) {
    std::mt19937 random(3);
    for (const Color& color : Colors(random)) {
        // Mostly opaque pixels, so that whole vector steps happen, with
        // translucent and transparent ones between.
        std::vector<uint32_t> pixels(kWidth * kHeight);
        for (uint32_t& p : pixels)
            p = (random() % 5 == 0 ? Channel(random) << 24 : 0xFF000000u) | (random() & 0xFFFFFFu);
        MemoryImage image;
        image.SetBits(pixels.data(), kWidth, kHeight);
        const IntRect rect(1, 1, kWidth - 2, kHeight - 2);
        std::vector<uint32_t> expected = pixels;
        for (int y = rect.mY; y < rect.mY + rect.mHeight; ++y)
            for (int x = rect.mX; x < rect.mX + rect.mWidth; ++x)
                expected[y * kWidth + x] = MemoryFillReference(expected[y * kWidth + x], color);
        // Every row length down to one, for the tails.
        for (int width = rect.mWidth; width > 0; width -= 7) {
            MemoryImage part;
            part.SetBits(pixels.data(), kWidth, kHeight);
            part.FillRect(IntRect(1, 1, width, 1), color, 0);
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(part.GetBits()[kWidth + x], x >= 1 && x <= width ? expected[kWidth + x] : pixels[kWidth + x])
                    << "width " << width << " x " << x;
        }
        image.FillRect(rect, color, 0);
        ASSERT_EQ(std::vector<uint32_t>(image.GetBits(), image.GetBits() + pixels.size()), expected)
            << color.mRed << "," << color.mGreen << "," << color.mBlue << "," << color.mAlpha;
    }
}

struct Layout {
    const char* name;
    int bitCount;
    DisplayPixelFormat format;
};

// The display surface's normal fill rule (each channel by its mask).
uint32_t SurfaceFillReference(uint32_t d, const Layout& layout, const Color& color) {
    const uint32_t masks[3] = {layout.format.mRedMask, layout.format.mGreenMask, layout.format.mBlueMask};
    const uint32_t channels[3] = {static_cast<uint32_t>(ClampChannel(color.mRed)),
                                  static_cast<uint32_t>(ClampChannel(color.mGreen)),
                                  static_cast<uint32_t>(ClampChannel(color.mBlue))};
    const uint32_t a = static_cast<uint32_t>(ClampChannel(color.mAlpha));
    const bool wide = layout.bitCount == 32;
    uint32_t value = 0;
    for (int c = 0; c < 3; ++c) {
        const uint32_t m = masks[c], k = channels[c];
        if (a == 255)
            value += wide ? (k * m >> 8) & m : ((k + 1) * m >> 8) & m;
        else if (wide)
            value += (((d & m) * (256 - a)) >> 8 & m) + (((((k * a + 0x7F) >> 8) + 1) * m >> 8) & m);
        else
            value += ((((d & m) * (256 - a) + m) >> 8) & m) + (((((k * a + 0x80) >> 8) + 1) * m >> 8) & m);
    }
    return wide ? value : value & 0xFFFF;
}

TEST(FillKernels, SurfaceFillMatchesTheRuleAtEveryLayout) {
    const Layout layouts[] = {
        {"8:8:8", 32, DisplayPixelFormat::Rgb888()},
        {"8:8:8 blue first", 32, {0x000000FF, 0x0000FF00, 0x00FF0000, 8, 8, 8, 0, 8, 16}},
        {"5:6:5", 16, DisplayPixelFormat::Rgb565()},
        {"5:5:5", 16, DisplayPixelFormat::Rgb555()},
        {"4:4:4", 16, {0xF00, 0x0F0, 0x00F, 4, 4, 4, 8, 4, 0}},
    };
    std::mt19937 random(5);
    for (const Layout& layout : layouts) {
        const DisplayTables tables(layout.format);
        const int bytes = layout.bitCount / 8;
        const int pitch = kWidth * bytes + 8;
        for (const Color& color : Colors(random)) {
            SCOPED_TRACE(testing::Message() << layout.name << " colour " << color.mRed << "," << color.mGreen << ","
                                            << color.mBlue << "," << color.mAlpha);
            std::vector<uint8_t> bits(static_cast<size_t>(pitch) * kHeight);
            for (uint8_t& b : bits)
                b = static_cast<uint8_t>(random());
            std::vector<uint8_t> expected = bits;
            const IntRect rect(2, 1, kWidth - 3, kHeight - 2);
            for (int y = rect.mY; y < rect.mY + rect.mHeight; ++y)
                for (int x = rect.mX; x < rect.mX + rect.mWidth; ++x) {
                    uint32_t d = 0;
                    std::memcpy(&d, expected.data() + y * pitch + x * bytes, bytes);
                    const uint32_t value = SurfaceFillReference(d, layout, color);
                    std::memcpy(expected.data() + y * pitch + x * bytes, &value, bytes);
                }
            const SurfaceTarget target{bits.data(), pitch, layout.bitCount, kWidth, kHeight};
            SurfaceKernels::NormalFillRect(target, tables, rect, color);
            ASSERT_EQ(bits, expected);
        }
    }
}

} // namespace
} // namespace Kavo
