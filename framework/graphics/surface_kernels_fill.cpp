// Rectangle fills and coverage spans on a locked display surface.

#include <algorithm>

#include "framework/graphics/surface_kernels.h"
#include "framework/graphics/surface_pixel.h"

namespace Kavo::SurfaceKernels {

using SurfacePixel::KernelColor;
using SurfacePixel::SumChannels;

namespace {

// fn(old pixel) -> new pixel over every pixel of rect (cut to the surface).
template <typename Pixel, typename Fn>
void ForEachPixel(const SurfaceTarget& surface, const IntRect& rect, Fn fn) {
    const IntRect r = rect.Intersection(surface.Bounds());
    for (int32_t y = r.mY; y < r.mY + r.mHeight; ++y) {
        Pixel* row = surface.Row<Pixel>(y);
        for (int32_t x = r.mX; x < r.mX + r.mWidth; ++x)
            row[x] = static_cast<Pixel>(fn(uint32_t{row[x]}));
    }
}

template <typename Fn>
void ForEachPixelAnyDepth(const SurfaceTarget& surface, const IntRect& rect, Fn fn) {
    if (surface.mBits == nullptr)
        return;
    if (surface.mBitCount == 16)
        ForEachPixel<uint16_t>(surface, rect, fn);
    else if (surface.mBitCount == 32)
        ForEachPixel<uint32_t>(surface, rect, fn);
}

} // namespace

void NormalFillRect(const SurfaceTarget& surface, const DisplayTables& tables, const IntRect& rect,
                    const Color& color) {
    const KernelColor k(color);
    const uint32_t a = k.mAlpha;
    if (surface.mBitCount == 16) {
        if (a == 255) {
            const uint32_t value =
                SumChannels(tables, [&](int c, uint32_t m) { return ((k.Channel(c) + 1) * m >> 8) & m; });
            ForEachPixelAnyDepth(surface, rect, [value](uint32_t) { return value; });
            return;
        }
        const uint32_t src = SumChannels(
            tables, [&](int c, uint32_t m) { return ((((k.Channel(c) * a + 0x80) >> 8) + 1) * m >> 8) & m; });
        ForEachPixelAnyDepth(surface, rect, [&](uint32_t d) {
            return SumChannels(tables, [&](int, uint32_t m) { return (((d & m) * (256 - a) + m) >> 8) & m; }) + src;
        });
    } else if (surface.mBitCount == 32) {
        if (a == 255) {
            const uint32_t value = SumChannels(tables, [&](int c, uint32_t m) { return (k.Channel(c) * m >> 8) & m; });
            ForEachPixelAnyDepth(surface, rect, [value](uint32_t) { return value; });
            return;
        }
        const uint32_t src = SumChannels(
            tables, [&](int c, uint32_t m) { return ((((k.Channel(c) * a + 0x7F) >> 8) + 1) * m >> 8) & m; });
        ForEachPixelAnyDepth(surface, rect, [&](uint32_t d) {
            return SumChannels(tables, [&](int, uint32_t m) { return ((d & m) * (256 - a) >> 8) & m; }) + src;
        });
    }
}

void AdditiveFillRect(const SurfaceTarget& surface, const DisplayTables& tables, const IntRect& rect,
                      const Color& color) {
    const KernelColor k(color);
    const SurfacePixel::AdditiveColor add(tables, k);
    ForEachPixelAnyDepth(surface, rect, [&](uint32_t d) { return add.Over(d); });
}

void FillScanLinesWithCoverage(const SurfaceTarget& surface, const DisplayTables& tables, const Span* spans, int count,
                               const Color& color, const uint8_t* coverage, int coverX, int coverY, int coverPitch,
                               int coverHeight) {
    if (spans == nullptr || coverage == nullptr || coverPitch <= 0 || coverHeight <= 0)
        return;
    const KernelColor k(color);
    const uint32_t colour = SurfacePixel::ToDisplay(tables, k);
    // Only pixels that have a coverage byte and lie on the surface.
    const IntRect box = IntRect(coverX, coverY, coverPitch, coverHeight).Intersection(surface.Bounds());
    for (int i = 0; i < count; ++i) {
        const Span& span = spans[i];
        if (span.mY < box.mY || span.mY >= box.mY + box.mHeight)
            continue;
        const int64_t from = std::max<int64_t>(span.mX, box.mX);
        const int64_t to = std::min<int64_t>(int64_t{span.mX} + span.mWidth, int64_t{box.mX} + box.mWidth);
        const uint8_t* coverRow = coverage + static_cast<ptrdiff_t>(span.mY - coverY) * coverPitch;
        const IntRect row(static_cast<int32_t>(from), span.mY, static_cast<int32_t>(std::max<int64_t>(to - from, 0)),
                          1);
        int32_t x = row.mX;
        ForEachPixelAnyDepth(surface, row, [&](uint32_t d) {
            const uint32_t a = ((coverRow[x++ - coverX] + 1u) * k.mAlpha) >> 8;
            return SumChannels(tables,
                               [&](int, uint32_t m) { return (((d & m) * (256 - a) + (colour & m) * a) >> 8) & m; });
        });
    }
}

} // namespace Kavo::SurfaceKernels
