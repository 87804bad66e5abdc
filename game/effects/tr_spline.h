#pragma once
// A cubic spline through integer points, open or closed, sampled into short
// chords so that a distance along the curve gives a point. Every change of
// the points rebuilds the whole curve. Fewer than 3 points make no curve:
// no segments, no samples.

#include "game/ui/cubic_spline.h"

#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

struct TrIntPoint {
    int x = 0;
    int y = 0;
};

struct TrDoublePoint {
    double x = 0;
    double y = 0;
};

class TrSpline {
public:
    virtual ~TrSpline() = default;

    // Both clear `cubics` first and give nothing for fewer than 3 values.
    static void SolveOpen(const std::vector<float>& values, std::vector<CubicSegment>& cubics);
    static void SolveClosed(const std::vector<float>& values, std::vector<CubicSegment>& cubics);
    // The parameter of (px, py) projected on the line through the two
    // points, not clamped; 0 when the points coincide.
    static float ChordParameter(double x1, double y1, double x2, double y2, int px, int py);
    static float ChordDistance(double x1, double y1, double x2, double y2, int px, int py);

    virtual void DrawHandles(Kavo::Graphics& g, bool selected, int selectedIndex);
    virtual void DrawPoint(Kavo::Graphics& g, int index, int size);
    virtual void DrawSegment(Kavo::Graphics& g, int index);

    virtual void AddPoint(const TrIntPoint& point);
    // Appends without rebuilding; the caller rebuilds once at the end.
    void AppendPoint(const TrIntPoint& point);
    virtual void Rebuild();
    // The point at distance d along the curve, coordinates truncated.
    virtual TrIntPoint PointAtDistance(float d) const;
    virtual TrDoublePoint TangentAtDistance(float d) const;

    int GetPointCount() const { return static_cast<int>(mPoints.size()); }
    int GetSegmentCount() const { return static_cast<int>(mXCubics.size()); }
    float GetLength() const { return mTotalLength; }
    void SetClosed(bool closed);
    // Set directly, without a rebuild (a line being read sets it before its
    // points).
    void SetClosedFlag(bool closed) { mClosed = closed; }
    bool IsClosed() const { return mClosed; }
    int GetSubdivisions() const { return mSubdivisions; }
    // Values below 1 count as 1.
    void SetSubdivisions(int subdivisions);

    void SplitSegment(int index);
    void RemovePoint(int index);
    void Clear();
    float DistanceAtPoint(int x, int y) const;
    int HitTestPoint(int x, int y) const;
    int HitTestSegment(int x, int y) const;
    TrIntPoint GetPoint(int index) const;
    void SetPoint(int index, int x, int y);

    const std::vector<TrDoublePoint>& GetSamples() const { return mSamples; }
    const std::vector<float>& GetSegmentLengths() const { return mSegmentLengths; }

private:
    // Segment and parameter of a distance inside the curve; false when
    // there is none.
    bool Locate(float d, int& segment, float& u) const;
    // Where a closed path ends: its first point; an open one's last.
    TrIntPoint EndPoint() const;

    std::vector<CubicSegment> mYCubics;
    std::vector<CubicSegment> mXCubics;
    std::vector<float> mXValues;
    std::vector<float> mYValues;
    std::vector<TrIntPoint> mPoints;
    std::vector<TrDoublePoint> mSamples;
    std::vector<float> mSegmentLengths;
    float mTotalLength = 0;
    int mSubdivisions = 24;
    bool mClosed = false;
};

} // namespace Game
