#include "game/effects/tr_oval_line.h"

#include <algorithm>
#include <cstdio>

namespace Game {

TrOvalLine::TrOvalLine() {
    mSpline.SetClosedFlag(true);
    RebuildPoints();
}

void TrOvalLine::RebuildPoints() {
    mSpline.Clear();
    mSpline.AddPoint({mCenterX - mWidth / 2, mCenterY});
    mSpline.AddPoint({mCenterX, mCenterY - mHeight / 2});
    mSpline.AddPoint({mCenterX + mWidth / 2, mCenterY});
    mSpline.AddPoint({mCenterX, mCenterY + mHeight / 2});
}

void TrOvalLine::Load(const std::string& text) {
    LoadSpeedAndBox(text, mCenterX, mCenterY, mWidth, mHeight);
    RebuildPoints();
}

void TrOvalLine::ToString(std::string& out) const {
    out = SpeedAndBoxText(mCenterX, mCenterY, mWidth, mHeight);
}

int TrOvalLine::HitTest(int x, int y) {
    const int index = mSpline.HitTestPoint(x, y);
    if (index >= 0) {
        const TrIntPoint p = mSpline.GetPoint(index);
        mAnchorX = p.x;
        mAnchorY = p.y;
    }
    return index;
}

void TrOvalLine::MovePoint(int index, int x, int y) {
    switch (index) {
    case 0:
        mWidth = 2 * Span(mCenterX, x);
        break;
    case 1:
        mHeight = 2 * Span(mCenterY, y);
        break;
    case 2:
    case 3:
        mCenterX = Clamp(static_cast<long long>(mCenterX) + x - mAnchorX);
        mCenterY = Clamp(static_cast<long long>(mCenterY) + y - mAnchorY);
        mAnchorX = x;
        mAnchorY = y;
        break;
    default:
        return;
    }
    RebuildPoints();
}

} // namespace Game
