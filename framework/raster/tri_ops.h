#pragma once

// Per-pixel operations of the members, for TriWalkTriangle. A member is one
// line: the walk over one of these, specialised by format, source and tint.

#include "framework/raster/tri_pixel.h"
#include "framework/raster/tri_simd.h"
#include "framework/raster/tri_walk.h"

namespace Kavo {

// Vertex colours blended by vertex alpha: skipped at 8 or below, opaque above 240.
template <class Format>
struct TriGouraudOp {
    using Pixel = typename Format::Pixel;
    static constexpr bool kColors = true;
    static constexpr bool kTexture = false;
    static constexpr int32_t kTexelBias = 0;

    void operator()(Pixel* d, const TriSpanValues& it) const {
        const uint32_t a = TriClampChannel(it.alpha);
        if (a <= 0x80000)
            return;
        const uint32_t r = TriClampChannel(it.red);
        const uint32_t g = TriClampChannel(it.green);
        const uint32_t b = TriClampChannel(it.blue);
        if (a > 0xF00000)
            *d = Format::Opaque((r & 0xFF0000u) | ((g >> 8) & 0xFF00u) | (b >> 16));
        else
            Format::Blend(*d, Format::GouraudSource(r, g, b, a >> 16), a >> 16);
    }
};

// The corners with the tint folded into their colours (8.16 words times the
// tint channel, >> 8), for members that tint per corner: each triangle of a
// fan is tinted once, on copies, and the caller's corners stay as they are.
inline void TriTintCorners(const TriFixedVertex* corners, const TriTintColor& tint, TriFixedVertex tinted[3]) {
    auto fold = [](int32_t word, int32_t channel) {
        return static_cast<int32_t>((static_cast<uint32_t>(word) * static_cast<uint32_t>(channel)) >> 8);
    };
    for (int i = 0; i < 3; ++i) {
        tinted[i] = corners[i];
        tinted[i].alpha = fold(corners[i].alpha, tint.alpha);
        tinted[i].red = fold(corners[i].red, tint.red);
        tinted[i].green = fold(corners[i].green, tint.green);
        tinted[i].blue = fold(corners[i].blue, tint.blue);
    }
}

// A textured pixel as a source hands it to the write: the colour written
// when opaque, the source term blended otherwise, and the weight s.
struct TriTexelSample {
    uint32_t color;
    uint32_t term;
    uint32_t weight;
};

// Sources. Each tells the walk what it reads and fills a sample, returning
// false for a pixel that is left untouched. kOpaque sources always write.
// The hot ones also give Fetch4, the samples of four pixels stepped by
// (du, dv), lane for lane what the per-pixel call gives.
// They hold copies of the texture and the tint: through a reference every
// destination write could alias them, and each pixel would load them anew.

struct TriSourceNearest {
    static constexpr bool kLinear = false, kColors = false, kOpaque = true;
    TriRasterParams tex;
    bool operator()(const TriSpanValues& it, TriTexelSample& out) const {
        out.color = TriTexelNearest(tex, it.u, it.v);
        return true;
    }
};

struct TriSourceLinear {
    static constexpr bool kLinear = true, kColors = false, kOpaque = true;
    TriRasterParams tex;
    bool operator()(const TriSpanValues& it, TriTexelSample& out) const {
        out.color = TriTexelLinear(tex, it.u, it.v) & 0xFFFFFFu;
        return true;
    }
};

// Opaque texture under a tint: the tint's own alpha weighs every pixel.
struct TriSourceNearestTint {
    static constexpr bool kLinear = false, kColors = false, kOpaque = false;
    TriRasterParams tex;
    TriTintColor tint;
    uint32_t s; // (tint alpha * 255) >> 8
    bool operator()(const TriSpanValues& it, TriTexelSample& out) const {
        const uint32_t t = TriTintTexel(TriTexelNearest(tex, it.u, it.v), tint);
        out = {t, TriScaleRGB(t, s), s};
        return true;
    }
#if KAVO_TRI_SIMD
    TriSample4 Fetch4(uint32_t u, uint32_t v, uint32_t du, uint32_t dv) const {
        const __m128i t = TriSimd::Tint(TriTexelNearest4(tex, u, v, du, dv), TriSimd::TintFactors(tint));
        const __m128i weight = TriSimd::Set1(s);
        return {t, TriSimd::ScaleRGB(t, weight), weight, _mm_setzero_si128()};
    }
#endif
};

struct TriSourceLinearTint {
    static constexpr bool kLinear = true, kColors = false, kOpaque = false;
    TriRasterParams tex;
    TriTintColor tint;
    uint32_t s;
    bool operator()(const TriSpanValues& it, TriTexelSample& out) const {
        const uint32_t p =
            TriScaleRGB(TriTintTexel(TriTexelLinear(tex, it.u, it.v), tint), static_cast<uint32_t>(tint.alpha));
        out = {p, p, s};
        return true;
    }
};

// Texture alpha. The skip test is made on the texel's (or the sample's) own
// alpha, before any tint, so a tint never hides a texel that passes it.
template <bool kTinted>
struct TriSourceNearestAlpha {
    static constexpr bool kLinear = false, kColors = false, kOpaque = false;
    TriRasterParams tex;
    TriTintColor tint;
    bool operator()(const TriSpanValues& it, TriTexelSample& out) const {
        uint32_t c = TriTexelNearest(tex, it.u, it.v);
        uint32_t a = c >> 24;
        if (a <= 8)
            return false;
        if constexpr (kTinted) {
            c = TriTintTexel(c, tint);
            a = (static_cast<uint32_t>(tint.alpha) * a) >> 8;
        }
        out = {c, TriScaleRGB(c, a), a};
        return true;
    }
#if KAVO_TRI_SIMD
    TriSample4 Fetch4(uint32_t u, uint32_t v, uint32_t du, uint32_t dv) const {
        __m128i c = TriTexelNearest4(tex, u, v, du, dv);
        __m128i a = _mm_srli_epi32(c, 24);
        const __m128i skip = _mm_cmplt_epi32(a, TriSimd::Set1(9));
        if constexpr (kTinted) {
            c = TriSimd::Tint(c, TriSimd::TintFactors(tint));
            a = TriSimd::ScaleAlpha(a, static_cast<uint32_t>(tint.alpha));
        }
        return {c, TriSimd::ScaleRGB(c, a), a, skip};
    }
#endif
};

template <bool kTinted>
struct TriSourceLinearAlpha {
    static constexpr bool kLinear = true, kColors = false, kOpaque = false;
    TriRasterParams tex;
    TriTintColor tint;
    bool operator()(const TriSpanValues& it, TriTexelSample& out) const {
        const uint32_t sample = TriTexelLinear(tex, it.u, it.v);
        uint32_t a = sample >> 24;
        if (a <= 8)
            return false;
        uint32_t c = sample & 0xFFFFFFu; // already premultiplied by coverage
        if constexpr (kTinted) {
            const uint32_t ta = static_cast<uint32_t>(tint.alpha);
            c = TriScaleRGB(TriTintTexel(c, tint), ta);
            a = (ta * a) >> 8;
        }
        out = {c, c, a};
        return true;
    }
#if KAVO_TRI_SIMD
    TriSample4 Fetch4(uint32_t u, uint32_t v, uint32_t du, uint32_t dv) const {
        const __m128i sample = TriTexelLinear4(tex, u, v, du, dv);
        __m128i a = _mm_srli_epi32(sample, 24);
        const __m128i skip = _mm_cmplt_epi32(a, TriSimd::Set1(9));
        __m128i c = _mm_and_si128(sample, TriSimd::Set1(0xFFFFFFu));
        if constexpr (kTinted) {
            const uint32_t ta = static_cast<uint32_t>(tint.alpha);
            c = TriSimd::ScaleRGB(TriSimd::Tint(c, TriSimd::TintFactors(tint)), TriSimd::Set1(ta));
            a = TriSimd::ScaleAlpha(a, ta);
        }
        return {c, c, a, skip};
    }
#endif
};

template <class Format, class Source>
struct TriTextureOp {
    using Pixel = typename Format::Pixel;
    static constexpr bool kColors = Source::kColors;
    static constexpr bool kTexture = true;
    static constexpr int32_t kTexelBias = Source::kLinear ? 0x8000 : 0;
    Source source;

    void operator()(Pixel* d, const TriSpanValues& it) const {
        TriTexelSample sample;
        if (!source(it, sample))
            return;
        if constexpr (Source::kOpaque)
            *d = Format::Opaque(sample.color);
        else
            TriTintWrite<Format>(*d, sample.color, sample.term, sample.weight);
    }

#if KAVO_TRI_SIMD
    // A whole span, four pixels at a time where the source and the format
    // have a four-pixel form, the rest pixel by pixel.
    void Span(Pixel* d, int32_t count, TriSpanValues it, uint32_t du, uint32_t dv) const requires
        requires(Pixel* p, TriSample4 s) {
        source.Fetch4(0u, 0u, 0u, 0u);
        TriWrite4(Format{}, p, s);
    }
    {
        for (; count >= 4; count -= 4, d += 4) {
            TriWrite4(Format{}, d, source.Fetch4(it.u, it.v, du, dv));
            it.u += 4 * du;
            it.v += 4 * dv;
        }
        for (; count > 0; --count, ++d) {
            (*this)(d, it);
            it.u += du;
            it.v += dv;
        }
    }
#endif
};

// The scaled tint alpha: 240 or more exactly for a tint alpha of 241 or more.
inline uint32_t TriScaledTintAlpha(const TriTintColor& tint) {
    return (static_cast<uint32_t>(tint.alpha) * 255) >> 8;
}

template <class Format, class Source>
inline void TriDrawTextured(const TriFixedVertex* corners, void* bits, int32_t pitch, Source source) {
    TriWalkTriangle(corners, bits, pitch, TriTextureOp<Format, Source>{source});
}

} // namespace Kavo
