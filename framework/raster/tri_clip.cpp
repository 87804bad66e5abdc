#include "framework/raster/tri_clip.h"

namespace Kavo {

namespace {

// The new corner's attributes, from the outside corner toward the inside one,
// so that an edge shared by two triangles is cut at the same point from both.
void Interpolate(const TriVertex& a, const TriVertex& b, float t, TriVertex& made) {
    // Only a coordinate that is not a number takes t out of 0..1; keep the
    // colour conversion below defined even then.
    if (!(t >= 0.0f))
        t = 0.0f;
    else if (t > 1.0f)
        t = 1.0f;
    made.x = a.x + (b.x - a.x) * t;
    made.y = a.y + (b.y - a.y) * t;
    made.u = a.u + (b.u - a.u) * t;
    made.v = a.v + (b.v - a.v) * t;
    uint32_t color = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const float ca = static_cast<float>((a.color >> shift) & 0xFF);
        const float cb = static_cast<float>((b.color >> shift) & 0xFF);
        // Truncation toward zero; the channel stays in 0..255.
        color |= static_cast<uint32_t>(static_cast<int>(ca + (cb - ca) * t)) << shift;
    }
    made.color = color;
}

// The inside tests are written as "not outside" so that a coordinate that is
// not a number counts as inside.
struct LeftEdge {
    static bool Inside(const TriVertex& p, float bound) { return !(p.x < bound); }
    static void Cut(const TriVertex& o, const TriVertex& i, float bound, TriVertex& m) {
        TriClipIntersectX(o, i, bound, m);
    }
};
struct RightEdge {
    static bool Inside(const TriVertex& p, float bound) { return !(p.x > bound); }
    static void Cut(const TriVertex& o, const TriVertex& i, float bound, TriVertex& m) {
        TriClipIntersectX(o, i, bound, m);
    }
};
struct TopEdge {
    static bool Inside(const TriVertex& p, float bound) { return !(p.y < bound); }
    static void Cut(const TriVertex& o, const TriVertex& i, float bound, TriVertex& m) {
        TriClipIntersectY(o, i, bound, m);
    }
};
struct BottomEdge {
    static bool Inside(const TriVertex& p, float bound) { return !(p.y > bound); }
    static void Cut(const TriVertex& o, const TriVertex& i, float bound, TriVertex& m) {
        TriClipIntersectY(o, i, bound, m);
    }
};

template <class Edge>
int ClipStep(TriClipList& out, const TriClipList& in, float bound, TriClipVertexPool& pool) {
    int n = 0;
    auto emit = [&](const TriVertex* corner) {
        if (n >= kTriClipListSize - 1)
            return false;
        out[n++] = corner;
        return true;
    };
    auto make = [&](const TriVertex& outside, const TriVertex& inside) {
        if (pool.count >= kTriClipListSize)
            return false;
        TriVertex& made = pool.vertices[pool.count++];
        Edge::Cut(outside, inside, bound, made);
        return emit(&made);
    };

    bool ok = true;
    for (int k = 0; ok && in[k] != nullptr; ++k) {
        const TriVertex* cur = in[k];
        const TriVertex* next = in[k + 1] != nullptr ? in[k + 1] : in[0];
        const bool curIn = Edge::Inside(*cur, bound);
        const bool nextIn = Edge::Inside(*next, bound);
        if (curIn)
            ok = emit(cur);
        if (ok && curIn != nextIn)
            ok = curIn ? make(*next, *cur) : make(*cur, *next);
    }
    if (!ok)
        n = 0;
    out[n] = nullptr;
    return n;
}

} // namespace

void TriClipIntersectX(const TriVertex& outside, const TriVertex& inside, float bound, TriVertex& made) {
    Interpolate(outside, inside, (bound - outside.x) / (inside.x - outside.x), made);
    // Float error must not carry the corner past the bound: the right edge is
    // exclusive only when the corner sits on it exactly.
    made.x = bound;
}

void TriClipIntersectY(const TriVertex& outside, const TriVertex& inside, float bound, TriVertex& made) {
    Interpolate(outside, inside, (bound - outside.y) / (inside.y - outside.y), made);
    made.y = bound;
}

int TriClipLeft(TriClipList& out, const TriClipList& in, float bound, TriClipVertexPool& pool) {
    return ClipStep<LeftEdge>(out, in, bound, pool);
}

int TriClipRight(TriClipList& out, const TriClipList& in, float bound, TriClipVertexPool& pool) {
    return ClipStep<RightEdge>(out, in, bound, pool);
}

int TriClipTop(TriClipList& out, const TriClipList& in, float bound, TriClipVertexPool& pool) {
    return ClipStep<TopEdge>(out, in, bound, pool);
}

int TriClipBottom(TriClipList& out, const TriClipList& in, float bound, TriClipVertexPool& pool) {
    return ClipStep<BottomEdge>(out, in, bound, pool);
}

int TriRasterClipPolygon(const TriVertex* const triangle[3], TriClipList& out, float left, float right, float top,
                         float bottom, TriClipVertexPool& pool) {
    pool.count = 0;
    TriClipList input = {triangle[0], triangle[1], triangle[2], nullptr};
    TriClipList scratch;
    if (TriClipLeft(scratch, input, left, pool) < 3)
        return 0;
    if (TriClipRight(out, scratch, right, pool) < 3)
        return 0;
    if (TriClipTop(scratch, out, top, pool) < 3)
        return 0;
    const int n = TriClipBottom(out, scratch, bottom, pool);
    return n < 3 ? 0 : n;
}

} // namespace Kavo
