#pragma once
// One pixel of a render target: its load and store in each supported format
// (narrow channels widen by repeating their top bits and narrow by dropping
// their low bits) and the blends of a source colour into it, clamped at 255.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/device3d/span_kernels.h"

namespace platform::target_pixels {

struct Rgb {
    std::uint32_t r, g, b;
};

template <TargetFormat F>
struct TargetPixel;

template <>
struct TargetPixel<TargetFormat::Rgb565> {
    static constexpr int kBytes = 2;
    static Rgb Load(const std::uint8_t* p) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        const std::uint32_t r = v >> 11, g = (v >> 5) & 0x3F, b = v & 0x1F;
        return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
    }
    static void Store(std::uint8_t* p, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        const auto v = static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
        std::memcpy(p, &v, 2);
    }
};

template <>
struct TargetPixel<TargetFormat::Rgb555> {
    static constexpr int kBytes = 2;
    static Rgb Load(const std::uint8_t* p) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        const std::uint32_t r = (v >> 10) & 0x1F, g = (v >> 5) & 0x1F, b = v & 0x1F;
        return {(r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2)};
    }
    static void Store(std::uint8_t* p, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        const auto v = static_cast<std::uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
        std::memcpy(p, &v, 2);
    }
};

template <>
struct TargetPixel<TargetFormat::Xrgb8888> {
    static constexpr int kBytes = 4;
    static Rgb Load(const std::uint8_t* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return {(v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF};
    }
    static void Store(std::uint8_t* p, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        const std::uint32_t v = 0xFF000000u | r << 16 | g << 8 | b;
        std::memcpy(p, &v, 4);
    }
};

// x / 255 rounded, for x up to 255 × 255.
inline std::uint32_t Div255(std::uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

inline std::uint32_t Factor(Blend blend, std::uint32_t alpha) {
    switch (blend) {
    case Blend::Zero:
        return 0;
    case Blend::One:
        return 255;
    case Blend::SrcAlpha:
        return alpha;
    case Blend::InvSrcAlpha:
        return 255 - alpha;
    }
    return 0;
}

template <TargetFormat F, BlendKind B>
[[gnu::always_inline]] inline void Write(const SpanShader& sh, std::uint8_t* dst, std::uint32_t src) {
    using Pixel = TargetPixel<F>;
    const std::uint32_t a = src >> 24, r = (src >> 16) & 0xFF, g = (src >> 8) & 0xFF, b = src & 0xFF;
    if constexpr (B == BlendKind::Replace) {
        Pixel::Store(dst, r, g, b);
    } else if constexpr (B == BlendKind::AlphaOver) {
        if (a == 0) {
            return;
        }
        if (a == 255) {
            Pixel::Store(dst, r, g, b);
            return;
        }
        const std::uint32_t ia = 255 - a;
        if constexpr (F == TargetFormat::Xrgb8888) {
            // Red and blue side by side in 16-bit lanes; a sum of two
            // products stays below 255 × 255, so the lanes never carry.
            std::uint32_t d;
            std::memcpy(&d, dst, 4);
            std::uint32_t rb = (src & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * ia + 0x00800080u;
            rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
            std::uint32_t gg = ((src >> 8) & 0xFF) * a + ((d >> 8) & 0xFF) * ia + 0x80;
            gg = (gg + (gg >> 8)) >> 8;
            const std::uint32_t v = 0xFF000000u | rb | gg << 8;
            std::memcpy(dst, &v, 4);
        } else {
            const Rgb d = Pixel::Load(dst);
            Pixel::Store(dst, Div255(r * a + d.r * ia), Div255(g * a + d.g * ia), Div255(b * a + d.b * ia));
        }
    } else if constexpr (B == BlendKind::Add) {
        const Rgb d = Pixel::Load(dst);
        Pixel::Store(dst, std::min(255u, r + d.r), std::min(255u, g + d.g), std::min(255u, b + d.b));
    } else if constexpr (B == BlendKind::AlphaAdd) {
        if (a == 0) {
            return;
        }
        const Rgb d = Pixel::Load(dst);
        Pixel::Store(dst, std::min(255u, MulDiv255(r, a) + d.r), std::min(255u, MulDiv255(g, a) + d.g),
                     std::min(255u, MulDiv255(b, a) + d.b));
    } else {
        const Rgb d = Pixel::Load(dst);
        const std::uint32_t sf = Factor(sh.source, a), df = Factor(sh.destination, a);
        Pixel::Store(dst, std::min(255u, MulDiv255(r, sf) + MulDiv255(d.r, df)),
                     std::min(255u, MulDiv255(g, sf) + MulDiv255(d.g, df)),
                     std::min(255u, MulDiv255(b, sf) + MulDiv255(d.b, df)));
    }
}

} // namespace platform::target_pixels
