#include "game/meta/menu_row.h"

#include "game/meta/menu_entry.h"
#include "game/meta/scrolled_grid.h"

namespace Game {

MenuCell* MenuRow::AddCell(MenuEntry* entry, int rating) {
    if (IndexOf(entry) >= 0)
        return nullptr;
    MenuCell cell(entry);
    cell.mX = mX + static_cast<float>(ScrolledGrid::kCellPitch * mCells.size());
    cell.mY = mY;
    cell.mAffordable = entry->mPrice <= rating;
    mCells.push_back(cell);
    return &mCells.back();
}

MenuCell* MenuRow::FindCell(const MenuEntry* entry) {
    const int index = IndexOf(entry);
    return index < 0 ? nullptr : &mCells[static_cast<size_t>(index)];
}

int MenuRow::IndexOf(const MenuEntry* entry) const {
    for (size_t i = 0; i < mCells.size(); ++i)
        if (mCells[i].mEntry == entry)
            return static_cast<int>(i);
    return -1;
}

} // namespace Game
