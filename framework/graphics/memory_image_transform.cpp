// Rotated (bilinear, 16.16 fixed point), matrix and textured-triangle blits
// of the memory image; the last two go through the triangle rasteriser.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blit.h"
#include "framework/graphics/memory_image_blit_pixel.h"
#include "framework/graphics/memory_image_blit_simd.h"

namespace Kavo {

namespace {

constexpr int64_t kFixedOne = 0x10000;

// Truncation toward zero into a range wide enough for any 16.16 position
// that matters and narrow enough that later sums cannot overflow.
int64_t TruncFixed(float value) {
    constexpr float kLimit = 1099511627776.0f; // 2^40
    if (!(value > -kLimit))
        return -static_cast<int64_t>(kLimit);
    if (value >= kLimit)
        return static_cast<int64_t>(kLimit);
    return static_cast<int64_t>(value);
}

int64_t FloorDiv(int64_t a, int64_t b) { // b > 0
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int64_t CeilDiv(int64_t a, int64_t b) {
    return -FloorDiv(-a, b);
}

// The indices i >= 0 at which start + i * step keeps the whole 2 x 2
// neighbourhood inside a source of `size` pixels along this axis: a growing
// coordinate runs from 1.0 to size - 1.5, a shrinking one from size - 2.5
// down to 0.5, a fixed one must lie in [0, size - 1). Floor and ceiling
// divisions keep the first and last index exact for positions outside.
void StepRange(int64_t start, int64_t step, int64_t size, int64_t& first, int64_t& last) {
    const int64_t span = size * kFixedOne;
    if (step == 0) {
        bool inside = start >= 0 && start < span - kFixedOne;
        first = inside ? 0 : 1;
        last = inside ? INT64_MAX : 0;
        return;
    }
    if (step > 0) {
        first = CeilDiv(kFixedOne - start, step);
        last = FloorDiv(span - 0x17FFF - start, step);
    } else {
        first = CeilDiv(start - (span - 0x27FFF), -step);
        last = FloorDiv(start - 0x7FFF, -step);
    }
    first = std::max<int64_t>(first, 0);
}

// The four area weights of the 2 x 2 neighbourhood at (u, v), in the order
// (u, v), (u + 1, v), (u, v + 1), (u + 1, v + 1); the fractions are odd, so
// no weight is ever 0x10000.
struct AreaWeights {
    uint32_t mW[4];
    AreaWeights(int64_t u, int64_t v) {
        uint32_t fx = static_cast<uint32_t>(u & 0xFFFE) + 1, fy = static_cast<uint32_t>(v & 0xFFFE) + 1;
        uint32_t ix = 0x10000 - fx, iy = 0x10000 - fy;
        mW[0] = (ix * iy) >> 16;
        mW[1] = (fx * iy) >> 16;
        mW[2] = (ix * fy) >> 16;
        mW[3] = (fx * fy) >> 16;
    }
};

// A premultiplied bilinear sample: its alpha K (0..255) and the colour
// sums (each up to 255 * 255).
struct Sample {
    uint32_t mAlpha, mRed, mGreen, mBlue;
};

template <typename Src>
inline void Neighbours(const Src& origin, size_t pitch, int64_t u, int64_t v, uint32_t p[4]) {
    size_t at = static_cast<size_t>(v >> 16) * pitch + static_cast<size_t>(u >> 16);
    p[0] = origin[at];
    p[1] = origin[at + 1];
    p[2] = origin[at + pitch];
    p[3] = origin[at + pitch + 1];
}

// Red and blue are summed in one word: every sum stays below 65536.
template <typename Src>
inline Sample SampleUntinted(const Src& origin, size_t pitch, int64_t u, int64_t v) {
    uint32_t p[4];
    Neighbours(origin, pitch, u, v, p);
    AreaWeights area(u, v);
    uint32_t k = 0, redBlue = 0, green = 0;
    for (int n = 0; n < 4; ++n) {
        uint32_t w = (area.mW[n] * (p[n] >> 24)) >> 16;
        k += w;
        redBlue += w * (p[n] & 0x00FF00FFu);
        green += w * (p[n] & 0x0000FF00u);
    }
    return {k, redBlue >> 16, green >> 8, redBlue & 0xFFFF};
}

// The rotation's tint: weights scaled by the tint alpha, each neighbour's
// channels by (tint channel + 1) / 256.
struct RotateTint {
    uint32_t mAlpha, mRed1, mGreen1, mBlue1;
    uint32_t mAddRed, mAddGreen, mAddBlue; // additive: premultiplied by the alpha
    explicit RotateTint(const Color& c) {
        uint32_t r = ClampChannel(c.mRed), g = ClampChannel(c.mGreen), b = ClampChannel(c.mBlue);
        mAlpha = ClampChannel(c.mAlpha);
        mRed1 = r + 1;
        mGreen1 = g + 1;
        mBlue1 = b + 1;
        mAddRed = r * mAlpha / 255;
        mAddGreen = g * mAlpha / 255;
        mAddBlue = b * mAlpha / 255;
    }
};

template <typename Src>
inline Sample SampleTinted(const Src& origin, size_t pitch, int64_t u, int64_t v, const RotateTint& tint) {
    uint32_t p[4];
    Neighbours(origin, pitch, u, v, p);
    AreaWeights area(u, v);
    Sample s{0, 0, 0, 0};
    for (int n = 0; n < 4; ++n) {
        uint32_t w = ((area.mW[n] * (p[n] >> 24)) >> 16) * tint.mAlpha >> 8;
        s.mAlpha += w;
        s.mRed += w * ((p[n] >> 16 & 0xFF) * tint.mRed1 >> 8);
        s.mGreen += w * ((p[n] >> 8 & 0xFF) * tint.mGreen1 >> 8);
        s.mBlue += w * ((p[n] & 0xFF) * tint.mBlue1 >> 8);
    }
    return s;
}

// The sample over d: near-opaque samples are written as they are; others
// are composited with D = 256 - ((256 - ad) * (256 - K) >> 8), which is 256
// over an opaque destination.
inline uint32_t CompositeSample(uint32_t d, const Sample& s) {
    const uint32_t k = s.mAlpha;
    if (k >= 251)
        return 0xFF000000u | (s.mRed >> 8) << 16 | (s.mGreen >> 8) << 8 | s.mBlue >> 8;
    const uint32_t ad = d >> 24, keep = 256 - k;
    auto channel = [&](uint32_t dc, uint32_t sum) { return ((dc * ad) >> 8) * keep + sum; };
    const uint32_t r = channel(d >> 16 & 0xFF, s.mRed), g = channel(d >> 8 & 0xFF, s.mGreen),
                   b = channel(d & 0xFF, s.mBlue);
    if (ad == 255)
        return 0xFF000000u | (r >> 8) << 16 | (g >> 8) << 8 | b >> 8;
    const uint32_t dd = 256 - (((256 - ad) * keep) >> 8);
    return (dd - 1) << 24 | (r / dd) << 16 | (g / dd) << 8 | b / dd;
}

struct RotateRow {
    uint32_t* mDest;
    int64_t mU, mV, mDu, mDv;
    int mCount;
};

template <typename Src>
void RotateNormal(const RotateRow& row, const Src& origin, size_t pitch, const RotateTint&) {
    int64_t u = row.mU, v = row.mV;
    for (int i = 0; i < row.mCount; ++i, u += row.mDu, v += row.mDv) {
        Sample s = SampleUntinted(origin, pitch, u, v);
        if (s.mAlpha != 0)
            row.mDest[i] = CompositeSample(row.mDest[i], s);
    }
}

template <typename Src>
void RotateTinted(const RotateRow& row, const Src& origin, size_t pitch, const RotateTint& tint) {
    int64_t u = row.mU, v = row.mV;
    for (int i = 0; i < row.mCount; ++i, u += row.mDu, v += row.mDv) {
        Sample s = SampleTinted(origin, pitch, u, v, tint);
        if (s.mAlpha != 0)
            row.mDest[i] = CompositeSample(row.mDest[i], s);
    }
}

template <typename Src>
void RotateAdditive(const RotateRow& row, const Src& origin, size_t pitch, const RotateTint& tint) {
    const auto& table = PixelMath::kSaturationTable;
    int64_t u = row.mU, v = row.mV;
    for (int i = 0; i < row.mCount; ++i, u += row.mDu, v += row.mDv) {
        Sample s = SampleUntinted(origin, pitch, u, v);
        if (s.mAlpha == 0) // adds nothing
            continue;
        uint32_t d = row.mDest[i];
        row.mDest[i] = (d & 0xFF000000u) |
                       uint32_t{table[(d >> 16 & 0xFF) + ((s.mRed >> 8) * tint.mAddRed >> 8)]} << 16 |
                       uint32_t{table[(d >> 8 & 0xFF) + ((s.mGreen >> 8) * tint.mAddGreen >> 8)]} << 8 |
                       table[(d & 0xFF) + ((s.mBlue >> 8) * tint.mAddBlue >> 8)];
    }
}

template <typename Src>
using RotateKernel = void (*)(const RotateRow& row, const Src& origin, size_t pitch, const RotateTint& tint);

// The ways a rotated blit draws, in the order of the kernel tables.
enum class RotateWay { Blend, BlendTinted, Additive };
constexpr size_t kRotateWays = 3;

// These state the arithmetic pixel by pixel and are the reference for the
// vector kernels.
template <typename Src>
constexpr RotateKernel<Src> kRotateKernels[kRotateWays] = {RotateNormal<Src>, RotateTinted<Src>, RotateAdditive<Src>};

#if defined(__SSE2__)
// The pixels at and after `at`.
inline __m128i LoadPair(const BlitPixel::PlainSource& s, size_t at) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s.mPixels + at));
}
inline __m128i LoadPair(const BlitPixel::PaletteSource& s, size_t at) {
    return _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(s[at])),
                              _mm_cvtsi32_si128(static_cast<int>(s[at + 1])));
}

// The rotation's tint in 16-bit lanes: the weights' factor and each
// channel's (tint channel + 1), 256 (no change) in the alpha lane.
struct RotateTintLanes {
    __m128i mAlpha, mChannels, mAdd;
    explicit RotateTintLanes(const RotateTint& t)
        : mAlpha(_mm_set1_epi16(static_cast<short>(t.mAlpha))),
          mChannels(_mm_set_epi16(256, static_cast<short>(t.mRed1), static_cast<short>(t.mGreen1),
                                  static_cast<short>(t.mBlue1), 256, static_cast<short>(t.mRed1),
                                  static_cast<short>(t.mGreen1), static_cast<short>(t.mBlue1))),
          mAdd(_mm_set_epi16(0, static_cast<short>(t.mAddRed), static_cast<short>(t.mAddGreen),
                             static_cast<short>(t.mAddBlue), 0, static_cast<short>(t.mAddRed),
                             static_cast<short>(t.mAddGreen), static_cast<short>(t.mAddBlue))) {}
};

// A Sample of one destination pixel in four 16-bit lanes (blue, green and
// red sums, then K), from its four neighbours (widened: p0 and p1 in lo,
// p2 and p3 in hi) and their area weights repeated over each neighbour's
// four lanes. Each alpha-scaled weight is at most 255 and they sum to K,
// so every sum stays below 65536. The alpha lanes are made 1 so that their
// products add up the weights into K.
template <bool kTinted>
inline __m128i SampleLanes(__m128i lo, __m128i hi, __m128i areaLo, __m128i areaHi, const RotateTintLanes& tint) {
    __m128i wLo = _mm_mulhi_epu16(areaLo, BlitSimd::BroadcastAlpha(lo));
    __m128i wHi = _mm_mulhi_epu16(areaHi, BlitSimd::BroadcastAlpha(hi));
    if constexpr (kTinted) {
        wLo = _mm_srli_epi16(_mm_mullo_epi16(wLo, tint.mAlpha), 8);
        wHi = _mm_srli_epi16(_mm_mullo_epi16(wHi, tint.mAlpha), 8);
        lo = _mm_srli_epi16(_mm_mullo_epi16(lo, tint.mChannels), 8);
        hi = _mm_srli_epi16(_mm_mullo_epi16(hi, tint.mChannels), 8);
    }
    const __m128i colour = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    const __m128i one = _mm_set_epi16(1, 0, 0, 0, 1, 0, 0, 0);
    lo = _mm_or_si128(_mm_and_si128(lo, colour), one);
    hi = _mm_or_si128(_mm_and_si128(hi, colour), one);
    const __m128i sums = _mm_add_epi16(_mm_mullo_epi16(lo, wLo), _mm_mullo_epi16(hi, wHi));
    return _mm_add_epi16(sums, _mm_srli_si128(sums, 8));
}

// The Samples of the destination pixels at (u, v) and the next one, in
// the low and high four lanes. The area weights of both come from one
// multiply of (ix, fx, ix, fx) by (iy, iy, fy, fy) per pixel.
template <bool kTinted, typename Src>
inline __m128i SamplePair(const Src& origin, size_t pitch, int64_t u, int64_t v, int64_t du, int64_t dv,
                          const RotateTintLanes& tint) {
    const __m128i zero = _mm_setzero_si128();
    auto factors = [](int64_t p, uint32_t& inverse) {
        const uint32_t f = static_cast<uint32_t>(p & 0xFFFE) + 1;
        inverse = 0x10000 - f;
        return f;
    };
    uint32_t ixA, iyA, ixB, iyB;
    const uint32_t fxA = factors(u, ixA), fyA = factors(v, iyA), fxB = factors(u + du, ixB), fyB = factors(v + dv, iyB);
    const __m128i across = _mm_set_epi32(static_cast<int>(ixB | fxB << 16), static_cast<int>(ixB | fxB << 16),
                                         static_cast<int>(ixA | fxA << 16), static_cast<int>(ixA | fxA << 16));
    const __m128i down = _mm_set_epi32(static_cast<int>(fyB * 0x10001u), static_cast<int>(iyB * 0x10001u),
                                       static_cast<int>(fyA * 0x10001u), static_cast<int>(iyA * 0x10001u));
    const __m128i area = _mm_mulhi_epu16(across, down);
    auto sample = [&](int64_t pu, int64_t pv, __m128i weights) {
        const size_t at = static_cast<size_t>(pv >> 16) * pitch + static_cast<size_t>(pu >> 16);
        const __m128i n = _mm_unpacklo_epi64(LoadPair(origin, at), LoadPair(origin, at + pitch));
        return SampleLanes<kTinted>(_mm_unpacklo_epi8(n, zero), _mm_unpackhi_epi8(n, zero),
                                    _mm_unpacklo_epi32(weights, weights), _mm_unpackhi_epi32(weights, weights), tint);
    };
    return _mm_unpacklo_epi64(sample(u, v, _mm_unpacklo_epi16(area, area)),
                              sample(u + du, v + dv, _mm_unpackhi_epi16(area, area)));
}

// CompositeSample for two pixels: s the Samples, d the destination
// (widened). The quotients by D are of integers below 65536 by at most 256,
// which a float division rounds to values whose truncation is exact; over
// an opaque destination D is 256 and the division a shift.
inline __m128i CompositeLanes(__m128i d, __m128i s) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
    const __m128i k = BlitSimd::BroadcastAlpha(s), ad = BlitSimd::BroadcastAlpha(d);
    const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(256), k);
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(_mm_mullo_epi16(d, ad), 8), keep), s);
    __m128i blended;
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(ad, _mm_set1_epi16(255))) == 0xFFFF) {
        blended = _mm_or_si128(_mm_srli_epi16(t, 8), _mm_and_si128(alphaLanes, _mm_set1_epi16(255)));
    } else {
        const __m128i c256 = _mm_set1_epi16(256);
        const __m128i dd = _mm_sub_epi16(c256, _mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(c256, ad), keep), 8));
        auto divide = [](__m128i n, __m128i m) {
            return _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(n), _mm_cvtepi32_ps(m)));
        };
        const __m128i q = _mm_packs_epi32(divide(_mm_unpacklo_epi16(t, zero), _mm_unpacklo_epi16(dd, zero)),
                                          divide(_mm_unpackhi_epi16(t, zero), _mm_unpackhi_epi16(dd, zero)));
        blended = BlitSimd::Select(alphaLanes, _mm_sub_epi16(dd, _mm_set1_epi16(1)), q);
    }
    const __m128i nearOpaque = _mm_or_si128(_mm_srli_epi16(s, 8), _mm_and_si128(alphaLanes, _mm_set1_epi16(255)));
    blended = BlitSimd::Select(_mm_cmpgt_epi16(k, _mm_set1_epi16(250)), nearOpaque, blended);
    return BlitSimd::Select(_mm_cmpeq_epi16(k, zero), d, blended);
}

// Two destination pixels at a time; an odd last one goes to the portable
// kernel of the same way.
template <typename Src, RotateWay kWay>
void RotateVector(const RotateRow& row, const Src& origin, size_t pitch, const RotateTint& tint) {
    const RotateTintLanes lanes(tint);
    const __m128i zero = _mm_setzero_si128();
    int64_t u = row.mU, v = row.mV;
    int i = 0;
    for (; i + 2 <= row.mCount; i += 2, u += 2 * row.mDu, v += 2 * row.mDv) {
        const __m128i s = SamplePair<kWay == RotateWay::BlendTinted>(origin, pitch, u, v, row.mDu, row.mDv, lanes);
        auto* to = reinterpret_cast<__m128i*>(row.mDest + i);
        const __m128i d = _mm_loadl_epi64(to);
        __m128i out;
        if constexpr (kWay == RotateWay::Additive) {
            // A sample of K = 0 has colour sums 0 and adds nothing.
            const __m128i add = _mm_srli_epi16(_mm_mullo_epi16(_mm_srli_epi16(s, 8), lanes.mAdd), 8);
            out = _mm_adds_epu8(d, _mm_packus_epi16(add, zero));
        } else {
            out = _mm_packus_epi16(CompositeLanes(_mm_unpacklo_epi8(d, zero), s), zero);
        }
        _mm_storel_epi64(to, out);
    }
    if (i < row.mCount)
        kRotateKernels<Src>[static_cast<size_t>(kWay)](RotateRow{row.mDest + i, u, v, row.mDu, row.mDv, row.mCount - i},
                                                       origin, pitch, tint);
}

template <typename Src>
constexpr RotateKernel<Src> kRotateVectorKernels[kRotateWays] = {RotateVector<Src, RotateWay::Blend>,
                                                                 RotateVector<Src, RotateWay::BlendTinted>,
                                                                 RotateVector<Src, RotateWay::Additive>};
#endif

template <typename Src>
RotateKernel<Src> ChooseRotateKernel(RotateWay way) {
#if defined(__SSE2__)
    if (BlitPixel::VectorKernelsEnabled())
        return kRotateVectorKernels<Src>[static_cast<size_t>(way)];
#endif
    return kRotateKernels<Src>[static_cast<size_t>(way)];
}

void TextureViewUpdate(TriTextureView& view, void* context) {
    auto* image = static_cast<MemoryImage*>(context);
    image->UpdateAlphaFlags();
    view.hasAlpha = image->mHasAlpha;
    view.hasTransparency = image->mHasTrans;
    view.bits = image->GetBits();
    view.width = image->mWidth;
    view.height = image->mHeight;
}

} // namespace

bool GetRotatedBounds(const IntRect& srcRect, double angle, float x, float y, float centerX, float centerY,
                      const IntRect& clipRect, DoubleRect& bounds) {
    const float c = static_cast<float>(std::cos(angle));
    const float s = static_cast<float>(std::sin(angle));
    const float w = static_cast<float>(srcRect.mWidth), h = static_cast<float>(srcRect.mHeight);
    const float corners[4][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    double left = 10000000.0, top = 10000000.0, right = -10000000.0, bottom = -10000000.0;
    for (const auto& p : corners) {
        float bx = (p[0] - centerX) * c + (p[1] - centerY) * s + centerX + x;
        float by = (p[1] - centerY) * c - (p[0] - centerX) * s + centerY + y;
        if (!std::isfinite(bx) || !std::isfinite(by))
            return false;
        left = std::min<double>(left, bx);
        right = std::max<double>(right, bx);
        top = std::min<double>(top, by);
        bottom = std::max<double>(bottom, by);
    }
    left = std::trunc(left);
    top = std::trunc(top);
    right = std::trunc(right);
    const DoubleRect clip(clipRect.mX, clipRect.mY, clipRect.mWidth, clipRect.mHeight);
    bounds = DoubleRect(left, top, right - left, bottom - top).Intersection(clip);
    return bounds.mWidth > 0 && bounds.mHeight > 0;
}

void MemoryImage::BltRotated(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect,
                             const Color& color, int drawMode, double angle, float centerX, float centerY) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    auto* source = dynamic_cast<MemoryImage*>(image);
    DoubleRect bounds;
    const IntRect clip = clipRect.Intersection(IntRect(0, 0, mWidth, mHeight));
    if (source == nullptr || !GetRotatedBounds(srcRect, angle, x, y, centerX, centerY, clip, bounds))
        return;
    uint32_t* bits = GetBits();

    // Sampling is limited to the source rectangle, itself cut to the image.
    const int64_t srcWidth = std::min<int64_t>(srcRect.mWidth, int64_t{source->mWidth} - srcRect.mX);
    const int64_t srcHeight = std::min<int64_t>(srcRect.mHeight, int64_t{source->mHeight} - srcRect.mY);
    if (srcRect.mX >= 0 && srcRect.mY >= 0 && srcWidth > 0 && srcHeight > 0) {
        const float c = static_cast<float>(std::cos(angle));
        const float s = static_cast<float>(std::sin(angle));
        const int64_t du = TruncFixed(c * 65536.0f), dv = TruncFixed(s * 65536.0f);
        const int left = static_cast<int>(bounds.mX);
        const int top = static_cast<int>(bounds.mY);
        const int64_t width = static_cast<int64_t>(bounds.mWidth);
        const int rows = static_cast<int>(std::ceil(bounds.mY + bounds.mHeight)) - top;
        const float a = static_cast<float>(left) - centerX - x;
        const size_t pitch = static_cast<size_t>(source->mWidth);
        const size_t originAt = static_cast<size_t>(srcRect.mY) * pitch + static_cast<size_t>(srcRect.mX);
        const RotateTint tint(color);
        const RotateWay way =
            drawMode != 0 ? RotateWay::Additive : (color == Color::White ? RotateWay::Blend : RotateWay::BlendTinted);

        BlitPixel::WithSource(*source, [&](auto src) {
            using Src = decltype(src);
            const Src origin = src.Offset(originAt);
            const RotateKernel<Src> kernel = ChooseRotateKernel<Src>(way);
            for (int j = 0; j < rows; ++j) {
                const float b = static_cast<float>(top + j) - centerY - y;
                const int64_t u = TruncFixed((c * a - s * b + centerX) * 65536.0f);
                const int64_t v = TruncFixed((s * a + c * b + centerY) * 65536.0f);
                int64_t firstU, lastU, firstV, lastV;
                StepRange(u, du, srcWidth, firstU, lastU);
                StepRange(v, dv, srcHeight, firstV, lastV);
                const int64_t first = std::max(firstU, firstV);
                const int64_t last = std::min({lastU, lastV, width - 1});
                if (last < first)
                    continue;
                RotateRow row{bits + static_cast<size_t>(top + j) * mWidth + left + first,
                              u + first * du,
                              v + first * dv,
                              du,
                              dv,
                              static_cast<int>(last - first + 1)};
                kernel(row, origin, pitch, tint);
            }
        });
    }
    BitsChanged();
}

TriTextureView MakeTextureView(MemoryImage* texture) {
    TriTextureView view;
    view.width = texture->mWidth;
    view.height = texture->mHeight;
    view.updateAlphaFlags = TextureViewUpdate;
    view.context = texture;
    return view;
}

int32_t RasterFormatCode(const MemoryImage& dest) {
    return dest.mForcedAlphaFlags && !dest.mHasAlpha && !dest.mHasTrans ? kTriFormatRGB888 : kTriFormatARGB8888;
}

void RenderMatrixQuad(MemoryImage* texture, float x, float y, const Matrix3x3& matrix, const IntRect& clipRect,
                      const Color& tint, const IntRect& srcRect, bool blend, void* bits, int32_t pitch,
                      int32_t format) {
    if (texture->mWidth <= 0 || texture->mHeight <= 0)
        return;
    const float hw = static_cast<float>(srcRect.mWidth) / 2.0f;
    const float hh = static_cast<float>(srcRect.mHeight) / 2.0f;
    const float tw = static_cast<float>(texture->mWidth), th = static_cast<float>(texture->mHeight);
    const float uLeft = static_cast<float>(srcRect.mX) / tw;
    const float uRight = static_cast<float>(srcRect.mX + srcRect.mWidth) / tw;
    const float vTop = static_cast<float>(srcRect.mY) / th;
    const float vBottom = static_cast<float>(srcRect.mY + srcRect.mHeight) / th;
    const auto& m = matrix.m;
    auto corner = [&](float px, float py, float u, float v) {
        return TriVertex{m[0][0] * px + m[0][1] * py + m[0][2] + x - 0.5f,
                         m[1][0] * px + m[1][1] * py + m[1][2] + y - 0.5f, u, v, 0xFFFFFFFFu};
    };
    const TriVertex quad[4] = {corner(-hw, -hh, uLeft, vTop), corner(hw, -hh, uRight, vTop),
                               corner(-hw, hh, uLeft, vBottom), corner(hw, hh, uRight, vBottom)};
    TriTextureView view = MakeTextureView(texture);
    TriRasterRenderFan(clipRect, tint, quad, 4, &view, bits, pitch, format, blend, false);
}

void RenderTexTriangles(MemoryImage* texture, const TriVertex (*triangles)[3], int count, const IntRect& clipRect,
                        const Color& tint, float transX, float transY, bool blend, void* bits, int32_t pitch,
                        int32_t format) {
    TriTextureView view = MakeTextureView(texture);
    for (int t = 0; t < count; ++t) {
        TriVertex moved[3];
        bool vertexColors = false;
        for (int k = 0; k < 3; ++k) {
            moved[k] = triangles[t][k];
            moved[k].x += transX;
            moved[k].y += transY;
            vertexColors |= moved[k].color != 0;
        }
        TriRasterRenderFan(clipRect, tint, moved, 3, &view, bits, pitch, format, blend, vertexColors);
    }
}

void MemoryImage::BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix, const IntRect& clipRect,
                            const Color& color, int, const IntRect& srcRect, bool blend) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    const IntRect clip = clipRect.Intersection(IntRect(0, 0, mWidth, mHeight));
    if (auto* texture = dynamic_cast<MemoryImage*>(image); texture && clip.mWidth > 0 && clip.mHeight > 0)
        RenderMatrixQuad(texture, x, y, matrix, clip, color, srcRect, blend, GetBits(), mWidth * 4,
                         RasterFormatCode(*this));
    BitsChanged();
}

void MemoryImage::BltTrianglesTex(Image* texture, const TriVertex (*vertices)[3], int triangleCount,
                                  const IntRect& clipRect, const Color& color, int, float transX, float transY,
                                  bool blend) {
    if (texture == nullptr)
        return;
    texture->mDrawn = true;
    const IntRect clip = clipRect.Intersection(IntRect(0, 0, mWidth, mHeight));
    if (auto* source = dynamic_cast<MemoryImage*>(texture); source && clip.mWidth > 0 && clip.mHeight > 0)
        RenderTexTriangles(source, vertices, triangleCount, clip, color, transX, transY, blend, GetBits(), mWidth * 4,
                           RasterFormatCode(*this));
    BitsChanged();
}

} // namespace Kavo
