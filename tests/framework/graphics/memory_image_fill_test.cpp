#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace Kavo {
namespace {

using PixelSet = std::set<std::pair<int, int>>; // (x, y)

// A width x height image of one pixel value, with helpers to see what a
// drawing call changed.
class Canvas {
public:
    MemoryImage mImage;

    Canvas(int width, int height, uint32_t pixel) { Reset(width, height, pixel); }

    void Reset(int width, int height, uint32_t pixel) {
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, pixel);
        mImage.SetBits(pixels.data(), width, height);
        mBefore = pixels;
    }
    void SetPixel(int x, int y, uint32_t pixel) {
        mImage.GetBits()[y * mImage.GetWidth() + x] = pixel;
        mBefore[y * mImage.GetWidth() + x] = pixel;
    }
    uint32_t At(int x, int y) { return mImage.GetBits()[y * mImage.GetWidth() + x]; }

    PixelSet Changed() {
        PixelSet changed;
        uint32_t* bits = mImage.GetBits();
        for (int y = 0; y < mImage.GetHeight(); ++y)
            for (int x = 0; x < mImage.GetWidth(); ++x)
                if (bits[y * mImage.GetWidth() + x] != mBefore[y * mImage.GetWidth() + x])
                    changed.insert({x, y});
        return changed;
    }

private:
    std::vector<uint32_t> mBefore;
};

PixelSet RectPixels(int x, int y, int width, int height) {
    PixelSet pixels;
    for (int j = y; j < y + height; ++j)
        for (int i = x; i < x + width; ++i)
            pixels.insert({i, j});
    return pixels;
}

TEST(MemoryImageFill, FillRectBlendsByTheNormalRule) {
    struct Case {
        uint32_t dest;
        Color color;
        uint32_t expected;
    };
    const Case cases[] = {
        {0xFFFFFFFF, Color(255, 0, 0, 128), 0xFFFF7F7F},
        {0x00000000, Color(255, 0, 0, 128), 0x80FE0000},
        // A = 100 + 155 * 60 / 255 = 136, w = 60 * 255 / 136 = 112
        {0x640A141E, Color(200, 100, 50, 60), 0x885D3726},
        {0x00123456, Color(9, 9, 9, 0), 0x00123456},
        {0x80123456, Color(1, 2, 3, 0), 0x80123456},
        {0x80123456, Color(1, 2, 3, 255), 0xFF010203},
        // Channels outside 0..255 are clamped before use.
        {0xFF000000, Color(300, -20, 128, 255), 0xFFFF0080},
        {0xFF000000, Color(10, 20, 30, 400), 0xFF0A141E},
        {0xFF000000, Color(10, 20, 30, -5), 0xFF000000},
        {0xFFFFFFFF, Color(-7, 500, 255, 128), 0xFF7FFFFF},
    };
    for (const Case& c : cases) {
        Canvas canvas(3, 3, c.dest);
        canvas.mImage.FillRect(IntRect(1, 1, 1, 1), c.color, 1); // the mode is not consulted
        EXPECT_EQ(canvas.At(1, 1), c.expected) << std::hex << c.dest << " " << c.expected;
        EXPECT_EQ(canvas.Changed(), c.expected == c.dest ? PixelSet() : RectPixels(1, 1, 1, 1));
    }
}

TEST(MemoryImageFill, DivideBy255WithoutADivision) {
    for (uint32_t x = 0; x <= 255 * 255; ++x)
        ASSERT_EQ(PixelMath::Div255(x), x / 255) << x;
    for (uint32_t x : {0xFFFFFFFFu, 0x80000000u, 0x12345678u, 0xFEFEFEFEu})
        EXPECT_EQ(PixelMath::Div255(x), x / 255) << x;
}

TEST(MemoryImageFill, RectanglesAreCutToTheImage) {
    struct Case {
        IntRect rect;
        PixelSet expected;
    };
    const Case cases[] = {
        {IntRect(-2, -2, 4, 4), RectPixels(0, 0, 2, 2)},
        {IntRect(2, 1, 100, 1), RectPixels(2, 1, 1, 1)},
        {IntRect(1, 1, 1, -1), {}},
        {IntRect(3, 0, 1, 1), {}},
        {IntRect(0, 0, 0x7FFFFFFF, 0x7FFFFFFF), RectPixels(0, 0, 3, 3)},
    };
    for (const Case& c : cases) {
        Canvas fill(3, 3, 0xFFFFFFFF);
        fill.mImage.FillRect(c.rect, Color(0, 0, 0, 255), 0);
        EXPECT_EQ(fill.Changed(), c.expected);
        Canvas clear(3, 3, 0xFFFFFFFF);
        clear.mImage.ClearRect(c.rect);
        EXPECT_EQ(clear.Changed(), c.expected);
        for (auto [x, y] : c.expected)
            EXPECT_EQ(clear.At(x, y), 0u);
    }
}

TEST(MemoryImageFill, AxisParallelLinesFillTruncatedRectangles) {
    struct Case {
        double x1, y1, x2, y2;
        PixelSet expected;
    };
    const Case cases[] = {
        {10.7, 5.0, 3.2, 5.0, RectPixels(3, 5, 8, 1)},
        {4.0, 9.5, 4.0, 2.2, RectPixels(4, 2, 1, 8)},
        {6.0, 1.0, 6.0, 1.0, RectPixels(6, 1, 1, 1)},
    };
    for (int mode : {0, 1}) {
        for (const Case& c : cases) {
            Canvas hard(16, 12, 0xFF000000);
            hard.mImage.DrawLine(c.x1, c.y1, c.x2, c.y2, Color(255, 255, 255, 255), mode);
            EXPECT_EQ(hard.Changed(), c.expected);
            Canvas smooth(16, 12, 0xFF000000);
            smooth.mImage.DrawLineAA(c.x1, c.y1, c.x2, c.y2, Color(255, 255, 255, 255), mode);
            EXPECT_EQ(smooth.Changed(), c.expected);
            EXPECT_EQ(smooth.At(c.expected.begin()->first, c.expected.begin()->second),
                      0xFFFFFFFFu); // a plain fill, not the line's 254
        }
    }
}

// One pixel for each major coordinate from start to end, inside the end
// points' box, the start drawn.
void ExpectOnePixelPerStep(const PixelSet& changed, int x1, int y1, int x2, int y2, bool yMajor) {
    EXPECT_TRUE(changed.count({x1, y1}));
    std::map<int, int> perMajor;
    for (auto [x, y] : changed) {
        EXPECT_GE(x, std::min(x1, x2));
        EXPECT_LE(x, std::max(x1, x2));
        EXPECT_GE(y, std::min(y1, y2));
        EXPECT_LE(y, std::max(y1, y2));
        ++perMajor[yMajor ? y : x];
    }
    int first = yMajor ? std::min(y1, y2) : std::min(x1, x2);
    int last = yMajor ? std::max(y1, y2) : std::max(x1, x2);
    EXPECT_EQ(perMajor.size(), static_cast<size_t>(last - first + 1));
    for (auto [major, count] : perMajor)
        EXPECT_EQ(count, 1) << major;
}

TEST(MemoryImageFill, HardDiagonalsWriteOnePixelPerStep) {
    Canvas flat(10, 10, 0x00000000);
    flat.mImage.DrawLine(1.0, 1.0, 6.0, 4.0, Color(255, 255, 255, 255), 0);
    ExpectOnePixelPerStep(flat.Changed(), 1, 1, 6, 4, false);
    for (auto [x, y] : flat.Changed())
        EXPECT_EQ(flat.At(x, y), 0xFFFEFEFEu);

    Canvas steep(10, 10, 0x00000000);
    steep.mImage.DrawLine(5.0, 7.0, 2.0, 0.0, Color(255, 255, 255, 255), 0);
    ExpectOnePixelPerStep(steep.Changed(), 2, 0, 5, 7, true);
}

TEST(MemoryImageFill, HardLinePixelRules) {
    struct Case {
        uint32_t dest;
        Color color;
        int mode;
        uint32_t expected;
    };
    const Case cases[] = {
        {0x00000000, Color(255, 255, 255, 255), 0, 0xFFFEFEFE},
        {0xFF123456, Color(0, 128, 255, 255), 0, 0xFF007FFE},
        // Translucent: the destination keeps its share, the colour adds its own.
        {0xFFFFFFFF, Color(255, 255, 255, 128), 0, 0xFFFEFEFE},
        {0xFF000000, Color(255, 255, 255, 128), 0, 0xFF7F7F7F},
        {0x00000000, Color(255, 255, 255, 128), 0, 0xFF7F7F7F},
        // Additive: the colour times its alpha, saturated, alpha made opaque.
        {0xFF646464, Color(200, 0, 0, 128), 1, 0xFFC86464},
        {0x10646464, Color(200, 200, 200, 255), 1, 0xFFFFFFFF},
        {0xFF646464, Color(900, -50, 0, 300), 1, 0xFFFF6464},
    };
    for (const Case& c : cases) {
        Canvas canvas(6, 6, c.dest);
        canvas.mImage.DrawLine(0.0, 0.0, 5.0, 5.0, c.color, c.mode);
        PixelSet changed = canvas.Changed();
        ASSERT_FALSE(changed.empty()) << std::hex << c.expected;
        for (auto [x, y] : changed)
            EXPECT_EQ(canvas.At(x, y), c.expected) << std::hex << c.expected;
    }
}

TEST(MemoryImageFill, DrawModeDecidesOnlyOffTheAxes) {
    const Color color(200, 0, 0, 128);
    Canvas horizontal(8, 8, 0xFF646464);
    horizontal.mImage.DrawLine(1.0, 2.0, 6.0, 2.0, color, 1);
    EXPECT_EQ(horizontal.At(3, 2), 0xFF963232u); // blended, not added

    Canvas other(8, 8, 0xFF646464);
    int changes = other.mImage.mBitsChangedCount;
    other.mImage.DrawLine(1.0, 1.0, 6.0, 4.0, color, 2);
    other.mImage.DrawLineAA(1.0, 1.0, 6.0, 4.0, color, 1);
    other.mImage.DrawLineAA(1.0, 1.0, 6.0, 4.0, color, 2);
    EXPECT_TRUE(other.Changed().empty());
    EXPECT_EQ(other.mImage.mBitsChangedCount, changes + 3);
}

TEST(MemoryImageFill, AntiAliasedDiagonalPaintsTheDiagonalOnly) {
    Canvas canvas(10, 10, 0x00000000);
    canvas.mImage.DrawLineAA(0.0, 0.0, 8.0, 8.0, Color(255, 0, 0, 255), 0);
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(canvas.At(i, i), 0xFFFE0000u) << i;
        EXPECT_EQ(canvas.At(i, i + 1), 0u) << i;
        EXPECT_EQ(canvas.At(i + 1, i), 0u) << i;
    }
}

TEST(MemoryImageFill, AntiAliasedCoverageSplitsBetweenNeighbours) {
    // Over transparent black the resulting alpha is the coverage itself.
    struct Case {
        double x1, y1, x2, y2;
        bool yMajor;
        int interiorFrom, interiorTo;
    };
    const Case cases[] = {
        {0.0, 0.0, 8.0, 3.0, false, 1, 7},
        {9.0, 0.0, 1.0, 5.0, false, 2, 8}, // leftwards
        {2.0, 1.0, 5.0, 9.0, true, 2, 8},
        {6.0, 9.0, 1.0, 0.0, true, 1, 8}, // given upwards and leftwards
    };
    for (const Case& c : cases) {
        Canvas canvas(12, 12, 0x00000000);
        canvas.mImage.DrawLineAA(c.x1, c.y1, c.x2, c.y2, Color(255, 255, 255, 255), 0);
        for (int major = c.interiorFrom; major <= c.interiorTo; ++major) {
            uint32_t total = 0;
            int drawn = 0;
            for (int minor = 0; minor < 12; ++minor) {
                uint32_t alpha = (c.yMajor ? canvas.At(minor, major) : canvas.At(major, minor)) >> 24;
                total += alpha;
                drawn += alpha != 0;
            }
            EXPECT_EQ(total, 255u) << c.x1 << "," << c.y1 << " at " << major;
            EXPECT_GE(drawn, 1);
            EXPECT_LE(drawn, 2);
        }
    }
}

TEST(MemoryImageFill, LinesStayInsideTheImage) {
    Canvas canvas(8, 4, 0xFF000000);
    canvas.mImage.DrawLineAA(0.0, 3.0, 7.0, 3.5, Color(255, 255, 255, 255), 0);
    canvas.mImage.DrawLineAA(-3.0, -5.0, 12.0, 9.0, Color(255, 255, 255, 255), 0);
    canvas.mImage.DrawLine(-3.0, -5.0, 12.0, 9.0, Color(255, 255, 255, 128), 0);
    canvas.mImage.DrawLine(-30.0, 1.5, 40.0, 2.5, Color(255, 255, 255, 255), 1);
    EXPECT_NE(canvas.At(0, 3), 0xFF000000u);
    EXPECT_EQ(canvas.mImage.GetBits()[32], MemoryImage::kGuardWord);
}

TEST(MemoryImageFill, CoverageScalesTheColourAlpha) {
    Canvas canvas(4, 1, 0);
    const uint32_t dests[] = {0xFF000000, 0xFFFFFFFF, 0x00000000, 0xFF640000};
    for (int x = 0; x < 4; ++x)
        canvas.SetPixel(x, 0, dests[x]);
    const uint8_t coverage[] = {0, 128, 255, 255};
    const Span span{0, 0, 4};
    canvas.mImage.FillScanLinesWithCoverage(&span, 1, Color(0, 200, 0, 255), 0, coverage, 0, 0, 4, 1);
    EXPECT_EQ(canvas.At(0, 0), 0xFF000000u);
    EXPECT_EQ(canvas.At(1, 0), 0xFF7FE37Fu);
    EXPECT_EQ(canvas.At(2, 0), 0xFF00C700u);
    EXPECT_EQ(canvas.At(3, 0), 0xFF00C700u);

    Canvas faint(4, 1, 0xFF000000);
    faint.mImage.FillScanLinesWithCoverage(&span, 1, Color(255, 255, 255, 0), 0, coverage, 0, 0, 4, 1);
    EXPECT_TRUE(faint.Changed().empty());
}

TEST(MemoryImageFill, CoverageIsReadFromItsOwnOriginAndPitch) {
    Canvas canvas(6, 6, 0x00000000);
    // Two rows of pitch 5 whose first byte belongs to pixel (1, 2).
    const uint8_t coverage[] = {255, 0, 255, 0,   0, //
                                0,   0, 255, 255, 0};
    const Span spans[] = {{2, 1, 3}, {3, 2, 2}, {-1, 0, 6}, {6, 0, 6}};
    canvas.mImage.FillScanLinesWithCoverage(spans, 4, Color(255, 255, 255, 255), 0, coverage, 1, 2, 5, 2);
    EXPECT_EQ(canvas.Changed(), (PixelSet{{1, 2}, {3, 2}, {3, 3}}));
    EXPECT_EQ(canvas.At(3, 3), 0xFFFEFEFEu);

    // A span reaching past both sides is cut to the row.
    Canvas wide(6, 1, 0x00000000);
    std::vector<uint8_t> full(12, 255);
    const Span across{0, -3, 12};
    wide.mImage.FillScanLinesWithCoverage(&across, 1, Color(255, 255, 255, 255), 0, full.data(), -3, 0, 12, 1);
    EXPECT_EQ(wide.Changed(), RectPixels(0, 0, 6, 1));
}

TEST(MemoryImageFill, DrawingReturnsAPalettisedImageToPlainForm) {
    Canvas canvas(2, 2, 0xFFFFFFFF);
    ASSERT_TRUE(canvas.mImage.Palettize());
    canvas.mImage.FillRect(IntRect(0, 0, 1, 1), Color(0, 0, 0, 255), 0);
    EXPECT_EQ(canvas.mImage.mColorTable, nullptr);
    EXPECT_EQ(canvas.At(0, 0), 0xFF000000u);
    EXPECT_EQ(canvas.At(1, 1), 0xFFFFFFFFu);
}

} // namespace
} // namespace Kavo
