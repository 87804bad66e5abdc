#pragma once
// The one row of the stuff list.

#include "game/meta/stuff_cell.h"

#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class StuffRow {
public:
    // Appends a cell for the item unless the row has one (then null); it is
    // affordable when the item's total price is within the rating.
    StuffCell* AddCell(ShopItem* item, int rating);
    StuffCell* FindCell(const ShopItem* item);
    // Places each cell 110 pixels after the one before, then draws it.
    void Draw(Kavo::Graphics* g);

    float mX = 0;
    float mY = 0;
    std::vector<StuffCell> mCells;
};

} // namespace Game
