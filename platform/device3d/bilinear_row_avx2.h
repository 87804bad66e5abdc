#pragma once
// Bilinear samples along a span that keeps to one pair of texture rows and
// inside its columns, eight at a time with AVX2: the values of
// Lerp(Lerp(top left, top right, fx), Lerp(bottom left, bottom right, fx), fy)
// exactly. Only for processors that ProcessorHasAvx2 says have it.

#include <algorithm>
#include <cstdint>

#include "platform/device3d/texel_lerp.h"
#include "platform/device3d/vector_level.h"

#if KAVO_DEVICE3D_AVX2
#include <immintrin.h>

namespace platform {

namespace bilinear_avx2 {

// Lerp in 16-bit lanes: c0 + ((c1 − c0) × f + 128) >> 8, the difference
// times 128 fitting a signed lane, and the rounding multiply giving
// ((c1 − c0) × 128 × f + 2^14) >> 15, the same value.
KAVO_DEVICE3D_TARGET_AVX2 inline __m256i Lerp16(__m256i c0, __m256i c1, __m256i f) {
    return _mm256_add_epi16(c0, _mm256_mulhrs_epi16(_mm256_slli_epi16(_mm256_sub_epi16(c1, c0), 7), f));
}

} // namespace bilinear_avx2

// Writes `count` colours to `out`: pixel k samples at s + k × ds (texels,
// 32 fraction bits, the fraction's top 8 bits weighing the right texel),
// between rows `row0` and `row1` weighted by fy of 256 on `row1`. Every
// texel position and its right neighbour lie inside `width` columns.
KAVO_DEVICE3D_TARGET_AVX2 inline void BilinearRowAvx2(std::uint32_t* out, int count, const std::uint32_t* row0,
                                                      const std::uint32_t* row1, int width, std::uint32_t fy,
                                                      std::int64_t s, std::int64_t ds) {
    using namespace bilinear_avx2;
    const __m256i zero = _mm256_setzero_si256();
    const __m256i weightY = _mm256_set1_epi16(static_cast<short>(fy));
    int k = 0;
    for (; k + 8 <= count; k += 8) {
        alignas(32) std::int32_t index[8], fraction[8];
        for (int j = 0; j < 8; ++j) {
            index[j] = static_cast<std::int32_t>(s >> 32);
            fraction[j] = static_cast<std::int32_t>((s >> 24) & 0xFF);
            s += ds;
        }
        const __m256i columns = _mm256_load_si256(reinterpret_cast<const __m256i*>(index));
        const int first = std::min(index[0], index[7]), last = std::max(index[0], index[7]);
        __m256i left0, right0, left1, right1;
        if (last + 1 - first < 8 && first + 8 <= width) {
            // Eight texels from the first hold every pair: picked from
            // registers, without a gather.
            const __m256i at = _mm256_sub_epi32(columns, _mm256_set1_epi32(first));
            const __m256i next = _mm256_add_epi32(at, _mm256_set1_epi32(1));
            const __m256i top = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row0 + first));
            const __m256i bottom = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row1 + first));
            left0 = _mm256_permutevar8x32_epi32(top, at);
            right0 = _mm256_permutevar8x32_epi32(top, next);
            left1 = _mm256_permutevar8x32_epi32(bottom, at);
            right1 = _mm256_permutevar8x32_epi32(bottom, next);
        } else {
            const auto* r0 = reinterpret_cast<const int*>(row0);
            const auto* r1 = reinterpret_cast<const int*>(row1);
            left0 = _mm256_i32gather_epi32(r0, columns, 4);
            right0 = _mm256_i32gather_epi32(r0 + 1, columns, 4);
            left1 = _mm256_i32gather_epi32(r1, columns, 4);
            right1 = _mm256_i32gather_epi32(r1 + 1, columns, 4);
        }
        // Each pixel's fx in the four 16-bit lanes of its channels, in the
        // order unpacking bytes lays the pixels out: 0 1 | 4 5 and 2 3 | 6 7.
        const __m256i fx = _mm256_load_si256(reinterpret_cast<const __m256i*>(fraction));
        const __m256i fx2 = _mm256_or_si256(fx, _mm256_slli_epi32(fx, 16));
        const __m256i fxLo = _mm256_unpacklo_epi32(fx2, fx2), fxHi = _mm256_unpackhi_epi32(fx2, fx2);
        const __m256i topLo = Lerp16(_mm256_unpacklo_epi8(left0, zero), _mm256_unpacklo_epi8(right0, zero), fxLo);
        const __m256i topHi = Lerp16(_mm256_unpackhi_epi8(left0, zero), _mm256_unpackhi_epi8(right0, zero), fxHi);
        const __m256i bottomLo = Lerp16(_mm256_unpacklo_epi8(left1, zero), _mm256_unpacklo_epi8(right1, zero), fxLo);
        const __m256i bottomHi = Lerp16(_mm256_unpackhi_epi8(left1, zero), _mm256_unpackhi_epi8(right1, zero), fxHi);
        const __m256i mixed = _mm256_packus_epi16(Lerp16(topLo, bottomLo, weightY), Lerp16(topHi, bottomHi, weightY));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k), mixed);
    }
    for (; k < count; ++k, s += ds) {
        const std::int64_t i = s >> 32;
        const auto fx = static_cast<std::uint32_t>((s >> 24) & 0xFF);
        out[k] = Lerp(Lerp(row0[i], row0[i + 1], fx), Lerp(row1[i], row1[i + 1], fx), fy);
    }
}

} // namespace platform

#endif
