#include "game/meta/scrolled_grid.h"

#include <algorithm>
#include <cmath>

namespace Game {

bool ScrolledGrid::Contains(float x, float y) const {
    return x >= mViewX && x < mViewX + mViewW && y >= mViewY && y < mViewY + mViewH;
}

float ScrolledGrid::OffsetX() const {
    return mContentW <= mViewW ? 0.0f : -(mContentW - mViewW) * mScrollX;
}

float ScrolledGrid::OffsetY() const {
    return -(mContentH - mViewH) * mScrollY;
}

bool ScrolledGrid::CellUnder(float x, float y, int& row, int& column) const {
    if (!Contains(x, y))
        return false;
    // The drawing's own offsets, so that a click finds the cell drawn under it.
    const int cx = static_cast<int>(x - mViewX - OffsetX());
    const int cy = static_cast<int>(y - mViewY - OffsetY());
    if (cx < 0 || cy < 0)
        return false;
    row = cy / kCellPitch;
    column = cx / kCellPitch;
    return true;
}

bool ScrolledGrid::RowBand(int row, Kavo::TRect<float>& visible) const {
    const Kavo::TRect<float> band(OffsetX(), OffsetY() + static_cast<float>(kCellPitch * row), mContentW,
                                  static_cast<float>(kCellPitch));
    visible = band.Intersection(Kavo::TRect<float>(0, 0, mViewW, mViewH));
    return visible != Kavo::TRect<float>();
}

float ScrolledGrid::NextPageScroll() const {
    const float range = mContentW - mViewW;
    if (range <= 0)
        return 0;
    const float cells = std::ceil(range * mScrollX / kCellPitch) + 1;
    return std::min(1.0f, cells * kCellPitch / range);
}

float ScrolledGrid::PrevPageScroll() const {
    const float range = mContentW - mViewW;
    if (range <= 0)
        return 0;
    const float cells = std::max(0.0f, std::ceil(range * mScrollX / kCellPitch) - 1);
    return cells * kCellPitch / range;
}

} // namespace Game
