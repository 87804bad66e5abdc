#pragma once

// The software kernels that draw into a locked display surface in the
// display's own pixel format (16-bit 5:6:5, 5:5:5 or another order, 32-bit
// in any order). The display image chooses when to call them; each kernel
// draws exactly what it is given, cut to the surface and to the source, and
// nothing on a surface of another depth.
//
// Arithmetic is 16.16 fixed point with truncating conversions; additive
// drawing saturates each channel through the display's tables. Colour
// channels are clamped to 0..255 on entry.

#include <cstdint>

#include "framework/graphics/display_tables.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/surface_target.h"
#include "framework/util/color.h"
#include "framework/util/matrix.h"
#include "framework/util/rect.h"

namespace Kavo::SurfaceKernels {

// ---- Fills, lines and coverage (surface_kernels_fill.cpp, surface_kernels_line.cpp) ----

// Full alpha writes one value: 16-bit white is the full mask, 32-bit white
// 0xFEFEFE (c * mask >> 8 loses the top step). Below it the colour blends.
void NormalFillRect(const SurfaceTarget& surface, const DisplayTables& tables, const IntRect& rect, const Color& color);
// Adds c * a / 255 per channel, saturating.
void AdditiveFillRect(const SurfaceTarget& surface, const DisplayTables& tables, const IntRect& rect,
                      const Color& color);

// A midpoint line with fractional endpoints; it never leaves the
// endpoints' bounding box nor the surface.
void NormalDrawLine(const SurfaceTarget& surface, const DisplayTables& tables, double x1, double y1, double x2,
                    double y2, const Color& color);
void AdditiveDrawLine(const SurfaceTarget& surface, const DisplayTables& tables, double x1, double y1, double x2,
                      double y2, const Color& color);
// Anti-aliased with a 16-bit fraction: each step draws a pixel and its
// neighbour below (x-major) or beside (y-major) with the rest of the weight.
void NormalDrawLineAA(const SurfaceTarget& surface, const DisplayTables& tables, double x1, double y1, double x2,
                      double y2, const Color& color);

// Spans (y, x, width) blended with the colour weighted by the coverage
// byte of each pixel: a = ((v + 1) * alpha) >> 8. Pixels outside the
// coverage box (coverX, coverY, coverPitch, coverHeight) or the surface
// are skipped.
void FillScanLinesWithCoverage(const SurfaceTarget& surface, const DisplayTables& tables, const Span* spans, int count,
                               const Color& color, const uint8_t* coverage, int coverX, int coverY, int coverPitch,
                               int coverHeight);

// ---- Blits (surface_kernels_blit.cpp) ----
// srcRect of the source drawn at (x, y); the mirror forms put source column
// sx + i at destination column x + width - 1 - i.

// The software choice of the normal blit: a volatile source drawn white
// blends from its own straight-alpha pixels; a source without partial alpha
// drawn white is copied (its alpha-0 pixels skipped); anything else walks
// the alpha runs.
void NormalBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
               const IntRect& srcRect, const Color& color);
// The three paths of NormalBlt on their own.
void StraightAlphaBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
                      const IntRect& srcRect);
void CopyBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
             const IntRect& srcRect);
void RunBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
            const IntRect& srcRect, const Color& color);
void NormalBltMirror(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
                     const IntRect& srcRect, const Color& color);
void AdditiveBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
                 const IntRect& srcRect, const Color& color);
void AdditiveBltMirror(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
                       const IntRect& srcRect, const Color& color);

// ---- Stretches (surface_kernels_stretch.cpp) ----

// Nearest pixel: srcRect stretched onto destRect, the part inside clipRect
// and the surface drawn. Draw mode 0 blends, any other adds. False when
// nothing was left to draw.
bool StretchBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, const IntRect& destRect,
                const IntRect& srcRect, const IntRect& clipRect, const Color& color, int drawMode, bool mirror);

// ---- Rotation (surface_kernels_rotate.cpp) ----

// srcRect turned by angle about (centerX, centerY) of itself and placed at
// (x, y), bilinear, inside clipRect and the surface. Draw mode 0 blends, any
// other adds.
void BltRotated(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, float x, float y,
                const IntRect& srcRect, const IntRect& clipRect, const Color& color, int drawMode, double angle,
                float centerX, float centerY);

// The pixels first..last of a rotated row starting at source position
// (u, v) with steps (du, dv), all in 16.16, whose every sample keeps its
// right and lower neighbour inside a width x height source. False for an
// empty row. |du| and |dv| are at most 65536.
bool CutRotatedSpan(int32_t u, int32_t v, int32_t du, int32_t dv, int32_t width, int32_t height, int32_t lastIndex,
                    int32_t& first, int32_t& last);

// ---- Matrix and triangles (surface_kernels_transform.cpp) ----

// The triangle rasteriser's code for the surface: 0x888 for 32 bits, 0x565
// or 0x555 for those 16-bit layouts, 0 for any other (not drawn).
int32_t SurfaceFormatCode(const SurfaceTarget& surface, const DisplayPixelFormat& format);

// Through the triangle rasteriser, with clipRect cut to the surface first.
void BltMatrix(const SurfaceTarget& surface, const DisplayPixelFormat& format, MemoryImage& texture, float x, float y,
               const Matrix3x3& matrix, const IntRect& clipRect, const Color& color, const IntRect& srcRect,
               bool blend);
void BltTrianglesTex(const SurfaceTarget& surface, const DisplayPixelFormat& format, MemoryImage& texture,
                     const TriVertex (*triangles)[3], int count, const IntRect& clipRect, const Color& color,
                     float transX, float transY, bool blend);

} // namespace Kavo::SurfaceKernels
