#pragma once
// The pixel copying of the surface layer: rows of 2, 3 or 4 bytes a pixel
// at any pitch. Callers validate rectangles; these only move pixels.

#include <cstdint>

#include "platform/geometry.h"
#include "platform/surface/surface_desc.h"

namespace platform {

struct PixelPlane {
    std::uint8_t* bits = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
    int bytesPerPixel = 4;
};

std::uint32_t ReadPixel(const std::uint8_t* at, int bytesPerPixel);
void WritePixel(std::uint8_t* at, int bytesPerPixel, std::uint32_t value);

// Copies srcRect of src onto destRect of dest, stretched by picking the
// source pixel nearest each destination pixel's centre. Only the part of
// destRect inside `clip` is written (clip lies within dest); the mapping is
// that of the whole destRect, so clipping never shifts the picture. With a
// key, source pixels whose value lies in [low, high] are skipped.
void BlitNearest(const PixelPlane& dest, const Rect& destRect, const Rect& clip, const PixelPlane& src,
                 const Rect& srcRect, const ColorKey* key);

void FillPixels(const PixelPlane& dest, const Rect& rect, std::uint32_t value);

// Where two rectangles overlap (an empty rectangle when they do not).
Rect Intersect(const Rect& a, const Rect& b);
bool IsEmpty(const Rect& r);
bool Inside(const Rect& inner, const Rect& outer);

} // namespace platform
