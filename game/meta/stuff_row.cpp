#include "game/meta/stuff_row.h"

#include "game/meta/scrolled_grid.h"
#include "game/meta/shop_item.h"

namespace Game {

StuffCell* StuffRow::AddCell(ShopItem* item, int rating) {
    if (FindCell(item) != nullptr)
        return nullptr;
    StuffCell cell(item);
    cell.mAffordable = item->TotalPrice() <= rating;
    mCells.push_back(cell);
    return &mCells.back();
}

StuffCell* StuffRow::FindCell(const ShopItem* item) {
    for (StuffCell& cell : mCells)
        if (cell.mItem == item)
            return &cell;
    return nullptr;
}

void StuffRow::Draw(Kavo::Graphics* g) {
    for (size_t i = 0; i < mCells.size(); ++i) {
        mCells[i].mX = mX + static_cast<float>(ScrolledGrid::kCellPitch * i);
        mCells[i].mY = mY;
        mCells[i].Draw(g);
    }
}

} // namespace Game
