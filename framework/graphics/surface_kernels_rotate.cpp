// Rotated blits of a memory image onto a locked display surface: bilinear
// samples of the source's straight-alpha pixels, stepped in 16.16 fixed
// point, each row's span cut once so that the loop needs no bounds test.

#include <algorithm>
#include <cmath>

#include "framework/graphics/memory_image_blit.h"
#include "framework/graphics/memory_image_blit_pixel.h"
#include "framework/graphics/surface_kernels.h"
#include "framework/graphics/surface_pixel.h"

namespace Kavo::SurfaceKernels {

using SurfacePixel::KernelColor;

bool CutRotatedSpan(int32_t u, int32_t v, int32_t du, int32_t dv, int32_t width, int32_t height, int32_t lastIndex,
                    int32_t& first, int32_t& last) {
    // In 64 bits so that no sum of a position and a source size overflows;
    // every division truncates toward zero.
    const int64_t U = u, V = v, W = int64_t{width} << 16, H = int64_t{height} << 16;
    int64_t f = 0, l = lastIndex;
    if (du < 0) {
        if ((U >> 16) < 0)
            return false;
        const int64_t from = (W - U - 0x27FFF) / du;
        if (from >= 0)
            f = std::max(f, from);
        l = std::min(l, (0x7FFF - U) / du);
    } else if (du > 0) {
        if ((U >> 16) >= width - 1)
            return false;
        // The first index whose position is not negative. (0x10000 - u) /
        // du, the obvious form, is one too many when u is a whole number of
        // steps below 0, and at u = 0 it would drop the first column of
        // every blit at a whole-pixel position.
        if (U < 0)
            f = (-U + du - 1) / du;
        l = std::min(l, (W - U - 0x17FFF) / du);
    } else if (U < 0 || U >= W - 0x10000) {
        return false;
    }
    if (dv < 0) {
        if ((V >> 16) < 0)
            return false;
        f = std::max(f, (H - V - 0x27FFF) / dv);
        l = std::min(l, -(V / dv));
    } else if (dv > 0) {
        if ((V >> 16) >= height - 1)
            return false;
        if (V < 0)
            f = std::max(f, (-V + dv - 1) / dv);
        l = std::min(l, (H - V - 0x17FFF) / dv);
    } else if (V < 0 || V >= H - 0x10000) {
        return false;
    }
    first = static_cast<int32_t>(f);
    last = static_cast<int32_t>(l);
    return f <= l;
}

namespace {

// A bilinear sample: the four neighbours (ARGB) and their weights, each
// carrying the neighbour's alpha.
struct Sample {
    uint32_t mPixel[4];
    uint32_t mWeight[4];
    uint32_t mDestWeight; // 256 - the weights' sum
};

// The sum of channel mask & pixel, weighted: up to 0xFF0000 * 255.
inline uint32_t WeightedSum(const Sample& s, uint32_t field) {
    return (s.mPixel[0] & field) * s.mWeight[0] + (s.mPixel[1] & field) * s.mWeight[1] +
           (s.mPixel[2] & field) * s.mWeight[2] + (s.mPixel[3] & field) * s.mWeight[3];
}

// The ARGB field and its top bit + 1 (P) of display channel c.
constexpr uint32_t kField[3] = {0xFF0000, 0xFF00, 0xFF};
constexpr int kFieldTop[3] = {32, 24, 16};

// The rules: the new pixel over d.
struct General {
    const DisplayTables* mTables;
    uint32_t Apply(uint32_t d, const Sample& s) const {
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) {
            const DisplayChannel& ch = mTables->Channel(c);
            const uint32_t source = WeightedSum(s, kField[c]) >> (kFieldTop[c] - ch.mBits) << ch.mShift;
            out |= source + ((((d & ch.mMask) * s.mDestWeight) >> 8) & ch.mMask);
        }
        return out;
    }
};

struct GeneralTinted {
    const DisplayTables* mTables;
    KernelColor mColor;
    uint32_t Apply(uint32_t d, const Sample& s) const {
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) {
            const DisplayChannel& ch = mTables->Channel(c);
            const uint32_t tinted = (WeightedSum(s, kField[c]) >> 8) * (mColor.Channel(c) + 1);
            out |= (tinted >> (kFieldTop[c] - ch.mBits) << ch.mShift) +
                   ((((d & ch.mMask) * s.mDestWeight) >> 8) & ch.mMask);
        }
        return out;
    }
};

// 8-bit channel sums (Σ channel * w) >> 8 of red, green and blue.
inline void ChannelSums(const Sample& s, uint32_t& r, uint32_t& g, uint32_t& b) {
    r = (WeightedSum(s, 0xFF0000) >> 16) >> 8;
    g = (WeightedSum(s, 0xFF00) >> 8) >> 8;
    b = WeightedSum(s, 0xFF) >> 8;
}

// White on a standard 16-bit layout: the destination scaled in the packed
// form by one multiply; is565 picks the field positions.
template <bool kIs565>
struct Packed16 {
    uint32_t Apply(uint32_t d, const Sample& s) const {
        constexpr uint32_t mask = kIs565 ? SurfacePixel::kPacked565 : SurfacePixel::kPacked555;
        uint32_t r, g, b;
        ChannelSums(s, r, g, b);
        uint32_t q = (SurfacePixel::Spread(d, mask) * (s.mDestWeight >> 3)) >> 5 & mask;
        if constexpr (kIs565)
            q += (g >> 2) << 21 | (r >> 3) << 11 | (b >> 3);
        else
            q += (g >> 3) << 21 | (r >> 3) << 10 | (b >> 3);
        return (q >> 16) | (q & 0xFFFF);
    }
};

// White on a standard 32-bit layout: the general form's values, per byte.
struct Packed32 {
    uint32_t Apply(uint32_t d, const Sample& s) const {
        uint32_t r, g, b;
        ChannelSums(s, r, g, b);
        const uint32_t dw = s.mDestWeight;
        return (r + (((d >> 16) & 0xFF) * dw >> 8)) << 16 | (g + (((d >> 8) & 0xFF) * dw >> 8)) << 8 |
               (b + ((d & 0xFF) * dw >> 8));
    }
};

struct Additive {
    SurfacePixel::Saturator mSaturator;
    int32_t mBits[3];
    KernelColor mColor;
    uint32_t Apply(uint32_t d, const Sample& s) const {
        const uint32_t add[3] = {
            ((WeightedSum(s, kField[0]) >> (kFieldTop[0] - mBits[0])) * mColor.mTintRed) >> 8,
            ((WeightedSum(s, kField[1]) >> (kFieldTop[1] - mBits[1])) * mColor.mTintGreen) >> 8,
            ((WeightedSum(s, kField[2]) >> (kFieldTop[2] - mBits[2])) * mColor.mTintBlue) >> 8,
        };
        return mSaturator.AddValues(d, add);
    }
};

struct RotateJob {
    const SurfaceTarget* mSurface;
    const DisplayTables* mTables;
    DoubleRect mBounds;
    double mCos, mSin;
    int32_t mDu, mDv;
    double mCenterX, mCenterY; // the centre plus the position
    double mCx, mCy;           // the centre alone
    int32_t mWidth, mHeight;   // of the source rectangle
    size_t mOrigin;            // source index of its corner
    int32_t mSourceWidth;
    uint32_t mWeightAlpha; // the colour alpha for the tinted normal rule, else 256
    KernelColor mColor;
};

inline int32_t Fixed(double v) {
    return static_cast<int32_t>(std::clamp(v * 65536.0, -2147483648.0, 2147483647.0));
}

template <typename Pixel, typename Src, typename Rule>
void RotateLoop(const RotateJob& job, Src src, const Rule& rule) {
    const int32_t x0 = static_cast<int32_t>(job.mBounds.mX);
    const int32_t lastIndex = static_cast<int32_t>(job.mBounds.mWidth - 1.0);
    const size_t pitch = static_cast<size_t>(job.mSourceWidth);
    for (int32_t r = 0; r < job.mBounds.mHeight; ++r) {
        const int32_t yr = static_cast<int32_t>(job.mBounds.mY) + r;
        const double dX = x0 - job.mCenterX, dY = yr - job.mCenterY;
        int32_t u = Fixed(job.mCos * dX - job.mSin * dY + job.mCx);
        int32_t v = Fixed(job.mSin * dX + job.mCos * dY + job.mCy);
        int32_t first, last;
        if (!CutRotatedSpan(u, v, job.mDu, job.mDv, job.mWidth, job.mHeight, lastIndex, first, last))
            continue;
        u += first * job.mDu;
        v += first * job.mDv;
        Pixel* d = job.mSurface->template Row<Pixel>(yr) + x0;
        for (int32_t i = first; i <= last; ++i, u += job.mDu, v += job.mDv) {
            const size_t at = job.mOrigin + static_cast<size_t>(v >> 16) * pitch + static_cast<size_t>(u >> 16);
            Sample s{{src[at], src[at + 1], src[at + pitch], src[at + pitch + 1]}, {}, 0};
            const uint32_t fx = (static_cast<uint32_t>(u) & 0xFFFE) + 1, fy = (static_cast<uint32_t>(v) & 0xFFFE) + 1;
            const uint32_t area[4] = {((65536 - fx) * (65536 - fy)) >> 16, (fx * (65536 - fy)) >> 16,
                                      ((65536 - fx) * fy) >> 16, (fx * fy) >> 16};
            uint32_t sum = 0;
            for (int k = 0; k < 4; ++k) {
                uint32_t w = (area[k] * (s.mPixel[k] >> 24)) >> 16;
                if (job.mWeightAlpha != 256)
                    w = (w * job.mWeightAlpha) >> 8;
                s.mWeight[k] = w;
                sum += w;
            }
            s.mDestWeight = 256 - sum;
            d[i] = static_cast<Pixel>(rule.Apply(d[i], s));
        }
    }
}

enum class RotateWay { Packed565, Packed555, Packed32, General, GeneralTinted, Additive };

template <typename Pixel, typename Src, RotateWay kWay>
void RotateKernel(const RotateJob& job, Src src) {
    if constexpr (kWay == RotateWay::Packed565)
        RotateLoop<Pixel>(job, src, Packed16<true>{});
    else if constexpr (kWay == RotateWay::Packed555)
        RotateLoop<Pixel>(job, src, Packed16<false>{});
    else if constexpr (kWay == RotateWay::Packed32)
        RotateLoop<Pixel>(job, src, Packed32{});
    else if constexpr (kWay == RotateWay::General)
        RotateLoop<Pixel>(job, src, General{job.mTables});
    else if constexpr (kWay == RotateWay::GeneralTinted)
        RotateLoop<Pixel>(job, src, GeneralTinted{job.mTables, job.mColor});
    else
        RotateLoop<Pixel>(
            job, src,
            Additive{SurfacePixel::Saturator(*job.mTables),
                     {job.mTables->Channel(0).mBits, job.mTables->Channel(1).mBits, job.mTables->Channel(2).mBits},
                     job.mColor});
}

template <typename Src>
using RotateKernelFn = void (*)(const RotateJob&, Src);

template <typename Pixel, typename Src>
constexpr RotateKernelFn<Src> kRotateKernels[6] = {
    RotateKernel<Pixel, Src, RotateWay::Packed565>,     RotateKernel<Pixel, Src, RotateWay::Packed555>,
    RotateKernel<Pixel, Src, RotateWay::Packed32>,      RotateKernel<Pixel, Src, RotateWay::General>,
    RotateKernel<Pixel, Src, RotateWay::GeneralTinted>, RotateKernel<Pixel, Src, RotateWay::Additive>,
};

RotateWay ChooseRotateWay(const SurfaceTarget& surface, const DisplayTables& tables, const KernelColor& color,
                          int drawMode) {
    if (drawMode != 0)
        return RotateWay::Additive;
    if (!color.IsWhite())
        return RotateWay::GeneralTinted;
    if (!tables.StandardOrder())
        return RotateWay::General;
    if (surface.mBitCount == 32)
        return RotateWay::Packed32;
    if (tables.Format() == DisplayPixelFormat::Rgb565())
        return RotateWay::Packed565;
    if (tables.Format() == DisplayPixelFormat::Rgb555())
        return RotateWay::Packed555;
    return RotateWay::General;
}

} // namespace

void BltRotated(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, float x, float y,
                const IntRect& srcRect, const IntRect& clipRect, const Color& color, int drawMode, double angle,
                float centerX, float centerY) {
    source.mDrawn = true;
    if (!surface.IsDrawable() || srcRect.mX < 0 || srcRect.mY < 0 || source.PixelCount() == 0)
        return;
    // Samples stay inside the source rectangle, itself cut to the image.
    const int32_t width = std::min(srcRect.mWidth, source.mWidth - srcRect.mX);
    const int32_t height = std::min(srcRect.mHeight, source.mHeight - srcRect.mY);
    DoubleRect bounds;
    if (width <= 0 || height <= 0 ||
        !GetRotatedBounds(srcRect, angle, x, y, centerX, centerY, clipRect.Intersection(surface.Bounds()), bounds))
        return;
    source.UpdateAlphaFlags();
    const KernelColor k(color);
    const double c = std::cos(angle), s = std::sin(angle);
    const RotateJob job{&surface,
                        &tables,
                        bounds,
                        c,
                        s,
                        Fixed(c),
                        Fixed(s),
                        double{centerX} + x,
                        double{centerY} + y,
                        centerX,
                        centerY,
                        width,
                        height,
                        static_cast<size_t>(srcRect.mY) * source.mWidth + srcRect.mX,
                        source.mWidth,
                        drawMode == 0 && !k.IsWhite() ? k.mAlpha : 256u,
                        k};
    const size_t way = static_cast<size_t>(ChooseRotateWay(surface, tables, k, drawMode));
    BlitPixel::WithSource(source, [&](auto src) {
        using Src = decltype(src);
        (surface.mBitCount == 32 ? kRotateKernels<uint32_t, Src> : kRotateKernels<uint16_t, Src>)[way](job, src);
    });
}

} // namespace Kavo::SurfaceKernels
