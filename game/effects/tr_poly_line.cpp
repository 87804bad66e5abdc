#include "game/effects/tr_poly_line.h"

#include "framework/graphics/graphics.h"
#include "game/effects/tr_line_colors.h"

#include <cmath>
#include <cstdio>

namespace Game {

namespace {

constexpr double kHitRadius = 20.0;

double Distance(const TrIntPoint& a, int x, int y) {
    return std::hypot(static_cast<double>(a.x) - x, static_cast<double>(a.y) - y);
}

// The nearest point to (x, y) other than `skip`; ties keep the lower index.
int Nearest(const std::vector<TrIntPoint>& points, int x, int y, int skip) {
    int best = -1;
    double bestDistance = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        if (static_cast<int>(i) == skip)
            continue;
        const double d = Distance(points[i], x, y);
        if (best < 0 || d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

void TrPolyLine::Load(const std::string& text) {
    const std::vector<std::string> pieces = Pieces(text, ';');
    if (pieces.size() > 0)
        mSpeed = ReadSpeed(pieces[0]);
    if (pieces.size() > 1)
        mClosed = ReadInt(pieces[1]) == 1;
    if (pieces.size() > 2) {
        const std::vector<std::string> coordinates = Pieces(pieces[2], ',');
        // An odd last coordinate has no partner and is dropped.
        for (size_t i = 0; i + 1 < coordinates.size(); i += 2)
            mPoints.push_back({ReadInt(coordinates[i]), ReadInt(coordinates[i + 1])});
    }
    RecomputeLengths();
}

void TrPolyLine::ToString(std::string& out) const {
    out = FormatSpeed(mSpeed) + (mClosed ? ";1;" : ";0;");
    char text[32];
    for (const TrIntPoint& p : mPoints) {
        std::snprintf(text, sizeof(text), "%d,%d,", p.x, p.y);
        out += text;
    }
}

void TrPolyLine::RecomputeLengths() {
    mSegmentLengths.clear();
    mTotalLength = 0;
    const size_t count = mPoints.size();
    if (count < 2)
        return;
    mSegmentLengths.assign(mClosed ? count : count - 1, 0.0f);
    for (size_t i = 0; i + 1 < count; ++i)
        mSegmentLengths[i] = static_cast<float>(Distance(mPoints[i], mPoints[i + 1].x, mPoints[i + 1].y));
    // Two points closed run back on their own segment: that return counts
    // nothing.
    if (mClosed && count > 2)
        mSegmentLengths[count - 1] = static_cast<float>(Distance(mPoints[count - 1], mPoints[0].x, mPoints[0].y));
    for (float length : mSegmentLengths)
        mTotalLength += length;
}

void TrPolyLine::SetT(float t, bool useOffset) {
    mT = t;
    if (!std::isfinite(t) || mSegmentLengths.empty())
        return;
    const double total = mTotalLength;
    double d = total * mSpeed * t;
    if (useOffset)
        d += mStartOffset;
    double remainder = WrapDistance(d, total);
    const size_t count = mPoints.size();
    for (size_t i = 0; i < mSegmentLengths.size(); ++i) {
        const double length = mSegmentLengths[i];
        if (remainder - length < 0) {
            const TrIntPoint& from = mPoints[i];
            const TrIntPoint& to = mPoints[(i + 1) % count];
            mX = static_cast<int>(from.x + (to.x - from.x) / length * remainder);
            mY = static_cast<int>(from.y + (to.y - from.y) / length * remainder);
            return;
        }
        remainder -= length;
    }
    // Rounding (or a path of no length) left the distance past the last
    // segment: the end of the path.
    const TrIntPoint& end = mPoints[mSegmentLengths.size() % count];
    mX = end.x;
    mY = end.y;
}

void TrPolyLine::AddPoint(int x, int y) {
    mPoints.push_back({x, y});
    RecomputeLengths();
}

void TrPolyLine::ClearPoints() {
    mPoints.clear();
    RecomputeLengths();
}

void TrPolyLine::RemovePoint(int index) {
    if (index < 0 || index >= GetPointCount())
        return;
    mPoints.erase(mPoints.begin() + index);
    RecomputeLengths();
}

int TrPolyLine::HitTest(int x, int y) {
    // Compared against the start of the path: t 0 with the offset.
    const float t = mT;
    const int lineX = mX;
    const int lineY = mY;
    SetT(0.0f, true);
    const bool atStart = std::hypot(static_cast<double>(mX) - x, static_cast<double>(mY) - y) < kHitRadius;
    mT = t;
    mX = lineX;
    mY = lineY;
    if (atStart)
        return -2;
    int best = -1;
    double bestDistance = kHitRadius;
    for (size_t i = 0; i < mPoints.size(); ++i) {
        const double d = Distance(mPoints[i], x, y);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

void TrPolyLine::MovePoint(int index, int x, int y) {
    if (index >= 0 && index < GetPointCount()) {
        mPoints[static_cast<size_t>(index)] = {x, y};
        RecomputeLengths();
        return;
    }
    if (index != -2 || mPoints.size() < 2)
        return;
    const int i0 = Nearest(mPoints, x, y, -1);
    const int i1 = Nearest(mPoints, x, y, i0);
    const TrIntPoint& p0 = mPoints[static_cast<size_t>(i0)];
    const TrIntPoint& p1 = mPoints[static_cast<size_t>(i1)];
    // Coincident points give u = 0: the start lies on them.
    const float u = TrSpline::ChordParameter(p0.x, p0.y, p1.x, p1.y, x, y);
    mStartX = Clamp(static_cast<long long>(p0.x + (p1.x - p0.x) * static_cast<double>(u)));
    mStartY = Clamp(static_cast<long long>(p0.y + (p1.y - p0.y) * static_cast<double>(u)));
    double offset = Distance(p0, mStartX, mStartY);
    for (int i = 0; i < i0 && i < static_cast<int>(mSegmentLengths.size()); ++i)
        offset += mSegmentLengths[static_cast<size_t>(i)];
    mStartOffset = static_cast<float>(offset);
}

void TrPolyLine::DrawHandles(Kavo::Graphics& g, bool selected, int selectedIndex) {
    g.SetColor(TrOutlineColor(selected));
    for (size_t i = 1; i < mPoints.size(); ++i)
        g.DrawLineAA(mPoints[i - 1].x, mPoints[i - 1].y, mPoints[i].x, mPoints[i].y);
    if (mClosed && mPoints.size() > 2)
        g.DrawLineAA(mPoints.back().x, mPoints.back().y, mPoints.front().x, mPoints.front().y);
    for (size_t i = 0; i < mPoints.size(); ++i) {
        g.SetColor(TrHandleColor(selected && static_cast<int>(i) == selectedIndex));
        g.FillRect(mPoints[i].x - 4, mPoints[i].y - 4, 8, 8);
    }
}

} // namespace Game
