// Selecting and swapping by click and drag.

#include "game/board/board.h"
#include "game/board/board_listener.h"

#include <cstdlib>
#include <utility>

namespace Game {

void Board::Click(int x, int y) {
    if (!mInputEnabled)
        return;
    const CellPos clicked{XToColumn(x), YToRow(y)};
    if (!IsInGrid(clicked.mColumn, clicked.mRow) || !Cell(clicked.mColumn, clicked.mRow).mExists)
        return;
    mDragArmed = true;
    // A selection whose item has since been removed, chained or set moving
    // can no longer be swapped: the click is judged as if nothing were
    // selected.
    if (mSelected.mColumn >= 0) {
        const BoardCell& selected = Cell(mSelected.mColumn, mSelected.mRow);
        if (!IsMovable(selected) || !IsAtRest(selected))
            mSelected = CellPos();
    }
    const BoardCell& cell = Cell(clicked.mColumn, clicked.mRow);
    if (mSelected.mColumn >= 0) {
        const int dc = std::abs(clicked.mColumn - mSelected.mColumn);
        const int dr = std::abs(clicked.mRow - mSelected.mRow);
        if (dc + dr == 1) {
            if (IsAtRest(cell) && IsMovable(cell))
                StartSwap(mSelected, clicked);
            return;
        }
        if (dc + dr == 0)
            return;
    }
    if (!IsAtRest(cell) || !IsMovable(cell))
        return;
    mSelected = clicked;
    mSelectionAnim.SetPosition(cell.mX, cell.mY);
    mSelectionAnim.Restart();
    if (mListener != nullptr)
        mListener->OnSelect();
}

void Board::StartSwap(CellPos selected, CellPos clicked) {
    BoardCell& first = Cell(selected.mColumn, selected.mRow);
    BoardCell& second = Cell(clicked.mColumn, clicked.mRow);
    // Each item travels to the other's centre.
    if (selected.mRow == clicked.mRow) {
        const int d = selected.mColumn > clicked.mColumn ? 1 : -1;
        std::swap(first.mTargetX, second.mTargetX);
        first.mDx = -d;
        second.mDx = d;
    } else {
        const int d = selected.mRow > clicked.mRow ? 1 : -1;
        std::swap(first.mTargetY, second.mTargetY);
        first.mDy = -d;
        second.mDy = d;
    }
    mCascade = 0;
    mSwaps.push_back({selected.mColumn, selected.mRow, clicked.mColumn, clicked.mRow, kSwapForth});
    ClearSelection();
    if (mListener != nullptr)
        mListener->OnMove();
}

void Board::Drag(int x, int y) {
    if (!mInputEnabled)
        return;
    mMouseX = x;
    mMouseY = y;
    if (mSelected.mColumn < 0 || mState != kBoardIdle || !mDragArmed)
        return;
    const int column = XToColumn(x);
    const int row = YToRow(y);
    if (!IsInGrid(column, row))
        return;
    const BoardCell& cell = Cell(column, row);
    if (!cell.mExists || cell.mItem < 0)
        return;
    if (std::abs(column - mSelected.mColumn) == 1 || std::abs(row - mSelected.mRow) == 1) {
        Click(x, y);
        mDragArmed = false;
    }
}

} // namespace Game
