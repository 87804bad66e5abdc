#pragma once

// The scan-line walk that every member shares, generic over what is done for
// each visited pixel. An operation supplies:
//   using Pixel = uint32_t or uint16_t;        destination word
//   static constexpr bool kColors;             walk alpha, red, green, blue
//   static constexpr bool kTexture;            walk u and v
//   static constexpr int32_t kTexelBias;       subtracted from u and v at every span start
//   void operator()(Pixel* pixel, const TriSpanValues& values) const;
// and, if it draws whole spans faster than pixel by pixel, optionally
//   void Span(Pixel* first, int32_t count, TriSpanValues start, uint32_t du, uint32_t dv) const;
// which must leave every pixel as the per-pixel calls, stepped by (du, dv), would.

#include <cstddef>
#include <cstdint>
#include <utility>

#include "framework/raster/tri_raster.h"

namespace Kavo {

// The interpolants at one pixel: colours 8.16, u and v 16.16. Kept as
// unsigned words so that stepping wraps instead of overflowing.
struct TriSpanValues {
    uint32_t alpha;
    uint32_t red;
    uint32_t green;
    uint32_t blue;
    uint32_t u;
    uint32_t v;
};

namespace TriFixed {

inline int32_t Add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t Sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Upper 32 bits of the (wrapping) 64-bit product.
inline int32_t High32(int64_t a, int64_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>((static_cast<uint64_t>(a) * static_cast<uint64_t>(b)) >> 32));
}

// Low 32 bits of the 64-bit product shifted right by 16.
inline int32_t MulShr16(int64_t a, int64_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>((static_cast<uint64_t>(a) * static_cast<uint64_t>(b)) >> 16));
}

// 2^48 / d, truncating toward zero; d is never 0 where it is called.
inline int64_t Reciprocal(int64_t d) {
    return (int64_t{1} << 48) / d;
}

// The first pixel row (or column) at or after a 16.16 coordinate.
inline int32_t FirstAtOrAfter(int32_t value) {
    return static_cast<int32_t>((int64_t{value} + 0xFFFF) >> 16);
}

// x at the first row of an edge, `prestep` below its upper end. An edge less
// than 1/32768 of its width tall has a 16.16 slope that wraps; it crosses at
// most one row, so that row's x is computed exactly instead.
inline int32_t EdgeStartX(const TriFixedVertex& upper, const TriFixedVertex& lower, int32_t slope, int32_t prestep) {
    const int64_t dx = int64_t{lower.x} - upper.x;
    const int64_t dy = int64_t{lower.y} - upper.y;
    if ((dx < 0 ? -dx : dx) >= dy * 32768)
        return static_cast<int32_t>(upper.x + dx * prestep / dy);
    return Add(upper.x, MulShr16(slope, prestep));
}

inline constexpr int32_t TriFixedVertex::*kAttributes[6] = {
    &TriFixedVertex::alpha, &TriFixedVertex::red, &TriFixedVertex::green,
    &TriFixedVertex::blue,  &TriFixedVertex::u,   &TriFixedVertex::v,
};

} // namespace TriFixed

template <class Op>
void TriWalkTriangle(const TriFixedVertex* corners, void* bits, int32_t pitch, const Op& op) {
    using namespace TriFixed;
    using Pixel = typename Op::Pixel;
    constexpr int kFirst = Op::kColors ? 0 : 4;
    constexpr int kEnd = Op::kTexture ? 6 : 4;

    // Stable sort by y: equal rows keep their order.
    const TriFixedVertex* p0 = &corners[0];
    const TriFixedVertex* p1 = &corners[1];
    const TriFixedVertex* p2 = &corners[2];
    if (p0->y > p1->y)
        std::swap(p0, p1);
    if (p1->y > p2->y)
        std::swap(p1, p2);
    if (p0->y > p1->y)
        std::swap(p0, p1);
    const TriFixedVertex& top = *p0;
    const TriFixedVertex& mid = *p1;
    const TriFixedVertex& bottom = *p2;

    const int32_t ystart = FirstAtOrAfter(top.y);
    const int32_t ymid = FirstAtOrAfter(mid.y);
    const int32_t yend = FirstAtOrAfter(bottom.y);
    if (ystart == yend)
        return;

    // Long edge, top to bottom.
    const int64_t invLong = Reciprocal(int64_t{bottom.y} - top.y);
    const int32_t slopeX = High32(Sub(bottom.x, top.x), invLong);
    const int32_t midDy = Sub(mid.y, top.y);
    const int32_t xsplit = Add(top.x, MulShr16(slopeX, midDy));
    if (mid.x == xsplit)
        return; // no area

    const int32_t prestepY = Sub(static_cast<int32_t>(static_cast<uint32_t>(ystart) << 16), top.y);
    int32_t xLong = EdgeStartX(top, bottom, slopeX, prestepY);

    // Attribute slopes along the long edge and gradients across the widest span.
    int32_t slope[6] = {};
    int32_t grad[6] = {};
    uint32_t valueLong[6] = {};
    const int64_t invWide = Reciprocal(int64_t{mid.x} - xsplit);
    for (int k = kFirst; k < kEnd; ++k) {
        const int32_t topK = top.*kAttributes[k];
        slope[k] = High32(Sub(bottom.*kAttributes[k], topK), invLong);
        valueLong[k] = static_cast<uint32_t>(Add(topK, MulShr16(slope[k], prestepY)));
        const int32_t longAtMid = Add(topK, MulShr16(slope[k], midDy));
        grad[k] = High32(Sub(mid.*kAttributes[k], longAtMid), invWide);
    }

    const bool longIsLeft = xsplit < mid.x;
    const ptrdiff_t stride = (pitch >> (sizeof(Pixel) == 4 ? 2 : 1));
    Pixel* row = static_cast<Pixel*>(bits) + static_cast<ptrdiff_t>(ystart) * stride;

    auto rows = [&](int32_t y0, int32_t y1, int32_t xShort, int32_t slopeShort) {
        for (int32_t y = y0; y < y1; ++y) {
            const int32_t left = longIsLeft ? xLong : xShort;
            const int32_t right = longIsLeft ? xShort : xLong;
            const int32_t xs = static_cast<int32_t>((static_cast<uint32_t>(left) + 0xFFFF) & 0xFFFF0000u);
            const int32_t xe = static_cast<int32_t>((static_cast<uint32_t>(right) + 0xFFFF) & 0xFFFF0000u);
            const int32_t count = Sub(xe, xs) >> 16;
            if (count > 0) {
                // Span start values always come from the long edge.
                uint32_t value[6] = {};
                const int32_t dx = Sub(xs, xLong);
                for (int k = kFirst; k < kEnd; ++k)
                    value[k] = valueLong[k] + static_cast<uint32_t>(MulShr16(grad[k], dx));
                if constexpr (Op::kTexture) {
                    value[4] -= static_cast<uint32_t>(Op::kTexelBias);
                    value[5] -= static_cast<uint32_t>(Op::kTexelBias);
                }
                TriSpanValues it{value[0], value[1], value[2], value[3], value[4], value[5]};
                Pixel* pixel = row + (xs >> 16);
                if constexpr (requires { op.Span(pixel, count, it, 0u, 0u); }) {
                    static_assert(!Op::kColors && Op::kTexture);
                    op.Span(pixel, count, it, static_cast<uint32_t>(grad[4]), static_cast<uint32_t>(grad[5]));
                } else {
                    for (int32_t i = 0; i < count; ++i, ++pixel) {
                        op(pixel, it);
                        if constexpr (Op::kColors) {
                            it.alpha += static_cast<uint32_t>(grad[0]);
                            it.red += static_cast<uint32_t>(grad[1]);
                            it.green += static_cast<uint32_t>(grad[2]);
                            it.blue += static_cast<uint32_t>(grad[3]);
                        }
                        if constexpr (Op::kTexture) {
                            it.u += static_cast<uint32_t>(grad[4]);
                            it.v += static_cast<uint32_t>(grad[5]);
                        }
                    }
                }
            }
            xLong = Add(xLong, slopeX);
            xShort = Add(xShort, slopeShort);
            for (int k = kFirst; k < kEnd; ++k)
                valueLong[k] += static_cast<uint32_t>(slope[k]);
            row += stride;
        }
    };

    if (ymid > ystart) {
        const int32_t slopeUpper = High32(Sub(mid.x, top.x), Reciprocal(int64_t{mid.y} - top.y));
        rows(ystart, ymid, EdgeStartX(top, mid, slopeUpper, prestepY), slopeUpper);
    }
    if (yend > ymid) {
        const int32_t slopeLower = High32(Sub(bottom.x, mid.x), Reciprocal(int64_t{bottom.y} - mid.y));
        const int32_t prestepMid = Sub(static_cast<int32_t>(static_cast<uint32_t>(ymid) << 16), mid.y);
        rows(ymid, yend, EdgeStartX(mid, bottom, slopeLower, prestepMid), slopeLower);
    }
}

} // namespace Kavo
