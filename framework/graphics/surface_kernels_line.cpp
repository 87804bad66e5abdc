// Plain, additive and anti-aliased lines on a locked display surface.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "framework/graphics/surface_kernels.h"
#include "framework/graphics/surface_pixel.h"

namespace Kavo::SurfaceKernels {

using SurfacePixel::KernelColor;
using SurfacePixel::SumChannels;

namespace {

// Truncation toward zero, held inside int32 (NaN gives 0) so that a wild
// coordinate cannot make the conversion undefined.
int32_t Trunc(double v) {
    if (!(v == v))
        return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::trunc(v), lo, hi));
}

// fn(old pixel) -> new pixel at (x, y) when it lies on the surface.
template <typename Fn>
void Plot(const SurfaceTarget& surface, int32_t x, int32_t y, Fn fn) {
    if (x < 0 || y < 0 || x >= surface.mWidth || y >= surface.mHeight)
        return;
    if (surface.mBitCount == 16) {
        uint16_t& p = surface.Row<uint16_t>(y)[x];
        p = static_cast<uint16_t>(fn(uint32_t{p}));
    } else {
        uint32_t& p = surface.Row<uint32_t>(y)[x];
        p = fn(p);
    }
}

// The midpoint walk: plot(x, y) for every pixel of the line. The walk
// ends where the major axis passes the surface's far edge (nothing beyond
// could be drawn), so a wild endpoint costs no time.
template <typename PlotFn>
void WalkLine(const SurfaceTarget& surface, double x1, double y1, double x2, double y2, PlotFn plot) {
    const double minX = std::min(x1, x2), maxX = std::max(x1, x2);
    const double minY = std::min(y1, y2), maxY = std::max(y1, y2);
    double dx = x2 - x1, dy = y2 - y1;
    const bool xMajor = std::fabs(dx) > std::fabs(dy);
    double startX = x1, startY = y1, endMajor = xMajor ? x2 : y2;
    if ((xMajor ? dx : dy) < 0) {
        dx = -dx;
        dy = -dy;
        startX = x2;
        startY = y2;
        endMajor = xMajor ? x1 : y1;
    }
    double major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int32_t minorStep = 1;
    if (minor < 0) {
        minor = -minor;
        minorStep = -1;
    }
    int32_t x = Trunc(startX), y = Trunc(startY);
    plot(x, y);
    const double startMinor = xMajor ? startY : startX;
    const int32_t inc = Trunc(2 * minor);
    const int32_t incDiag = Trunc(2 * (minor - major));
    int64_t error = Trunc(Trunc(2 * minor - major) + (startMinor - Trunc(startMinor)) * inc);
    const int64_t limit = xMajor ? surface.mWidth : surface.mHeight;
    for (int64_t counter = int64_t{Trunc(xMajor ? startX : startY)} + 1; counter <= endMajor && counter < limit;
         ++counter) {
        int32_t& along = xMajor ? x : y;
        int32_t& across = xMajor ? y : x;
        along = static_cast<int32_t>(counter);
        if (error > 0) {
            across += minorStep;
            error += incDiag;
            if (x < minX || y < minY || x > maxX || y > maxY)
                return;
        } else {
            error += inc;
        }
        plot(x, y);
    }
}

} // namespace

void NormalDrawLine(const SurfaceTarget& surface, const DisplayTables& tables, double x1, double y1, double x2,
                    double y2, const Color& color) {
    if (!surface.IsDrawable())
        return;
    const KernelColor k(color);
    const uint32_t a = k.mAlpha;
    if (a == 255) {
        const uint32_t value =
            SumChannels(tables, [&](int c, uint32_t m) { return ((k.Channel(c) * m + (m >> 1)) >> 8) & m; });
        WalkLine(surface, x1, y1, x2, y2,
                 [&](int32_t x, int32_t y) { Plot(surface, x, y, [value](uint32_t) { return value; }); });
        return;
    }
    const uint32_t src = SumChannels(
        tables, [&](int c, uint32_t m) { return ((((k.Channel(c) * a + 0x80) >> 8) * m + (m >> 1)) >> 8) & m; });
    WalkLine(surface, x1, y1, x2, y2, [&](int32_t x, int32_t y) {
        Plot(surface, x, y, [&](uint32_t d) {
            return SumChannels(tables, [&](int, uint32_t m) { return (((d & m) * (256 - a) + (m >> 1)) >> 8) & m; }) +
                   src;
        });
    });
}

void AdditiveDrawLine(const SurfaceTarget& surface, const DisplayTables& tables, double x1, double y1, double x2,
                      double y2, const Color& color) {
    if (!surface.IsDrawable())
        return;
    const SurfacePixel::AdditiveColor add(tables, KernelColor(color));
    WalkLine(surface, x1, y1, x2, y2,
             [&](int32_t x, int32_t y) { Plot(surface, x, y, [&](uint32_t d) { return add.Over(d); }); });
}

void NormalDrawLineAA(const SurfaceTarget& surface, const DisplayTables& tables, double x1, double y1, double x2,
                      double y2, const Color& color) {
    if (!surface.IsDrawable())
        return;
    const KernelColor k(color);
    const uint32_t alpha = k.mAlpha;
    const uint32_t colour = SurfacePixel::ToDisplay(tables, k);
    const SurfacePixel::DepthWay way = SurfacePixel::ClassifyDepth(surface.mBitCount, tables.Format());
    const uint32_t packedMask = SurfacePixel::PackedMask(tables.Format());
    const uint32_t colourQ = SurfacePixel::Spread(colour, packedMask);

    // The pixel (x, y) drawn with weight W (0..255).
    auto draw = [&](int32_t x, int32_t y, uint32_t weight) {
        const uint32_t w = ((alpha + 1) * weight) >> 8;
        Plot(surface, x, y, [&](uint32_t d) -> uint32_t {
            switch (way) {
            case SurfacePixel::DepthWay::Rgb32:
                return (((d & 0xFF00FF) * (256 - w) + (colour & 0xFF00FF) * w) >> 8 & 0xFF00FF) |
                       (((d & 0xFF00) * (256 - w) + (colour & 0xFF00) * w) >> 8 & 0xFF00);
            case SurfacePixel::DepthWay::Packed16: {
                const uint32_t colourPart = (((alpha + 1) * weight) >> 11) * colourQ >> 5 & packedMask;
                const uint32_t destPart = SurfacePixel::Spread(d, packedMask) * ((256 - w) >> 3) >> 5 & packedMask;
                return SurfacePixel::Fold(colourPart + destPart);
            }
            default:
                return SumChannels(
                    tables, [&](int, uint32_t m) { return (((d & m) * (256 - w) + (colour & m) * w) >> 8) & m; });
            }
        });
    };

    int32_t X1 = Trunc(x1), Y1 = Trunc(y1), X2 = Trunc(x2), Y2 = Trunc(y2);
    if (Y1 > Y2) {
        std::swap(X1, X2);
        std::swap(Y1, Y2);
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int64_t DY = int64_t{Y2} - Y1;
    int64_t DX = int64_t{X2} - X1;
    double dx = x2 - x1;
    const double dy = y2 - y1;
    int32_t xStep = 1;
    if (DX < 0) {
        DX = -DX;
        xStep = -1;
        dx = -dx;
    }
    int64_t error = Trunc(std::fabs(y1 - Y1) * std::fabs(x1 - X1) * 65536.0);
    auto weightOf = [&error] { return 255u - ((static_cast<uint32_t>(error) >> 8) & 0xFF); };
    int32_t x = X1, y = Y1;
    draw(x, y, weightOf());
    if (DX >= DY) {
        const int32_t adjust = dx == 0 ? 0 : Trunc(dy / dx * 65536.0);
        for (int64_t i = 1; i < DX; ++i) {
            error += adjust;
            if (error >= 0x10000) {
                error &= 0xFFFF;
                ++y;
            }
            x += xStep;
            const uint32_t w = weightOf();
            draw(x, y, w);
            if (y + 1 < surface.mHeight)
                draw(x, y + 1, 255 - w);
        }
    } else {
        const int32_t adjust = Trunc(dx / dy * 65536.0);
        for (int64_t i = 1; i < DY; ++i) {
            error += adjust;
            if (error >= 0x10000) {
                error &= 0xFFFF;
                x += xStep;
            }
            ++y;
            const uint32_t w = weightOf();
            draw(x, y, w);
            if (x + xStep >= 0 && x + xStep < surface.mWidth)
                draw(x + xStep, y, 255 - w);
        }
    }
    draw(X2, Y2, weightOf());
}

} // namespace Kavo::SurfaceKernels
