#pragma once

// SSE2 building blocks of the memory image's vector blit kernels. Four
// pixels travel together: packed in one register as bytes, or widened to
// 16 bits per channel in two registers (pixels 0-1 and 2-3). Every step
// reproduces the scalar arithmetic of memory_image_blit_pixel.h exactly;
// the ranges each step relies on are noted with it.

#if defined(__SSE2__)

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

#include "framework/graphics/memory_image_blit_pixel.h"

// Kernels for later instruction sets are compiled for them alone and taken
// only where DetectCpuLevel (framework/util/cpu_features.h) says the
// processor has them.
#define KAVO_TARGET_AVX2 __attribute__((target("avx2")))

namespace Kavo::BlitSimd {

inline __m128i Load4(const uint32_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void Store4(uint32_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// Four source pixels starting at offset i.
inline __m128i Load4(BlitPixel::PlainSource s, size_t i) {
    return Load4(s.mPixels + i);
}
inline __m128i Load4(BlitPixel::PaletteSource s, size_t i) {
    return _mm_set_epi32(static_cast<int>(s[i + 3]), static_cast<int>(s[i + 2]), static_cast<int>(s[i + 1]),
                         static_cast<int>(s[i]));
}

// x / 255 in every 16-bit lane, for x up to 255 * 255: what the 0x80808081
// multiply-shift gives for the same products (checked over the whole range
// by the tests).
inline __m128i Div255(__m128i x) {
    return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

// Four pixels with a 16-bit lane per channel, laid out like the packed
// scalar arithmetic: red with blue in one register (blue in the low half of
// each pixel's 32 bits, red in the high half), green with alpha in another.
struct Split {
    __m128i rb, ga;
};

inline Split SplitChannels(__m128i p) {
    return {_mm_and_si128(p, _mm_set1_epi32(0x00FF00FF)), _mm_srli_epi16(p, 8)};
}

// Back to packed pixels; every lane must be below 256.
inline __m128i JoinChannels(Split c) {
    return _mm_or_si128(c.rb, _mm_slli_epi16(c.ga, 8));
}

// A value per pixel (below 65536, one per 32-bit lane) in both 16-bit
// halves of its lane, as a weight for either register of a Split.
inline __m128i Pair(__m128i v) {
    return _mm_or_si128(v, _mm_slli_epi32(v, 16));
}

// Of pixels widened to 16 bits per channel (two per register), each
// pixel's alpha lane repeated in its four lanes.
inline __m128i BroadcastAlpha(__m128i x) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(x, 0xFF), 0xFF);
}

inline __m128i AlphaOf(__m128i p) {
    return _mm_srli_epi32(p, 24);
}

// True when all four pixels have alpha 255.
inline bool AllOpaque(__m128i p) {
    const __m128i ones = _mm_set1_epi32(-1);
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_or_si128(p, _mm_set1_epi32(0x00FFFFFF)), ones)) == 0xFFFF;
}

// True when all four values (one per 32-bit lane) are 0.
inline bool AllZero(__m128i v) {
    return _mm_movemask_epi8(_mm_cmpeq_epi32(v, _mm_setzero_si128())) == 0xFFFF;
}

// Where mask is set, a; elsewhere b.
inline __m128i Select(__m128i mask, __m128i a, __m128i b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// BlitPixel::WeighNormal for four pixels, alphas one per 32-bit lane,
// a from 1 to 255 (lanes of a = 0 give junk the caller discards). The
// 16-bit steps stay in the low half of each lane: every product is at most
// 255 * 255. The weight a * 255 / A is a quotient of integers below 65536,
// which a float division rounds to a value whose truncation is exact.
inline void WeighNormal4(__m128i a, __m128i ad, __m128i& outA, __m128i& weight) {
    const __m128i c255 = _mm_set1_epi32(255);
    const __m128i zero = _mm_setzero_si128();
    outA = _mm_add_epi32(ad, Div255(_mm_mullo_epi16(_mm_sub_epi32(c255, ad), a)));
    const __m128i divisor = _mm_sub_epi32(outA, _mm_cmpeq_epi32(outA, zero)); // never 0
    const __m128 q = _mm_div_ps(_mm_cvtepi32_ps(_mm_mullo_epi16(a, c255)), _mm_cvtepi32_ps(divisor));
    weight = _mm_sub_epi32(_mm_cvttps_epi32(q), _mm_cmpeq_epi32(a, c255)); // 256 for a = 255
}

// The weight over an opaque destination, one per 32-bit lane: a, or 256
// for 255.
inline __m128i OpaqueWeight(__m128i a) {
    return _mm_sub_epi32(a, _mm_cmpeq_epi32(a, _mm_set1_epi32(255)));
}

// The packed mix's sums from the destination term D = d * (256 - w) and
// the source term T (s * w for the plain mix; see the tinted kernels),
// lane by lane: red and green (D + T) >> 8, blue (D >> 8) + (T >> 8). Both
// terms and their sum stay below 65536.
inline __m128i MixRedBlue(__m128i d, __m128i t) {
    const __m128i m = _mm_set1_epi32(static_cast<int>(0xFFFFFF00u));
    return _mm_srli_epi16(_mm_add_epi16(_mm_and_si128(d, m), _mm_and_si128(t, m)), 8);
}
inline __m128i MixGreen(__m128i d, __m128i t) {
    return _mm_srli_epi16(_mm_add_epi16(d, t), 8);
}

} // namespace Kavo::BlitSimd

#endif
