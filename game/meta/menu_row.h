#pragma once
// One row of the menu list: the dishes of one category, in column order.

#include "game/meta/menu_cell.h"

#include <vector>

namespace Game {

class MenuRow {
public:
    // Appends a cell for the dish unless the row has one (then null); it is
    // affordable when its price is within the rating.
    MenuCell* AddCell(MenuEntry* entry, int rating);
    MenuCell* FindCell(const MenuEntry* entry);
    int IndexOf(const MenuEntry* entry) const;

    float mX = 0;
    float mY = 0;
    std::vector<MenuCell> mCells;
};

} // namespace Game
