#pragma once

// Destination formats, the blends, the texel fetches and the tint, on packed
// 0x00RRGGBB words with each channel multiplied in its own byte lane.

#include <cstdint>

#include "framework/raster/tri_raster.h"

namespace Kavo {

// Each channel of a 0x??RRGGBB word times s (0..255), >> 8; the top byte is dropped.
inline uint32_t TriScaleRGB(uint32_t c, uint32_t s) {
    return ((((c & 0xFF00FFu) * s) >> 8) & 0xFF00FFu) | ((((c & 0xFF00u) * s) >> 8) & 0xFF00u);
}

// Red, green and blue times the tint's channels, >> 8; alpha byte 0.
inline uint32_t TriTintTexel(uint32_t c, const TriTintColor& tint) {
    return ((((c & 0xFF0000u) * static_cast<uint32_t>(tint.red)) & 0xFF000000u) |
            (((c & 0xFF00u) * static_cast<uint32_t>(tint.green)) & 0xFF0000u) |
            (((c & 0xFFu) * static_cast<uint32_t>(tint.blue)) & 0xFF00u)) >>
           8;
}

// One texel, or 0 when the index lies outside the texture. Columns are not
// clamped: a column past the width runs on into the next row.
inline uint32_t TriTexelNearest(const TriRasterParams& tex, uint32_t u, uint32_t v) {
    const uint32_t index = (v >> 16) * static_cast<uint32_t>(tex.width) + (u >> 16);
    return index < static_cast<uint32_t>(tex.texelCount) ? tex.texels[index] : 0u;
}

// Bilinear sample at (x, y), coordinates already moved half a texel up and
// left. Colour premultiplied by coverage, coverage (0..254) in the top byte;
// transparent and missing texels contribute nothing.
[[gnu::always_inline]] inline uint32_t TriTexelLinear(const TriRasterParams& tex, uint32_t x, uint32_t y) {
    // Floor for every value, so samples before the first column or row take
    // no texel from before the image.
    const int32_t ix = static_cast<int32_t>(x) >> 16;
    const int32_t iy = static_cast<int32_t>(y) >> 16;
    const uint32_t fx = (x & 0xFFFEu) + 1;
    const uint32_t fy = (y & 0xFFFEu) + 1;
    const uint32_t width = static_cast<uint32_t>(tex.width);
    const uint32_t count = static_cast<uint32_t>(tex.texelCount);
    const uint32_t i = static_cast<uint32_t>(iy) * width + static_cast<uint32_t>(ix);
    uint32_t t00, t01, t10, t11;
    if (count > width + 1 && i < count - width - 1) {
        // All four inside: one bound test in place of four.
        const uint32_t* p = tex.texels + i;
        t00 = p[0], t01 = p[1], t10 = p[width], t11 = p[width + 1];
    } else {
        auto fetch = [&](uint32_t index) { return index < count ? tex.texels[index] : 0u; };
        t00 = fetch(i), t01 = fetch(i + 1), t10 = fetch(i + width), t11 = fetch(i + width + 1);
    }
    const uint32_t w00 = ((((65536 - fx) * (65536 - fy)) >> 16) * (t00 >> 24)) >> 16;
    const uint32_t w01 = ((((65536 - fy) * fx) >> 16) * (t01 >> 24)) >> 16;
    const uint32_t w10 = ((((65536 - fx) * fy) >> 16) * (t10 >> 24)) >> 16;
    const uint32_t w11 = (((fx * fy) >> 16) * (t11 >> 24)) >> 16;
    // The weights sum to at most 254, so a channel's sum stays below 2^16 and
    // red and blue share one set of products.
    auto lane = [&](uint32_t mask) {
        return (((t00 & mask) * w00 + (t01 & mask) * w01 + (t10 & mask) * w10 + (t11 & mask) * w11) >> 8) & mask;
    };
    return ((w00 + w01 + w10 + w11) << 24) | lane(0xFF00FFu) | lane(0xFF00u);
}

// An 8.16 colour interpolant with its integer part held to 0..255: thin
// triangles can carry an interpolant a little past its corners' range.
inline uint32_t TriClampChannel(uint32_t value) {
    const int32_t v = static_cast<int32_t>(value);
    return v < 0 ? 0u : (v > 0xFFFFFF ? 0xFFFFFFu : value);
}

// Destination formats. Each gives:
//   Opaque(c)         the pixel for colour c (0x??RRGGBB) with full alpha
//   Blend(d, src, s)  d mixed with the source term src (already weighted by s)
//   GouraudSource(r, g, b, sa)   the source term of an 8.16 colour at alpha sa

struct TriFormatARGB8888 {
    using Pixel = uint32_t;
    static Pixel Opaque(uint32_t c) { return c | 0xFF000000u; }

    // Over a destination with alpha of its own: weighted by that alpha, divided
    // by the combined alpha, which is stored minus 1.
    [[gnu::always_inline]] static void Blend(Pixel& d, uint32_t src, uint32_t s) {
        const uint32_t da = d >> 24;
        const uint32_t inv = 256 - s;
        const uint32_t outA = 256 - (((256 - da) * inv) >> 8);
        if (outA == 0)
            return; // a transparent destination under a source that brings nothing
        if (outA == 256) {
            // An opaque destination, the common case: the quotient is a shift.
            // No member's source takes a channel past 255 here, so red and
            // blue share their products and the channels add without carry.
            const uint32_t kept = TriScaleRGB(d, da);
            const uint32_t scaled =
                ((((kept & 0xFF00FFu) * inv) >> 8) & 0xFF00FFu) | ((((kept & 0xFF00u) * inv) >> 8) & 0xFF00u);
            d = 0xFF000000u | (scaled + (src & 0xFFFFFFu));
            return;
        }
        auto channel = [&](int shift) {
            const uint32_t dc = (d >> shift) & 0xFF;
            const uint32_t q = ((((dc * da) >> 8) * inv) + (((src >> shift) & 0xFF) << 8)) / outA;
            return (q > 255 ? 255u : q) << shift;
        };
        d = ((outA - 1) << 24) | channel(16) | channel(8) | channel(0);
    }

    // Red and green keep the fraction bits of their interpolants.
    static uint32_t GouraudSource(uint32_t r, uint32_t g, uint32_t b, uint32_t sa) {
        return (((r * sa) >> 24) << 16) | ((((g >> 8) * sa) >> 16) << 8) | (((b >> 16) * sa) >> 8);
    }
};

struct TriFormatRGB888 {
    using Pixel = uint32_t;
    static Pixel Opaque(uint32_t c) { return c | 0xFF000000u; }

    // The destination weighs 255 - s; its top byte is never read.
    static void Blend(Pixel& d, uint32_t src, uint32_t s) {
        d = (TriScaleRGB(d, 255 - s) + (src & 0xFFFFFFu)) | 0xFF000000u;
    }

    static uint32_t GouraudSource(uint32_t r, uint32_t g, uint32_t b, uint32_t sa) {
        return TriScaleRGB((r & 0xFF0000u) | ((g >> 8) & 0xFF00u) | (b >> 16), sa);
    }
};

// The 16-bit formats keep each destination field times ((255 - s) >> 3) / 32
// and add the packed source term; no field overflows into its neighbour. The
// red and blue fields are scaled in one product, green in another: the masks
// leave room enough that no product carries into a field it does not own.
template <uint32_t kRedMask, uint32_t kGreenMask, int kRedShift, int kGreenShift>
struct TriFormat16 {
    using Pixel = uint16_t;
    static constexpr uint32_t kRedBlue = kRedMask | 0x1Fu;

    static Pixel Pack(uint32_t c) {
        return static_cast<Pixel>(((c >> kRedShift) & kRedMask) | ((c >> kGreenShift) & kGreenMask) |
                                  ((c >> 3) & 0x1Fu));
    }
    static Pixel Opaque(uint32_t c) { return Pack(c); }
    static void Blend(Pixel& d, uint32_t src, uint32_t s) {
        const uint32_t k = (255 - s) >> 3;
        const uint32_t kept = ((((d & kRedBlue) * k) >> 5) & kRedBlue) | ((((d & kGreenMask) * k) >> 5) & kGreenMask);
        d = static_cast<Pixel>(kept + Pack(src));
    }
    static uint32_t GouraudSource(uint32_t r, uint32_t g, uint32_t b, uint32_t sa) {
        return TriFormatRGB888::GouraudSource(r, g, b, sa);
    }
};

using TriFormatRGB565 = TriFormat16<0xF800u, 0x07E0u, 8, 5>;
using TriFormatRGB555 = TriFormat16<0x7C00u, 0x03E0u, 9, 6>; // bit 15 is never set

// The write of a tinted or alpha-weighted colour: 240 and above replaces the
// pixel without reading it, below that the source term is blended in.
template <class Format>
[[gnu::always_inline]] inline void TriTintWrite(typename Format::Pixel& d, uint32_t opaque, uint32_t term, uint32_t s) {
    if (s >= 240)
        d = Format::Opaque(opaque);
    else
        Format::Blend(d, term, s);
}

} // namespace Kavo
