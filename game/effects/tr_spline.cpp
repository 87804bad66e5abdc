#include "game/effects/tr_spline.h"

#include "framework/graphics/graphics.h"
#include "game/effects/tr_line_colors.h"
#include "game/ui/normalize_2d.h"

#include <cmath>
#include <cstddef>

namespace Game {

namespace {

constexpr double kHitRadius = 20.0;

double Distance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

float Derivative(const CubicSegment& s, float u) {
    return s.b + 2 * s.c * u + 3 * s.d * u * u;
}

// The index of the nearest point within the hit radius (ties keep the
// lower index), or -1.
int NearestPoint(const std::vector<TrIntPoint>& points, int x, int y) {
    int best = -1;
    double bestDistance = kHitRadius;
    for (size_t i = 0; i < points.size(); ++i) {
        const double d = Distance(points[i].x, points[i].y, x, y);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace

void TrSpline::SolveOpen(const std::vector<float>& values, std::vector<CubicSegment>& cubics) {
    cubics.clear();
    if (values.size() < 3)
        return;
    cubics = SolveCubicSpline(values);
}

void TrSpline::SolveClosed(const std::vector<float>& x, std::vector<CubicSegment>& cubics) {
    cubics.clear();
    if (x.size() < 3)
        return;
    const size_t n = x.size() - 1;
    std::vector<float> v(n + 1);
    std::vector<float> w(n + 1);
    std::vector<float> y(n + 1);
    std::vector<float> D(n + 1);
    w[1] = v[1] = 0.25f;
    y[0] = 0.75f * (x[1] - x[n]);
    float H = 4.0f;
    float F = 3.0f * (x[0] - x[n - 1]);
    float G = 1.0f;
    for (size_t k = 1; k < n; ++k) {
        const float z = 1.0f / (4.0f - v[k]);
        v[k + 1] = z;
        w[k + 1] = -z * w[k];
        y[k] = z * (3.0f * (x[k + 1] - x[k - 1]) - y[k - 1]);
        H = H - G * w[k];
        F = F - G * y[k - 1];
        G = -v[k] * G;
    }
    H = H - (G + 1.0f) * (v[n] + w[n]);
    y[n] = F - (G + 1.0f) * y[n - 1];
    D[n] = y[n] / H;
    D[n - 1] = y[n - 1] - (v[n] + w[n]) * D[n];
    for (size_t k = n - 1; k-- > 0;)
        D[k] = y[k] - v[k + 1] * D[k + 1] - w[k + 1] * D[n];

    cubics.resize(n + 1);
    for (size_t k = 0; k < n; ++k) {
        CubicSegment& s = cubics[k];
        s.a = x[k];
        s.b = D[k];
        s.c = 3.0f * (x[k + 1] - x[k]) - 2.0f * D[k] - D[k + 1];
        s.d = 2.0f * (x[k] - x[k + 1]) + D[k] + D[k + 1];
    }
    CubicSegment& last = cubics[n];
    last.a = x[n];
    last.b = D[n];
    last.c = 3.0f * (x[0] - x[n]) - 2.0f * D[n] - D[0];
    last.d = 2.0f * (x[n] - x[0]) + D[n] + D[0];
}

float TrSpline::ChordParameter(double x1, double y1, double x2, double y2, int px, int py) {
    const float dx = static_cast<float>(x2 - x1);
    const float dy = static_cast<float>(y2 - y1);
    const float lengthSquared = dy * dy + dx * dx;
    if (lengthSquared == 0)
        return 0.0f;
    return static_cast<float>(((py - y1) * dy + (px - x1) * dx) / lengthSquared);
}

float TrSpline::ChordDistance(double x1, double y1, double x2, double y2, int px, int py) {
    const float u = ChordParameter(x1, y1, x2, y2, px, py);
    return static_cast<float>(Distance(px, py, x1 + (x2 - x1) * u, y1 + (y2 - y1) * u));
}

void TrSpline::AddPoint(const TrIntPoint& point) {
    AppendPoint(point);
    Rebuild();
}

void TrSpline::AppendPoint(const TrIntPoint& point) {
    mXValues.push_back(static_cast<float>(point.x));
    mYValues.push_back(static_cast<float>(point.y));
    mPoints.push_back(point);
}

void TrSpline::Rebuild() {
    if (mClosed) {
        SolveClosed(mXValues, mXCubics);
        SolveClosed(mYValues, mYCubics);
    } else {
        SolveOpen(mXValues, mXCubics);
        SolveOpen(mYValues, mYCubics);
    }
    mSamples.clear();
    mSegmentLengths.clear();
    if (mXCubics.empty())
        return;
    mSamples.push_back({mXCubics[0].At(0), mYCubics[0].At(0)});
    double total = 0;
    for (size_t i = 0; i < mXCubics.size(); ++i) {
        double length = 0;
        for (int k = 1; k <= mSubdivisions; ++k) {
            const float u = static_cast<float>(k) / static_cast<float>(mSubdivisions);
            const TrDoublePoint sample{mXCubics[i].At(u), mYCubics[i].At(u)};
            const TrDoublePoint& previous = mSamples.back();
            const double step = Distance(previous.x, previous.y, sample.x, sample.y);
            length += step;
            total += step;
            mSamples.push_back(sample);
        }
        mSegmentLengths.push_back(static_cast<float>(length));
    }
    mTotalLength = static_cast<float>(total);
}

bool TrSpline::Locate(float d, int& segment, float& u) const {
    float remainder = d;
    for (size_t i = 0; i < mSegmentLengths.size(); ++i) {
        const float length = mSegmentLengths[i];
        if (remainder - length < 0) {
            segment = static_cast<int>(i);
            u = remainder / length; // length > remainder >= 0
            return true;
        }
        remainder -= length;
    }
    return false;
}

TrIntPoint TrSpline::EndPoint() const {
    return mClosed ? mPoints.front() : mPoints.back();
}

TrIntPoint TrSpline::PointAtDistance(float d) const {
    if (mPoints.empty())
        return {};
    if (mSamples.empty() || mXCubics.empty() || d > mTotalLength)
        return mPoints.back();
    if (d < 0)
        return mPoints.front();
    int segment = 0;
    float u = 0;
    // Rounding can leave a distance just past the summed segments: the end
    // of the path.
    if (!Locate(d, segment, u))
        return EndPoint();
    const size_t i = static_cast<size_t>(segment);
    return {static_cast<int>(mXCubics[i].At(u)), static_cast<int>(mYCubics[i].At(u))};
}

TrDoublePoint TrSpline::TangentAtDistance(float d) const {
    if (mXCubics.empty() || mSamples.empty() || d < 0 || d > mTotalLength)
        return {};
    int segment = 0;
    float u = 0;
    if (!Locate(d, segment, u))
        return {};
    const size_t i = static_cast<size_t>(segment);
    const Vector2F t = Normalize2D(Derivative(mXCubics[i], u), Derivative(mYCubics[i], u));
    return {t.x, t.y};
}

void TrSpline::SetClosed(bool closed) {
    mClosed = closed;
    Rebuild();
}

void TrSpline::SetSubdivisions(int subdivisions) {
    mSubdivisions = subdivisions < 1 ? 1 : subdivisions;
    Rebuild();
}

void TrSpline::SplitSegment(int index) {
    if (index < 0 || index >= GetSegmentCount())
        return;
    const size_t i = static_cast<size_t>(index);
    const TrIntPoint middle{static_cast<int>(mXCubics[i].At(0.5f)), static_cast<int>(mYCubics[i].At(0.5f))};
    const std::vector<TrIntPoint> after(mPoints.begin() + index + 1, mPoints.end());
    mPoints.resize(i + 1);
    mXValues.resize(i + 1);
    mYValues.resize(i + 1);
    AddPoint(middle);
    for (const TrIntPoint& point : after)
        AddPoint(point);
    Rebuild();
}

void TrSpline::RemovePoint(int index) {
    if (index < 0 || index >= GetPointCount())
        return;
    std::vector<TrIntPoint> kept = mPoints;
    kept.erase(kept.begin() + index);
    Clear();
    for (const TrIntPoint& point : kept)
        AddPoint(point);
    Rebuild();
}

void TrSpline::Clear() {
    mPoints.clear();
    mXValues.clear();
    mYValues.clear();
    mTotalLength = 0;
    Rebuild();
}

float TrSpline::DistanceAtPoint(int x, int y) const {
    int nearest = -1;
    double nearestDistance = 0;
    for (size_t k = 1; k < mSamples.size(); ++k) {
        const double d = Distance(mSamples[k].x, mSamples[k].y, x, y);
        if (nearest < 0 || d < nearestDistance) {
            nearest = static_cast<int>(k);
            nearestDistance = d;
        }
    }
    if (nearest < 0 || nearestDistance >= kHitRadius)
        return 0.0f;
    const int segment = (nearest - 1) / mSubdivisions;
    double distance = 0;
    for (int s = 0; s < segment; ++s)
        distance += mSegmentLengths[static_cast<size_t>(s)];
    for (int k = segment * mSubdivisions; k + 1 < nearest; ++k) {
        const TrDoublePoint& a = mSamples[static_cast<size_t>(k)];
        const TrDoublePoint& b = mSamples[static_cast<size_t>(k) + 1];
        distance += Distance(a.x, a.y, b.x, b.y);
    }
    const TrDoublePoint& a = mSamples[static_cast<size_t>(nearest) - 1];
    const TrDoublePoint& b = mSamples[static_cast<size_t>(nearest)];
    distance += ChordParameter(a.x, a.y, b.x, b.y, x, y) * Distance(a.x, a.y, b.x, b.y);
    return static_cast<float>(distance);
}

int TrSpline::HitTestPoint(int x, int y) const {
    return NearestPoint(mPoints, x, y);
}

int TrSpline::HitTestSegment(int x, int y) const {
    int nearest = -1;
    double nearestDistance = 0;
    for (size_t k = 0; k < mSamples.size(); ++k) {
        const double d = Distance(mSamples[k].x, mSamples[k].y, x, y);
        if (nearest < 0 || d < nearestDistance) {
            nearest = static_cast<int>(k);
            nearestDistance = d;
        }
    }
    if (nearest < 0 || nearestDistance >= kHitRadius)
        return -1;
    return nearest / mSubdivisions;
}

TrIntPoint TrSpline::GetPoint(int index) const {
    if (index < 0 || index >= GetPointCount())
        return {};
    return mPoints[static_cast<size_t>(index)];
}

void TrSpline::SetPoint(int index, int x, int y) {
    if (index < 0 || index >= GetPointCount())
        return;
    const size_t i = static_cast<size_t>(index);
    mPoints[i] = {x, y};
    mXValues[i] = static_cast<float>(x);
    mYValues[i] = static_cast<float>(y);
    Rebuild();
}

void TrSpline::DrawHandles(Kavo::Graphics& g, bool selected, int selectedIndex) {
    for (int j = 0; j < GetPointCount(); ++j) {
        g.SetColor(TrHandleColor(selected && j == selectedIndex));
        DrawPoint(g, j, 8);
    }
    g.SetColor(TrOutlineColor(selected));
    if (mSamples.size() > 2) {
        for (int i = 0; i < GetSegmentCount(); ++i)
            DrawSegment(g, i);
        return;
    }
    for (size_t j = 1; j < mPoints.size(); ++j)
        g.DrawLineAA(mPoints[j - 1].x, mPoints[j - 1].y, mPoints[j].x, mPoints[j].y);
}

void TrSpline::DrawPoint(Kavo::Graphics& g, int index, int size) {
    if (index < 0 || index >= GetPointCount())
        return;
    const TrIntPoint& p = mPoints[static_cast<size_t>(index)];
    g.FillRect(p.x - size / 2, p.y - size / 2, size, size);
}

void TrSpline::DrawSegment(Kavo::Graphics& g, int index) {
    if (index < 0 || index >= GetSegmentCount())
        return;
    for (int k = 0; k < mSubdivisions; ++k) {
        const TrDoublePoint& to = mSamples[static_cast<size_t>(index * mSubdivisions + k + 1)];
        const TrDoublePoint& from = mSamples[static_cast<size_t>(index * mSubdivisions + k)];
        g.DrawLineAA(static_cast<int>(to.x), static_cast<int>(to.y), static_cast<int>(from.x),
                     static_cast<int>(from.y));
    }
}

} // namespace Game
