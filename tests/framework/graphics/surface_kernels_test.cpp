#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "framework/graphics/display_tables.h"
#include "framework/graphics/memory_image_blit_pixel.h"
#include "framework/graphics/surface_kernels.h"
#include "tests/framework/graphics/blit_test_support.h"
#include "tests/framework/graphics/surface_test_support.h"

namespace Kavo {
namespace {

using namespace BlitTest;
using namespace SurfaceKernels;
using SurfaceTest::TestSurface;

// A 16-bit layout that is neither 5:6:5 nor 5:5:5, and a 32-bit one with
// blue on top.
constexpr DisplayPixelFormat kRgb444{0xF00, 0xF0, 0xF, 4, 4, 4, 8, 4, 0};
constexpr DisplayPixelFormat kBgr888{0xFF, 0xFF00, 0xFF0000, 8, 8, 8, 0, 8, 16};

struct Layout {
    const char* name;
    int bitCount;
    DisplayPixelFormat format;
};
const Layout k565{"565", 16, DisplayPixelFormat::Rgb565()};
const Layout k555{"555", 16, DisplayPixelFormat::Rgb555()};
const Layout k444{"444", 16, kRgb444};
const Layout k888{"888", 32, DisplayPixelFormat::Rgb888()};

TEST(DisplayTables, DescribeTheChannelsAsTheDisplayBuildsThem) {
    const DisplayTables t(DisplayPixelFormat::Rgb565());
    EXPECT_EQ(t.Channel(DisplayTables::kRed).mShift, 11);
    EXPECT_EQ(t.Channel(DisplayTables::kGreen).mShift, 5);
    EXPECT_EQ(t.Channel(DisplayTables::kRed).mBits, 5);
    EXPECT_EQ(t.Channel(DisplayTables::kGreen).mBits, 6);
    ASSERT_EQ(t.Saturation(DisplayTables::kRed).size(), 63u);
    EXPECT_EQ(t.Saturation(DisplayTables::kRed).back(), 31u);
    EXPECT_EQ(t.Saturation(DisplayTables::kRed)[20], 20u);
    EXPECT_EQ(t.Component(DisplayTables::kRed)[255], 0xF800u);
    EXPECT_EQ(t.Component(DisplayTables::kGreen)[128], 0x3E0u); // 128 * 0x7E0 / 255 = 0x3F3, masked
    EXPECT_TRUE(t.StandardOrder());
    EXPECT_FALSE(DisplayTables(kBgr888).StandardOrder());
}

// ---- Fills ----

struct FillCase {
    const char* what;
    Layout layout;
    Color color;
    bool additive;
    uint32_t dest;
    uint32_t expected;
};

const FillCase kFillCases[] = {
    {"32-bit white is 0xFEFEFE", k888, Color::White, false, 0x123456, 0xFEFEFE},
    {"5:6:5 white is full", k565, Color::White, false, 0x1234, 0xFFFF},
    {"5:5:5 white is full", k555, Color::White, false, 0x1234, 0x7FFF},
    {"4:4:4 white is full", k444, Color::White, false, 0x123, 0xFFF},
    {"5:6:5 black", k565, Color(0, 0, 0), false, 0xFFFF, 0},
    // blue 0xFF * 128 >> 8 = 0x7F; red ((255 * 128 + 0x7F) >> 8) + 1 = 128, 128 * 0xFF0000 >> 8 -> 0x7F
    {"32-bit half red over blue", k888, Color(255, 0, 0, 128), false, 0x0000FF, 0x7F007F},
    // blue (0x1F * 128 + 0x1F) >> 8 = 15; red 129 * 0xF800 >> 8 & 0xF800 = 0x7800
    {"5:6:5 half red over blue", k565, Color(255, 0, 0, 128), false, 0x001F, 0x780F},
    {"additive white saturates 32-bit", k888, Color::White, true, 0x808080, 0xFFFFFF},
    {"additive white saturates 5:6:5", k565, Color::White, true, 0x1234, 0xFFFF},
    {"additive white saturates 5:5:5", k555, Color::White, true, 0x0421, 0x7FFF},
    // 100 * 128 / 255 = 50 >> 3 = 6 added to red 2
    {"additive half red on 5:6:5", k565, Color(100, 0, 0, 128), true, 0x1000, 0x4000},
    {"additive channels beyond 255 are clamped", k888, Color(300, -40, 1000, 400), true, 0x102030, 0xFF20FF},
    {"normal channels beyond 255 are clamped", k565, Color(999, -5, 999, 999), false, 0, 0xF81F},
};

TEST(SurfaceKernelsFill, GivesTheHandComputedPixelPerLayout) {
    for (const FillCase& c : kFillCases) {
        SCOPED_TRACE(c.what);
        TestSurface surface(4, 3, c.layout.bitCount, c.dest);
        const DisplayTables tables(c.layout.format);
        const IntRect rect(1, 1, 2, 1);
        if (c.additive)
            AdditiveFillRect(surface.Target(), tables, rect, c.color);
        else
            NormalFillRect(surface.Target(), tables, rect, c.color);
        EXPECT_EQ(surface.At(1, 1), c.expected);
        EXPECT_EQ(surface.At(2, 1), c.expected);
        EXPECT_EQ(surface.At(0, 1), c.dest);
        EXPECT_EQ(surface.At(3, 1), c.dest);
        EXPECT_EQ(surface.At(1, 0), c.dest);
    }
}

TEST(SurfaceKernelsFill, RectangleIsCutToTheSurfaceAndOtherDepthsAreLeft) {
    TestSurface surface(4, 3, 32, 0);
    NormalFillRect(surface.Target(), DisplayTables(DisplayPixelFormat::Rgb888()), IntRect(-5, -5, 100, 100),
                   Color::White);
    EXPECT_EQ(surface.Pixels(), std::vector<uint32_t>(12, 0xFEFEFE));
    EXPECT_TRUE(surface.GuardsIntact());

    TestSurface deep(4, 3, 24, 0x111111);
    NormalFillRect(deep.Target(), DisplayTables(DisplayPixelFormat::Rgb888()), IntRect(0, 0, 4, 3), Color::White);
    EXPECT_EQ(deep.Pixels(), std::vector<uint32_t>(12, 0x111111));
}

// ---- Lines and coverage ----

TEST(SurfaceKernelsLine, DiagonalPlainLineAndAdditiveSaturation) {
    TestSurface surface(5, 5, 16, 0x0841);
    const DisplayTables tables(DisplayPixelFormat::Rgb565());
    // White is (255 * mask + mask / 2) >> 8 & mask per channel: 0xF000, 0x7C0, 0x1E.
    NormalDrawLine(surface.Target(), tables, 0.5, 0.5, 3.5, 3.5, Color::White);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(surface.At(x, y), x == y && x < 4 ? 0xF7DEu : 0x0841u) << x << "," << y;

    AdditiveDrawLine(surface.Target(), tables, 0, 4, 4, 4, Color::White);
    EXPECT_EQ(surface.At(2, 4), 0xFFFFu);
    EXPECT_TRUE(surface.GuardsIntact());
}

TEST(SurfaceKernelsLine, LineReachingPastTheSurfaceStopsAtItsEdge) {
    TestSurface surface(4, 4, 32, 0);
    const DisplayTables tables(DisplayPixelFormat::Rgb888());
    NormalDrawLine(surface.Target(), tables, 1, 1, 1e9, 2, Color::White);
    NormalDrawLineAA(surface.Target(), tables, -3, 3.5, 9, 3.9, Color::White);
    EXPECT_EQ(surface.At(3, 1), 0xFEFEFEu);
    EXPECT_TRUE(surface.GuardsIntact());
}

TEST(SurfaceKernelsLine, AntiAliasedLineWithinOnePixelDrawsItTwice) {
    TestSurface surface(5, 5, 32, 0);
    // error = trunc(0.4 * 0.3 * 65536) = 7864, W = 255 - 30 = 225; the
    // colour 0xFE per channel: 254 * 225 >> 8 = 223, then
    // (223 * 31 + 254 * 225) >> 8 = 250.
    NormalDrawLineAA(surface.Target(), DisplayTables(DisplayPixelFormat::Rgb888()), 2.3, 2.4, 2.6, 2.7, Color::White);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(surface.At(x, y), x == 2 && y == 2 ? 0xFAFAFAu : 0u);
}

TEST(SurfaceKernelsCoverage, FullCoverageWeighs255AndPixelsOutsideTheBoxAreSkipped) {
    TestSurface surface(6, 3, 32, 0);
    const std::vector<uint8_t> coverage = {255, 255, 0, 128}; // a 2 x 2 box at (2, 1)
    const Span spans[] = {{1, 0, 6}, {2, 2, 2}, {0, 0, 6}, {5, 2, 2}};
    FillScanLinesWithCoverage(surface.Target(), DisplayTables(DisplayPixelFormat::Rgb888()), spans, 4, Color::White,
                              coverage.data(), 2, 1, 2, 2);
    // 0xFE * 255 >> 8 = 0xFD; coverage 0: a = 255 >> 8 = 0; 128: a = 129, 0xFE * 129 >> 8 = 0x7F
    const std::vector<uint32_t> expected = {0, 0, 0,        0,        0, 0, //
                                            0, 0, 0xFDFDFD, 0xFDFDFD, 0, 0, //
                                            0, 0, 0,        0x7F7F7F, 0, 0};
    EXPECT_EQ(surface.Pixels(), expected);
}

// ---- Blits ----

struct BlitCase {
    const char* what;
    Layout layout;
    uint32_t source; // ARGB
    uint32_t dest;
    Color color;
    bool additive;
    uint32_t expected;
};

const BlitCase kBlitCases[] = {
    {"opaque white copies the display value, 5:6:5", k565, 0xFF336699, 0x1234, Color::White, false, 0x3333},
    {"opaque white copies the display value, 5:5:5", k555, 0xFF336699, 0x1234, Color::White, false, 0x1993},
    {"opaque white copies the display value, 32-bit", k888, 0xFF336699, 0x123456, Color::White, false, 0xFF336699},
    {"alpha 0 leaves the destination", k565, 0x00FFFFFF, 0x1234, Color::White, false, 0x1234},
    // s = 0x80008000 (red 129 * 0xFF >> 8 >> 3 = 16); blue 0x1F * 16 >> 5 = 15
    {"half red over blue, 5:6:5", k565, 0x80FF0000, 0x001F, Color::White, false, 0x800F},
    {"half red over blue, 5:5:5", k555, 0x80FF0000, 0x001F, Color::White, false, 0x400F},
    // blue 0xFF * 128 >> 8 = 0x7F; the alpha byte of s is written too
    {"half red over blue, 32-bit", k888, 0x80FF0000, 0x0000FF, Color::White, false, 0x8080007F},
    {"half red over blue, 4:4:4", k444, 0x80FF0000, 0x00F, Color::White, false, 0x807},
    // the packed white 0x07E0F81F * 16 >> 5 masked: 0x03E0780F, folded
    {"grey tint 128 of white, 5:6:5", k565, 0xFFFFFFFF, 0, Color(128, 128, 128), false, 0x7BEF},
    {"grey tint 128 of white, 32-bit", k888, 0xFFFFFFFF, 0, Color(128, 128, 128), false, 0x7F7F7F},
    {"red tint of white, 32-bit", k888, 0xFFFFFFFF, 0, Color(255, 0, 0), false, 0xFE0000},
    // inv = 256 - 255 * 128 / 255 = 128; red 0xFF0000 * 255 + 0 >> 8 = 0xFE0000; blue 0xFF * 128 >> 8
    {"red tint at half alpha, 32-bit", k888, 0xFFFFFFFF, 0x0000FF, Color(255, 0, 0, 128), false, 0x7F007F},
    {"additive white saturates, 5:6:5", k565, 0xFFFFFFFF, 0x8410, Color::White, true, 0xFFFF},
    {"additive white saturates, 32-bit", k888, 0xFFFFFFFF, 0x102030, Color::White, true, 0xFFFFFF},
    // red 0x80 * (200 * 255 / 255) >> 8 = 100 + 0x10
    {"additive tint, 32-bit", k888, 0xFF800000, 0x100000, Color(200, 0, 0), true, 0x740000},
    {"additive black adds nothing", k888, 0xFF000000, 0x102030, Color::White, true, 0x102030},
};

TEST(SurfaceKernelsBlit, GivesTheHandComputedPixelPerLayoutAndSourceForm) {
    for (const BlitCase& c : kBlitCases)
        for (Form form : {Form::Plain, Form::Palettised}) {
            SCOPED_TRACE(std::string(c.what) + ", " + FormName(form));
            TestSurface surface(5, 2, c.layout.bitCount, c.dest);
            const DisplayTables tables(c.layout.format);
            auto source = MakeFilled(3, 1, c.source, form);
            if (c.additive)
                AdditiveBlt(surface.Target(), tables, *source, 1, 1, IntRect(0, 0, 3, 1), c.color);
            else
                NormalBlt(surface.Target(), tables, *source, 1, 1, IntRect(0, 0, 3, 1), c.color);
            const std::vector<uint32_t> expected = {c.dest, c.dest,     c.dest,     c.dest,     c.dest,
                                                    c.dest, c.expected, c.expected, c.expected, c.dest};
            EXPECT_EQ(surface.Pixels(), expected);
            EXPECT_TRUE(source->mDrawn);
        }
}

TEST(SurfaceKernelsBlit, VolatileSourceBlendsFromItsStraightAlphaPixels) {
    struct Case {
        Layout layout;
        uint32_t dest, expected;
    };
    // (s - d) * a >> 8 + d per lane, wrapping: red 0x7F, blue 0xFF - 0x80
    const Case cases[] = {{k888, 0x0000FF, 0x7F007F}, {k565, 0x001F, 0x780F}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout.name);
        TestSurface surface(2, 1, c.layout.bitCount, c.dest);
        auto source = MakeFilled(2, 1, 0x80FF0000);
        source->SetVolatile(true);
        NormalBlt(surface.Target(), DisplayTables(c.layout.format), *source, 0, 0, IntRect(0, 0, 2, 1), Color::White);
        EXPECT_EQ(surface.Pixels(), std::vector<uint32_t>(2, c.expected));
    }
}

TEST(SurfaceKernelsBlit, RunLongerThanTheRowIsCutToIt) {
    TestSurface surface(4, 2, 32, 0x111111);
    auto source = MakeFilled(4, 2, 0xFF00FF00);
    source->mHasAlpha = true; // take the run walk
    source->mForcedAlphaFlags = true;
    uint8_t* runs = source->GetAlphaRuns();
    std::fill(runs, runs + 8, uint8_t{255});
    RunBlt(surface.Target(), DisplayTables(DisplayPixelFormat::Rgb888()), *source, 0, 0, IntRect(1, 0, 2, 2),
           Color::White);
    const std::vector<uint32_t> expected = {0xFF00FF00, 0xFF00FF00, 0x111111, 0x111111,
                                            0xFF00FF00, 0xFF00FF00, 0x111111, 0x111111};
    EXPECT_EQ(surface.Pixels(), expected);
}

TEST(SurfaceKernelsBlit, BlitsReachingOutsideEitherImageAreCut) {
    TestSurface surface(3, 3, 16, 0);
    auto source = MakeFilled(4, 4, 0xFFFFFFFF);
    const DisplayTables tables(DisplayPixelFormat::Rgb565());
    NormalBlt(surface.Target(), tables, *source, -2, 1, IntRect(-1, 0, 9, 9), Color::White);
    NormalBltMirror(surface.Target(), tables, *source, 2, -1, IntRect(0, 0, 4, 4), Color(1, 2, 3, 100));
    AdditiveBlt(surface.Target(), tables, *source, 1, 1, IntRect(0, 0, 4, 4), Color::White);
    EXPECT_TRUE(surface.GuardsIntact());
    EXPECT_EQ(surface.At(0, 2), 0xFFFFu);
}

TEST(SurfaceKernelsBlit, MirrorReversesTheRowAndItsRuns) {
    // Source row: 5 pixels of alpha 0, then 3 opaque ones.
    const std::vector<uint32_t> row = {0, 0, 0, 0, 0, 0xFF100000, 0xFF200000, 0xFF300000};
    for (Form form : {Form::Plain, Form::Palettised}) {
        SCOPED_TRACE(FormName(form));
        auto source = MakeImage(8, 1, row, form);
        TestSurface surface(10, 1, 32, 0x777777);
        NormalBltMirror(surface.Target(), DisplayTables(DisplayPixelFormat::Rgb888()), *source, 1, 0,
                        IntRect(0, 0, 8, 1), Color::White);
        const std::vector<uint32_t> expected = {0x777777, 0xFF300000, 0xFF200000, 0xFF100000, 0x777777,
                                                0x777777, 0x777777,   0x777777,   0x777777,   0x777777};
        EXPECT_EQ(surface.Pixels(), expected);

        // Opaque and white, the mirror gives the plain blit's pixels reversed.
        TestSurface plain(8, 1, 16, 0), mirrored(8, 1, 16, 0);
        const DisplayTables tables(DisplayPixelFormat::Rgb565());
        NormalBlt(plain.Target(), tables, *source, 0, 0, IntRect(0, 0, 8, 1), Color::White);
        NormalBltMirror(mirrored.Target(), tables, *source, 0, 0, IntRect(0, 0, 8, 1), Color::White);
        std::vector<uint32_t> reversed = plain.Pixels();
        std::reverse(reversed.begin(), reversed.end());
        EXPECT_EQ(mirrored.Pixels(), reversed);
    }
}

// The plain alpha and additive blits onto a 32-bit surface run four pixels
// at a time; their mirrors run pixel by pixel. Reversed, the two must agree
// on any data, tails of rows included.
TEST(SurfaceKernelsBlit, VectorFormsMatchThePixelRules) {
    std::mt19937 random(3);
    // Partial alpha takes the run walk; without it the normal blit copies
    // (keyed when some pixels are transparent), as the mirror's white rules do.
    enum Alphas { Partial, Keyed, Opaque };
    for (bool additive : {false, true})
        for (Alphas alphas : {Partial, Keyed, Opaque})
            for (int width : {1, 4, 7, 13, 22}) {
                SCOPED_TRACE(std::string(additive ? "additive " : "normal ") + std::to_string(width) + " alphas " +
                             std::to_string(alphas));
                std::vector<uint32_t> pixels(static_cast<size_t>(width) * 3);
                for (uint32_t& p : pixels) {
                    // alpha 0, 255, partial; black runs too
                    const uint32_t kind = alphas == Opaque ? 1 : random() % (alphas == Keyed ? 2 : 4);
                    p = kind == 0 ? 0 : kind == 1 ? random() | 0xFF000000u : (random() | 0x01000000u) & 0xFEFFFFFFu;
                }
                auto source = MakeImage(width, 3, pixels);
                TestSurface plain(width, 3, 32), mirrored(width, 3, 32);
                for (int y = 0; y < 3; ++y)
                    for (int x = 0; x < width; ++x) {
                        const uint32_t d = random();
                        plain.Set(x, y, d);
                        mirrored.Set(width - 1 - x, y, d);
                    }
                const DisplayTables tables(DisplayPixelFormat::Rgb888());
                const IntRect all(0, 0, width, 3);
                if (additive) {
                    AdditiveBlt(plain.Target(), tables, *source, 0, 0, all, Color::White);
                    AdditiveBltMirror(mirrored.Target(), tables, *source, 0, 0, all, Color::White);
                } else {
                    NormalBlt(plain.Target(), tables, *source, 0, 0, all, Color::White);
                    NormalBltMirror(mirrored.Target(), tables, *source, 0, 0, all, Color::White);
                }
                for (int y = 0; y < 3; ++y)
                    for (int x = 0; x < width; ++x)
                        ASSERT_EQ(plain.At(x, y), mirrored.At(width - 1 - x, y)) << x << "," << y;
            }
}

// ---- Stretches ----

TEST(SurfaceKernelsStretch, MirrorPutsColumnZeroOnTheRightAndScalesByNearestPixel) {
    auto source = MakeImage(4, 1, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004});
    const DisplayTables tables(DisplayPixelFormat::Rgb888());
    TestSurface mirrored(4, 1, 32, 0);
    EXPECT_TRUE(StretchBlt(mirrored.Target(), tables, *source, IntRect(0, 0, 4, 1), IntRect(0, 0, 4, 1),
                           IntRect(0, 0, 4, 1), Color::White, 0, true));
    EXPECT_EQ(mirrored.Pixels(), (std::vector<uint32_t>{0xFF000004, 0xFF000003, 0xFF000002, 0xFF000001}));

    TestSurface doubled(8, 2, 32, 0);
    StretchBlt(doubled.Target(), tables, *source, IntRect(0, 0, 8, 2), IntRect(1, 0, 2, 1), IntRect(0, 0, 8, 2),
               Color::White, 0, false);
    EXPECT_EQ(doubled.At(0, 1), 0xFF000002u);
    EXPECT_EQ(doubled.At(3, 1), 0xFF000002u);
    EXPECT_EQ(doubled.At(4, 0), 0xFF000003u);
    EXPECT_EQ(doubled.At(7, 1), 0xFF000003u);
}

TEST(SurfaceKernelsStretch, ClippedAwayOrOtherDepthDrawsNothing) {
    auto source = MakeFilled(2, 2, 0xFFFFFFFF);
    const DisplayTables tables(DisplayPixelFormat::Rgb888());
    TestSurface surface(4, 4, 32, 0x123456);
    EXPECT_FALSE(StretchBlt(surface.Target(), tables, *source, IntRect(0, 0, 2, 2), IntRect(0, 0, 2, 2),
                            IntRect(2, 2, 2, 2), Color::White, 0, false));
    TestSurface deep(4, 4, 24, 0x123456);
    EXPECT_FALSE(StretchBlt(deep.Target(), tables, *source, IntRect(0, 0, 4, 4), IntRect(0, 0, 2, 2),
                            IntRect(0, 0, 4, 4), Color::White, 0, false));
    EXPECT_EQ(surface.Pixels(), std::vector<uint32_t>(16, 0x123456));
    EXPECT_EQ(deep.Pixels(), std::vector<uint32_t>(16, 0x123456));
}

TEST(SurfaceKernelsStretch, PixelRulesPerMode) {
    struct Case {
        const char* what;
        uint32_t source, dest;
        Color color;
        int mode;
        uint32_t expected;
    };
    const Case cases[] = {
        {"alpha 255 replaces exactly", 0xFF336699, 0x123456, Color::White, 0, 0xFF336699},
        {"alpha 0 leaves", 0x00336699, 0x123456, Color::White, 0, 0x123456},
        // a' = 255 * 128 / 255 = 128, tint red 128: red 0xFF0000 * 128 >> 8, blue 0xFF * 128 >> 8
        {"tinted", 0xFFFFFFFF, 0x0000FF, Color(255, 0, 0, 128), 0, 0x7F007F},
        {"additive white saturates", 0xFFFFFFFF, 0x123456, Color::White, 1, 0xFFFFFF},
        {"additive of black leaves", 0x00000000, 0x123456, Color(9, 9, 9), 1, 0x123456},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto source = MakeFilled(1, 1, c.source);
        TestSurface surface(2, 2, 32, c.dest);
        StretchBlt(surface.Target(), DisplayTables(DisplayPixelFormat::Rgb888()), *source, IntRect(0, 0, 2, 2),
                   IntRect(0, 0, 1, 1), IntRect(0, 0, 2, 2), c.color, c.mode, false);
        EXPECT_EQ(surface.Pixels(), std::vector<uint32_t>(4, c.expected));
    }
}

// ---- Every way, both source forms ----

TEST(SurfaceKernels, PalettisedSourceDrawsLikeTrueColour) {
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 48; ++i) // alpha 0, partial and opaque runs, a few colours
        pixels.push_back((i % 6 < 2 ? 0u : i % 6 < 4 ? 0x80u : 0xFFu) << 24 | (i * 0x1F3B5Du & 0xFFFFFF));
    const Color colors[] = {Color::White, Color(128, 128, 128, 200), Color(255, 60, 10, 255)};
    for (const Layout& layout : {k565, k555, k444, k888})
        for (const Color& color : colors)
            for (int op = 0; op < 7; ++op) {
                SCOPED_TRACE(std::string(layout.name) + " op " + std::to_string(op));
                std::vector<uint32_t> results[2];
                for (Form form : {Form::Plain, Form::Palettised}) {
                    auto source = MakeImage(8, 6, pixels, form);
                    TestSurface surface(12, 9, layout.bitCount, 0x5A5A5A);
                    const SurfaceTarget t = surface.Target();
                    const DisplayTables tables(layout.format);
                    const IntRect all(0, 0, 8, 6), clip(0, 0, 12, 9);
                    switch (op) {
                    case 0:
                        NormalBlt(t, tables, *source, 2, 1, all, color);
                        break;
                    case 1:
                        NormalBltMirror(t, tables, *source, 2, 1, all, color);
                        break;
                    case 2:
                        AdditiveBlt(t, tables, *source, 2, 1, all, color);
                        break;
                    case 3:
                        AdditiveBltMirror(t, tables, *source, 2, 1, all, color);
                        break;
                    case 4:
                        StretchBlt(t, tables, *source, IntRect(1, 1, 11, 7), all, clip, color, 0, op % 2);
                        break;
                    case 5:
                        StretchBlt(t, tables, *source, IntRect(1, 1, 11, 7), all, clip, color, 1, false);
                        break;
                    case 6:
                        BltRotated(t, tables, *source, 1.5f, 1.25f, all, clip, color, 0, 0.3, 4, 3);
                        break;
                    }
                    results[form == Form::Palettised] = surface.Pixels();
                }
                EXPECT_EQ(results[0], results[1]);
                EXPECT_NE(results[0], std::vector<uint32_t>(108, layout.bitCount == 16 ? 0x5A5A : 0x5A5A5A));
            }
}

// Opaque or keyed palettised images are copied through their table, eight
// words at a time with AVX2: every level must give the true-colour copy,
// across row tails, a cut left edge and keyed rows longer than the strip.
TEST(SurfaceKernels, PalettisedCopyMatchesTrueColourAtEveryKernelLevel) {
    using BlitPixel::KernelLevel;
    std::mt19937 random(11);
    for (bool keyed : {false, true})
        for (int width : {1, 7, 8, 9, 23, 300}) {
            std::vector<uint32_t> pixels(static_cast<size_t>(width) * 3);
            for (uint32_t& p : pixels) {
                const uint32_t colour = 0xFF000000u | (random() % 40) * 0x050B13u;
                p = keyed && random() % 3 == 0 ? 0 : colour;
            }
            const uint32_t background = random() & 0xFFFFFFu;
            auto drawn = [&](Form form, int x) {
                auto source = MakeImage(width, 3, pixels, form);
                TestSurface surface(width + 2, 4, 32, background);
                CopyBlt(surface.Target(), DisplayTables(DisplayPixelFormat::Rgb888()), *source, x, 1,
                        IntRect(0, 0, width, 3));
                return surface.Pixels();
            };
            for (int x : {1, -3}) {
                const std::vector<uint32_t> expected = drawn(Form::Plain, x);
                for (KernelLevel level :
                     {KernelLevel::Portable, KernelLevel::Sse2, KernelLevel::Ssse3, KernelLevel::Avx2}) {
                    if (level > BlitPixel::MaxKernelLevel())
                        continue;
                    SCOPED_TRACE((keyed ? "keyed width " : "opaque width ") + std::to_string(width) + " at " +
                                 std::to_string(x) + " level " + std::to_string(static_cast<int>(level)));
                    BlitPixel::SetKernelLevel(level);
                    EXPECT_EQ(drawn(Form::Palettised, x), expected);
                }
                BlitPixel::SetKernelLevel(BlitPixel::MaxKernelLevel());
            }
        }
}

// ---- Rotation ----

TEST(SurfaceKernelsRotate, AngleZeroKeepsWeight254ForAnOpaqueSample) {
    // u steps by 65536 and v by 0; the odd fractions give w00 = 254 and a
    // destination weight of 2: 255 * 254 >> 8 = 253 plus 0xFF * 2 >> 8 = 1.
    auto source = MakeFilled(3, 3, 0xFFFFFFFF);
    for (const Layout& layout : {k888, Layout{"bgr", 32, kBgr888}}) {
        SCOPED_TRACE(layout.name);
        TestSurface surface(5, 5, 32, 0xFFFFFF);
        BltRotated(surface.Target(), DisplayTables(layout.format), *source, 1, 1, IntRect(0, 0, 3, 3),
                   IntRect(0, 0, 5, 5), Color::White, 0, 0.0, 0, 0);
        EXPECT_EQ(surface.At(1, 1), 0xFEFEFEu);
        EXPECT_EQ(surface.At(2, 2), 0xFEFEFEu);
        // The last source column and row are never a base pixel.
        EXPECT_EQ(surface.At(3, 1), 0xFFFFFFu);
        EXPECT_EQ(surface.At(1, 3), 0xFFFFFFu);
    }
}

TEST(SurfaceKernelsRotate, SourceOfWidthOneDrawsNothing) {
    auto source = MakeFilled(1, 4, 0xFFFFFFFF);
    TestSurface surface(6, 6, 16, 0);
    BltRotated(surface.Target(), DisplayTables(DisplayPixelFormat::Rgb565()), *source, 2, 1, IntRect(0, 0, 1, 4),
               IntRect(0, 0, 6, 6), Color::White, 0, 0.0, 0, 0);
    EXPECT_EQ(surface.Pixels(), std::vector<uint32_t>(36, 0));
}

TEST(SurfaceKernelsRotate, SpanCutKeepsEveryNeighbourInsideTheSource) {
    std::mt19937 random(17);
    std::uniform_int_distribution<int32_t> position(-40 << 16, 40 << 16), size(1, 30);
    std::uniform_real_distribution<double> angle(-std::numbers::pi, std::numbers::pi);
    int drawnRows = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const double a = trial % 7 == 0 ? std::numbers::pi / 2 * (trial % 4) : angle(random);
        const int32_t du = static_cast<int32_t>(std::cos(a) * 65536.0),
                      dv = static_cast<int32_t>(std::sin(a) * 65536.0);
        const int32_t u = position(random), v = position(random), w = size(random), h = size(random);
        int32_t first, last;
        if (!CutRotatedSpan(u, v, du, dv, w, h, 80, first, last))
            continue;
        ++drawnRows;
        for (int32_t i = first; i <= last; ++i) {
            const int64_t pu = int64_t{u} + int64_t{i} * du, pv = int64_t{v} + int64_t{i} * dv;
            ASSERT_TRUE(pu >= 0 && (pu >> 16) <= w - 2 && pv >= 0 && (pv >> 16) <= h - 2)
                << "u " << u << " v " << v << " du " << du << " dv " << dv << " w " << w << " h " << h << " i " << i;
        }
    }
    EXPECT_GT(drawnRows, 1000);
}

// The packed 32-bit form against the general one: the same drawing on an
// RGB surface (packed) and a BGR one (general) must agree channel by channel.
TEST(SurfaceKernelsRotate, PackedFormMatchesTheGeneralForm) {
    auto swap = [](uint32_t p) { return (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF); };
    std::mt19937 random(5);
    std::vector<uint32_t> pixels(64);
    for (int trial = 0; trial < 40; ++trial) {
        for (uint32_t& p : pixels)
            p = random();
        auto source = MakeImage(8, 8, pixels, trial % 2 ? Form::Plain : Form::Palettised);
        TestSurface rgb(16, 16, 32), bgr(16, 16, 32);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const uint32_t d = random() & 0xFFFFFF;
                rgb.Set(x, y, d);
                bgr.Set(x, y, swap(d));
            }
        const double a = std::uniform_real_distribution<double>(-3.2, 3.2)(random);
        const float x = std::uniform_real_distribution<float>(0, 8)(random);
        for (TestSurface* s : {&rgb, &bgr})
            BltRotated(s->Target(), DisplayTables(s == &rgb ? DisplayPixelFormat::Rgb888() : kBgr888), *source, x, 3.5f,
                       IntRect(0, 0, 8, 8), IntRect(0, 0, 16, 16), Color::White, 0, a, 4, 4);
        std::vector<uint32_t> back = bgr.Pixels();
        for (uint32_t& p : back)
            p = swap(p);
        ASSERT_EQ(rgb.Pixels(), back) << "trial " << trial;
    }
}

// ---- Matrix and triangles ----

TEST(SurfaceKernelsTransform, FormatCodesAndClipCutToTheSurface) {
    struct Case {
        int bitCount;
        DisplayPixelFormat format;
        int32_t code;
    };
    const Case cases[] = {{32, DisplayPixelFormat::Rgb888(), 0x888},
                          {16, DisplayPixelFormat::Rgb565(), 0x565},
                          {16, DisplayPixelFormat::Rgb555(), 0x555},
                          {16, kRgb444, 0},
                          {24, DisplayPixelFormat::Rgb888(), 0}};
    for (const Case& c : cases) {
        SurfaceTarget t;
        t.mBitCount = c.bitCount;
        EXPECT_EQ(SurfaceFormatCode(t, c.format), c.code) << c.bitCount;
    }

    auto source = MakeFilled(16, 16, 0xFFFFFFFF);
    for (const Layout& layout : {k565, k555, k888}) {
        SCOPED_TRACE(layout.name);
        TestSurface surface(6, 5, layout.bitCount, 0);
        Matrix3x3 m;
        m.LoadIdentity();
        BltMatrix(surface.Target(), layout.format, *source, 3, 3, m, IntRect(-50, -50, 500, 500), Color::White,
                  IntRect(0, 0, 16, 16), false);
        EXPECT_TRUE(surface.GuardsIntact());
        EXPECT_NE(surface.At(5, 4), 0u);
        EXPECT_NE(surface.At(0, 0), 0u);
    }
}

} // namespace
} // namespace Kavo
