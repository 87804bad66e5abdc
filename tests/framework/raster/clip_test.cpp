#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "framework/raster/tri_clip.h"
#include "tests/framework/raster/raster_support.h"

namespace Kavo {
namespace {

using RasterTest::Vertex;

struct Clipped {
    TriClipVertexPool pool;
    TriClipList list;
    int count = 0;
};

void Clip(Clipped& c, const TriVertex& a, const TriVertex& b, const TriVertex& d, float left = 0, float right = 10,
          float top = 0, float bottom = 10) {
    const TriVertex* tri[3] = {&a, &b, &d};
    c.count = TriRasterClipPolygon(tri, c.list, left, right, top, bottom, c.pool);
}

TEST(TriClip, TriangleInsideComesBackAsItsCornersWithoutNewOnes) {
    // The last corner lies exactly on the right bound: a corner on a line is inside.
    const TriVertex a = Vertex(1, 1), b = Vertex(10, 5), d = Vertex(2, 9);
    Clipped c;
    Clip(c, a, b, d);
    ASSERT_EQ(c.count, 3);
    EXPECT_EQ(c.list[0], &a);
    EXPECT_EQ(c.list[1], &b);
    EXPECT_EQ(c.list[2], &d);
    EXPECT_EQ(c.list[3], nullptr);
    EXPECT_EQ(c.pool.count, 0);
}

TEST(TriClip, TriangleOutsideAnyBoundIsDropped) {
    Clipped c;
    Clip(c, Vertex(-5, 1), Vertex(-1, 5), Vertex(-3, 9));
    EXPECT_EQ(c.count, 0);
    Clip(c, Vertex(1, 11), Vertex(5, 12), Vertex(3, 19));
    EXPECT_EQ(c.count, 0);
}

TEST(TriClip, CutCornerTakesInterpolatedColourAndLiesOnTheBound) {
    // From opaque black outside to opaque white inside, cut halfway.
    const TriVertex black = Vertex(-4, 2, 0, 0, 0xFF000000), white = Vertex(4, 2, 1, 0, 0xFFFFFFFF),
                    other = Vertex(4, 6, 1, 1, 0xFFFFFFFF);
    Clipped c;
    Clip(c, black, white, other);
    ASSERT_EQ(c.count, 4);
    const TriVertex* made = c.list[0] == &white ? c.list[3] : c.list[0];
    ASSERT_NE(made, &black);
    EXPECT_EQ(made->x, 0.0f);
    EXPECT_FLOAT_EQ(made->y, 2.0f);
    EXPECT_FLOAT_EQ(made->u, 0.5f);
    EXPECT_EQ(made->color, 0xFF7F7F7Fu);
}

TEST(TriClip, TriangleOverCornersGivesFourToSevenCornersInsideTheBounds) {
    struct Case {
        TriVertex a, b, d;
        int expected;
    };
    const Case cases[] = {
        {Vertex(-5, 5), Vertex(5, -5), Vertex(5, 5), 5},     // over the top-left corner
        {Vertex(-10, -10), Vertex(30, 5), Vertex(5, 30), 4}, // over the whole rectangle
        {Vertex(-3, 5), Vertex(5, -3), Vertex(13, 5), 6},    // across three sides
        {Vertex(-4, 4), Vertex(6, -4), Vertex(14, 18), 7},   // across all four sides
    };
    for (const Case& k : cases) {
        Clipped c;
        Clip(c, k.a, k.b, k.d);
        EXPECT_EQ(c.count, k.expected);
        for (int i = 0; i < c.count; ++i) {
            EXPECT_GE(c.list[i]->x, 0.0f);
            EXPECT_LE(c.list[i]->x, 10.0f);
            EXPECT_GE(c.list[i]->y, 0.0f);
            EXPECT_LE(c.list[i]->y, 10.0f);
        }
        EXPECT_EQ(c.list[c.count], nullptr);
    }
}

TEST(TriClip, DegenerateTrianglesNeverGiveOneOrTwoCorners) {
    // Zero-area triangles through, along and touching the rectangle.
    const TriVertex lines[][3] = {
        {Vertex(-5, -5), Vertex(5, 5), Vertex(15, 15)},  {Vertex(-5, 0), Vertex(5, 0), Vertex(15, 0)},
        {Vertex(10, -5), Vertex(10, 5), Vertex(10, 15)}, {Vertex(3, 3), Vertex(3, 3), Vertex(3, 3)},
        {Vertex(-5, 10), Vertex(0, 10), Vertex(20, 10)}, {Vertex(-1, 5), Vertex(11, 5), Vertex(-1, 5)},
    };
    for (const auto& l : lines) {
        Clipped c;
        Clip(c, l[0], l[1], l[2]);
        EXPECT_TRUE(c.count == 0 || c.count >= 3) << c.count;
    }
}

TEST(TriClip, MadeCornersLieExactlyOnTheBound) {
    // Float error must not move a cut corner past an exclusive right or
    // bottom edge, where it would add a column or row outside the clip.
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> coord(-40.0f, 40.0f);
    for (int i = 0; i < 2000; ++i) {
        const float bound = static_cast<float>(static_cast<int>(coord(rng)));
        const TriVertex outside = Vertex(bound + 1 + std::abs(coord(rng)), bound + 1 + std::abs(coord(rng)));
        const TriVertex inside = Vertex(bound - std::abs(coord(rng)), bound - std::abs(coord(rng)));
        TriVertex made;
        TriClipIntersectX(outside, inside, bound, made);
        ASSERT_EQ(made.x, bound) << outside.x << " " << inside.x;
        TriClipIntersectY(outside, inside, bound, made);
        ASSERT_EQ(made.y, bound) << outside.y << " " << inside.y;
    }
}

TEST(TriClip, EachCallOwnsItsPool) {
    // Clipping a second triangle into another pool leaves the first result intact.
    const TriVertex a = Vertex(-4, 2, 0, 0, 0xFF000000), b = Vertex(4, 2), d = Vertex(4, 6);
    Clipped first;
    Clip(first, a, b, d);
    ASSERT_EQ(first.count, 4);
    const TriVertex made = *first.list[0];
    Clipped second;
    Clip(second, Vertex(12, 2), Vertex(4, 2), Vertex(4, 6));
    EXPECT_EQ(first.pool.count, 2);
    EXPECT_EQ(std::memcmp(first.list[0], &made, sizeof made), 0);
}

} // namespace
} // namespace Kavo
