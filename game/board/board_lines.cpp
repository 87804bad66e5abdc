// The line search, hits on the cells of a run and their removal.

#include "game/board/board.h"
#include "game/board/board_listener.h"

namespace Game {

template <typename OnRun>
void Board::ScanRuns(bool ignoreMotion, OnRun onRun) const {
    auto joins = [&](const BoardCell& cell) {
        return cell.mExists && cell.mItem >= 0 && (ignoreMotion || IsAtRest(cell));
    };
    // Walks one line of `count` cells; runs are handed over from their last
    // cell back to their first.
    auto walk = [&](int count, auto cellAt) {
        std::vector<CellPos> run;
        int runItem = kItemEmpty;
        auto judge = [&] {
            if (run.size() >= 3)
                onRun(runItem, std::vector<CellPos>(run.rbegin(), run.rend()));
            run.clear();
        };
        for (int i = 0; i < count; ++i) {
            const CellPos pos = cellAt(i);
            const BoardCell& cell = Cell(pos.mColumn, pos.mRow);
            if (!run.empty() && joins(cell) && cell.mItem == runItem) {
                run.push_back(pos);
                continue;
            }
            judge();
            if (joins(cell)) {
                run.push_back(pos);
                runItem = cell.mItem;
            }
        }
        judge();
    };
    if (mColStart < 0)
        return;
    for (int row = mRowStart; row < mRowStart + mHeight; ++row)
        walk(mWidth, [&](int i) { return CellPos{mColStart + i, row}; });
    for (int column = mColStart; column < mColStart + mWidth; ++column)
        walk(mHeight, [&](int i) { return CellPos{column, mRowStart + i}; });
}

int Board::FindLines(bool ignoreMotion, bool silent, CellPos swap1, CellPos swap2) {
    mFigures.clear();
    // Hits take effect as each run is judged; they change chains, tiles and
    // secrets, never the items the walk compares.
    ScanRuns(ignoreMotion, [&](int type, const std::vector<CellPos>& cells) {
        AddFigure(type, cells, swap1, swap2);
        for (const CellPos& pos : cells)
            HitCell(pos.mColumn, pos.mRow, silent, type);
    });
    return static_cast<int>(mFigures.size());
}

bool Board::HasRun() const {
    bool found = false;
    ScanRuns(true, [&](int, const std::vector<CellPos>&) { found = true; });
    return found;
}

void Board::AddFigure(int type, const std::vector<CellPos>& cells, CellPos swap1, CellPos swap2) {
    Figure figure;
    figure.mType = type;
    figure.mLength = static_cast<int>(cells.size());
    // cells.front() is the run's last cell.
    const CellPos last = cells.front();
    const bool inRow = cells.size() > 1 && cells[1].mRow == last.mRow;
    figure.mCentreColumn = inRow ? last.mColumn - figure.mLength / 2 : last.mColumn;
    figure.mCentreRow = inRow ? last.mRow : last.mRow - figure.mLength / 2;
    figure.mSwap1 = swap1;
    figure.mSwap2 = swap2;
    figure.mCells = cells;
    mFigures.push_back(std::move(figure));
}

void Board::HitCell(int column, int row, bool silent, int type) {
    BoardCell& cell = Cell(column, row);
    if (cell.mChain != 0) {
        BreakChain(column, row);
        return;
    }
    if (silent)
        return;
    if (cell.mTiles > 0)
        --cell.mTiles;
    if (cell.mSecretItem >= 0 && cell.mSecretItem == type) {
        cell.mSecretItem = -1;
        if (mListener != nullptr)
            mListener->OnSecretFound(cell.mX, cell.mY);
    }
}

void Board::BreakChain(int column, int row) {
    BoardCell& cell = Cell(column, row);
    if (cell.mChain == 0)
        return;
    cell.mChain = cell.mChain == 3 ? 1 : 0;
    if (cell.mChain == 0)
        cell.mJustFreed = true;
    PlaceChainPicture(cell);
    if (mListener != nullptr)
        mListener->OnChainBroken(cell);
}

void Board::RemoveFigures() {
    for (const Figure& figure : mFigures) {
        for (const CellPos& pos : figure.mCells) {
            if (!IsInGrid(pos.mColumn, pos.mRow))
                continue; // a bonus's list of chosen cells
            BoardCell& cell = Cell(pos.mColumn, pos.mRow);
            if (cell.mChain == 0 && !cell.mJustFreed)
                cell.mItem = kItemRemoved;
        }
    }
}

} // namespace Game
