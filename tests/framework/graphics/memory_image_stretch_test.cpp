#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blit.h"
#include "tests/framework/graphics/blit_test_support.h"

namespace Kavo {
namespace {

using namespace BlitTest;

// Pixel (x, y) = 0xFF0000yx, so that a pixel names its own position.
std::unique_ptr<MemoryImage> MakeNumbered(int width, int height, Form form = Form::Plain) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(0xFF000000u | static_cast<uint32_t>(y << 4 | x));
    return MakeImage(width, height, pixels, form);
}

uint32_t Numbered(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(y << 4 | x);
}

TEST(StretchRects, VisiblePartAndItsSourceForBothDirections) {
    struct Case {
        IntRect clip;
        bool visible;
        IntRect dest;
        DoubleRect source, mirrored;
    };
    const IntRect destRect(10, 10, 20, 20), srcRect(0, 0, 10, 10);
    const Case cases[] = {
        {IntRect(15, 10, 100, 100), true, IntRect(15, 10, 15, 20), DoubleRect(2.5, 0, 7.5, 10),
         DoubleRect(0, 0, 7.5, 10)},
        {IntRect(0, 0, 20, 25), true, IntRect(10, 10, 10, 15), DoubleRect(0, 0, 5, 7.5), DoubleRect(5, 0, 5, 7.5)},
        {IntRect(100, 100, 5, 5), false, {}, {}, {}},
    };
    for (const Case& c : cases) {
        IntRect dest;
        DoubleRect source;
        ASSERT_EQ(ComputeStretchRects(destRect, srcRect, c.clip, dest, source), c.visible);
        if (!c.visible)
            continue;
        EXPECT_EQ(dest, c.dest);
        EXPECT_EQ(source, c.source);
        ASSERT_TRUE(ComputeStretchRectsMirror(destRect, srcRect, c.clip, dest, source));
        EXPECT_EQ(dest, c.dest);
        EXPECT_EQ(source, c.mirrored);
    }
}

TEST(FastStretch, EnlargesFromTheSourceRectanglesTopLeft) {
    auto source = MakeNumbered(4, 4);
    auto dest = MakeFilled(4, 4, 0xFFFFFFFF);
    dest->StretchBlt(source.get(), IntRect(0, 0, 4, 4), IntRect(1, 1, 2, 2), IntRect(0, 0, 4, 4), Color::White, 0,
                     true);
    std::vector<uint32_t> expected;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            expected.push_back(Numbered(1 + x / 2, 1 + y / 2));
    EXPECT_EQ(PixelsOf(*dest), expected);
    EXPECT_TRUE(source->mDrawn);
}

TEST(FastStretch, SamplesStayOnTheLastRowAndColumnOfTheSource) {
    // The source rectangle reaches two pixels past the 4 x 4 image.
    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        auto source = MakeNumbered(4, 4, form);
        auto dest = MakeFilled(8, 8, 0xFFFFFFFF);
        dest->StretchBlt(source.get(), IntRect(0, 0, 8, 8), IntRect(2, 2, 4, 4), IntRect(0, 0, 8, 8), Color::White, 0,
                         true);
        std::vector<uint32_t> expected;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                expected.push_back(Numbered(std::min(2 + x / 2, 3), std::min(2 + y / 2, 3)));
        EXPECT_EQ(PixelsOf(*dest), expected);
    }
}

TEST(StretchBlt, NothingVisibleOrNotDrawableLeavesThePixels) {
    struct Case {
        const char* what;
        IntRect clip;
        Color color;
        int mode;
        int changeCount; // BitsChanged calls expected
    };
    const Case cases[] = {
        {"clip misses the destination rectangle", IntRect(20, 20, 5, 5), Color::White, 0, 0},
        {"fast stretch with a colour", IntRect(0, 0, 8, 8), Color(255, 0, 0), 0, 1},
        {"draw mode 2", IntRect(0, 0, 8, 8), Color::White, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto source = MakeFilled(2, 2, 0xFFFF0000);
        auto dest = MakeFilled(8, 8, 0xFF000000);
        int before = dest->mBitsChangedCount;
        dest->StretchBlt(source.get(), IntRect(0, 0, 8, 8), IntRect(0, 0, 2, 2), c.clip, c.color, c.mode, true);
        EXPECT_EQ(PixelsOf(*dest), std::vector<uint32_t>(64, 0xFF000000));
        EXPECT_EQ(dest->mBitsChangedCount - before, c.changeCount);
    }
}

TEST(FilteredStretch, OnePixelFillsTheWholeDestination) {
    struct Case {
        uint32_t source, dest, expected;
    };
    const Case cases[] = {
        {0xFFC86428, 0xFF000000, 0xFFC86428},
        {0xFFC86428, 0x00000000, 0xFFC86428},
        {0x80FF0000, 0xFFFFFFFF, 0xFFFE7F7F},
    };
    for (const Case& c : cases) {
        for (Form form : kForms) {
            SCOPED_TRACE(testing::Message() << std::hex << c.source << " over " << c.dest << ", " << FormName(form));
            auto source = MakeFilled(1, 1, c.source, form);
            auto dest = MakeFilled(4, 4, c.dest);
            dest->StretchBlt(source.get(), IntRect(0, 0, 4, 4), IntRect(0, 0, 1, 1), IntRect(0, 0, 4, 4), Color::White,
                             0, false);
            EXPECT_EQ(PixelsOf(*dest), std::vector<uint32_t>(16, c.expected));
        }
    }
}

TEST(FilteredStretch, InterpolatesWhenEnlargingAndAveragesWhenShrinking) {
    struct Case {
        const char* what;
        std::vector<uint32_t> source;
        int destWidth;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {"enlarge", {0xFF000000, 0xFFFFFFFF}, 4, {0xFF000000, 0xFF555555, 0xFFABABAB, 0xFFFFFFFF}},
        {"shrink", {0xFFFFFFFF, 0xFF000000, 0xFF0000FF, 0xFF0000FF}, 2, {0xFF7F7F7F, 0xFF0000FF}},
    };
    for (const Case& c : cases) {
        for (Form form : kForms) {
            SCOPED_TRACE(testing::Message() << c.what << ", " << FormName(form));
            int width = static_cast<int>(c.source.size());
            auto source = MakeImage(width, 1, c.source, form);
            auto dest = MakeFilled(c.destWidth, 1, 0xFF000000);
            dest->StretchBlt(source.get(), IntRect(0, 0, c.destWidth, 1), IntRect(0, 0, width, 1),
                             IntRect(0, 0, c.destWidth, 1), Color::White, 0, false);
            EXPECT_EQ(PixelsOf(*dest), c.expected);
        }
    }
}

TEST(FilteredStretch, EnlargingTheWholeImageReadsNothingPastIt) {
    // The interpolation's right and lower neighbours of the last column and
    // row fall outside the image; they are taken from the last ones.
    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        auto source = MakeFilled(2, 2, 0xFF336699, form);
        auto dest = MakeFilled(5, 5, 0xFF000000);
        dest->StretchBlt(source.get(), IntRect(0, 0, 5, 5), IntRect(0, 0, 2, 2), IntRect(0, 0, 5, 5), Color::White, 0,
                         false);
        EXPECT_EQ(PixelsOf(*dest), std::vector<uint32_t>(25, 0xFF336699));
    }
}

} // namespace
} // namespace Kavo
