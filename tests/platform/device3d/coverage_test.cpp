// Which pixels a primitive covers: the top-left rule for triangles sharing
// edges, and lines that leave out their last pixel. Every primitive adds 1
// to a black target (ONE/ONE), so a pixel's value counts its coverage.

#include <cmath>
#include <set>
#include <utility>

#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

constexpr std::uint32_t kOne = 0xFF010101; // adds 1 to each channel

class CoverageTest : public ::testing::Test {
protected:
    void SetUp() override {
        Prepare(device, target);
        SetBlend(device, Blend::One, Blend::One);
    }

    void Draw(PrimitiveType type, const std::vector<TLVertex>& v) {
        ASSERT_EQ(device.DrawPrimitive(type, kFvfTransformedTextured, v.data(), static_cast<int>(v.size()), 0), D3D_OK);
    }

    int Count(int x, int y) const { return target.At(x, y).r; }

    TargetBuffer target{TargetFormat::Xrgb8888, 24, 24};
    SoftwareDevice3D device;
};

struct QuadCase {
    float left, top, right, bottom;
};

// A rectangle split along either diagonal, or into four triangles around its
// centre, covers exactly the pixels whose centres (integer coordinates) lie
// in [left, right) × [top, bottom), once each.
TEST_F(CoverageTest, TrianglesSharingEdgesCoverEachPixelOfAQuadOnce) {
    const QuadCase cases[] = {{2, 3, 9, 8}, {1.5f, 2.5f, 7.5f, 9.5f}, {3.25f, 1.75f, 10.75f, 6.25f}};
    for (const QuadCase& q : cases) {
        for (int split = 0; split < 3; ++split) {
            SCOPED_TRACE(testing::Message() << "quad " << q.left << "," << q.top << " split " << split);
            ASSERT_EQ(device.Clear(0, nullptr, kClearTarget, 0, 1.0f, 0), D3D_OK);
            const float cx = (q.left + q.right) / 2, cy = (q.top + q.bottom) / 2;
            const TLVertex tl = Vertex(q.left, q.top, kOne), tr = Vertex(q.right, q.top, kOne);
            const TLVertex bl = Vertex(q.left, q.bottom, kOne), br = Vertex(q.right, q.bottom, kOne);
            if (split == 0) {
                Draw(PrimitiveType::TriangleStrip, {tl, bl, tr, br});
            } else if (split == 1) {
                Draw(PrimitiveType::TriangleList, {tl, tr, bl, tr, br, bl});
            } else {
                Draw(PrimitiveType::TriangleFan, {Vertex(cx, cy, kOne), tl, tr, br, bl, tl});
            }
            for (int y = 0; y < target.Height(); ++y) {
                for (int x = 0; x < target.Width(); ++x) {
                    const bool inside = x >= q.left && x < q.right && y >= q.top && y < q.bottom;
                    ASSERT_EQ(Count(x, y), inside ? 1 : 0) << "pixel " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(CoverageTest, NeighbouringQuadsOnAnIntegerEdgeShareNoPixel) {
    Draw(PrimitiveType::TriangleStrip, QuadStrip(2, 2, 6, 6, kOne));
    Draw(PrimitiveType::TriangleStrip, QuadStrip(6, 2, 10, 6, kOne));
    Draw(PrimitiveType::TriangleStrip, QuadStrip(2, 6, 10, 9, kOne));
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 && x < 10 && y >= 2 && y < 9;
            ASSERT_EQ(Count(x, y), inside ? 1 : 0) << "pixel " << x << "," << y;
        }
    }
}

TEST_F(CoverageTest, LineStripLeavesOutItsLastPixel) {
    Draw(PrimitiveType::LineStrip, {Vertex(1, 1, kOne), Vertex(6, 1, kOne), Vertex(6, 4, kOne)});
    std::set<std::pair<int, int>> expected;
    for (int x = 1; x <= 6; ++x) {
        expected.insert({x, 1});
    }
    expected.insert({6, 2});
    expected.insert({6, 3});
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(Count(x, y), expected.count({x, y}) ? 1 : 0) << "pixel " << x << "," << y;
        }
    }
}

// The renderer's line: a short last segment towards (x2 + 0.5, y2 + 0.5)
// draws the end pixel the strip would leave out.
TEST_F(CoverageTest, ShortLastSegmentDrawsTheEndPixel) {
    Draw(PrimitiveType::LineStrip, {Vertex(2, 2, kOne), Vertex(10, 6, kOne), Vertex(10.5f, 6.5f, kOne)});
    int drawn = 0;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 14; ++x) {
            drawn += Count(x, y);
            ASSERT_LE(Count(x, y), 1);
        }
    }
    EXPECT_EQ(drawn, 9); // one per column 2..10
    EXPECT_EQ(Count(2, 2), 1);
    EXPECT_EQ(Count(6, 4), 1);
    EXPECT_EQ(Count(10, 6), 1);
}

TEST_F(CoverageTest, SteepLineStepsByRows) {
    Draw(PrimitiveType::LineStrip, {Vertex(3, 9, kOne), Vertex(5, 1, kOne)});
    for (int y = 0; y < 12; ++y) {
        int inRow = 0;
        for (int x = 0; x < 12; ++x) {
            inRow += Count(x, y);
        }
        EXPECT_EQ(inRow, (y >= 2 && y <= 9) ? 1 : 0) << "row " << y;
    }
    EXPECT_EQ(Count(3, 9), 1);
    EXPECT_EQ(Count(5, 1), 0);
}

TEST_F(CoverageTest, ViewportClipsTrianglesAndLines) {
    ASSERT_EQ(device.SetViewport(Viewport{4, 5, 6, 3, 0, 1}), D3D_OK);
    Draw(PrimitiveType::TriangleStrip, QuadStrip(-100, -100, 100, 100, kOne));
    Draw(PrimitiveType::LineStrip, {Vertex(-50, 6, kOne), Vertex(50, 6, kOne)});
    for (int y = 0; y < target.Height(); ++y) {
        for (int x = 0; x < target.Width(); ++x) {
            const bool inside = x >= 4 && x < 10 && y >= 5 && y < 8;
            ASSERT_EQ(Count(x, y), inside ? (y == 6 ? 2 : 1) : 0) << "pixel " << x << "," << y;
        }
    }
    EXPECT_TRUE(target.GuardsIntact());
}

TEST_F(CoverageTest, CullingFollowsScreenWinding) {
    // (1,1) → (8,1) → (1,8) turns clockwise on a screen whose y points down.
    const std::vector<TLVertex> clockwise = {Vertex(1, 1, kOne), Vertex(8, 1, kOne), Vertex(1, 8, kOne)};
    const std::vector<TLVertex> counter = {clockwise[0], clockwise[2], clockwise[1]};
    const struct {
        Cull cull;
        int clockwiseDrawn, counterDrawn;
    } cases[] = {{Cull::None, 1, 1}, {Cull::Clockwise, 0, 1}, {Cull::CounterClockwise, 1, 0}};
    for (const auto& c : cases) {
        ASSERT_EQ(device.SetRenderState(RenderState::CullMode, static_cast<std::uint32_t>(c.cull)), D3D_OK);
        ASSERT_EQ(device.Clear(0, nullptr, kClearTarget, 0, 1.0f, 0), D3D_OK);
        Draw(PrimitiveType::TriangleList, clockwise);
        EXPECT_EQ(Count(2, 2), c.clockwiseDrawn);
        ASSERT_EQ(device.Clear(0, nullptr, kClearTarget, 0, 1.0f, 0), D3D_OK);
        Draw(PrimitiveType::TriangleList, counter);
        EXPECT_EQ(Count(2, 2), c.counterDrawn);
    }
}

TEST_F(CoverageTest, DegenerateAndNonFiniteTrianglesDrawNothing) {
    const float nan = std::nanf("");
    Draw(PrimitiveType::TriangleList, {Vertex(1, 1, kOne), Vertex(5, 5, kOne), Vertex(9, 9, kOne),       // a line
                                       Vertex(nan, 1, kOne), Vertex(8, 1, kOne), Vertex(1, 8, kOne),     // NaN
                                       Vertex(1e30f, 1, kOne), Vertex(8, 1, kOne), Vertex(1, 8, kOne)}); // far away
    for (int y = 0; y < target.Height(); ++y) {
        for (int x = 0; x < target.Width(); ++x) {
            ASSERT_EQ(Count(x, y), 0);
        }
    }
}

} // namespace
} // namespace platform::test
