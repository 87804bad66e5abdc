#pragma once
// The strip of decoration offers of one restaurant, in shop order.

#include "framework/graphics/point.h"
#include "game/meta/scrolled_grid.h"
#include "game/meta/stuff_row.h"

#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class ShopCatalog;

class StuffList : public ScrolledGrid {
public:
    // One row of every catalogue item of the rank, by category and name;
    // `rating` decides which are affordable.
    void Fill(const ShopCatalog& catalog, int rank, int rating);
    // Each row by its items' shop index.
    void SortRows();
    void Draw(Kavo::Graphics* g);
    StuffCell* HitTest(float x, float y);
    void Select(const StuffCell* cell);
    // Scroll one cell on or back.
    void PageNext() { mScrollX = NextPageScroll(); }
    void PagePrev() { mScrollX = PrevPageScroll(); }
    int RowCellCount(int row) const;
    StuffCell* CellAt(int row, int column);
    // The screen centre of the first cell whose item is not in the room; the
    // first cell's place when all are.
    Kavo::Point FirstPendingCellCentre() const;

    std::vector<StuffRow> mRows;
    StuffCell* mHovered = nullptr;
};

} // namespace Game
