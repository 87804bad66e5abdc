#pragma once
// A trajectory line that is a cubic spline through its points. "Points":
// "speed;closed;x,y,x,y,...".

#include "game/effects/tr_line.h"
#include "game/effects/tr_spline.h"

namespace Game {

class TrSplineLine : public TrLine {
public:
    int GetType() const override { return 0; }
    void Load(const std::string& text) override;
    void ToString(std::string& out) const override;
    void SetT(float t, bool) override { MoveAlong(mSpline, t); }
    void AddPoint(int x, int y) override { mSpline.AddPoint({x, y}); }
    int GetPointCount() const override { return mSpline.GetPointCount(); }
    void ClearPoints() override { mSpline.Clear(); }
    void RemovePoint(int index) override { mSpline.RemovePoint(index); }
    int HitTest(int x, int y) override { return mSpline.HitTestPoint(x, y); }
    void MovePoint(int index, int x, int y) override { mSpline.SetPoint(index, x, y); }
    void DrawHandles(Kavo::Graphics& g, bool selected, int selectedIndex) override {
        mSpline.DrawHandles(g, selected, selectedIndex);
    }

    TrSpline mSpline;
};

} // namespace Game
