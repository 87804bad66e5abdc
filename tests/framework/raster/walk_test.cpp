#include <gtest/gtest.h>

#include "framework/raster/tri_walk.h"
#include "tests/framework/raster/raster_support.h"

namespace Kavo {
namespace {

using RasterTest::Canvas;
using RasterTest::CountOp;
using RasterTest::Fixed;

// Records the red interpolant's integer part at every pixel.
struct RedOp {
    using Pixel = uint32_t;
    static constexpr bool kColors = true;
    static constexpr bool kTexture = false;
    [[maybe_unused]] static constexpr int32_t kTexelBias = 0;
    void operator()(uint32_t* pixel, const TriSpanValues& v) const { *pixel = v.red >> 16; }
};

void Walk(Canvas<uint32_t>& canvas, TriFixedVertex a, TriFixedVertex b, TriFixedVertex c) {
    const TriFixedVertex corners[3] = {a, b, c};
    TriWalkTriangle(corners, canvas.Bits(), canvas.Pitch(), CountOp{});
}

std::vector<int> RowCounts(const Canvas<uint32_t>& canvas) {
    std::vector<int> rows;
    for (int y = 0; y < canvas.height; ++y) {
        int n = 0;
        for (int x = 0; x < canvas.width; ++x)
            n += static_cast<int>(canvas.At(x, y));
        rows.push_back(n);
    }
    return rows;
}

TEST(TriWalk, CoversTopAndLeftEdgesButNotBottomAndRight) {
    Canvas<uint32_t> canvas(6, 6, 0);
    Walk(canvas, Fixed(0, 0), Fixed(4, 0), Fixed(0, 4));
    EXPECT_EQ(RowCounts(canvas), (std::vector<int>{4, 3, 2, 1, 0, 0}));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(canvas.At(x, y), x < 4 - y ? 1u : 0u) << x << "," << y;
}

TEST(TriWalk, IntegerQuadStripCoversEachPixelOnce) {
    Canvas<uint32_t> canvas(8, 8, 0);
    // The strip triangles (0,1,2) and (1,3,2) of the quad (2,1)-(6,5).
    const TriFixedVertex v[4] = {Fixed(2, 1), Fixed(6, 1), Fixed(2, 5), Fixed(6, 5)};
    Walk(canvas, v[0], v[1], v[2]);
    Walk(canvas, v[1], v[3], v[2]);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(canvas.At(x, y), (x >= 2 && x < 6 && y >= 1 && y < 5) ? 1u : 0u) << x << "," << y;
}

TEST(TriWalk, EmptyTriangles) {
    struct Case {
        const char* name;
        TriFixedVertex a, b, c;
    };
    const Case cases[] = {
        {"no pixel row between 0.5 and 0.9", Fixed(0, 0.5f), Fixed(4, 0.5f), Fixed(2, 0.9f)},
        {"collinear", Fixed(0, 0), Fixed(2, 2), Fixed(4, 4)},
        {"collinear, middle corner first", Fixed(2, 2), Fixed(0, 0), Fixed(4, 4)},
        {"all corners equal", Fixed(1, 1), Fixed(1, 1), Fixed(1, 1)},
    };
    for (const Case& k : cases) {
        Canvas<uint32_t> canvas(6, 6, 0);
        Walk(canvas, k.a, k.b, k.c);
        EXPECT_EQ(RowCounts(canvas), std::vector<int>(6, 0)) << k.name;
    }
}

TEST(TriWalk, CornerOnAPixelIsInsideOnTheLeftAndOutsideOnTheRight) {
    Canvas<uint32_t> canvas(8, 2, 0);
    // Left edge at x = 3.0 and right edge at x = 6.0 on row 0.
    Walk(canvas, Fixed(3, 0), Fixed(6, 0), Fixed(3, 1));
    EXPECT_EQ(canvas.At(2, 0), 0u);
    EXPECT_EQ(canvas.At(3, 0), 1u);
    EXPECT_EQ(canvas.At(5, 0), 1u);
    EXPECT_EQ(canvas.At(6, 0), 0u);
}

TEST(TriWalk, RedRampAgreesAcrossTheSeam) {
    // Red 0 on the left corners, 255 on the right ones, over x 0..4.
    Canvas<uint32_t> canvas(4, 4, 0xDEAD);
    const TriFixedVertex v[4] = {Fixed(0, 0, 0xFF000000), Fixed(4, 0, 0xFFFF0000), Fixed(0, 4, 0xFF000000),
                                 Fixed(4, 4, 0xFFFF0000)};
    const TriFixedVertex first[3] = {v[0], v[1], v[2]};
    const TriFixedVertex second[3] = {v[1], v[3], v[2]};
    TriWalkTriangle(first, canvas.Bits(), canvas.Pitch(), RedOp{});
    TriWalkTriangle(second, canvas.Bits(), canvas.Pitch(), RedOp{});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(canvas.At(x, y), (std::vector<uint32_t>{0, 63, 127, 191}[x])) << x << "," << y;
}

TEST(TriWalk, EdgeFlatterThanASlopeCanHoldStaysWithinItsCorners) {
    // Short edges less than 1/32 pixel tall that cross a row (a sprite turned
    // by a tiny angle): their 16.16 slope wraps, yet every span must stay
    // within the triangle's corners.
    struct Case {
        TriFixedVertex a, b, c;
    };
    auto at = [](int32_t x, int32_t y) { return TriFixedVertex{x, y, 0, 0, 0, 0, 0, 0}; };
    const Case cases[] = {
        {at(0xB5FF, 0xFF88), at(0x3DB066, 0x10001), at(0x10000, 0x50000)},  // upper edge
        {at(0x3D9F25, 0xFF88), at(0xD6DE, 0x10001), at(0x3E0000, 0x40000)}, // upper edge, leftward
        {at(0x3F8000, 0), at(0x10000, 0xFFC4), at(0x3F0000, 0x1003C)},      // lower edge
    };
    for (const Case& k : cases) {
        Canvas<uint32_t> canvas(64, 6, 0);
        Walk(canvas, k.a, k.b, k.c);
        const int lo = std::min({k.a.x, k.b.x, k.c.x}) >> 16;
        const int hi = std::max({k.a.x, k.b.x, k.c.x}) >> 16;
        int drawn = 0;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x)
                if (canvas.At(x, y) != 0) {
                    ++drawn;
                    EXPECT_EQ(canvas.At(x, y), 1u);
                    EXPECT_TRUE(x >= lo && x <= hi) << x << "," << y;
                }
        EXPECT_GT(drawn, 0);
    }
}

} // namespace
} // namespace Kavo
