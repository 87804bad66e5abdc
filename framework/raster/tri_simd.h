#pragma once

// Four pixels of a span at a time, for the textured sources and the 32-bit
// formats that draw most of a frame. Every lane computes exactly what the
// per-pixel formulas of tri_pixel.h compute for its pixel: the channel
// products run in 16-bit lanes, where none of them can exceed 16 bits, and
// the sums that may carry from one byte to the next are made on whole 32-bit
// words as the scalar code makes them. A group whose blend would need the
// division (a destination that is not opaque) goes through the scalar write.

#if defined(__SSE2__)
#define KAVO_TRI_SIMD 1
#include <emmintrin.h>

#include "framework/raster/tri_pixel.h"

namespace Kavo {

// Four samples, one pixel per 32-bit lane, as TriTexelSample holds one.
struct TriSample4 {
    __m128i color;  // written with full alpha when the weight is 240 or more
    __m128i term;   // blended below that
    __m128i weight; // 0..255
    __m128i skip;   // all ones where the pixel is left untouched
};

namespace TriSimd {

inline __m128i Set1(uint32_t value) {
    return _mm_set1_epi32(static_cast<int32_t>(value));
}

inline __m128i Select(__m128i mask, __m128i ifSet, __m128i ifClear) {
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
}

inline int Lanes(__m128i mask) {
    return _mm_movemask_ps(_mm_castsi128_ps(mask));
}

// A factor per pixel (0..256 in each 32-bit lane) repeated over the four
// 16-bit channel lanes of its pixel: pixels 0 and 1 in `lo`, 2 and 3 in `hi`.
inline void Spread(__m128i factor, __m128i& lo, __m128i& hi) {
    const __m128i pairs = _mm_or_si128(factor, _mm_slli_epi32(factor, 16));
    lo = _mm_unpacklo_epi32(pairs, pairs);
    hi = _mm_unpackhi_epi32(pairs, pairs);
}

// Each byte times its 16-bit factor, >> 8; factors up to 256.
inline __m128i ScaleBytes(__m128i c, __m128i lo, __m128i hi) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i l = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(c, zero), lo), 8);
    const __m128i h = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(c, zero), hi), 8);
    return _mm_packus_epi16(l, h);
}

// TriScaleRGB of every lane by its own factor.
inline __m128i ScaleRGB(__m128i c, __m128i factor) {
    __m128i lo, hi;
    Spread(factor, lo, hi);
    return _mm_and_si128(ScaleBytes(c, lo, hi), Set1(0xFFFFFFu));
}

// TriTintTexel of every lane: the tint's channels as 16-bit factors, alpha 0.
inline __m128i TintFactors(const TriTintColor& tint) {
    return _mm_set_epi16(0, static_cast<int16_t>(tint.red), static_cast<int16_t>(tint.green),
                         static_cast<int16_t>(tint.blue), 0, static_cast<int16_t>(tint.red),
                         static_cast<int16_t>(tint.green), static_cast<int16_t>(tint.blue));
}
inline __m128i Tint(__m128i c, __m128i factors) {
    return ScaleBytes(c, factors, factors);
}

// (alpha * t) >> 8 per lane, both 0..255, so the product fits a 16-bit lane.
inline __m128i ScaleAlpha(__m128i alpha, uint32_t t) {
    return _mm_srli_epi32(_mm_mullo_epi16(alpha, Set1(t)), 8);
}

} // namespace TriSimd

// TriTexelNearest at four pixels stepped by (du, dv).
[[gnu::always_inline]] inline __m128i TriTexelNearest4(const TriRasterParams& tex, uint32_t u, uint32_t v, uint32_t du,
                                                       uint32_t dv) {
    const uint32_t t0 = TriTexelNearest(tex, u, v);
    const uint32_t t1 = TriTexelNearest(tex, u + du, v + dv);
    const uint32_t t2 = TriTexelNearest(tex, u + 2 * du, v + 2 * dv);
    const uint32_t t3 = TriTexelNearest(tex, u + 3 * du, v + 3 * dv);
    return _mm_set_epi32(static_cast<int32_t>(t3), static_cast<int32_t>(t2), static_cast<int32_t>(t1),
                         static_cast<int32_t>(t0));
}

// TriTexelLinear at four pixels stepped by (du, dv): the weights of all four
// pixels come from two 16-bit high products each, the channel sums from one
// 16-bit product per texel and channel.
[[gnu::always_inline]] inline __m128i TriTexelLinear4(const TriRasterParams& tex, uint32_t u, uint32_t v, uint32_t du,
                                                      uint32_t dv) {
    using namespace TriSimd;
    const uint32_t width = static_cast<uint32_t>(tex.width);
    const uint32_t count = static_cast<uint32_t>(tex.texelCount);
    const bool roomy = count > width + 1;
    __m128i top[4], bottom[4]; // (t00, t01) and (t10, t11) of each pixel
    uint32_t x[4], y[4];
    for (int k = 0; k < 4; ++k) {
        x[k] = u + static_cast<uint32_t>(k) * du;
        y[k] = v + static_cast<uint32_t>(k) * dv;
        const uint32_t i = static_cast<uint32_t>(static_cast<int32_t>(y[k]) >> 16) * width +
                           static_cast<uint32_t>(static_cast<int32_t>(x[k]) >> 16);
        if (roomy && i < count - width - 1) {
            const uint32_t* p = tex.texels + i;
            top[k] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
            bottom[k] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + width));
        } else {
            auto fetch = [&](uint32_t index) { return static_cast<int32_t>(index < count ? tex.texels[index] : 0u); };
            top[k] = _mm_set_epi32(0, 0, fetch(i + 1), fetch(i));
            bottom[k] = _mm_set_epi32(0, 0, fetch(i + width + 1), fetch(i + width));
        }
    }
    auto split = [](const __m128i* rows, __m128i& left, __m128i& right) {
        const __m128 a = _mm_castsi128_ps(_mm_unpacklo_epi64(rows[0], rows[1]));
        const __m128 b = _mm_castsi128_ps(_mm_unpacklo_epi64(rows[2], rows[3]));
        left = _mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        right = _mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    };
    __m128i t00, t01, t10, t11;
    split(top, t00, t01);
    split(bottom, t10, t11);

    // Fractions (x & 0xFFFE) + 1 of the four pixels as 16-bit lanes, x in the
    // low half and y in the high half; the bias keeps the signed pack exact.
    const __m128i low = Set1(0xFFFEu), bias = Set1(0x8000u);
    const __m128i fx32 =
        _mm_add_epi32(_mm_and_si128(_mm_set_epi32(static_cast<int32_t>(x[3]), static_cast<int32_t>(x[2]),
                                                  static_cast<int32_t>(x[1]), static_cast<int32_t>(x[0])),
                                    low),
                      Set1(1));
    const __m128i fy32 =
        _mm_add_epi32(_mm_and_si128(_mm_set_epi32(static_cast<int32_t>(y[3]), static_cast<int32_t>(y[2]),
                                                  static_cast<int32_t>(y[1]), static_cast<int32_t>(y[0])),
                                    low),
                      Set1(1));
    const __m128i f = _mm_xor_si128(_mm_packs_epi32(_mm_sub_epi32(fx32, bias), _mm_sub_epi32(fy32, bias)),
                                    _mm_set1_epi16(static_cast<int16_t>(0x8000)));
    const __m128i zero = _mm_setzero_si128();
    const __m128i fx = _mm_unpacklo_epi64(f, f);
    const __m128i fy = _mm_unpackhi_epi64(f, f);
    const __m128i gx = _mm_sub_epi16(zero, fx); // 65536 - fx, never 0 or 65536
    const __m128i gy = _mm_sub_epi16(zero, fy);
    const __m128i across = _mm_unpacklo_epi64(gx, fx);
    // (w00 | w01) and (w10 | w11), each scaled by its texel's alpha.
    const __m128i wTop =
        _mm_mulhi_epu16(_mm_mulhi_epu16(across, gy), _mm_packs_epi32(_mm_srli_epi32(t00, 24), _mm_srli_epi32(t01, 24)));
    const __m128i wBottom =
        _mm_mulhi_epu16(_mm_mulhi_epu16(across, fy), _mm_packs_epi32(_mm_srli_epi32(t10, 24), _mm_srli_epi32(t11, 24)));
    __m128i coverage = _mm_add_epi16(wTop, wBottom);
    coverage = _mm_unpacklo_epi16(_mm_add_epi16(coverage, _mm_srli_si128(coverage, 8)), zero);

    // Weights by channel lane: pixels 0 and 1 (lo), 2 and 3 (hi).
    const __m128i w00 = _mm_unpacklo_epi16(wTop, wTop), w01 = _mm_unpackhi_epi16(wTop, wTop);
    const __m128i w10 = _mm_unpacklo_epi16(wBottom, wBottom), w11 = _mm_unpackhi_epi16(wBottom, wBottom);
    auto sum = [&](auto unpack8, auto unpack32) {
        __m128i s = _mm_mullo_epi16(unpack8(t00, zero), unpack32(w00, w00));
        s = _mm_add_epi16(s, _mm_mullo_epi16(unpack8(t01, zero), unpack32(w01, w01)));
        s = _mm_add_epi16(s, _mm_mullo_epi16(unpack8(t10, zero), unpack32(w10, w10)));
        s = _mm_add_epi16(s, _mm_mullo_epi16(unpack8(t11, zero), unpack32(w11, w11)));
        return _mm_srli_epi16(s, 8);
    };
    const __m128i lo = sum([](__m128i a, __m128i b) { return _mm_unpacklo_epi8(a, b); },
                           [](__m128i a, __m128i b) { return _mm_unpacklo_epi32(a, b); });
    const __m128i hi = sum([](__m128i a, __m128i b) { return _mm_unpackhi_epi8(a, b); },
                           [](__m128i a, __m128i b) { return _mm_unpackhi_epi32(a, b); });
    return _mm_or_si128(_mm_and_si128(_mm_packus_epi16(lo, hi), Set1(0xFFFFFFu)), _mm_slli_epi32(coverage, 24));
}

// The writes of TriTintWrite for four pixels, skipped lanes left as they
// are: opaque lanes take their colour without a read, and the others are
// mixed by `blend`(dst, lanes, out), which may decline a group (returning
// false) to leave it to the per-pixel write.
template <class Format, class Blend>
[[gnu::always_inline]] inline void TriWrite4Lanes(uint32_t* d, const TriSample4& s, Blend blend) {
    using namespace TriSimd;
    const int skipped = Lanes(s.skip);
    if (skipped == 0xF)
        return;
    const __m128i opaque = _mm_cmpgt_epi32(s.weight, Set1(239));
    const int opaqueLanes = Lanes(opaque) & ~skipped;
    const __m128i opaqueColor = _mm_or_si128(s.color, Set1(0xFF000000u));
    if (opaqueLanes == 0xF) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), opaqueColor);
        return;
    }
    const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    __m128i blended = dst;
    const int blendLanes = ~(skipped | opaqueLanes) & 0xF;
    if (blendLanes != 0 && !blend(dst, blendLanes, blended)) {
        alignas(16) uint32_t color[4], term[4], weight[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(color), s.color);
        _mm_store_si128(reinterpret_cast<__m128i*>(term), s.term);
        _mm_store_si128(reinterpret_cast<__m128i*>(weight), s.weight);
        for (int k = 0; k < 4; ++k)
            if (!(skipped >> k & 1))
                TriTintWrite<Format>(d[k], color[k], term[k], weight[k]);
        return;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), Select(s.skip, dst, Select(opaque, opaqueColor, blended)));
}

[[gnu::always_inline]] inline void TriWrite4(TriFormatARGB8888, uint32_t* d, const TriSample4& s) {
    using namespace TriSimd;
    TriWrite4Lanes<TriFormatARGB8888>(d, s, [&](__m128i dst, int lanes, __m128i& out) {
        // Over an opaque destination under a weight of 1 or more the combined
        // alpha is 256 and the quotient a shift; anything else divides.
        const __m128i shift = _mm_andnot_si128(_mm_cmpeq_epi32(s.weight, _mm_setzero_si128()),
                                               _mm_cmpeq_epi32(_mm_srli_epi32(dst, 24), Set1(255)));
        if ((Lanes(shift) & lanes) != lanes)
            return false;
        // The destination weighed by its alpha of 255, then by 256 - weight.
        const __m128i opaque255 = _mm_set1_epi16(255);
        const __m128i zero = _mm_setzero_si128();
        __m128i lo, hi;
        Spread(_mm_sub_epi32(Set1(256), s.weight), lo, hi);
        const __m128i l = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(dst, zero), opaque255), 8), lo), 8);
        const __m128i h = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(dst, zero), opaque255), 8), hi), 8);
        const __m128i kept = _mm_and_si128(_mm_packus_epi16(l, h), Set1(0xFFFFFFu));
        out = _mm_or_si128(_mm_add_epi32(kept, _mm_and_si128(s.term, Set1(0xFFFFFFu))), Set1(0xFF000000u));
        return true;
    });
}

[[gnu::always_inline]] inline void TriWrite4(TriFormatRGB888, uint32_t* d, const TriSample4& s) {
    using namespace TriSimd;
    TriWrite4Lanes<TriFormatRGB888>(d, s, [&](__m128i dst, int, __m128i& out) {
        const __m128i kept = ScaleRGB(dst, _mm_sub_epi32(Set1(255), s.weight));
        out = _mm_or_si128(_mm_add_epi32(kept, _mm_and_si128(s.term, Set1(0xFFFFFFu))), Set1(0xFF000000u));
        return true;
    });
}

} // namespace Kavo

#endif
