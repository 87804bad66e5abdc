#pragma once

// Sutherland-Hodgman clipping of one strip triangle against the clip
// rectangle, in floating point, before the corners go to fixed point.

#include "framework/raster/tri_raster.h"

namespace Kavo {

// Room of every corner list, its terminating null included.
inline constexpr int kTriClipListSize = 64;

// Corners made by the clip. Each draw owns one, so draws on different
// threads never share it; a triangle needs at most eight.
struct TriClipVertexPool {
    TriVertex vertices[kTriClipListSize];
    int count = 0;
};

// A null-terminated list of corners; the caller's vertices and pool corners mix.
using TriClipList = const TriVertex* [kTriClipListSize];

// Bounds are the lines a corner may lie on: left <= x <= right, top <= y <= bottom.
// Returns the corner count of `out`: 0, or 3 and more.
int TriRasterClipPolygon(const TriVertex* const triangle[3], TriClipList& out, float left, float right, float top,
                         float bottom, TriClipVertexPool& pool);

// One clip step each. Return the output's corner count (0 when the pool or the
// list would overflow) and end the output with a null.
int TriClipLeft(TriClipList& out, const TriClipList& in, float bound, TriClipVertexPool& pool);
int TriClipRight(TriClipList& out, const TriClipList& in, float bound, TriClipVertexPool& pool);
int TriClipTop(TriClipList& out, const TriClipList& in, float bound, TriClipVertexPool& pool);
int TriClipBottom(TriClipList& out, const TriClipList& in, float bound, TriClipVertexPool& pool);

// The corner where the edge from `outside` to `inside` crosses x = bound (or
// y = bound); the crossed coordinate is set to the bound exactly.
void TriClipIntersectX(const TriVertex& outside, const TriVertex& inside, float bound, TriVertex& made);
void TriClipIntersectY(const TriVertex& outside, const TriVertex& inside, float bound, TriVertex& made);

} // namespace Kavo
