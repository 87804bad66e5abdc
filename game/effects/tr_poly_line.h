#pragma once
// A trajectory line of straight segments through its points, closed by
// default. "Points": "speed;closed;x,y,x,y,...". Its start can be moved
// along the path (the start offset, pixels), which SetT adds when asked.

#include "game/effects/tr_line.h"
#include "game/effects/tr_spline.h"

namespace Game {

class TrPolyLine : public TrLine {
public:
    int GetType() const override { return 3; }
    void Load(const std::string& text) override;
    void ToString(std::string& out) const override;
    void SetT(float t, bool useOffset) override;
    void AddPoint(int x, int y) override;
    int GetPointCount() const override { return static_cast<int>(mPoints.size()); }
    void ClearPoints() override;
    void RemovePoint(int index) override;
    // -2 when (x, y) is near the start of the path, else the nearest point
    // within reach, else -1. The line's t and position stay as they were.
    int HitTest(int x, int y) override;
    // A point index moves that point; -2 moves the start onto the line
    // through the two points nearest to (x, y).
    void MovePoint(int index, int x, int y) override;
    void DrawHandles(Kavo::Graphics& g, bool selected, int selectedIndex) override;

    std::vector<TrIntPoint> mPoints;
    std::vector<float> mSegmentLengths;
    float mTotalLength = 0;
    bool mClosed = true;
    int mStartX = -1;
    int mStartY = -1;

private:
    void RecomputeLengths();
};

} // namespace Game
