#include "platform/device3d/line_rasterizer.h"

#include <cmath>
#include <cstdint>

#include "platform/device3d/span_attributes.h"

namespace platform {

namespace {

constexpr double kLimit = 1 << 20;

bool Usable(const TLVertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::fabs(v.x) <= kLimit && std::fabs(v.y) <= kLimit;
}

std::int64_t Nearest(double v) {
    return static_cast<std::int64_t>(std::floor(v + 0.5));
}

} // namespace

void RasterizeLine(const DrawSetup& setup, const TLVertex& from, const TLVertex& to) {
    if (!Usable(from) || !Usable(to)) {
        return;
    }
    const double x0 = from.x, y0 = from.y;
    const double dx = static_cast<double>(to.x) - x0, dy = static_cast<double>(to.y) - y0;
    if (dx == 0 && dy == 0) {
        return;
    }
    const bool xMajor = std::fabs(dx) >= std::fabs(dy);
    const double major0 = xMajor ? x0 : y0, majorD = xMajor ? dx : dy;
    const double minor0 = xMajor ? y0 : x0, minorD = xMajor ? dy : dx;
    const std::int64_t first = Nearest(major0), end = Nearest(major0 + majorD);
    const std::int64_t step = majorD > 0 ? 1 : -1;

    const int width = setup.textured ? setup.shader.width : 0;
    const int height = setup.textured ? setup.shader.height : 0;
    const SpanAttributes a0 = AttributesOf(from, from.diffuse, width, height);
    const SpanAttributes a1 = AttributesOf(to, setup.flat ? from.diffuse : to.diffuse, width, height);
    const Sampling sampling = setup.textured ? setup.magnify : Sampling::None;
    const SpanFunction span = SelectSpanFunction(setup.format, sampling, setup.blend, false);
    if (span == nullptr) {
        return;
    }
    const double texelShift = sampling == Sampling::Bilinear ? 0.5 : 0.0;
    const int bytes = TargetBytesPerPixel(setup.format);

    for (std::int64_t m = first; m != end; m += step) {
        const double t = std::fmin(1.0, std::fmax(0.0, (static_cast<double>(m) - major0) / majorD));
        const std::int64_t n = Nearest(minor0 + minorD * t);
        const std::int64_t px = xMajor ? m : n, py = xMajor ? n : m;
        if (px < setup.clipLeft || px >= setup.clipRight || py < setup.clipTop || py >= setup.clipBottom) {
            continue;
        }
        SpanCursor cursor;
        LoadStart(cursor, a0 + (a1 - a0) * t, texelShift, true, true);
        cursor.dst = setup.bits + py * setup.pitch + px * bytes;
        span(setup.shader, cursor, 1);
    }
}

} // namespace platform
