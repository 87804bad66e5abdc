#pragma once
// The pixel work of the software 3D device: one horizontal run of pixels
// sampled from the texture, combined with the diffuse colour and blended into
// the target. Kernels are specialised per target format, sampling, blend and
// whether the diffuse colour is plain white, so the inner loops carry no
// per-pixel decisions beyond the texture address.

#include <cstddef>
#include <cstdint>

#include "platform/device3d/device3d_types.h"
#include "platform/device3d/render_target_view.h"

namespace platform {

enum class Sampling { None, Point, Bilinear };

// The blends with a kernel of their own; Generic covers any pair of factors
// among zero, one, source alpha and inverse source alpha.
enum class BlendKind { Replace, AlphaOver, Add, AlphaAdd, Generic };

BlendKind ClassifyBlend(bool enabled, Blend source, Blend destination);

// What stays the same over a whole primitive.
struct SpanShader {
    const std::uint32_t* texels = nullptr; // ARGB, `width` to a row
    int width = 0;
    int height = 0;
    bool wrapU = false; // else clamp
    bool wrapV = false;
    // Or-ed into the texel and the diffuse colour before they multiply: a
    // channel forced to 0xFF drops out of the product, which is how the
    // stage's select operations are carried out.
    std::uint32_t texelOr = 0;
    std::uint32_t diffuseOr = 0;
    Blend source = Blend::One;
    Blend destination = Blend::Zero;
};

// Where a run starts and how its values step per pixel. Texture positions are
// in texels with 32 fraction bits (already shifted by half a texel for
// bilinear sampling); colour channels are 0..255 with 16 fraction bits.
struct SpanCursor {
    std::uint8_t* dst = nullptr;
    std::int64_t s = 0, t = 0, ds = 0, dt = 0;
    std::int32_t a = 0, r = 0, g = 0, b = 0;
    std::int32_t da = 0, dr = 0, dg = 0, db = 0;
};

using SpanFunction = void (*)(const SpanShader& shader, SpanCursor& cursor, int count);

// The rows of a screen-aligned rectangle whose texture runs along its sides,
// as a sprite is drawn: `rows` spans of `count` pixels, each `pitch` bytes
// below the last, every one starting from `first` but for its target pixel
// and its texture row, which is rowT[k] for row k. The pixels are those of
// the span kernel run on each row in turn; what the rows share (where they
// leave the texture, which loop runs them) is worked out once.
using RectFunction = void (*)(const SpanShader& shader, const SpanCursor& first, int count, int rows,
                              std::ptrdiff_t pitch, const std::int64_t* rowT);

// The span kernel of a combination and the rectangle kernel built on it.
struct SpanKernels {
    SpanFunction span = nullptr;
    RectFunction rect = nullptr;
};

// The kernel for the combination; `whiteDiffuse` promises that the diffuse
// colour, after diffuseOr, is 0xFFFFFFFF at every pixel.
// The fastest this processor runs.
SpanFunction SelectSpanFunction(TargetFormat format, Sampling sampling, BlendKind blend, bool whiteDiffuse);
// The same, among the kernels that need no more than SSE2 unless `avx2`
// (which the processor must have): the tests hold both to the same pixels.
SpanFunction SelectSpanFunction(TargetFormat format, Sampling sampling, BlendKind blend, bool whiteDiffuse, bool avx2);
// Both kernels of the combination, chosen the same way.
SpanKernels SelectSpanKernels(TargetFormat format, Sampling sampling, BlendKind blend, bool whiteDiffuse);
SpanKernels SelectSpanKernels(TargetFormat format, Sampling sampling, BlendKind blend, bool whiteDiffuse, bool avx2);

// Asks for the `bytes` of target pixels at `row`, the row below the span
// being drawn, when the span is short: a sprite's row is done before memory
// a pitch away would arrive, and rows a pitch apart leave the processor's own
// prefetching behind. Long rows are left to that prefetching.
inline void PrefetchShortRow(const std::uint8_t* row, std::int64_t bytes) {
    constexpr std::int64_t kShortRowBytes = 512;
    if (bytes <= 0 || bytes > kShortRowBytes) {
        return;
    }
    for (std::int64_t at = 0; at < bytes; at += 64) {
        __builtin_prefetch(row + at, 1);
    }
    __builtin_prefetch(row + bytes - 1, 1);
}

// a × b / 255, rounded to nearest, for 0..255 inputs.
inline std::uint32_t MulDiv255(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

} // namespace platform
