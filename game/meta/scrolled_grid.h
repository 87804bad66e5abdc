#pragma once
// The view of a grid of 110-pixel cells that scrolls over its content: what
// the dish grid and the decoration strip share of drawing and hit testing.

#include "framework/util/rect.h"

namespace Game {

class ScrolledGrid {
public:
    static constexpr int kCellPitch = 110;
    // Content height per row; the last row's extra pixel is not counted.
    static constexpr int kRowHeight = 111;

    // Inside the half-open view rectangle.
    bool Contains(float x, float y) const;
    // Where the content's origin is drawn, relative to the view: 0 across
    // when the content fits the view's width.
    float OffsetX() const;
    float OffsetY() const;
    // The row and column drawn under a point of the view; false outside the
    // view or the content. The caller checks that the cell exists.
    bool CellUnder(float x, float y, int& row, int& column) const;
    // The visible part of row r's band in view coordinates; false when none.
    bool RowBand(int row, Kavo::TRect<float>& visible) const;
    // The scroll position one cell further or back; it stays 0 when the
    // content fits (there is no range to divide by).
    float NextPageScroll() const;
    float PrevPageScroll() const;

    float mScrollX = 0; // fractions of the hidden part, 0 to 1
    float mScrollY = 0;
    float mViewX = 0; // top-left corner of the view on the screen
    float mViewY = 0;
    float mContentW = 0;
    float mContentH = 0;
    float mViewW = 0;
    float mViewH = 0;
};

} // namespace Game
