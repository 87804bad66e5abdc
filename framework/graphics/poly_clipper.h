#pragma once

#include <cstdint>
#include <memory>

namespace Kavo {

// One transformed-and-lit vertex as the 3D renderer hands it to the device:
// screen position with 1/w, diffuse and specular colours (0xAARRGGBB) and
// one pair of texture coordinates.
struct TLVertex {
    float mX = 0;
    float mY = 0;
    float mZ = 0;
    float mRhw = 1;
    uint32_t mDiffuse = 0;
    uint32_t mSpecular = 0;
    float mU = 0;
    float mV = 0;
};
static_assert(sizeof(TLVertex) == 32, "the device reads eight 32-bit fields");

// A polygon's vertices. The first 100 live in place, so that the clipping of
// ordinary quads and triangles never allocates; beyond that the list moves
// to the heap, doubling its room each time.
class VertexList {
public:
    static constexpr int kInPlaceCount = 100;

    VertexList();
    VertexList(const VertexList& other);
    VertexList& operator=(const VertexList& other);
    ~VertexList();

    int Count() const { return mCount; }
    const TLVertex* Data() const { return mVertices; }
    TLVertex& operator[](int index) { return mVertices[index]; }
    const TLVertex& operator[](int index) const { return mVertices[index]; }
    void Clear() { mCount = 0; }
    void Append(const TLVertex& vertex);

    // Components for clipping: 0 x, 1 y, 2 z, 3 u, 4 v; any other reads 0.
    static float Component(const TLVertex& vertex, int component);
    // The point where the edge a->b meets component == value.
    static TLVertex Crossing(const TLVertex& a, const TLVertex& b, int component, float value);

    // Appends to `out` this polygon cut at one plane: kept where the
    // component is >= value (Min) or <= value (Max).
    void ClipPolygonMin(int component, float value, VertexList& out) const;
    void ClipPolygonMax(int component, float value, VertexList& out) const;

private:
    template <typename Inside>
    void Clip(int component, float value, Inside inside, VertexList& out) const;

    TLVertex mInPlace[kInPlaceCount];
    std::unique_ptr<TLVertex[]> mHeap;
    TLVertex* mVertices;
    int mCount = 0;
    int mCapacity = kInPlaceCount;
};

} // namespace Kavo
