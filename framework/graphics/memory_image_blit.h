#pragma once

// Set-up steps of the memory image's stretched and transformed drawing,
// shared with the display image's own software path.

#include <cstdint>

#include "framework/graphics/memory_image.h"
#include "framework/raster/tri_raster.h"
#include "framework/util/matrix.h"
#include "framework/util/rect.h"

namespace Kavo {

// The part of destRect inside clipRect and the matching part of srcRect
// (scaled by srcRect size / destRect size). False when either is empty.
bool ComputeStretchRects(const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect, IntRect& visibleDest,
                         DoubleRect& visibleSource);
// The same for a horizontally mirrored stretch: what is cut off on the right
// of the destination is taken from the left of the source.
bool ComputeStretchRectsMirror(const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                               IntRect& visibleDest, DoubleRect& visibleSource);

// The destination pixels that srcRect rotated by angle about (centerX,
// centerY) of itself and placed at (x, y) can touch, cut to clipRect; left,
// top and right are whole pixels. False when nothing is left.
bool GetRotatedBounds(const IntRect& srcRect, double angle, float x, float y, float centerX, float centerY,
                      const IntRect& clipRect, DoubleRect& bounds);

// What the rasteriser needs of a memory image used as texture: its flags
// are brought up to date and its 32-bit pixels created when a draw starts.
TriTextureView MakeTextureView(MemoryImage* texture);

// 0x888 when the image's alpha flags are forced to say fully opaque (the
// rasteriser then need not keep its alpha), else 0x8888.
int32_t RasterFormatCode(const MemoryImage& dest);

// srcRect of the texture transformed by the first two rows of matrix about
// its own centre, moved by (x, y), drawn as a two-triangle strip.
void RenderMatrixQuad(MemoryImage* texture, float x, float y, const Matrix3x3& matrix, const IntRect& clipRect,
                      const Color& tint, const IntRect& srcRect, bool blend, void* bits, int32_t pitch, int32_t format);

// One rasteriser call per triangle, each moved by (transX, transY); vertex
// colours apply to a triangle when any of its three colours is not 0.
void RenderTexTriangles(MemoryImage* texture, const TriVertex (*triangles)[3], int count, const IntRect& clipRect,
                        const Color& tint, float transX, float transY, bool blend, void* bits, int32_t pitch,
                        int32_t format);

} // namespace Kavo
