// Rectangle fills and coverage spans on a locked display surface.

#include <algorithm>
#include <bit>

#include "framework/graphics/fill_rows.h"
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

// Each row of rect (cut to the surface) handed to fn(row, count).
template <typename Pixel, typename Fn>
void ForEachRow(const SurfaceTarget& surface, const IntRect& rect, Fn fn) {
    const IntRect r = rect.Intersection(surface.Bounds());
    if (surface.mBits == nullptr || r.mWidth <= 0)
        return;
    for (int32_t y = r.mY; y < r.mY + r.mHeight; ++y)
        fn(surface.Row<Pixel>(y) + r.mX, r.mWidth);
}

// The byte lanes of the channels when every channel is one whole byte of
// the low three; 0 otherwise.
uint32_t ByteChannels(const DisplayTables& tables) {
    uint32_t all = 0;
    for (int c = 0; c < 3; ++c) {
        const uint32_t m = tables.Channel(c).mMask;
        if (m != 0xFFu && m != 0xFF00u && m != 0xFF0000u)
            return 0;
        all |= m;
    }
    return all == 0xFFFFFFu ? all : 0;
}

// The channels as shift and maximum when each is one run of 1 to 8 bits
// within 16 bits.
bool NarrowChannels(const DisplayTables& tables, FillRows::Channels16& out) {
    for (int c = 0; c < 3; ++c) {
        const uint32_t m = tables.Channel(c).mMask;
        if (m == 0 || m > 0xFFFFu)
            return false;
        const int shift = std::countr_zero(m);
        const uint32_t max = m >> shift;
        if ((max & (max + 1)) != 0 || max > 0xFFu)
            return false;
        out.mShift[c] = static_cast<uint32_t>(shift);
        out.mMax[c] = max;
    }
    return true;
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
            ForEachRow<uint16_t>(surface, rect, [value](uint16_t* row, int count) {
                FillRows::Store16(row, count, static_cast<uint16_t>(value));
            });
            return;
        }
        const uint32_t src = SumChannels(
            tables, [&](int c, uint32_t m) { return ((((k.Channel(c) * a + 0x80) >> 8) + 1) * m >> 8) & m; });
        if (FillRows::Channels16 channels; NarrowChannels(tables, channels)) {
            ForEachRow<uint16_t>(surface, rect, [&](uint16_t* row, int count) {
                FillRows::KeepAndAdd16(row, count, 256 - a, channels, src);
            });
            return;
        }
        ForEachPixelAnyDepth(surface, rect, [&](uint32_t d) {
            return SumChannels(tables, [&](int, uint32_t m) { return (((d & m) * (256 - a) + m) >> 8) & m; }) + src;
        });
    } else if (surface.mBitCount == 32) {
        if (a == 255) {
            const uint32_t value = SumChannels(tables, [&](int c, uint32_t m) { return (k.Channel(c) * m >> 8) & m; });
            ForEachRow<uint32_t>(surface, rect,
                                 [value](uint32_t* row, int count) { FillRows::Store32(row, count, value); });
            return;
        }
        const uint32_t src = SumChannels(
            tables, [&](int c, uint32_t m) { return ((((k.Channel(c) * a + 0x7F) >> 8) + 1) * m >> 8) & m; });
        if (const uint32_t channels = ByteChannels(tables)) {
            ForEachRow<uint32_t>(surface, rect, [&](uint32_t* row, int count) {
                FillRows::KeepAndAdd32(row, count, 256 - a, channels, src);
            });
            return;
        }
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
