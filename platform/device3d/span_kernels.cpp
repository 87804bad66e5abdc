#include "platform/device3d/span_kernels.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// ---- Target pixels ---------------------------------------------------------

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

// ---- Texture sampling ------------------------------------------------------

inline int Address(std::int64_t i, int size, bool wrap) {
    if (wrap) {
        const std::int64_t m = i % size;
        return static_cast<int>(m < 0 ? m + size : m);
    }
    return static_cast<int>(std::clamp<std::int64_t>(i, 0, size - 1));
}

// Weighted mix of two ARGB colours, weight f of 256 on the second, rounded.
inline std::uint32_t Lerp(std::uint32_t c0, std::uint32_t c1, std::uint32_t f) {
    const std::uint32_t w0 = 256 - f;
    const std::uint32_t rb = (((c0 & 0x00FF00FFu) * w0 + (c1 & 0x00FF00FFu) * f + 0x00800080u) >> 8) & 0x00FF00FFu;
    const std::uint32_t ag = ((((c0 >> 8) & 0x00FF00FFu) * w0 + ((c1 >> 8) & 0x00FF00FFu) * f + 0x00800080u)) &
                             0xFF00FF00u;
    return rb | ag;
}

template <Sampling S>
inline std::uint32_t Sample(const SpanShader& sh, std::int64_t s, std::int64_t t) {
    if constexpr (S == Sampling::None) {
        return 0xFFFFFFFFu;
    } else if constexpr (S == Sampling::Point) {
        const int x = Address(s >> 32, sh.width, sh.wrapU);
        const int y = Address(t >> 32, sh.height, sh.wrapV);
        return sh.texels[static_cast<std::size_t>(y) * static_cast<std::size_t>(sh.width) + x];
    } else {
        const std::int64_t i = s >> 32, j = t >> 32;
        const auto fx = static_cast<std::uint32_t>((s >> 24) & 0xFF);
        const auto fy = static_cast<std::uint32_t>((t >> 24) & 0xFF);
        const int x0 = Address(i, sh.width, sh.wrapU), x1 = Address(i + 1, sh.width, sh.wrapU);
        const std::size_t w = static_cast<std::size_t>(sh.width);
        const std::uint32_t* row0 = sh.texels + static_cast<std::size_t>(Address(j, sh.height, sh.wrapV)) * w;
        const std::uint32_t* row1 = sh.texels + static_cast<std::size_t>(Address(j + 1, sh.height, sh.wrapV)) * w;
        return Lerp(Lerp(row0[x0], row0[x1], fx), Lerp(row1[x0], row1[x1], fx), fy);
    }
}

// ---- Combining and blending ------------------------------------------------

inline std::uint32_t Channel(std::int32_t fixed) {
    return static_cast<std::uint32_t>(std::clamp(fixed >> 16, 0, 255));
}

inline std::uint32_t Modulate(std::uint32_t x, std::uint32_t y) {
    return MulDiv255(x >> 24, y >> 24) << 24 | MulDiv255((x >> 16) & 0xFF, (y >> 16) & 0xFF) << 16 |
           MulDiv255((x >> 8) & 0xFF, (y >> 8) & 0xFF) << 8 | MulDiv255(x & 0xFF, y & 0xFF);
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
inline void Write(const SpanShader& sh, std::uint8_t* dst, std::uint32_t src) {
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
        const Rgb d = Pixel::Load(dst);
        const std::uint32_t ia = 255 - a;
        Pixel::Store(dst, std::min(255u, MulDiv255(r, a) + MulDiv255(d.r, ia)),
                     std::min(255u, MulDiv255(g, a) + MulDiv255(d.g, ia)),
                     std::min(255u, MulDiv255(b, a) + MulDiv255(d.b, ia)));
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

template <TargetFormat F, Sampling S, BlendKind B, bool kWhite>
void Span(const SpanShader& sh, SpanCursor& c, int count) {
    std::uint8_t* dst = c.dst;
    std::int64_t s = c.s, t = c.t;
    std::int32_t a = c.a, r = c.r, g = c.g, b = c.b;
    for (int i = 0; i < count; ++i) {
        std::uint32_t src = Sample<S>(sh, s, t) | sh.texelOr;
        if constexpr (!kWhite) {
            const std::uint32_t diffuse = (Channel(a) << 24 | Channel(r) << 16 | Channel(g) << 8 | Channel(b)) |
                                          sh.diffuseOr;
            src = Modulate(src, diffuse);
            a += c.da;
            r += c.dr;
            g += c.dg;
            b += c.db;
        }
        Write<F, B>(sh, dst, src);
        dst += TargetPixel<F>::kBytes;
        if constexpr (S != Sampling::None) {
            s += c.ds;
            t += c.dt;
        }
    }
    c.dst = dst;
    c.s = s;
    c.t = t;
    c.a = a;
    c.r = r;
    c.g = g;
    c.b = b;
}

template <TargetFormat F, Sampling S, BlendKind B>
SpanFunction ForWhite(bool white) {
    return white ? &Span<F, S, B, true> : &Span<F, S, B, false>;
}

template <TargetFormat F, Sampling S>
SpanFunction ForBlend(BlendKind blend, bool white) {
    switch (blend) {
    case BlendKind::Replace:
        return ForWhite<F, S, BlendKind::Replace>(white);
    case BlendKind::AlphaOver:
        return ForWhite<F, S, BlendKind::AlphaOver>(white);
    case BlendKind::Add:
        return ForWhite<F, S, BlendKind::Add>(white);
    case BlendKind::AlphaAdd:
        return ForWhite<F, S, BlendKind::AlphaAdd>(white);
    case BlendKind::Generic:
        break;
    }
    return ForWhite<F, S, BlendKind::Generic>(white);
}

template <TargetFormat F>
SpanFunction ForSampling(Sampling sampling, BlendKind blend, bool white) {
    switch (sampling) {
    case Sampling::None:
        return ForBlend<F, Sampling::None>(blend, white);
    case Sampling::Point:
        return ForBlend<F, Sampling::Point>(blend, white);
    case Sampling::Bilinear:
        break;
    }
    return ForBlend<F, Sampling::Bilinear>(blend, white);
}

} // namespace

BlendKind ClassifyBlend(bool enabled, Blend source, Blend destination) {
    if (!enabled || (source == Blend::One && destination == Blend::Zero)) {
        return BlendKind::Replace;
    }
    if (source == Blend::SrcAlpha && destination == Blend::InvSrcAlpha) {
        return BlendKind::AlphaOver;
    }
    if (source == Blend::One && destination == Blend::One) {
        return BlendKind::Add;
    }
    if (source == Blend::SrcAlpha && destination == Blend::One) {
        return BlendKind::AlphaAdd;
    }
    return BlendKind::Generic;
}

SpanFunction SelectSpanFunction(TargetFormat format, Sampling sampling, BlendKind blend, bool whiteDiffuse) {
    switch (format) {
    case TargetFormat::Rgb565:
        return ForSampling<TargetFormat::Rgb565>(sampling, blend, whiteDiffuse);
    case TargetFormat::Rgb555:
        return ForSampling<TargetFormat::Rgb555>(sampling, blend, whiteDiffuse);
    case TargetFormat::Xrgb8888:
        return ForSampling<TargetFormat::Xrgb8888>(sampling, blend, whiteDiffuse);
    case TargetFormat::Unsupported:
        break;
    }
    return nullptr;
}

} // namespace platform
