#pragma once

// Sources for the textured members whose corners carry colours: the texel
// (or bilinear sample) modulated by the interpolated corner colour, weighted
// by the corner alpha and, where the texture's alpha counts, by that too.

#include "framework/raster/tri_ops.h"

namespace Kavo {

// kTextureAlpha: the texel's alpha (or the sample's coverage) skips the pixel
// at 8 or below and weighs the corner alpha; without it every texel counts as
// opaque. kTinted: the tint, already folded into the corners, scales each
// factor a second time. Linear sources weight the colour by the corner alpha
// itself, not by the blend weight, because the filter has already weighted it
// by the texels' alphas.
template <bool kLinearFetch, bool kTextureAlpha, bool kTinted>
struct TriSourceVertexColor {
    static constexpr bool kLinear = kLinearFetch, kColors = true, kOpaque = false;
    TriRasterParams tex;
    TriTintColor tint;

    // The interpolant is held to 0..255 so that a value carried just below 0
    // at a triangle's edge cannot spill across the byte lanes.
    uint32_t Factor(uint32_t interpolant, int32_t tintChannel) const {
        const uint32_t value = TriClampChannel(interpolant);
        if constexpr (kTinted)
            return (static_cast<uint32_t>(tintChannel) * value) >> 24;
        else
            return value >> 16;
    }

    bool operator()(const TriSpanValues& it, TriTexelSample& out) const {
        uint32_t texel;
        if constexpr (kLinearFetch)
            texel = TriTexelLinear(tex, it.u, it.v);
        else
            texel = TriTexelNearest(tex, it.u, it.v);
        uint32_t texelAlpha = 255;
        if constexpr (kTextureAlpha) {
            texelAlpha = texel >> 24;
            if (texelAlpha <= 8)
                return false;
        }
        const uint32_t fa = Factor(it.alpha, tint.alpha);
        const TriTintColor factors{0, static_cast<int32_t>(Factor(it.red, tint.red)),
                                   static_cast<int32_t>(Factor(it.green, tint.green)),
                                   static_cast<int32_t>(Factor(it.blue, tint.blue))};
        const uint32_t m = TriTintTexel(texel, factors);
        const uint32_t a = (fa * texelAlpha) >> 8;
        if constexpr (kLinearFetch) {
            const uint32_t p = TriScaleRGB(m, fa);
            out = {p, p, a};
        } else {
            out = {m, TriScaleRGB(m, a), a};
        }
        return true;
    }
};

// The tint members read the tint; the others must not, so they get this one.
inline constexpr TriTintColor kTriUntinted{255, 255, 255, 255};

template <class Format, bool kLinearFetch, bool kTextureAlpha, bool kTinted>
void TriDrawVertexColored(const TriFixedVertex* corners, void* bits, int32_t pitch, const TriRasterParams* params,
                          const TriTintColor* tint) {
    using Source = TriSourceVertexColor<kLinearFetch, kTextureAlpha, kTinted>;
    if constexpr (kTinted) {
        TriFixedVertex tinted[3];
        TriTintCorners(corners, *tint, tinted);
        TriDrawTextured<Format>(tinted, bits, pitch, Source{*params, *tint});
    } else {
        TriDrawTextured<Format>(corners, bits, pitch, Source{*params, kTriUntinted});
    }
}

} // namespace Kavo
