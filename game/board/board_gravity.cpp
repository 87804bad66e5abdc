// The fall after a break: items drop into the holes below them and new
// items enter from above each column.

#include "game/board/board.h"
#include "game/board/board_random.h"

namespace Game {

void Board::ApplyGravity() {
    if (mColStart < 0)
        return;
    bool helped = false;
    const int bottom = mRowStart + mHeight - 1;
    for (int column = mColStart; column < mColStart + mWidth; ++column) {
        bool hasHole = false;
        for (int row = mRowStart; row <= bottom; ++row) {
            const BoardCell& cell = Cell(column, row);
            hasHole = hasHole || (cell.mExists && cell.mItem < 0);
        }
        if (!hasHole)
            continue;
        for (int row = bottom; row >= mRowStart; --row) {
            const BoardCell& cell = Cell(column, row);
            if (cell.mExists && cell.mItem < 0)
                FallInto(column, row);
        }
        RefillColumn(column, helped);
    }
    for (int row = mRowStart; row <= bottom; ++row) {
        for (int column = mColStart; column < mColStart + mWidth; ++column)
            Cell(column, row).mJustFreed = false;
    }
    FindMoves(true);
}

void Board::FallInto(int column, int row) {
    BoardCell& hole = Cell(column, row);
    int source = row - 1;
    while (source >= mRowStart && !(Cell(column, source).mExists && Cell(column, source).mItem >= 0))
        --source;
    if (source < mRowStart) {
        // Nothing above: the top of the column is refilled.
        if (hole.mItem == kItemEmpty)
            hole.mItem = kItemRemoved;
        return;
    }
    BoardCell& from = Cell(column, source);
    if (from.mChain != 0) {
        // Nothing falls past a chained item: the hole waits, unfilled, until
        // the chain is broken and a later fall brings the item down.
        hole.mItem = kItemEmpty;
        hole.mItemSprite.SetImage(nullptr);
        return;
    }
    hole.mItem = from.mItem;
    hole.mY = from.mY;
    hole.mX = static_cast<float>(ColumnToX(column, true));
    hole.mTargetY = RowToY(row, true);
    hole.mDy = 1;
    PlaceItemPicture(hole);
    from.mItem = kItemRemoved;
}

void Board::RefillColumn(int column, bool& helped) {
    // An empty item set has nothing to deal: the holes stay.
    if (mItemSet.empty())
        return;
    const size_t size = mItemSet.size();
    int offset = kCellSize;
    size_t next = 0;
    for (int row = mRowStart + mHeight - 1; row >= mRowStart; --row) {
        std::vector<int> candidates = mItemSet;
        ShuffleList(candidates);
        BoardCell& cell = Cell(column, row);
        if (cell.mItem != kItemRemoved)
            continue;
        int item = candidates[next];
        next = (next + 1) % size;
        // While few moves are left, the first refill of this fall that can
        // complete a move pattern is chosen to do so.
        if (mMoves.size() < 3 && !helped) {
            item = candidates.front();
            for (size_t i = size; i-- > 0;) {
                if (WouldMakeMove(row, column, candidates[i])) {
                    item = candidates[i];
                    helped = true;
                    break;
                }
            }
        }
        cell.mItem = item;
        cell.mDy = 1;
        cell.mY = static_cast<float>(mColumnTopY[static_cast<size_t>(column)] - offset);
        cell.mX = static_cast<float>(ColumnToX(column, true));
        cell.mTargetY = RowToY(row, true);
        PlaceItemPicture(cell);
        offset += kCellSize;
    }
}

} // namespace Game
