// The surface image's fills, lines and coverage spans: which engine each
// call takes, and what the surface shows afterwards.
#include <gtest/gtest.h>

#include "framework/graphics/point.h"
#include "tests/framework/graphics/surface_drawing_fixture.h"

namespace {

using namespace display_test;
using Kavo::Color;
using Kavo::IntRect;
using platform::DisplayOperation;

class SurfaceImageDrawing : public SurfaceDrawing {};

TEST_F(SurfaceImageDrawing, FillRectTakesTheRendererTheKernelsOrTheMemoryImage) {
    InitWith(platform::PixelFormat::Xrgb8888());

    // 3D draw surface: the renderer alone.
    Screen3D().FillRect(IntRect(0, 0, 4, 4), Color(255, 0, 0), 0);
    EXPECT_EQ(renderer->Names(), std::vector<std::string>{"FillRect"});
    dd->mIs3D = false;

    // Opaque image: drawn on its surface, the memory copies freed.
    auto opaque = SurfaceImage(4, 4, 0xFF000000);
    const int locks = Calls(DisplayOperation::Lock);
    opaque->FillRect(IntRect(1, 1, 2, 1), Color(255, 0, 0), 0);
    EXPECT_GT(Calls(DisplayOperation::Lock), locks);
    EXPECT_EQ(opaque->mBits, nullptr);
    EXPECT_EQ(At(*opaque, 1, 1), 0xFE0000u);
    EXPECT_EQ(At(*opaque, 3, 1), 0u);

    // Transparent pixels: the memory image's bits, the surface dropped.
    auto keyed = Image({0xFF000000, 0x00000000}, 2);
    ASSERT_TRUE(keyed->GenerateDDSurface());
    keyed->FillRect(IntRect(0, 0, 1, 1), Color(255, 0, 0), 0);
    EXPECT_EQ(keyed->mSurface, nullptr);
    EXPECT_EQ(keyed->GetBits()[0], 0xFFFF0000u);
    EXPECT_EQ(renderer->calls.size(), 1u);
}

TEST_F(SurfaceImageDrawing, AHorizontalLineIsTheRectangleOfItsTruncatedEnds) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = SurfaceImage(16, 8, 0xFF000000);
    image->DrawLine(10.7, 5.2, 3.2, 5.2, Color(0, 0, 255), 0);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(At(*image, x, 5), x >= 3 && x <= 10 ? 0xFEu : 0u) << x;
    EXPECT_EQ(At(*image, 5, 4), 0u);
    EXPECT_EQ(At(*image, 5, 6), 0u);
    // A vertical line the same way: x 1, y 2 to 6.
    image->DrawLine(1.5, 6.5, 1.5, 2.0, Color(0, 0, 255), 0);
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(At(*image, 1, y), y >= 2 && y <= 6 ? 0xFEu : 0u) << y;
}

TEST_F(SurfaceImageDrawing, DrawModeTwoDrawsNothingAndKeepsTheMemoryCopies) {
    InitWith(platform::PixelFormat::Rgb565());
    auto image = SurfaceImage(8, 8, 0xFF000000);
    ASSERT_NE(image->mBits, nullptr);
    image->DrawLine(1, 1, 6, 4, Color::White, 2);
    image->DrawLineAA(1, 1, 6, 4, Color::White, 2);
    image->FillRect(IntRect(0, 0, 8, 8), Color::White, 2);
    EXPECT_NE(image->mBits, nullptr);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(At(*image, x, y), 0u);
}

TEST_F(SurfaceImageDrawing, AnAntiAliasedLineWithinOnePixelDrawsItTwice) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = SurfaceImage(6, 6, 0xFF000000);
    // error = 0.3 * 0.2 * 65536 = 3932, W = 255 - 15 = 240, w = (129 * 240) >> 8 = 120;
    // white is 254 per lane: (254 * 120) >> 8 = 119 once, (119 * 136 + 254 * 120) >> 8 = 182 twice.
    image->DrawLineAA(2.2, 3.3, 2.7, 3.9, Color(255, 255, 255, 128), 0);
    EXPECT_EQ(At(*image, 2, 3), 0xB6B6B6u);
    for (auto [x, y] : {std::pair{3, 3}, std::pair{2, 4}, std::pair{1, 3}, std::pair{2, 2}})
        EXPECT_EQ(At(*image, x, y), 0u) << x << "," << y;
}

TEST_F(SurfaceImageDrawing, CoverageSpansWeighAndStayInsideTheCoverageBox) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = SurfaceImage(8, 4, 0xFF0000FF);
    // A 3 x 1 coverage box at (2, 1); the span runs two pixels past it.
    const uint8_t coverage[] = {255, 0, 255};
    const Kavo::Span spans[] = {{1, 2, 5}};
    image->FillScanLinesWithCoverage(spans, 1, Color(255, 0, 0), 0, coverage, 2, 1, 3, 1);
    // Weight ((255 + 1) * 255) >> 8 = 255: red (0xFE * 255) >> 8 = 0xFD, blue (0xFF * 1) >> 8 = 0.
    EXPECT_EQ(At(*image, 2, 1), 0xFD0000u);
    EXPECT_EQ(At(*image, 4, 1), 0xFD0000u);
    // Coverage 0 still weighs (1 * 255) >> 8 = 0: unchanged.
    EXPECT_EQ(At(*image, 3, 1), 0xFFu);
    EXPECT_EQ(At(*image, 5, 1), 0xFFu);
    EXPECT_EQ(At(*image, 6, 1), 0xFFu);
}

TEST_F(SurfaceImageDrawing, CoverageOnThe3DSurfaceBlitsABoxAndLeavesTheSpansAlone) {
    InitWith(platform::PixelFormat::Xrgb8888());
    const uint8_t coverage[64] = {};
    Kavo::Span spans[] = {{10, 20, 4}, {12, 18, 3}};
    Screen3D().FillScanLinesWithCoverage(spans, 2, Color(255, 0, 0), 0, coverage, 18, 10, 8, 8);
    ASSERT_EQ(renderer->calls.size(), 1u);
    EXPECT_EQ(renderer->calls[0].name, "Blt");
    EXPECT_EQ(renderer->calls[0].x, 18);
    EXPECT_EQ(renderer->calls[0].y, 10);
    EXPECT_EQ(spans[0].mX, 20);
    EXPECT_EQ(spans[0].mY, 10);
    EXPECT_EQ(spans[1].mX, 18);
}

TEST_F(SurfaceImageDrawing, PolyFill3DFillsOnlyOnThe3DDrawSurface) {
    InitWith(platform::PixelFormat::Xrgb8888());
    const Kavo::Point points[] = {{0, 0}, {5, 0}, {0, 5}};
    auto image = SurfaceImage(8, 8, 0xFF000000);
    EXPECT_FALSE(image->PolyFill3D(points, 3, IntRect(0, 0, 8, 8), Color::White, 0, 0, 0, true));
    EXPECT_FALSE(dd->mScreenImage->PolyFill3D(points, 3, IntRect(0, 0, 8, 8), Color::White, 0, 0, 0, true));
    EXPECT_TRUE(renderer->calls.empty());
    EXPECT_TRUE(Screen3D().PolyFill3D(points, 3, IntRect(0, 0, 8, 8), Color::White, 0, 0, 0, true));
    EXPECT_EQ(renderer->Names(), std::vector<std::string>{"FillPoly"});
}

} // namespace
