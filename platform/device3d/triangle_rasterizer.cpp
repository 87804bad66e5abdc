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
// What shades the pixels of one plane-shaded primitive: the attribute
// planes over three of its snapped vertices, and the chosen kernel.
class PlaneShading {
public:
    PlaneShading(const DrawSetup& setup, const TLVertex* const (&v)[3], const FixedPoint (&p)[3],
                 std::uint32_t flatColour)
        : mSetup(setup) {
        const int width = setup.textured ? setup.shader.width : 0;
        const int height = setup.textured ? setup.shader.height : 0;
        double x[3], y[3];
        for (int i = 0; i < 3; ++i) {
            mAt[i] = AttributesOf(*v[i], setup.flat ? flatColour : v[i]->diffuse, width, height);
            x[i] = static_cast<double>(p[i].x) / kOne;
            y[i] = static_cast<double>(p[i].y) / kOne;
        }
        mX0 = x[0];
        mY0 = y[0];
        const double d1x = x[1] - x[0], d1y = y[1] - y[0], d2x = x[2] - x[0], d2y = y[2] - y[0];
        const double det = d1x * d2y - d2x * d1y;
        const SpanAttributes f1 = mAt[1] - mAt[0], f2 = mAt[2] - mAt[0];
        mPerX = (f1 * d2y - f2 * d1y) * (1.0 / det);
        mPerY = (f2 * d1x - f1 * d2x) * (1.0 / det);

        Sampling sampling = Sampling::None;
        if (setup.textured) {
            const double texelsPerPixel = std::fabs(mPerX.s * mPerY.t - mPerY.s * mPerX.t);
            sampling = texelsPerPixel > 1.0 ? setup.minify : setup.magnify;
        }
        std::uint32_t white = 0xFFFFFFFFu;
        for (int i = 0; i < 3; ++i) {
            white &= (setup.flat ? flatColour : v[i]->diffuse) | setup.shader.diffuseOr;
        }
        mShaded = white != 0xFFFFFFFFu;
        mTextured = sampling != Sampling::None;
        mKernels = SelectSpanKernels(setup.format, sampling, setup.blend, !mShaded);
        mTexelShift = sampling == Sampling::Bilinear ? 0.5 : 0.0;
        mBytes = TargetBytesPerPixel(setup.format);
        LoadSteps(mCursor, mPerX);
    }

    bool Usable() const { return mKernels.span != nullptr; }

    // Shades pixels lo..hi of row py.
    void Span(std::int64_t py, std::int64_t lo, std::int64_t hi) {
        Start(py, lo);
        if (py + 1 < mSetup.clipBottom) {
            PrefetchShortRow(mCursor.dst + mSetup.pitch, (hi - lo + 1) * mBytes);
        }
        mKernels.span(mSetup.shader, mCursor, static_cast<int>(hi - lo + 1));
    }

    // Shades columns lo..hi of rows top..bottom, for a primitive whose
    // colour is the same everywhere and whose texture position moves only
    // along u across a row and only along v down the rows (a screen-aligned
    // rectangle mapped along its sides): every row starts from the same
    // values but for v, so the rows go to the kernel together.
    void Rectangle(std::int64_t top, std::int64_t bottom, std::int64_t lo, std::int64_t hi) {
        constexpr std::int64_t kRows = 64;
        std::int64_t rowT[kRows] = {};
        Start(top, lo);
        const SpanCursor first = mCursor;
        for (std::int64_t py = top; py <= bottom; py += kRows) {
            const std::int64_t rows = std::min(kRows, bottom - py + 1);
            if (mTextured) {
                for (std::int64_t k = 0; k < rows; ++k) {
                    rowT[k] = TexelPosition(StartAt(py + k, lo).t, mTexelShift);
                }
            }
            SpanCursor from = first;
            from.dst = mSetup.bits + py * mSetup.pitch + lo * mBytes;
            mKernels.rect(mSetup.shader, from, static_cast<int>(hi - lo + 1), static_cast<int>(rows), mSetup.pitch,
                          rowT);
        }
    }

private:
    // The values the kernel reads at pixel lo of row py, each as
    // mAt[0] + mPerX dx + mPerY dy.
    SpanAttributes StartAt(std::int64_t py, std::int64_t lo) const {
        const double dx = static_cast<double>(lo) - mX0, dy = static_cast<double>(py) - mY0;
        SpanAttributes start;
        if (mTextured) {
            start.s = mAt[0].s + mPerX.s * dx + mPerY.s * dy;
            start.t = mAt[0].t + mPerX.t * dx + mPerY.t * dy;
        }
        if (mShaded) {
            start.a = mAt[0].a + mPerX.a * dx + mPerY.a * dy;
            start.r = mAt[0].r + mPerX.r * dx + mPerY.r * dy;
            start.g = mAt[0].g + mPerX.g * dx + mPerY.g * dy;
            start.b = mAt[0].b + mPerX.b * dx + mPerY.b * dy;
        }
        return start;
    }

    // Points the cursor at pixel lo of row py with the values it starts from.
    void Start(std::int64_t py, std::int64_t lo) {
        LoadStart(mCursor, StartAt(py, lo), mTexelShift, mTextured, mShaded);
        mCursor.dst = mSetup.bits + py * mSetup.pitch + lo * mBytes;
    }

    const DrawSetup& mSetup;
    SpanAttributes mAt[3];
    SpanAttributes mPerX, mPerY;
    double mX0 = 0, mY0 = 0;
    bool mShaded = false, mTextured = false;
    SpanKernels mKernels;
    double mTexelShift = 0;
    int mBytes = 0;
    SpanCursor mCursor;
};

// The signed doubled area; positive for a clockwise triangle on a screen
// whose y points down.
std::int64_t Area(const FixedPoint (&p)[3]) {
    return (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
}

bool Culled(Cull cull, std::int64_t area) {
    return (cull == Cull::Clockwise && area > 0) || (cull == Cull::CounterClockwise && area < 0);
}

} // namespace

void RasterizeTriangle(const DrawSetup& setup, const TLVertex& v0, const TLVertex& v1, const TLVertex& v2) {
    FixedPoint p[3];
    if (!Snap(v0, p[0]) || !Snap(v1, p[1]) || !Snap(v2, p[2])) {
        return;
    }
    const std::int64_t area = Area(p);
    if (area == 0 || Culled(setup.cull, area)) {
        return;
    }
    const TLVertex* v[3] = {&v0, &v1, &v2};
    if (area < 0) {
        std::swap(p[1], p[2]);
        std::swap(v[1], v[2]);
    }
    const std::int64_t minY = std::min({p[0].y, p[1].y, p[2].y});
    const std::int64_t maxY = std::max({p[0].y, p[1].y, p[2].y});
    const std::int64_t top = std::max<std::int64_t>(CeilDiv(minY, kOne), setup.clipTop);
    const std::int64_t bottom = std::min<std::int64_t>(FloorDiv(maxY, kOne), setup.clipBottom - 1);
    if (top > bottom) {
        return;
    }
    PlaneShading shading(setup, v, p, v0.diffuse);
    if (!shading.Usable()) {
        return;
    }
    EdgeBound bounds[3] = {EdgeBound(Edge(p[0], p[1]), top), EdgeBound(Edge(p[1], p[2]), top),
                           EdgeBound(Edge(p[2], p[0]), top)};
    for (std::int64_t py = top; py <= bottom; ++py) {
        std::int64_t lo = setup.clipLeft, hi = setup.clipRight - 1;
        for (EdgeBound& bound : bounds) {
            bound.Cut(lo, hi);
            bound.NextRow();
        }
        if (lo <= hi) {
            shading.Span(py, lo, hi);
        }
    }
}

void RasterizeStrip4(const DrawSetup& setup, const TLVertex& v0, const TLVertex& v1, const TLVertex& v2,
                     const TLVertex& v3) {
    const bool rectangle = v0.x == v1.x && v2.x == v3.x && v0.y == v2.y && v1.y == v3.y && v0.u == v1.u &&
                           v2.u == v3.u && v0.v == v2.v && v1.v == v3.v && v0.diffuse == v1.diffuse &&
                           v0.diffuse == v2.diffuse && v0.diffuse == v3.diffuse;
    FixedPoint p[3];
    if (!rectangle || !Snap(v0, p[0]) || !Snap(v1, p[1]) || !Snap(v2, p[2])) {
        RasterizeTriangle(setup, v0, v1, v2);
        RasterizeTriangle(setup, v1, v3, v2);
        return;
    }
    // Both halves of a rectangle share one attribute plane and one winding,
    // and together cover the centres with left <= x < right and
    // top <= y < bottom: one span per row does them both.
    const std::int64_t area = Area(p);
    if (area == 0 || Culled(setup.cull, area)) {
        return;
    }
    const std::int64_t left = std::min(p[0].x, p[2].x), right = std::max(p[0].x, p[2].x);
    const std::int64_t top = std::min(p[0].y, p[1].y), bottom = std::max(p[0].y, p[1].y);
    const std::int64_t firstColumn = std::max<std::int64_t>(CeilDiv(left, kOne), setup.clipLeft);
    const std::int64_t lastColumn = std::min<std::int64_t>(CeilDiv(right, kOne) - 1, setup.clipRight - 1);
    const std::int64_t firstRow = std::max<std::int64_t>(CeilDiv(top, kOne), setup.clipTop);
    const std::int64_t lastRow = std::min<std::int64_t>(CeilDiv(bottom, kOne) - 1, setup.clipBottom - 1);
    if (firstColumn > lastColumn || firstRow > lastRow) {
        return;
    }
    const TLVertex* v[3] = {&v0, &v1, &v2};
    PlaneShading shading(setup, v, p, v0.diffuse);
    if (!shading.Usable()) {
        return;
    }
    shading.Rectangle(firstRow, lastRow, firstColumn, lastColumn);
}

} // namespace platform
