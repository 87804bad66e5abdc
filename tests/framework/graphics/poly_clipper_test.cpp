#include <gtest/gtest.h>

#include "framework/graphics/poly_clipper.h"

namespace Kavo {
namespace {

TLVertex At(float x, float y, float u = 0, float v = 0) {
    TLVertex vertex;
    vertex.mX = x;
    vertex.mY = y;
    vertex.mU = u;
    vertex.mV = v;
    vertex.mDiffuse = 0xFFFFFFFF;
    return vertex;
}

VertexList Polygon(std::initializer_list<TLVertex> vertices) {
    VertexList list;
    for (const TLVertex& v : vertices)
        list.Append(v);
    return list;
}

void ExpectAt(const TLVertex& v, float x, float y) {
    EXPECT_FLOAT_EQ(v.mX, x);
    EXPECT_FLOAT_EQ(v.mY, y);
}

TEST(PolyClipper, TriangleInsideComesBackUnchanged) {
    const VertexList triangle = Polygon({At(1, 2), At(10, 2), At(1, 9)});
    VertexList out;
    triangle.ClipPolygonMin(0, 0.0f, out);
    ASSERT_EQ(out.Count(), 3);
    for (int i = 0; i < 3; ++i)
        ExpectAt(out[i], triangle[i].mX, triangle[i].mY);
}

TEST(PolyClipper, OneVertexOutsideGivesAQuadrilateral) {
    const VertexList triangle = Polygon({At(0, 0), At(10, 0), At(0, 10)});
    VertexList out;
    triangle.ClipPolygonMax(0, 5.0f, out);
    ASSERT_EQ(out.Count(), 4);
    ExpectAt(out[0], 0, 0);
    ExpectAt(out[1], 5, 0);
    ExpectAt(out[2], 5, 5);
    ExpectAt(out[3], 0, 10);

    // The same on the other side, in texture space: only the u >= 0.5 part.
    VertexList textured = Polygon({At(0, 0, 0, 0), At(8, 0, 1, 0), At(0, 8, 0, 1)});
    out.Clear();
    textured.ClipPolygonMin(3, 0.5f, out);
    ASSERT_EQ(out.Count(), 3);
    ExpectAt(out[0], 4, 0);
    ExpectAt(out[1], 8, 0);
    ExpectAt(out[2], 4, 4);
    EXPECT_FLOAT_EQ(out[2].mU, 0.5f);
    EXPECT_FLOAT_EQ(out[2].mV, 0.5f);
}

TEST(PolyClipper, CrossingBlendsEachColourChannel) {
    TLVertex a = At(0, 0);
    TLVertex b = At(10, 0);
    a.mDiffuse = 0xFF204060;
    b.mDiffuse = 0x80402010;
    const TLVertex half = VertexList::Crossing(a, b, 0, 5.0f);
    EXPECT_EQ(half.mDiffuse, 0xBF303038u); // 191, 48, 48, 56
    ExpectAt(half, 5, 0);
}

TEST(PolyClipper, DegenerateInputsAndOutOfRangeComponent) {
    VertexList out;
    Polygon({At(-5, 0)}).ClipPolygonMin(0, 0.0f, out);
    EXPECT_EQ(out.Count(), 0);
    // Component 7 reads 0 everywhere: all inside for >= 0, all outside for >= 1.
    const VertexList triangle = Polygon({At(-5, 0), At(5, 0), At(0, 5)});
    triangle.ClipPolygonMin(7, 0.0f, out);
    EXPECT_EQ(out.Count(), 3);
    out.Clear();
    triangle.ClipPolygonMin(7, 1.0f, out);
    EXPECT_EQ(out.Count(), 0);
}

TEST(PolyClipper, ListsGrowPastTheirInPlaceRoom) {
    VertexList ring;
    for (int i = 0; i < 150; ++i)
        ring.Append(At(float(i), float(i % 7)));
    VertexList copy = ring;
    VertexList out;
    copy.ClipPolygonMin(1, -1.0f, out);
    ASSERT_EQ(out.Count(), 150);
    EXPECT_FLOAT_EQ(out[149].mX, 149.0f);
    EXPECT_FLOAT_EQ(out[100].mY, float(100 % 7));
}

} // namespace
} // namespace Kavo
