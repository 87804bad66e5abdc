#pragma once
// The values interpolated across a primitive (texture position in texels,
// diffuse channels 0..255) and their conversion into a kernel's fixed-point
// cursor.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/device3d/device3d_types.h"
#include "platform/device3d/span_kernels.h"

namespace platform {

struct SpanAttributes {
    double s = 0, t = 0;
    double a = 0, r = 0, g = 0, b = 0;

    SpanAttributes operator-(const SpanAttributes& o) const {
        return {s - o.s, t - o.t, a - o.a, r - o.r, g - o.g, b - o.b};
    }
    SpanAttributes operator*(double k) const { return {s * k, t * k, a * k, r * k, g * k, b * k}; }
    SpanAttributes operator+(const SpanAttributes& o) const {
        return {s + o.s, t + o.t, a + o.a, r + o.r, g + o.g, b + o.b};
    }
};

// The vertex's values for a texture of width × height texels; `colour`
// replaces the vertex's diffuse (flat shading passes the first vertex's).
SpanAttributes AttributesOf(const TLVertex& vertex, std::uint32_t colour, int width, int height);

// Fills the cursor's steps from `perPixel`, once per primitive.
void LoadSteps(SpanCursor& cursor, const SpanAttributes& perPixel);
// Fills the cursor's values from `at`, once per span. A bilinear kernel
// samples half a texel up and left of the texture position, so that one
// texel maps onto one pixel exactly; `texelShift` carries that. Only the
// values a kernel reads are filled: texture positions when `textured`,
// colours when `shaded`.
void LoadStart(SpanCursor& cursor, const SpanAttributes& at, double texelShift, bool textured, bool shaded);
// `v` rounded half away from zero, like llround without the library call:
// this runs once per span. Not a number becomes 0.
inline std::int64_t NearestInteger(double v) {
    return std::isnan(v) ? 0 : static_cast<std::int64_t>(v + (v >= 0 ? 0.5 : -0.5));
}

// A texture position as the cursor holds it (texels, 32 fraction bits), the
// bilinear kernels' half texel taken off: LoadStart's s and t. Kept well
// inside the fixed-point range, whatever the caller sent.
inline std::int64_t TexelPosition(double texels, double texelShift) {
    return NearestInteger(std::clamp(texels - texelShift, -1.0e9, 1.0e9) * 4294967296.0);
}

} // namespace platform
