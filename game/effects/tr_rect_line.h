#pragma once
// A trajectory line along the outline of an axis-aligned rectangle, from its
// top-left corner clockwise. "Points": "speed,centre x,centre y,width,height".
// The outline's middle points 1, 3, 5 and 7 are the editing handles.

#include "game/effects/tr_line.h"
#include "game/effects/tr_spline.h"

#include <array>

namespace Game {

class TrRectLine : public TrLine {
public:
    TrRectLine() { Recompute(); }

    int GetType() const override { return 2; }
    void Load(const std::string& text) override;
    void ToString(std::string& out) const override;
    void SetT(float t, bool useOffset) override;
    int GetPointCount() const override { return 4; }
    // The outline index of the nearest handle within reach, which becomes
    // the drag anchor; -1 when none.
    int HitTest(int x, int y) override;
    // 1 sets the height, 7 the width, 3 and 5 move the centre by the drag
    // from the anchor.
    void MovePoint(int index, int x, int y) override;
    void DrawHandles(Kavo::Graphics& g, bool selected, int selectedIndex) override;

    int mCenterX = 400;
    int mCenterY = 300;
    int mWidth = 200;
    int mHeight = 150;
    int mAnchorX = 0;
    int mAnchorY = 0;
    // Corners and edge middles, clockwise from the top-left corner.
    std::array<TrIntPoint, 8> mOutline{};
    std::array<int, 4> mEdgeLengths{}; // top, right, bottom, left
    int mPerimeter = 0;

private:
    void Recompute();
};

} // namespace Game
