// The board operations the bonuses use: shuffling, replacing one kind of
// item by another, striking chosen cells and collecting a line of cells.

#include "game/board/board.h"
#include "game/board/board_random.h"

#include <utility>

namespace Game {

void Board::PlanShuffle() {
    mShuffle.clear();
    std::vector<CellPos> cells;
    const int half = mWidth / 2;
    for (auto [from, to] : {std::pair(mColStart, mColStart + half), std::pair(mColStart + half, mColStart + mWidth)}) {
        for (int row = mRowStart; row >= 0 && row < mRowStart + mHeight; ++row) {
            for (int column = from; column >= 0 && column < to; ++column) {
                if (IsMovable(Cell(column, row)))
                    cells.push_back({column, row});
            }
        }
    }
    ShuffleList(cells);
    if (cells.size() % 2 != 0)
        cells.pop_back();
    for (size_t i = 0; i + 1 < cells.size(); i += 2)
        mShuffle.push_back({cells[i].mColumn, cells[i].mRow, cells[i + 1].mColumn, cells[i + 1].mRow});
}

void Board::ApplyShuffle() {
    for (const ShufflePair& pair : mShuffle) {
        BoardCell& first = Cell(pair.mC1, pair.mR1);
        BoardCell& second = Cell(pair.mC2, pair.mR2);
        std::swap(first.mItem, second.mItem);
        PlaceItemPicture(first);
        PlaceItemPicture(second);
    }
    CheckChangedItems();
}

void Board::ReplaceItems(int from, int to) {
    ForEachActiveCell([&](int, int, BoardCell& cell) {
        if (cell.mItem == from) {
            cell.mItem = to;
            PlaceItemPicture(cell);
        }
        return true;
    });
    CheckChangedItems();
}

void Board::CheckChangedItems() {
    // A broken run ends in a fall, whose end lists the moves.
    if (CheckLines())
        return;
    FindMoves(true);
    if (mState == kBoardIdle)
        mState = kBoardSettling;
}

void Board::MakeFigure(const std::vector<CellPos>& cells) {
    mFigures.clear();
    if (cells.empty())
        return;
    Figure figure;
    figure.mType = -1;
    figure.mLength = static_cast<int>(cells.size());
    figure.mCentreColumn = cells.front().mColumn;
    figure.mCentreRow = cells.front().mRow;
    figure.mSwap1 = figure.mSwap2 = cells.front();
    figure.mCells = cells;
    mFigures.push_back(std::move(figure));
    // No secret item has id -2, so none is collected this way.
    for (const CellPos& pos : cells) {
        if (IsInGrid(pos.mColumn, pos.mRow))
            HitCell(pos.mColumn, pos.mRow, false, -2);
    }
}

bool Board::CollectLine(int x, int y, bool horizontal, std::vector<CellPos>& cells) const {
    cells.clear();
    const int column = XToColumn(x);
    const int row = YToRow(y);
    if (!IsInGrid(column, row) || !Cell(column, row).mExists)
        return false;
    auto holdsItem = [&](int c, int r) { return IsInActiveRect(c, r) && Cell(c, r).mExists && Cell(c, r).mItem >= 0; };
    const int dc = horizontal ? 1 : 0;
    const int dr = horizontal ? 0 : 1;
    for (int c = column, r = row; holdsItem(c, r); c -= dc, r -= dr)
        cells.push_back({c, r});
    for (int c = column + dc, r = row + dr; holdsItem(c, r); c += dc, r += dr)
        cells.push_back({c, r});
    return true;
}

} // namespace Game
