#include "platform/device3d/span_attributes.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Kept well inside the fixed-point ranges, whatever the caller sent.
// Rounds half away from zero, like llround, without the library call: this
// runs once per span.
// Not a number becomes 0.
std::int64_t Nearest(double v) {
    return std::isnan(v) ? 0 : static_cast<std::int64_t>(v + (v >= 0 ? 0.5 : -0.5));
}

std::int64_t TexelFixed(double texels) {
    return Nearest(std::clamp(texels, -1.0e9, 1.0e9) * 4294967296.0);
}

std::int32_t ColourFixed(double channel) {
    return static_cast<std::int32_t>(Nearest(std::clamp(channel, -1024.0, 1024.0) * 65536.0));
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
    cursor.ds = TexelFixed(perPixel.s);
    cursor.dt = TexelFixed(perPixel.t);
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

std::int64_t TexelPosition(double texels, double texelShift) {
    return TexelFixed(texels - texelShift);
}

} // namespace platform
