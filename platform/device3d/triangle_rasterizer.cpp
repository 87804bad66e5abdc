#include "platform/device3d/triangle_rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/device3d/span_attributes.h"

namespace platform {

namespace {

constexpr int kSubpixelBits = 8;
constexpr std::int64_t kOne = std::int64_t{1} << kSubpixelBits;
constexpr double kLimit = 1 << 20;

struct FixedPoint {
    std::int64_t x, y;
};

bool Snap(const TLVertex& v, FixedPoint& out) {
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || std::fabs(v.x) > kLimit || std::fabs(v.y) > kLimit) {
        return false;
    }
    out = {std::llround(static_cast<double>(v.x) * kOne), std::llround(static_cast<double>(v.y) * kOne)};
    return true;
}

std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
    std::int64_t q = n / d;
    if ((n % d != 0) && ((n < 0) != (d < 0))) {
        --q;
    }
    return q;
}

std::int64_t CeilDiv(std::int64_t n, std::int64_t d) {
    return -FloorDiv(-n, d);
}

// E(X, Y) = a X + b Y + c is positive inside; `bias` is 1 on a top or left
// edge, where E = 0 still counts as inside, and 0 elsewhere.
struct Edge {
    std::int64_t a, b, c, bias;

    Edge(FixedPoint from, FixedPoint to) {
        const std::int64_t dx = to.x - from.x, dy = to.y - from.y;
        a = -dy;
        b = dx;
        c = -(a * from.x + b * from.y);
        bias = (dy < 0 || (dy == 0 && dx > 0)) ? 1 : 0;
    }
};

// The bound an edge puts on the pixel columns of each row, walked down the
// rows without a division per row. Pixel px of row py is inside when
// step × px >= need(py), with step = a per whole pixel and need(py) =
// 1 − (b Y + c + bias). For step > 0 that bounds px from below by
// ceil(need / step) = −floor(−need / |step|), for step < 0 from above by
// floor(need / step) = floor(−need / |step|): both come from floor(m / d)
// with m = −need and d = |step|, kept as a quotient and a remainder that grow
// by fixed amounts from row to row.
class EdgeBound {
public:
    EdgeBound(const Edge& e, std::int64_t firstRow) {
        const std::int64_t step = e.a * kOne;
        const std::int64_t need = 1 - (e.b * (firstRow * kOne) + e.c + e.bias);
        const std::int64_t needPerRow = -e.b * kOne;
        mKind = step > 0 ? Kind::Low : step < 0 ? Kind::High : Kind::Flat;
        if (mKind == Kind::Flat) {
            mNeed = need;
            mNeedPerRow = needPerRow;
            return;
        }
        mDivisor = step > 0 ? step : -step;
        const std::int64_t m = -need;
        const std::int64_t perRow = -needPerRow;
        mQuotient = FloorDiv(m, mDivisor);
        mRemainder = m - mQuotient * mDivisor;
        mQuotientPerRow = FloorDiv(perRow, mDivisor);
        mRemainderPerRow = perRow - mQuotientPerRow * mDivisor;
    }

    // Narrows [lo, hi] to the inside columns of the current row.
    void Cut(std::int64_t& lo, std::int64_t& hi) const {
        switch (mKind) {
        case Kind::Low:
            lo = std::max(lo, -mQuotient);
            break;
        case Kind::High:
            hi = std::min(hi, mQuotient);
            break;
        case Kind::Flat:
            if (mNeed > 0) {
                hi = lo - 1;
            }
            break;
        }
    }

    void NextRow() {
        if (mKind == Kind::Flat) {
            mNeed += mNeedPerRow;
            return;
        }
        mQuotient += mQuotientPerRow;
        mRemainder += mRemainderPerRow;
        if (mRemainder >= mDivisor) {
            mRemainder -= mDivisor;
            ++mQuotient;
        }
    }

private:
    enum class Kind { Low, High, Flat };
    Kind mKind;
    std::int64_t mDivisor = 1, mQuotient = 0, mRemainder = 0, mQuotientPerRow = 0, mRemainderPerRow = 0;
    std::int64_t mNeed = 0, mNeedPerRow = 0;
};

} // namespace

void RasterizeTriangle(const DrawSetup& setup, const TLVertex& v0, const TLVertex& v1, const TLVertex& v2) {
    FixedPoint p[3];
    if (!Snap(v0, p[0]) || !Snap(v1, p[1]) || !Snap(v2, p[2])) {
        return;
    }
    const std::int64_t area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
    if (area == 0) {
        return;
    }
    // With y pointing down a positive area is a clockwise triangle on screen.
    if ((setup.cull == Cull::Clockwise && area > 0) || (setup.cull == Cull::CounterClockwise && area < 0)) {
        return;
    }
    const TLVertex* v[3] = {&v0, &v1, &v2};
    if (area < 0) {
        std::swap(p[1], p[2]);
        std::swap(v[1], v[2]);
    }
    const Edge edges[3] = {Edge(p[0], p[1]), Edge(p[1], p[2]), Edge(p[2], p[0])};

    const std::int64_t minY = std::min({p[0].y, p[1].y, p[2].y});
    const std::int64_t maxY = std::max({p[0].y, p[1].y, p[2].y});
    const std::int64_t top = std::max<std::int64_t>(CeilDiv(minY, kOne), setup.clipTop);
    const std::int64_t bottom = std::min<std::int64_t>(FloorDiv(maxY, kOne), setup.clipBottom - 1);
    if (top > bottom) {
        return;
    }

    // Attribute planes over the snapped positions.
    const int width = setup.textured ? setup.shader.width : 0;
    const int height = setup.textured ? setup.shader.height : 0;
    const std::uint32_t flatColour = v0.diffuse;
    SpanAttributes at[3];
    double x[3], y[3];
    for (int i = 0; i < 3; ++i) {
        at[i] = AttributesOf(*v[i], setup.flat ? flatColour : v[i]->diffuse, width, height);
        x[i] = static_cast<double>(p[i].x) / kOne;
        y[i] = static_cast<double>(p[i].y) / kOne;
    }
    const double d1x = x[1] - x[0], d1y = y[1] - y[0], d2x = x[2] - x[0], d2y = y[2] - y[0];
    const double det = d1x * d2y - d2x * d1y;
    const SpanAttributes f1 = at[1] - at[0], f2 = at[2] - at[0];
    const SpanAttributes perX = (f1 * d2y - f2 * d1y) * (1.0 / det);
    const SpanAttributes perY = (f2 * d1x - f1 * d2x) * (1.0 / det);

    Sampling sampling = Sampling::None;
    if (setup.textured) {
        const double texelsPerPixel = std::fabs(perX.s * perY.t - perY.s * perX.t);
        sampling = texelsPerPixel > 1.0 ? setup.minify : setup.magnify;
    }
    std::uint32_t white = 0xFFFFFFFFu;
    for (int i = 0; i < 3; ++i) {
        white &= (setup.flat ? flatColour : v[i]->diffuse) | setup.shader.diffuseOr;
    }
    const bool shaded = white != 0xFFFFFFFFu;
    const bool textured = sampling != Sampling::None;
    const SpanFunction span = SelectSpanFunction(setup.format, sampling, setup.blend, !shaded);
    if (span == nullptr) {
        return;
    }
    const double texelShift = sampling == Sampling::Bilinear ? 0.5 : 0.0;
    const int bytes = TargetBytesPerPixel(setup.format);

    EdgeBound bounds[3] = {EdgeBound(edges[0], top), EdgeBound(edges[1], top), EdgeBound(edges[2], top)};
    SpanCursor cursor;
    LoadSteps(cursor, perX);
    for (std::int64_t py = top; py <= bottom; ++py) {
        std::int64_t lo = setup.clipLeft, hi = setup.clipRight - 1;
        for (EdgeBound& bound : bounds) {
            bound.Cut(lo, hi);
            bound.NextRow();
        }
        if (lo > hi) {
            continue;
        }
        const SpanAttributes start =
            at[0] + perX * (static_cast<double>(lo) - x[0]) + perY * (static_cast<double>(py) - y[0]);
        LoadStart(cursor, start, texelShift, textured, shaded);
        cursor.dst = setup.bits + py * setup.pitch + lo * bytes;
        span(setup.shader, cursor, static_cast<int>(hi - lo + 1));
    }
}

} // namespace platform
