#pragma once
// A trajectory line that is the closed spline through the left, top, right
// and bottom points of an axis-aligned oval. "Points":
// "speed,centre x,centre y,width,height".

#include "game/effects/tr_line.h"
#include "game/effects/tr_spline.h"

namespace Game {

class TrOvalLine : public TrLine {
public:
    TrOvalLine();

    int GetType() const override { return 1; }
    void Load(const std::string& text) override;
    void ToString(std::string& out) const override;
    void SetT(float t, bool) override { MoveAlong(mSpline, t); }
    int GetPointCount() const override { return 4; }
    void ClearPoints() override { mSpline.Clear(); }
    // The point under (x, y), which becomes the drag anchor; -1 when none.
    int HitTest(int x, int y) override;
    // 0 (left) sets the width, 1 (top) the height, 2 and 3 move the centre
    // by the drag from the anchor.
    void MovePoint(int index, int x, int y) override;
    void DrawHandles(Kavo::Graphics& g, bool selected, int selectedIndex) override {
        mSpline.DrawHandles(g, selected, selectedIndex);
    }

    TrSpline mSpline;
    int mCenterX = 400;
    int mCenterY = 300;
    int mWidth = 200;
    int mHeight = 150;
    int mAnchorX = 0;
    int mAnchorY = 0;

private:
    void RebuildPoints();
};

} // namespace Game
