#include "platform/device3d/span_kernels.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "platform/device3d/bilinear_row_avx2.h"
#include "platform/device3d/row_blend.h"
#include "platform/device3d/row_blend_avx2.h"
#include "platform/device3d/target_pixels.h"
#include "platform/device3d/texel_lerp.h"
#include "platform/device3d/vector_level.h"

namespace platform {

namespace {

using namespace target_pixels;

// ---- Texture sampling ------------------------------------------------------

[[gnu::always_inline]] inline int Address(std::int64_t i, int size, bool wrap) {
    if (wrap) {
        const std::int64_t m = i % size;
        return static_cast<int>(m < 0 ? m + size : m);
    }
    return static_cast<int>(std::clamp<std::int64_t>(i, 0, size - 1));
}

// Samplers: one texel colour for a texture position (texels, 32 fraction bits).

struct NoSampler {
    std::uint32_t operator()(std::int64_t, std::int64_t) const { return 0xFFFFFFFFu; }
};

struct PointSampler {
    const std::uint32_t* texels;
    int width, height;
    bool wrapU, wrapV;
    [[gnu::always_inline]] std::uint32_t operator()(std::int64_t s, std::int64_t t) const {
        const int x = Address(s >> 32, width, wrapU);
        const int y = Address(t >> 32, height, wrapV);
        return texels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
    }
};

// A span whose texture positions stay on one row and inside it: no
// addressing per pixel.
struct PointRowSampler {
    const std::uint32_t* row;
    [[gnu::always_inline]] std::uint32_t operator()(std::int64_t s, std::int64_t) const { return row[s >> 32]; }
};

struct BilinearSampler {
    const std::uint32_t* texels;
    int width, height;
    bool wrapU, wrapV;
    [[gnu::always_inline]] std::uint32_t operator()(std::int64_t s, std::int64_t t) const {
        const std::int64_t i = s >> 32, j = t >> 32;
        const auto fx = static_cast<std::uint32_t>((s >> 24) & 0xFF);
        const auto fy = static_cast<std::uint32_t>((t >> 24) & 0xFF);
        const int x0 = Address(i, width, wrapU), x1 = Address(i + 1, width, wrapU);
        const std::size_t w = static_cast<std::size_t>(width);
        const std::uint32_t* row0 = texels + static_cast<std::size_t>(Address(j, height, wrapV)) * w;
        const std::uint32_t* row1 = texels + static_cast<std::size_t>(Address(j + 1, height, wrapV)) * w;
        return Lerp(Lerp(row0[x0], row0[x1], fx), Lerp(row1[x0], row1[x1], fx), fy);
    }
};

// Bilinear over a fixed pair of rows, the columns inside the texture. The
// SSE2 form mixes all four channels at once in 16-bit lanes, with the same
// rounding as Lerp.
struct BilinearRowSampler {
    const std::uint32_t* row0;
    const std::uint32_t* row1;
    std::uint32_t fy;
#if defined(__SSE2__)
    __m128i weightsY =
        _mm_unpacklo_epi64(_mm_set1_epi16(static_cast<short>(256 - fy)), _mm_set1_epi16(static_cast<short>(fy)));

    [[gnu::always_inline]] std::uint32_t operator()(std::int64_t s, std::int64_t) const {
        const std::int64_t i = s >> 32;
        const auto fx = static_cast<short>((s >> 24) & 0xFF);
        const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(0x80);
        const __m128i weightsX = _mm_unpacklo_epi64(_mm_set1_epi16(static_cast<short>(256 - fx)), _mm_set1_epi16(fx));
        const __m128i top = _mm_mullo_epi16(
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row0 + i)), zero), weightsX);
        const __m128i bottom = _mm_mullo_epi16(
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row1 + i)), zero), weightsX);
        const __m128i t = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(top, _mm_srli_si128(top, 8)), half), 8);
        const __m128i b = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(bottom, _mm_srli_si128(bottom, 8)), half), 8);
        const __m128i m = _mm_mullo_epi16(_mm_unpacklo_epi64(t, b), weightsY);
        const __m128i v = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(m, _mm_srli_si128(m, 8)), half), 8);
        return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(v, v)));
    }
#else
    [[gnu::always_inline]] std::uint32_t operator()(std::int64_t s, std::int64_t) const {
        const std::int64_t i = s >> 32;
        const auto fx = static_cast<std::uint32_t>((s >> 24) & 0xFF);
        return Lerp(Lerp(row0[i], row0[i + 1], fx), Lerp(row1[i], row1[i + 1], fx), fy);
    }
#endif
};

// ---- Combining and blending ------------------------------------------------

inline std::uint32_t Channel(std::int32_t fixed) {
    return static_cast<std::uint32_t>(std::clamp(fixed >> 16, 0, 255));
}

inline std::uint32_t Modulate(std::uint32_t x, std::uint32_t y) {
    return MulDiv255(x >> 24, y >> 24) << 24 | MulDiv255((x >> 16) & 0xFF, (y >> 16) & 0xFF) << 16 |
           MulDiv255((x >> 8) & 0xFF, (y >> 8) & 0xFF) << 8 | MulDiv255(x & 0xFF, y & 0xFF);
}

// Samples (and modulates) the run into a small buffer, then blends the
// buffer into the target a row at a time.
template <TargetFormat F, BlendKind B, bool kWhite, bool kTextured, typename Sampler>
[[gnu::always_inline]] inline void Run(const SpanShader& sh, SpanCursor& c, int count, const Sampler& sample) {
    constexpr int kChunk = 64;
    std::uint32_t colours[kChunk];
    std::uint8_t* dst = c.dst;
    std::int64_t s = c.s, t = c.t;
    const std::int64_t ds = c.ds, dt = c.dt;
    std::int32_t a = c.a, r = c.r, g = c.g, b = c.b;
    const std::uint32_t texelOr = sh.texelOr, diffuseOr = sh.diffuseOr;
    while (count > 0) {
        const int n = std::min(count, kChunk);
        for (int i = 0; i < n; ++i) {
            std::uint32_t src = sample(s, t) | texelOr;
            if constexpr (!kWhite) {
                const std::uint32_t diffuse =
                    (Channel(a) << 24 | Channel(r) << 16 | Channel(g) << 8 | Channel(b)) | diffuseOr;
                src = Modulate(src, diffuse);
                a += c.da;
                r += c.dr;
                g += c.dg;
                b += c.db;
            }
            colours[i] = src;
            if constexpr (kTextured) {
                s += ds;
                t += dt;
            }
        }
        BlendRow<F, B>(sh, dst, colours, n);
        dst += n * TargetPixel<F>::kBytes;
        count -= n;
    }
    c.dst = dst;
    c.s = s;
    c.t = t;
    c.a = a;
    c.r = r;
    c.g = g;
    c.b = b;
}

// The pixels of a span whose texture positions stay inside the texture's
// columns (with room for the right neighbour when `pair`), on a span that
// keeps to one texture row: `before` pixels first that need addressing, then
// `inside` pixels that do not. False when the span leaves its row or its
// values are too large to reason about, and every pixel needs addressing.
bool SplitAtColumns(const SpanShader& sh, const SpanCursor& c, int count, bool pair, int& before, int& inside) {
    constexpr std::int64_t kMaxStep = std::int64_t{1} << 40;
    constexpr std::int64_t kMaxPosition = std::int64_t{1} << 52;
    if (c.dt != 0 || c.ds >= kMaxStep || c.ds <= -kMaxStep || c.s >= kMaxPosition || c.s <= -kMaxPosition) {
        return false;
    }
    const std::int64_t lo = 0, hi = static_cast<std::int64_t>(sh.width - (pair ? 1 : 0)) << 32;
    const std::int64_t s = c.s, ds = c.ds;
    const std::int64_t last = s + ds * (count - 1);
    if (std::min(s, last) >= lo && std::max(s, last) < hi) {
        before = 0;
        inside = count;
        return true;
    }
    std::int64_t first = 0, end = count; // pixels [first, end) lie in [lo, hi)
    if (ds > 0) {
        first = s >= lo ? 0 : (lo - s + ds - 1) / ds;
        end = s >= hi ? 0 : (hi - s + ds - 1) / ds;
    } else if (ds < 0) {
        first = s < hi ? 0 : (s - hi) / -ds + 1;
        end = s < lo ? 0 : (s - lo) / -ds + 1;
    } else if (s < lo || s >= hi) {
        end = 0;
    }
    first = std::clamp<std::int64_t>(first, 0, count);
    end = std::clamp<std::int64_t>(end, first, count);
    before = static_cast<int>(first);
    inside = static_cast<int>(end - first);
    return true;
}

// Runs a span in up to three parts: the pixels that need addressing, those
// the row sampler can take, and the rest.
template <TargetFormat F, BlendKind B, bool kWhite, typename General, typename Row>
[[gnu::always_inline]] inline void RunSplit(const SpanShader& sh, SpanCursor& c, int count, int before, int inside,
                                            const General& general, const Row& row) {
    const int after = count - before - inside;
    if (before > 0) {
        Run<F, B, kWhite, true>(sh, c, before, general);
    }
    if (inside > 0) {
        if constexpr (kWhite && std::is_same_v<Row, PointRowSampler>) {
            // One texel per pixel, left to right: the texels are the colours.
            if (c.ds == std::int64_t{1} << 32 && sh.texelOr == 0) {
                BlendRow<F, B>(sh, c.dst, row.row + (c.s >> 32), inside);
                c.dst += inside * TargetPixel<F>::kBytes;
                c.s += c.ds * inside;
                inside = 0;
            }
        }
        if (inside > 0) {
            Run<F, B, kWhite, true>(sh, c, inside, row);
        }
    }
    if (after > 0) {
        Run<F, B, kWhite, true>(sh, c, after, general);
    }
}

// What a span's work depends on besides its texture row: where its texture
// columns leave the texture. The rows of a rectangle share it.
struct SpanPlan {
    bool split = false; // else every pixel needs addressing
    int before = 0, inside = 0;
};

template <Sampling S>
SpanPlan PlanSpan(const SpanShader& sh, const SpanCursor& c, int count) {
    SpanPlan plan;
    if constexpr (S != Sampling::None) {
        plan.split = SplitAtColumns(sh, c, count, S == Sampling::Bilinear, plan.before, plan.inside);
    }
    return plan;
}

template <TargetFormat F, Sampling S, BlendKind B, bool kWhite>
[[gnu::always_inline]] inline void PlannedSpan(const SpanShader& sh, SpanCursor& c, int count, const SpanPlan& plan) {
    if constexpr (S == Sampling::None) {
        Run<F, B, kWhite, false>(sh, c, count, NoSampler{});
    } else if constexpr (S == Sampling::Point) {
        const PointSampler general{sh.texels, sh.width, sh.height, sh.wrapU, sh.wrapV};
        if (plan.split) {
            const int y = Address(c.t >> 32, sh.height, sh.wrapV);
            const PointRowSampler row{sh.texels + static_cast<std::size_t>(y) * static_cast<std::size_t>(sh.width)};
            RunSplit<F, B, kWhite>(sh, c, count, plan.before, plan.inside, general, row);
        } else {
            Run<F, B, kWhite, true>(sh, c, count, general);
        }
    } else {
        const BilinearSampler general{sh.texels, sh.width, sh.height, sh.wrapU, sh.wrapV};
        if (plan.split) {
            const std::int64_t j = c.t >> 32;
            const std::size_t w = static_cast<std::size_t>(sh.width);
            const BilinearRowSampler rows{sh.texels + static_cast<std::size_t>(Address(j, sh.height, sh.wrapV)) * w,
                                          sh.texels + static_cast<std::size_t>(Address(j + 1, sh.height, sh.wrapV)) * w,
                                          static_cast<std::uint32_t>((c.t >> 24) & 0xFF)};
            RunSplit<F, B, kWhite>(sh, c, count, plan.before, plan.inside, general, rows);
        } else {
            Run<F, B, kWhite, true>(sh, c, count, general);
        }
    }
}

template <TargetFormat F, Sampling S, BlendKind B, bool kWhite>
void Span(const SpanShader& sh, SpanCursor& c, int count) {
    PlannedSpan<F, S, B, kWhite>(sh, c, count, PlanSpan<S>(sh, c, count));
}

// Row k of a rectangle's rows, with the row below it asked for from memory.
[[gnu::always_inline]] inline SpanCursor RectRow(const SpanCursor& first, int bytes, int k, int rows,
                                                 std::ptrdiff_t pitch, const std::int64_t* rowT) {
    SpanCursor c = first;
    c.dst = first.dst + k * pitch;
    c.t = rowT[k];
    if (k + 1 < rows) {
        PrefetchShortRow(c.dst + pitch, bytes);
    }
    return c;
}

template <TargetFormat F, Sampling S, BlendKind B, bool kWhite>
void Rect(const SpanShader& sh, const SpanCursor& first, int count, int rows, std::ptrdiff_t pitch,
          const std::int64_t* rowT) {
    const SpanPlan plan = PlanSpan<S>(sh, first, count);
    for (int k = 0; k < rows; ++k) {
        SpanCursor c = RectRow(first, count * TargetPixel<F>::kBytes, k, rows, pitch, rowT);
        PlannedSpan<F, S, B, kWhite>(sh, c, count, plan);
    }
}

#if KAVO_DEVICE3D_AVX2
// The pixels of a white x8r8g8b8 span that keep inside the texture's columns
// on one row (`row0`, and `row1` below it fy of 256 for bilinear), sampled
// and blended eight at a time.
template <Sampling S, BlendKind B>
KAVO_DEVICE3D_TARGET_AVX2 inline void InsideXrgbAvx2(const SpanShader& sh, SpanCursor& c, int count,
                                                     const std::uint32_t* row0, const std::uint32_t* row1,
                                                     std::uint32_t fy) {
    const std::int64_t ds = c.ds;
    if constexpr (S == Sampling::Point) {
        if (ds == std::int64_t{1} << 32 && sh.texelOr == 0) {
            // One texel per pixel, left to right: the texels are the colours.
            BlendRowXrgbAvx2<B>(sh, c.dst, row0 + (c.s >> 32), count);
            c.dst += count * 4;
            c.s += ds * count;
            return;
        }
    }
    constexpr int kChunk = 64;
    alignas(32) std::uint32_t colours[kChunk];
    std::uint8_t* dst = c.dst;
    std::int64_t s = c.s;
    const std::uint32_t texelOr = sh.texelOr;
    while (count > 0) {
        const int n = std::min(count, kChunk);
        if constexpr (S == Sampling::Bilinear) {
            BilinearRowAvx2(colours, n, row0, row1, sh.width, fy, s, ds);
        } else {
            for (int i = 0; i < n; ++i) {
                colours[i] = row0[(s + ds * i) >> 32];
            }
        }
        if (texelOr != 0) {
            for (int i = 0; i < n; ++i) {
                colours[i] |= texelOr;
            }
        }
        BlendRowXrgbAvx2<B>(sh, dst, colours, n);
        s += ds * n;
        dst += n * 4;
        count -= n;
    }
    c.dst = dst;
    c.s = s;
}

// Span<Xrgb8888, S, B, true> for AVX2 processors: the same pixels, the run
// inside the texture's columns done by InsideXrgbAvx2.
template <Sampling S, BlendKind B>
[[gnu::always_inline]] KAVO_DEVICE3D_TARGET_AVX2 inline void PlannedXrgbAvx2(const SpanShader& sh, SpanCursor& c,
                                                                             int count, const SpanPlan& plan) {
    constexpr TargetFormat F = TargetFormat::Xrgb8888;
    if (!plan.split) {
        PlannedSpan<F, S, B, true>(sh, c, count, plan);
        return;
    }
    const std::size_t w = static_cast<std::size_t>(sh.width);
    const std::int64_t j = c.t >> 32;
    const std::uint32_t* row0 = sh.texels + static_cast<std::size_t>(Address(j, sh.height, sh.wrapV)) * w;
    const std::uint32_t* row1 = row0;
    std::uint32_t fy = 0;
    const int before = plan.before, inside = plan.inside, after = count - before - inside;
    if constexpr (S == Sampling::Bilinear) {
        row1 = sh.texels + static_cast<std::size_t>(Address(j + 1, sh.height, sh.wrapV)) * w;
        fy = static_cast<std::uint32_t>((c.t >> 24) & 0xFF);
    }
    using General = std::conditional_t<S == Sampling::Bilinear, BilinearSampler, PointSampler>;
    const General general{sh.texels, sh.width, sh.height, sh.wrapU, sh.wrapV};
    if (before > 0) {
        Run<F, B, true, true>(sh, c, before, general);
    }
    if (inside > 0) {
        InsideXrgbAvx2<S, B>(sh, c, inside, row0, row1, fy);
    }
    if (after > 0) {
        Run<F, B, true, true>(sh, c, after, general);
    }
}

template <Sampling S, BlendKind B>
KAVO_DEVICE3D_TARGET_AVX2 void SpanXrgbAvx2(const SpanShader& sh, SpanCursor& c, int count) {
    PlannedXrgbAvx2<S, B>(sh, c, count, PlanSpan<S>(sh, c, count));
}

template <Sampling S, BlendKind B>
KAVO_DEVICE3D_TARGET_AVX2 void RectXrgbAvx2(const SpanShader& sh, const SpanCursor& first, int count, int rows,
                                            std::ptrdiff_t pitch, const std::int64_t* rowT) {
    const SpanPlan plan = PlanSpan<S>(sh, first, count);
    for (int k = 0; k < rows; ++k) {
        SpanCursor c = RectRow(first, count * 4, k, rows, pitch, rowT);
        PlannedXrgbAvx2<S, B>(sh, c, count, plan);
    }
}

template <Sampling S, BlendKind B>
SpanKernels XrgbAvx2Kernels() {
    return {&SpanXrgbAvx2<S, B>, &RectXrgbAvx2<S, B>};
}

template <Sampling S>
SpanKernels XrgbAvx2ForBlend(BlendKind blend) {
    switch (blend) {
    case BlendKind::Replace:
        return XrgbAvx2Kernels<S, BlendKind::Replace>();
    case BlendKind::AlphaOver:
        return XrgbAvx2Kernels<S, BlendKind::AlphaOver>();
    case BlendKind::Add:
        return XrgbAvx2Kernels<S, BlendKind::Add>();
    case BlendKind::AlphaAdd:
        return XrgbAvx2Kernels<S, BlendKind::AlphaAdd>();
    case BlendKind::Generic:
        break;
    }
    return {};
}
#endif

template <TargetFormat F, Sampling S, BlendKind B>
SpanKernels ForWhite(bool white) {
    if (white) {
        return {&Span<F, S, B, true>, &Rect<F, S, B, true>};
    }
    return {&Span<F, S, B, false>, &Rect<F, S, B, false>};
}

template <TargetFormat F, Sampling S>
SpanKernels ForBlend(BlendKind blend, bool white) {
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
SpanKernels ForSampling(Sampling sampling, BlendKind blend, bool white) {
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

SpanKernels SelectSpanKernels(TargetFormat format, Sampling sampling, BlendKind blend, bool whiteDiffuse, bool avx2) {
#if KAVO_DEVICE3D_AVX2
    // Textured white spans into x8r8g8b8, the common case of sprites and
    // backgrounds, have kernels of their own for AVX2 processors.
    if (avx2 && format == TargetFormat::Xrgb8888 && whiteDiffuse && blend != BlendKind::Generic) {
        if (sampling == Sampling::Point) {
            return XrgbAvx2ForBlend<Sampling::Point>(blend);
        }
        if (sampling == Sampling::Bilinear) {
            return XrgbAvx2ForBlend<Sampling::Bilinear>(blend);
        }
    }
#else
    (void)avx2;
#endif
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
    return {};
}

SpanKernels SelectSpanKernels(TargetFormat format, Sampling sampling, BlendKind blend, bool whiteDiffuse) {
    return SelectSpanKernels(format, sampling, blend, whiteDiffuse, ProcessorHasAvx2());
}

SpanFunction SelectSpanFunction(TargetFormat format, Sampling sampling, BlendKind blend, bool whiteDiffuse, bool avx2) {
    return SelectSpanKernels(format, sampling, blend, whiteDiffuse, avx2).span;
}

SpanFunction SelectSpanFunction(TargetFormat format, Sampling sampling, BlendKind blend, bool whiteDiffuse) {
    return SelectSpanKernels(format, sampling, blend, whiteDiffuse).span;
}

} // namespace platform
