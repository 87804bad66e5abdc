// Dealing items: a new board's empty cells, or every item again on a
// re-deal, with a few ready moves planted first.

#include "game/board/board.h"
#include "game/board/board_random.h"

#include <algorithm>
#include <array>

namespace Game {

namespace {

// A deal that leaves a run or no move is dealt again, up to this many
// times; the last one stays (too few item kinds, or a layout too small for
// any move).
constexpr int kDealAttempts = 100;
constexpr int kNeighbourDraws = 121;
constexpr int kPlantTries = 19;
constexpr int kAnchorDraws = 64;

} // namespace

void Board::Refill(bool redeal) {
    if (mItemSet.empty() || mColStart < 0)
        return;
    std::vector<int> dealt;
    ForEachActiveCell([&](int column, int row, BoardCell& cell) {
        cell.mX = static_cast<float>(ColumnToX(column, true));
        cell.mY = static_cast<float>(RowToY(row, true));
        if (redeal ? cell.mItem >= 0 : cell.mItem == kItemEmpty)
            dealt.push_back(row * kBoardColumns + column);
        return true;
    });
    for (int attempt = 0; attempt < kDealAttempts; ++attempt) {
        if (DealOnce(dealt, redeal))
            break;
    }
    if (redeal)
        FindMoves(true);
}

bool Board::DealOnce(const std::vector<int>& dealt, bool redeal) {
    const int mark = redeal ? kItemRedeal : kItemEmpty;
    for (int index : dealt)
        mCells[static_cast<size_t>(index)].mItem = mark;
    PlantMoves(dealt, mark);
    const int count = static_cast<int>(mItemSet.size());
    ForEachActiveCell([&](int column, int row, BoardCell& cell) {
        if (cell.mItem != mark)
            return true;
        std::array<int, 4> around{};
        int n = 0;
        for (auto [c, r] : {std::pair(column, row - 1), std::pair(column, row + 1), std::pair(column - 1, row),
                            std::pair(column + 1, row)}) {
            if (IsInActiveRect(c, r))
                around[static_cast<size_t>(n++)] = Cell(c, r).mItem;
        }
        int item = 0;
        for (int draw = 0; draw < kNeighbourDraws; ++draw) {
            item = mItemSet[static_cast<size_t>(RandomIndex(count))];
            if (std::find(around.begin(), around.begin() + n, item) == around.begin() + n)
                break;
        }
        cell.mItem = item;
        PlaceItemPicture(cell);
        if (!redeal)
            cell.mDy = 1;
        return true;
    });
    if (!redeal) {
        ForEachActiveCell([&](int column, int row, BoardCell& cell) {
            cell.mX = static_cast<float>(ColumnToX(column, true));
            cell.mY = static_cast<float>(RowToY(row, true));
            return true;
        });
    }
    if (HasRun())
        return false;
    std::vector<Move> moves;
    CollectMoves(moves);
    return !moves.empty();
}

void Board::PlantMoves(const std::vector<int>& dealt, int mark) {
    if (dealt.empty())
        return;
    auto isDealt = [&](int column, int row) {
        if (!IsInActiveRect(column, row))
            return false;
        const BoardCell& cell = Cell(column, row);
        return cell.mExists && cell.mItem == mark;
    };
    const int plants = RandomInt(4, 7);
    for (int plant = 0; plant < plants; ++plant) {
        for (int attempt = 0; attempt < kPlantTries; ++attempt) {
            // The anchor: a cell being dealt that still carries tiles. The
            // draw never reaches the last row or column of the rectangle.
            int column = 0;
            int row = 0;
            bool found = false;
            for (int draw = 0; draw < kAnchorDraws && !found; ++draw) {
                row = RandomInt(mRowStart, mRowStart + mHeight - 1);
                column = RandomInt(mColStart, mColStart + mWidth - 1);
                found = isDealt(column, row) && Cell(column, row).mTiles >= 1;
            }
            if (!found)
                return;
            const int orientation = RandomInt(0, 2);
            const int item = mItemSet[static_cast<size_t>(RandomIndex(static_cast<int>(mItemSet.size())))];
            // The item on the anchor, two further along and on the diagonal
            // between: one swap of the diagonal item makes a run of three.
            bool planted = false;
            for (int flip = 0; flip < 2 && !planted; ++flip) {
                const bool horizontal = (orientation ^ flip) == 0;
                const CellPos cells[3] = {{column, row},
                                          horizontal ? CellPos{column + 2, row} : CellPos{column, row + 2},
                                          {column + 1, row + 1}};
                if (!std::all_of(std::begin(cells), std::end(cells),
                                 [&](const CellPos& pos) { return isDealt(pos.mColumn, pos.mRow); }))
                    continue;
                for (const CellPos& pos : cells) {
                    BoardCell& cell = Cell(pos.mColumn, pos.mRow);
                    cell.mItem = item;
                    PlaceItemPicture(cell);
                }
                planted = true;
            }
            if (planted)
                break;
        }
    }
}

} // namespace Game
