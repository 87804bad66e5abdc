#include "game/board/board.h"

#include "game/board/board_random.h"

#include <algorithm>

namespace Game {

bool Board::IsStill() const {
    bool still = true;
    ForEachActiveCell([&](int, int, const BoardCell& cell) {
        still = cell.mDx == 0 && cell.mDy == 0;
        return still;
    });
    return still;
}

bool Board::AllTilesCleared() const {
    return CountActiveCells([](const BoardCell& cell) { return cell.mTiles != 0; }) == 0;
}

int Board::CountActiveCells(bool (*test)(const BoardCell&)) const {
    int count = 0;
    ForEachActiveCell([&](int, int, const BoardCell& cell) {
        count += test(cell) ? 1 : 0;
        return true;
    });
    return count;
}

void Board::FirstCellWhere(bool (*test)(const BoardCell&), int& x, int& y) const {
    x = y = -1;
    ForEachActiveCell([&](int, int, const BoardCell& cell) {
        if (!test(cell))
            return true;
        x = cell.mTargetX;
        y = cell.mTargetY;
        return false;
    });
}

void Board::FirstSecretCell(int& x, int& y) const {
    FirstCellWhere([](const BoardCell& cell) { return cell.mSecretItem >= 0; }, x, y);
}

void Board::FirstDoubleTileCell(int& x, int& y) const {
    FirstCellWhere([](const BoardCell& cell) { return cell.mTiles == 2; }, x, y);
}

void Board::FirstChainedCell(int& x, int& y) const {
    FirstCellWhere([](const BoardCell& cell) { return cell.mChain != 0; }, x, y);
}

void Board::CollectTileCells(std::vector<CellPos>& points) const {
    ForEachActiveCell([&](int column, int row, const BoardCell& cell) {
        if (cell.mTiles >= 1 && cell.mItem >= 0)
            points.push_back({column, row});
        return true;
    });
}

void Board::CollectCellsOfItem(int item, std::vector<CellPos>& cells) const {
    cells.clear();
    ForEachActiveCell([&](int column, int row, const BoardCell& cell) {
        if (cell.mItem == item)
            cells.push_back({column, row});
        return true;
    });
}

void Board::CollectChainedCells(std::vector<CellPos>& cells) const {
    ForEachActiveCell([&](int column, int row, const BoardCell& cell) {
        if (cell.mChain != 0)
            cells.push_back({column, row});
        return true;
    });
}

void Board::PickTargets(std::vector<CellPos>& points, int n) const {
    points.clear();
    CollectTileCells(points);
    ShuffleList(points);
    points.resize(std::min(points.size(), static_cast<size_t>(std::max(0, static_cast<int>(n * 0.7)))));
    // The random fill ends once every existing cell is listed, so a board
    // with fewer cells than n gives them all.
    const int existing = CountActiveCells([](const BoardCell&) { return true; });
    const size_t wanted = static_cast<size_t>(std::max(0, std::min(n, existing)));
    while (points.size() < wanted) {
        const CellPos pick{RandomInt(mColStart, mColStart + mWidth), RandomInt(mRowStart, mRowStart + mHeight)};
        if (Cell(pick.mColumn, pick.mRow).mExists && std::find(points.begin(), points.end(), pick) == points.end())
            points.push_back(pick);
    }
}

} // namespace Game
