// Nearest-pixel stretches (plain and mirrored) of a memory image onto a
// locked display surface, stepping through the source in 16.16 fixed point.

#include <cmath>

#include "framework/graphics/memory_image_blit.h"
#include "framework/graphics/surface_kernels.h"
#include "framework/graphics/surface_pixel.h"
#include "framework/graphics/surface_source.h"

namespace Kavo::SurfaceKernels {

using SurfacePixel::KernelColor;
using SurfacePixel::SumChannels;

namespace {

struct StretchJob {
    const SurfaceTarget* mSurface;
    const DisplayTables* mTables;
    IntRect mDest;   // visible destination, on the surface
    int64_t mStartX; // 16.16 source position of the first column and row
    int64_t mStartY;
    int64_t mStepX;
    int64_t mStepY;
    int32_t mSourceWidth;
    bool mMirror;
    KernelColor mColor;
};

// The pixel rules: false from Apply leaves the destination pixel.
struct NormalWhite {
    const DisplayTables* mTables;
    bool Apply(uint32_t& d, uint32_t s) const {
        const uint32_t a = s >> 24;
        if (a == 0)
            return false;
        const uint32_t f = 256 - a;
        d = SumChannels(*mTables, [&](int, uint32_t m) { return ((d & m) * f >> 8) & m; }) + s;
        return true;
    }
};

struct NormalTinted {
    const DisplayTables* mTables;
    KernelColor mColor;
    bool Apply(uint32_t& d, uint32_t s) const {
        const uint32_t a = (s >> 24) * mColor.mAlpha / 255;
        if (a == 0)
            return false;
        const uint32_t f = 256 - a;
        d = SumChannels(*mTables,
                        [&](int c, uint32_t m) { return (((s & m) * mColor.Tint(c) + (d & m) * f) >> 8) & m; });
        return true;
    }
};

struct AdditiveWhite {
    SurfacePixel::Saturator mSaturator;
    bool Apply(uint32_t& d, uint32_t s) const {
        if (s == 0)
            return false;
        d = mSaturator.AddWords(d, s);
        return true;
    }
};

struct AdditiveTinted {
    SurfacePixel::Saturator mSaturator;
    KernelColor mColor;
    bool Apply(uint32_t& d, uint32_t s) const {
        if (s == 0)
            return false;
        d = mSaturator.AddTinted(d, s, mColor);
        return true;
    }
};

template <typename Pixel, typename Src, typename Rule>
void StretchLoop(const StretchJob& job, Src src, const Rule& rule) {
    const int32_t dir = job.mMirror ? -1 : 1;
    const int32_t firstColumn = job.mMirror ? job.mDest.mX + job.mDest.mWidth - 1 : job.mDest.mX;
    int64_t v = job.mStartY;
    for (int32_t row = 0; row < job.mDest.mHeight; ++row, v += job.mStepY) {
        Pixel* d = job.mSurface->Row<Pixel>(job.mDest.mY + row) + firstColumn;
        const Src line = src.Offset(static_cast<size_t>(v >> 16) * job.mSourceWidth);
        int64_t u = job.mStartX;
        for (int32_t i = 0; i < job.mDest.mWidth; ++i, u += job.mStepX) {
            uint32_t pixel = d[i * dir];
            if (rule.Apply(pixel, line[static_cast<size_t>(u >> 16)]))
                d[i * dir] = static_cast<Pixel>(pixel);
        }
    }
}

enum class StretchWay { NormalWhite, NormalTinted, AdditiveWhite, AdditiveTinted };

template <typename Pixel, typename Src, StretchWay kWay>
void StretchKernel(const StretchJob& job, Src src) {
    if constexpr (kWay == StretchWay::NormalWhite)
        StretchLoop<Pixel>(job, src, NormalWhite{job.mTables});
    else if constexpr (kWay == StretchWay::NormalTinted)
        StretchLoop<Pixel>(job, src, NormalTinted{job.mTables, job.mColor});
    else if constexpr (kWay == StretchWay::AdditiveWhite)
        StretchLoop<Pixel>(job, src, AdditiveWhite{SurfacePixel::Saturator(*job.mTables)});
    else
        StretchLoop<Pixel>(job, src, AdditiveTinted{SurfacePixel::Saturator(*job.mTables), job.mColor});
}

template <typename Src>
using StretchKernelFn = void (*)(const StretchJob&, Src);

template <typename Pixel, typename Src>
constexpr StretchKernelFn<Src> kStretchKernels[4] = {
    StretchKernel<Pixel, Src, StretchWay::NormalWhite>,
    StretchKernel<Pixel, Src, StretchWay::NormalTinted>,
    StretchKernel<Pixel, Src, StretchWay::AdditiveWhite>,
    StretchKernel<Pixel, Src, StretchWay::AdditiveTinted>,
};

} // namespace

bool StretchBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, const IntRect& destRect,
                const IntRect& srcRect, const IntRect& clipRect, const Color& color, int drawMode, bool mirror) {
    source.mDrawn = true;
    if (!surface.IsDrawable() || destRect.mWidth <= 0 || destRect.mHeight <= 0)
        return false;
    // Only pixels of the source are sampled, only pixels of the surface drawn.
    const IntRect within = srcRect.Intersection(IntRect(0, 0, source.mWidth, source.mHeight));
    if (within != srcRect)
        return false;
    const IntRect clip = clipRect.Intersection(surface.Bounds());
    IntRect visible;
    DoubleRect from;
    const bool any = mirror ? ComputeStretchRectsMirror(destRect, srcRect, clip, visible, from)
                            : ComputeStretchRects(destRect, srcRect, clip, visible, from);
    if (!any || visible.mWidth <= 0 || visible.mHeight <= 0)
        return false;
    source.UpdateAlphaFlags();
    const KernelColor k(color);
    const auto trunc = [](double v) { return static_cast<int64_t>(std::trunc(v)); };
    const StretchJob job{&surface,
                         &tables,
                         visible,
                         trunc(from.mX * 65536.0),
                         trunc(from.mY * 65536.0),
                         trunc(from.mWidth * 65536.0 / visible.mWidth),
                         trunc(from.mHeight * 65536.0 / visible.mHeight),
                         source.mWidth,
                         mirror,
                         k};
    const StretchWay way = drawMode == 0 ? (k.IsWhite() ? StretchWay::NormalWhite : StretchWay::NormalTinted)
                                         : (k.IsWhite() ? StretchWay::AdditiveWhite : StretchWay::AdditiveTinted);
    bool drawn = false;
    SurfacePixel::WithDisplayWords(source, tables.Format(), [&](auto src) {
        using Src = decltype(src);
        const auto& table = surface.mBitCount == 32 ? kStretchKernels<uint32_t, Src> : kStretchKernels<uint16_t, Src>;
        table[static_cast<size_t>(way)](job, src);
        drawn = true;
    });
    return drawn;
}

} // namespace Kavo::SurfaceKernels
