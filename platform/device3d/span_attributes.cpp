#include "platform/device3d/span_attributes.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Kept well inside the fixed-point range, whatever the caller sent.
std::int32_t ColourFixed(double channel) {
    return static_cast<std::int32_t>(NearestInteger(std::clamp(channel, -1024.0, 1024.0) * 65536.0));
}

// A texture position within 2^24 texels either way: values a primitive
// interpolates between such positions, and the kernels' steps along them,
// then stay far inside the fixed-point range. Not a number counts as 0.
double Bounded(double texels) {
    constexpr double kLimit = 1 << 24;
    return std::isfinite(texels) ? std::clamp(texels, -kLimit, kLimit) : 0.0;
}

} // namespace

SpanAttributes AttributesOf(const TLVertex& vertex, std::uint32_t colour, int width, int height) {
    return {Bounded(static_cast<double>(vertex.u) * width),
            Bounded(static_cast<double>(vertex.v) * height),
            static_cast<double>(colour >> 24),
            static_cast<double>((colour >> 16) & 0xFF),
            static_cast<double>((colour >> 8) & 0xFF),
            static_cast<double>(colour & 0xFF)};
}

void LoadSteps(SpanCursor& cursor, const SpanAttributes& perPixel) {
    cursor.ds = TexelPosition(perPixel.s, 0.0);
    cursor.dt = TexelPosition(perPixel.t, 0.0);
    cursor.da = ColourFixed(perPixel.a);
    cursor.dr = ColourFixed(perPixel.r);
    cursor.dg = ColourFixed(perPixel.g);
    cursor.db = ColourFixed(perPixel.b);
}

void LoadStart(SpanCursor& cursor, const SpanAttributes& at, double texelShift, bool textured, bool shaded) {
    if (textured) {
        cursor.s = TexelPosition(at.s, texelShift);
        cursor.t = TexelPosition(at.t, texelShift);
    }
    if (shaded) {
        // Half a unit added once, so that the kernels' truncation rounds.
        cursor.a = ColourFixed(at.a) + 0x8000;
        cursor.r = ColourFixed(at.r) + 0x8000;
        cursor.g = ColourFixed(at.g) + 0x8000;
        cursor.b = ColourFixed(at.b) + 0x8000;
    }
}

} // namespace platform
