// The move finder and the hints.

#include "game/board/board.h"
#include "game/board/board_listener.h"
#include "game/board/board_random.h"
#include "game/board/move_patterns.h"

#include <algorithm>

namespace Game {

void Board::FindMoves(bool sort) {
    mHintIndex = 0;
    mMoves.clear();
    CollectMoves(mMoves);
    if (sort) {
        // Equal values keep the shuffled order, so ties come out at random.
        ShuffleList(mMoves);
        std::stable_sort(mMoves.begin(), mMoves.end(), ByValueDesc);
    }
    if (mListener != nullptr)
        mListener->OnMovesFound();
}

void Board::CollectMoves(std::vector<Move>& moves) const {
    auto holdsItem = [&](int column, int row) {
        if (!IsInActiveRect(column, row))
            return false;
        const BoardCell& cell = Cell(column, row);
        return cell.mExists && cell.mItem >= 0 && cell.mChain == 0;
    };
    ForEachActiveCell([&](int column, int row, const BoardCell& anchor) {
        if (anchor.mItem < 0 || anchor.mChain != 0)
            return true;
        for (const MovePattern& pattern : kMovePatterns) {
            const int ac = column + pattern.mA.mColumn;
            const int ar = row + pattern.mA.mRow;
            const int bc = column + pattern.mB.mColumn;
            const int br = row + pattern.mB.mRow;
            const int c1 = column + pattern.mS1.mColumn;
            const int r1 = row + pattern.mS1.mRow;
            const int c2 = column + pattern.mS2.mColumn;
            const int r2 = row + pattern.mS2.mRow;
            if (!holdsItem(ac, ar) || !holdsItem(bc, br) || !holdsItem(c1, r1) || !holdsItem(c2, r2))
                continue;
            if (Cell(ac, ar).mItem != anchor.mItem || Cell(bc, br).mItem != anchor.mItem)
                continue;
            Move move;
            move.mX2 = ColumnToX(c2, true);
            move.mY2 = RowToY(r2, true);
            move.mX1 = ColumnToX(c1, true);
            move.mY1 = RowToY(r1, true);
            move.mColumn2 = c2;
            move.mRow2 = r2;
            move.mColumn1 = c1;
            move.mRow1 = r1;
            move.mValue = Cell(c1, r1).mTiles + Cell(c2, r2).mTiles;
            moves.push_back(move);
        }
        return true;
    });
}

std::optional<Move> Board::NextHint() {
    if (mHintIndex < 0 || mHintIndex >= static_cast<int>(mMoves.size()))
        return std::nullopt;
    const Move move = mMoves[static_cast<size_t>(mHintIndex)];
    mHintIndex = (mHintIndex + 1) % static_cast<int>(mMoves.size());
    return move;
}

bool Board::WouldMakeMove(int row, int column, int item) const {
    auto exists = [&](int c, int r) { return IsInGrid(c, r) && Cell(c, r).mExists; };
    for (const MovePattern& pattern : kMovePatterns) {
        const int ac = column + pattern.mA.mColumn;
        const int ar = row + pattern.mA.mRow;
        const int bc = column + pattern.mB.mColumn;
        const int br = row + pattern.mB.mRow;
        if (!IsInActiveRect(ac, ar) || !IsInActiveRect(bc, br))
            continue;
        if (!exists(ac, ar) || !exists(bc, br) || !exists(column + pattern.mS1.mColumn, row + pattern.mS1.mRow) ||
            !exists(column + pattern.mS2.mColumn, row + pattern.mS2.mRow))
            continue;
        if (Cell(ac, ar).mItem == item && Cell(bc, br).mItem == item)
            return true;
    }
    return false;
}

} // namespace Game
