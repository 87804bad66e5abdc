#include "framework/graphics/poly_clipper.h"

#include <algorithm>

namespace Kavo {

VertexList::VertexList() : mVertices(mInPlace) {}

VertexList::VertexList(const VertexList& other) : VertexList() {
    *this = other;
}

VertexList& VertexList::operator=(const VertexList& other) {
    if (this != &other) {
        Clear();
        for (int i = 0; i < other.mCount; ++i)
            Append(other.mVertices[i]);
    }
    return *this;
}

VertexList::~VertexList() = default;

void VertexList::Append(const TLVertex& vertex) {
    if (mCount == mCapacity) {
        const int capacity = mCapacity * 2;
        auto heap = std::make_unique<TLVertex[]>(size_t(capacity));
        std::copy(mVertices, mVertices + mCount, heap.get());
        mHeap = std::move(heap);
        mVertices = mHeap.get();
        mCapacity = capacity;
    }
    mVertices[mCount++] = vertex;
}

float VertexList::Component(const TLVertex& vertex, int component) {
    switch (component) {
    case 0:
        return vertex.mX;
    case 1:
        return vertex.mY;
    case 2:
        return vertex.mZ;
    case 3:
        return vertex.mU;
    case 4:
        return vertex.mV;
    default:
        return 0.0f;
    }
}

namespace {

float Lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

// Per 8-bit channel, the difference signed and the result truncated.
uint32_t LerpColor(uint32_t a, uint32_t b, float t) {
    if (a == b)
        return a;
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int ca = int((a >> shift) & 0xFF);
        const int cb = int((b >> shift) & 0xFF);
        const int channel = int(float(ca) + float(cb - ca) * t);
        result |= uint32_t(channel & 0xFF) << shift;
    }
    return result;
}

} // namespace

TLVertex VertexList::Crossing(const TLVertex& a, const TLVertex& b, int component, float value) {
    const float t = (value - Component(a, component)) / (Component(b, component) - Component(a, component));
    TLVertex v;
    v.mX = Lerp(a.mX, b.mX, t);
    v.mY = Lerp(a.mY, b.mY, t);
    v.mZ = Lerp(a.mZ, b.mZ, t);
    v.mRhw = Lerp(a.mRhw, b.mRhw, t);
    v.mDiffuse = LerpColor(a.mDiffuse, b.mDiffuse, t);
    v.mSpecular = LerpColor(a.mSpecular, b.mSpecular, t);
    v.mU = Lerp(a.mU, b.mU, t);
    v.mV = Lerp(a.mV, b.mV, t);
    return v;
}

template <typename Inside>
void VertexList::Clip(int component, float value, Inside inside, VertexList& out) const {
    if (mCount < 2)
        return;
    const TLVertex* previous = &mVertices[mCount - 1];
    bool previousInside = inside(Component(*previous, component), value);
    for (int i = 0; i < mCount; ++i) {
        const TLVertex& current = mVertices[i];
        const bool currentInside = inside(Component(current, component), value);
        if (previousInside != currentInside)
            out.Append(Crossing(*previous, current, component, value));
        if (currentInside)
            out.Append(current);
        previous = &current;
        previousInside = currentInside;
    }
}

void VertexList::ClipPolygonMin(int component, float value, VertexList& out) const {
    Clip(
        component, value, [](float c, float v) { return c >= v; }, out);
}

void VertexList::ClipPolygonMax(int component, float value, VertexList& out) const {
    Clip(
        component, value, [](float c, float v) { return c <= v; }, out);
}

} // namespace Kavo
