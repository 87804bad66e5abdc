#pragma once
// Blends a run of finished source colours (ARGB) into consecutive target
// pixels: four pixels at a time with SSE2 where the processor has it, one at
// a time otherwise. Both ways give the same values as target_pixels::Write.

#include <cstdint>

#include "platform/device3d/target_pixels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

#if defined(__SSE2__)
namespace row_blend_sse2 {

// x / 255 rounded in each 16-bit lane, for x up to 255 × 255: with
// y = x + 128, (y × 257) >> 16 equals (y + (y >> 8)) >> 8 exactly.
inline __m128i Div255(__m128i x) {
    return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(0x80)), _mm_set1_epi16(0x0101));
}

// The alpha of each pixel in all four of its 16-bit lanes.
inline __m128i Alphas(__m128i pixels16) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels16, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

// Four x8r8g8b8 pixels from four 5:6:5 or 5:5:5 ones, widened like TargetPixel.
template <TargetFormat F>
inline __m128i Widen(const std::uint8_t* p) {
    const __m128i v = _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128());
    const int greenBits = F == TargetFormat::Rgb565 ? 6 : 5;
    const __m128i r = _mm_and_si128(_mm_srli_epi32(v, F == TargetFormat::Rgb565 ? 11 : 10), _mm_set1_epi32(0x1F));
    const __m128i g = _mm_and_si128(_mm_srli_epi32(v, 5), _mm_set1_epi32((1 << greenBits) - 1));
    const __m128i b = _mm_and_si128(v, _mm_set1_epi32(0x1F));
    const __m128i r8 = _mm_or_si128(_mm_slli_epi32(r, 3), _mm_srli_epi32(r, 2));
    const __m128i g8 = greenBits == 6 ? _mm_or_si128(_mm_slli_epi32(g, 2), _mm_srli_epi32(g, 4))
                                      : _mm_or_si128(_mm_slli_epi32(g, 3), _mm_srli_epi32(g, 2));
    const __m128i b8 = _mm_or_si128(_mm_slli_epi32(b, 3), _mm_srli_epi32(b, 2));
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi32(r8, 16), _mm_slli_epi32(g8, 8)), b8);
}

// Four x8r8g8b8 pixels stored as 5:6:5 or 5:5:5.
template <TargetFormat F>
inline void Narrow(std::uint8_t* p, __m128i v) {
    const __m128i r = _mm_srli_epi32(_mm_and_si128(v, _mm_set1_epi32(0xF80000)), 19);
    const __m128i b = _mm_srli_epi32(_mm_and_si128(v, _mm_set1_epi32(0xF8)), 3);
    __m128i packed;
    if constexpr (F == TargetFormat::Rgb565) {
        const __m128i g = _mm_srli_epi32(_mm_and_si128(v, _mm_set1_epi32(0xFC00)), 10);
        packed = _mm_or_si128(_mm_or_si128(_mm_slli_epi32(r, 11), _mm_slli_epi32(g, 5)), b);
    } else {
        const __m128i g = _mm_srli_epi32(_mm_and_si128(v, _mm_set1_epi32(0xF800)), 11);
        packed = _mm_or_si128(_mm_or_si128(_mm_slli_epi32(r, 10), _mm_slli_epi32(g, 5)), b);
    }
    packed = _mm_shufflelo_epi16(packed, _MM_SHUFFLE(3, 3, 2, 0));
    packed = _mm_shufflehi_epi16(packed, _MM_SHUFFLE(3, 3, 2, 0));
    packed = _mm_shuffle_epi32(packed, _MM_SHUFFLE(3, 3, 2, 0));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), packed);
}

// Four source pixels over four destination pixels (both x8r8g8b8 in
// registers); the result's top bytes are 0xFF.
template <BlendKind B>
inline __m128i Blend4(__m128i src, __m128i dst) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    if constexpr (B == BlendKind::Replace) {
        return _mm_or_si128(src, opaque);
    } else if constexpr (B == BlendKind::Add) {
        return _mm_or_si128(_mm_adds_epu8(src, dst), opaque);
    } else {
        const __m128i sLo = _mm_unpacklo_epi8(src, zero), sHi = _mm_unpackhi_epi8(src, zero);
        const __m128i aLo = Alphas(sLo), aHi = Alphas(sHi);
        if constexpr (B == BlendKind::AlphaAdd) {
            const __m128i add = _mm_packus_epi16(Div255(_mm_mullo_epi16(sLo, aLo)), Div255(_mm_mullo_epi16(sHi, aHi)));
            return _mm_or_si128(_mm_adds_epu8(add, dst), opaque);
        } else {
            const __m128i full = _mm_set1_epi16(255);
            const __m128i dLo = _mm_unpacklo_epi8(dst, zero), dHi = _mm_unpackhi_epi8(dst, zero);
            const __m128i lo =
                Div255(_mm_add_epi16(_mm_mullo_epi16(sLo, aLo), _mm_mullo_epi16(dLo, _mm_sub_epi16(full, aLo))));
            const __m128i hi =
                Div255(_mm_add_epi16(_mm_mullo_epi16(sHi, aHi), _mm_mullo_epi16(dHi, _mm_sub_epi16(full, aHi))));
            return _mm_or_si128(_mm_packus_epi16(lo, hi), opaque);
        }
    }
}

} // namespace row_blend_sse2
#endif

template <TargetFormat F, BlendKind B>
inline void BlendRow(const SpanShader& shader, std::uint8_t* dst, const std::uint32_t* src, int count) {
    constexpr int kBytes = target_pixels::TargetPixel<F>::kBytes;
    int i = 0;
#if defined(__SSE2__)
    if constexpr (B != BlendKind::Generic) {
        using namespace row_blend_sse2;
        const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        for (; i + 4 <= count; i += 4) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            std::uint8_t* p = dst + i * kBytes;
            if constexpr (B == BlendKind::AlphaOver || B == BlendKind::AlphaAdd) {
                // Four transparent pixels change nothing; four opaque ones
                // over the target simply replace it.
                const int transparent =
                    _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, alphaMask), _mm_setzero_si128()));
                if (transparent == 0xFFFF) {
                    continue;
                }
                if constexpr (B == BlendKind::AlphaOver) {
                    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, alphaMask), alphaMask)) == 0xFFFF) {
                        const __m128i out = _mm_or_si128(s, alphaMask);
                        if constexpr (F == TargetFormat::Xrgb8888) {
                            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), out);
                        } else {
                            Narrow<F>(p, out);
                        }
                        continue;
                    }
                }
            }
            if constexpr (F == TargetFormat::Xrgb8888) {
                const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(p), Blend4<B>(s, d));
            } else {
                Narrow<F>(p, Blend4<B>(s, Widen<F>(p)));
            }
        }
    }
#endif
    for (; i < count; ++i) {
        target_pixels::Write<F, B>(shader, dst + i * kBytes, src[i]);
    }
}

} // namespace platform
