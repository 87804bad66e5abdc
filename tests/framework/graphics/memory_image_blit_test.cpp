#include <gtest/gtest.h>

#include <vector>

#include "framework/graphics/memory_image.h"
#include "tests/framework/graphics/blit_test_support.h"

namespace Kavo {
namespace {

using namespace BlitTest;

// Rows of seven equal pixels, so that both the four-at-a-time and the
// pixel-at-a-time parts of a row kernel are reached.
constexpr int kRow = 7;

struct BlitCase {
    const char* what;
    uint32_t source;
    uint32_t dest;
    Color tint;
    int mode;
    uint32_t expected;
    bool staleDestFlags = false; // the destination's flags claim partial alpha
};

// Hand-computed with the blits' arithmetic: A = ad + (255 - ad) * a / 255,
// w = a * 255 / A (256 for a = 255), red and green (d(256-w) + s w) >> 8,
// blue (d(256-w) >> 8) + (s w >> 8).
const BlitCase kBlitCases[] = {
    {"opaque source replaces an opaque destination", 0xFF123456, 0xFF0000FF, Color::White, 0, 0xFF123456},
    {"opaque source replaces a translucent destination", 0xFF123456, 0x80ABCDEF, Color::White, 0, 0xFF123456},
    {"half alpha over opaque, run-driven", 0x80FF0000, 0xFF0000FF, Color::White, 0, 0xFF7F007F},
    {"half alpha over opaque, per pixel", 0x80FF0000, 0xFF0000FF, Color::White, 0, 0xFF7F007F, true},
    {"blue truncated term by term", 0x80FFFFFF, 0xFFFFFFFF, Color::White, 0, 0xFFFFFFFE},
    {"onto transparent: source colour and alpha", 0x80C86428, 0x00000000, Color::White, 0, 0x80C76327},
    {"half over half", 0x80FFFFFF, 0x80000000, Color::White, 0, 0xBFA9A9A9},
    {"tint alpha 254 over transparent", 0xFFC86428, 0x00000000, Color(255, 255, 255, 254), 0, 0xFEC66326},
    {"tint alpha 254 over opaque black", 0xFFC86428, 0xFF000000, Color(255, 255, 255, 254), 0, 0xFFC56226},
    {"grey tint", 0xFFC86428, 0xFF000000, Color(128, 128, 128), 0, 0xFF643214},
    {"coloured tint", 0xFFC86428, 0xFF000000, Color(255, 128, 0), 0, 0xFFC73200},
    {"tint alpha takes the source alpha to 0", 0x01FFFFFF, 0xFF102030, Color(255, 255, 255, 128), 0, 0xFF102030},
    {"additive saturates and keeps the alpha", 0xFFC8C8C8, 0x80646464, Color::White, 1, 0x80FFFFFF},
    {"additive scaled by partial alpha", 0x80C86428, 0xFF102030, Color::White, 1, 0xFF745244},
    {"additive tinted", 0xFFC86428, 0xFF102030, Color(255, 128, 0, 128), 1, 0xFF743930},
    {"additive tinted with partial alpha", 0x80C86428, 0xFF102030, Color(255, 128, 0, 128), 1, 0xFF422C30},
};

TEST(MemoryImageBlit, PlainAndPalettisedSourcesGiveTheHandComputedPixels) {
    for (const BlitCase& c : kBlitCases) {
        for (Form form : kForms) {
            SCOPED_TRACE(testing::Message() << c.what << ", " << FormName(form));
            auto source = MakeFilled(kRow, 1, c.source, form);
            auto dest = MakeFilled(kRow + 2, 1, c.dest);
            if (c.staleDestFlags)
                dest->mHasAlpha = true;
            dest->Blt(source.get(), 1, 0, IntRect(0, 0, kRow, 1), c.tint, c.mode);
            std::vector<uint32_t> expected(kRow + 2, c.expected);
            expected.front() = expected.back() = c.dest;
            EXPECT_EQ(PixelsOf(*dest), expected);
            EXPECT_TRUE(source->mDrawn);
        }
    }
}

TEST(MemoryImageBlit, RunDrivenCopySkipsCopiesAndMixesWholeRuns) {
    const uint32_t t = 0x00FFFFFF, o = 0xFF123456, p = 0x80FF0000, q = 0x80FFFFFF;
    const std::vector<uint32_t> row = {t, t, o, p, p, p, p, p, p, p, p, p, o, q, q, q, q, q, t};
    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        auto source = MakeImage(static_cast<int>(row.size()), 1, row, form);
        auto dest = MakeFilled(static_cast<int>(row.size()), 1, 0xFF0000FF);
        ASSERT_FALSE(dest->mHasAlpha || dest->mHasTrans);
        dest->Blt(source.get(), 0, 0, IntRect(0, 0, static_cast<int>(row.size()), 1), Color::White, 0);
        std::vector<uint32_t> expected;
        for (uint32_t s : row)
            expected.push_back(s == t ? 0xFF0000FF : s == o ? o : s == p ? 0xFF7F007F : 0xFF7F7FFE);
        EXPECT_EQ(PixelsOf(*dest), expected);
    }
}

TEST(MemoryImageBlit, TransparentSourceChangesNothingNormallyButStillAdds) {
    const std::vector<uint32_t> colours = {0x00402010, 0x00FFFFFF, 0x00402010, 0x00FFFFFF, 0x00402010};
    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        auto source = MakeImage(5, 1, colours, form);
        auto dest = MakeFilled(5, 1, 0xFF646464);
        dest->Blt(source.get(), 0, 0, IntRect(0, 0, 5, 1), Color::White, 0);
        EXPECT_EQ(PixelsOf(*dest), std::vector<uint32_t>(5, 0xFF646464));
        dest->Blt(source.get(), 0, 0, IntRect(0, 0, 5, 1), Color::White, 1);
        EXPECT_EQ(PixelsOf(*dest), (std::vector<uint32_t>{0xFFA48474, 0xFFFFFFFF, 0xFFA48474, 0xFFFFFFFF, 0xFFA48474}));
    }
}

TEST(MemoryImageBlit, DrawModeTwoLeavesTheDestination) {
    auto source = MakeFilled(3, 3, 0xFFFFFFFF);
    auto dest = MakeFilled(3, 3, 0xFF102030);
    dest->Blt(source.get(), 0, 0, IntRect(0, 0, 3, 3), Color::White, 2);
    EXPECT_EQ(PixelsOf(*dest), std::vector<uint32_t>(9, 0xFF102030));
    EXPECT_TRUE(source->mDrawn);
}

TEST(MemoryImageBlit, RectanglesReachingOutsideEitherImageAreCut) {
    // Source pixel (x, y) = 0xFF0000yx.
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            pixels.push_back(0xFF000000u | static_cast<uint32_t>(y << 4 | x));
    auto source = MakeImage(4, 4, pixels);
    auto dest = MakeFilled(4, 4, 0xFFFFFFFF);
    // Starts one pixel left of the source and reaches past the destination's corner.
    dest->Blt(source.get(), 1, 2, IntRect(-1, 0, 6, 6), Color::White, 0);
    std::vector<uint32_t> expected(16, 0xFFFFFFFF);
    for (int y = 2; y < 4; ++y)
        for (int x = 2; x < 4; ++x)
            expected[y * 4 + x] = 0xFF000000u | static_cast<uint32_t>((y - 2) << 4 | (x - 2));
    EXPECT_EQ(PixelsOf(*dest), expected);
}

} // namespace
} // namespace Kavo
