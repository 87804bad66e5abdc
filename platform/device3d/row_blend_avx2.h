#pragma once
// The row blend of row_blend.h into an x8r8g8b8 target eight pixels at a
// time with AVX2, with the same shortcuts for wholly transparent and wholly
// opaque groups; the values are those of target_pixels::Write. Only for
// processors that ProcessorHasAvx2 says have it.

#include "platform/device3d/row_blend.h"
#include "platform/device3d/vector_level.h"

#if KAVO_DEVICE3D_AVX2
#include <immintrin.h>

namespace platform {

namespace row_blend_avx2 {

KAVO_DEVICE3D_TARGET_AVX2 inline __m256i Div255(__m256i x) {
    return _mm256_mulhi_epu16(_mm256_add_epi16(x, _mm256_set1_epi16(0x80)), _mm256_set1_epi16(0x0101));
}

KAVO_DEVICE3D_TARGET_AVX2 inline __m256i Alphas(__m256i pixels16) {
    return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(pixels16, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

// Eight source pixels over eight target pixels; the result's top bytes are 0xFF.
template <BlendKind B>
KAVO_DEVICE3D_TARGET_AVX2 inline __m256i Blend8(__m256i src, __m256i dst) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    if constexpr (B == BlendKind::Replace) {
        return _mm256_or_si256(src, opaque);
    } else if constexpr (B == BlendKind::Add) {
        return _mm256_or_si256(_mm256_adds_epu8(src, dst), opaque);
    } else {
        const __m256i sLo = _mm256_unpacklo_epi8(src, zero), sHi = _mm256_unpackhi_epi8(src, zero);
        const __m256i aLo = Alphas(sLo), aHi = Alphas(sHi);
        if constexpr (B == BlendKind::AlphaAdd) {
            const __m256i add =
                _mm256_packus_epi16(Div255(_mm256_mullo_epi16(sLo, aLo)), Div255(_mm256_mullo_epi16(sHi, aHi)));
            return _mm256_or_si256(_mm256_adds_epu8(add, dst), opaque);
        } else {
            const __m256i full = _mm256_set1_epi16(255);
            const __m256i dLo = _mm256_unpacklo_epi8(dst, zero), dHi = _mm256_unpackhi_epi8(dst, zero);
            const __m256i lo = Div255(
                _mm256_add_epi16(_mm256_mullo_epi16(sLo, aLo), _mm256_mullo_epi16(dLo, _mm256_sub_epi16(full, aLo))));
            const __m256i hi = Div255(
                _mm256_add_epi16(_mm256_mullo_epi16(sHi, aHi), _mm256_mullo_epi16(dHi, _mm256_sub_epi16(full, aHi))));
            return _mm256_or_si256(_mm256_packus_epi16(lo, hi), opaque);
        }
    }
}

} // namespace row_blend_avx2

// `count` finished ARGB colours blended into consecutive x8r8g8b8 pixels.
// Generic blends have no vector form and go pixel by pixel.
template <BlendKind B>
KAVO_DEVICE3D_TARGET_AVX2 void BlendRowXrgbAvx2(const SpanShader& shader, std::uint8_t* dst, const std::uint32_t* src,
                                                int count) {
    int i = 0;
    if constexpr (B != BlendKind::Generic) {
        using namespace row_blend_avx2;
        const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
        for (; i + 8 <= count; i += 8) {
            const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
            auto* p = reinterpret_cast<__m256i*>(dst + i * 4);
            if constexpr (B == BlendKind::AlphaOver || B == BlendKind::AlphaAdd) {
                // Eight transparent pixels change nothing; eight opaque ones
                // over the target simply replace it.
                if (_mm256_testz_si256(s, alphaMask)) {
                    continue;
                }
                if constexpr (B == BlendKind::AlphaOver) {
                    if (_mm256_testc_si256(s, alphaMask)) {
                        _mm256_storeu_si256(p, s);
                        continue;
                    }
                }
            }
            _mm256_storeu_si256(p, Blend8<B>(s, _mm256_loadu_si256(p)));
        }
    }
    // The last few one by one here: handing them to the SSE2 row would run
    // legacy SSE code with the upper halves of the registers in use, which
    // costs far more than the pixels.
    for (; i < count; ++i) {
        target_pixels::Write<TargetFormat::Xrgb8888, B>(shader, dst + i * 4, src[i]);
    }
}

} // namespace platform

#endif
