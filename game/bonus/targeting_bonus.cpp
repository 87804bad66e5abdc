#include "game/bonus/targeting_bonus.h"

#include "game/board/board.h"
#include "game/effects/anim_effect.h"
#include "game/ui/effect_list.h"
#include "game/ui/resource_ids.h"

namespace Game {

namespace {

// The highlight blinks from nothing to full in 25 updates and back, until
// the list is cleared.
constexpr int kHighlightDuration = 25;

} // namespace

void TargetingBonus::Stop() {
    Bonus::Stop();
    ClearHighlights();
}

BoardCell* TargetingBonus::CellUnder(int x, int y) const {
    return mBoard != nullptr ? mBoard->CellAt(x, y) : nullptr;
}

BoardCell* TargetingBonus::ItemCellUnder(int x, int y) const {
    BoardCell* cell = CellUnder(x, y);
    return cell != nullptr && cell->mItem >= 0 ? cell : nullptr;
}

void TargetingBonus::ClearHighlights() {
    if (mHighlights != nullptr)
        mHighlights->Clear();
}

void TargetingBonus::HighlightCells(const std::vector<CellPos>& cells) {
    if (mHighlights == nullptr || mBoard == nullptr)
        return;
    for (const CellPos& cell : cells) {
        mHighlights->Add(new AnimEffect(mBoard->ColumnToX(cell.mColumn, true), mBoard->RowToY(cell.mRow, true),
                                        IMAGE_WHITECELL, 0, kHighlightDuration, true, 0));
    }
}

} // namespace Game
