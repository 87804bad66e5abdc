#pragma once
// Fills one triangle of pre-transformed vertices. Pixel centres lie at
// integer coordinates; a centre exactly on an edge belongs to the triangle
// only when that edge is a top or a left edge, so triangles that share an
// edge cover each pixel along it once. Positions are snapped to 1/256 pixel.

#include "platform/device3d/device3d_types.h"
#include "platform/device3d/draw_setup.h"

namespace platform {

// `v0`, `v1`, `v2` in drawing order: the order decides the winding that
// culling looks at, and v0 gives the colour of flat shading. Triangles with a
// coordinate beyond a million pixels or not a number are skipped.
void RasterizeTriangle(const DrawSetup& setup, const TLVertex& v0, const TLVertex& v1, const TLVertex& v2);

// A strip of four vertices: the triangles (v0, v1, v2) and (v1, v3, v2).
// When they form an axis-aligned rectangle with one colour and texture
// coordinates that follow its sides (a blit), it is filled row by row in
// one span each, covering exactly the pixels the two triangles would.
void RasterizeStrip4(const DrawSetup& setup, const TLVertex& v0, const TLVertex& v1, const TLVertex& v2,
                     const TLVertex& v3);

} // namespace platform
