#include "game/board/board.h"

#include "game/board/board_random.h"
#include "game/board/chain_image.h"
#include "game/board/item_catalog.h"

#include <algorithm>
#include <tuple>

namespace Game {

Board::Board() {
    mSelectionAnim.LoadFile("data/selected.anim");
    mSelectionAnim.Restart();
}

int Board::XToColumn(int x) const {
    const int offset = x - mOriginX;
    return offset < 0 ? -1 : offset / kCellSize;
}

int Board::YToRow(int y) const {
    const int offset = y - mOriginY;
    return offset < 0 ? -1 : offset / kCellSize;
}

int Board::ColumnToX(int column, bool centre) const {
    return mOriginX + column * kCellSize + (centre ? kCellSize / 2 : 0);
}

int Board::RowToY(int row, bool centre) const {
    return mOriginY + row * kCellSize + (centre ? kCellSize / 2 : 0);
}

bool Board::IsCellAt(int x, int y) const {
    const int column = XToColumn(x);
    const int row = YToRow(y);
    return IsInGrid(column, row) && Cell(column, row).mExists;
}

BoardCell* Board::CellAt(int x, int y) {
    return IsCellAt(x, y) ? &Cell(XToColumn(x), YToRow(y)) : nullptr;
}

void Board::SetOrigin(int x, int y) {
    mOriginX = x;
    mOriginY = y;
    for (int row = 0; row < kBoardRows; ++row) {
        for (int column = 0; column < kBoardColumns; ++column) {
            BoardCell& cell = Cell(column, row);
            cell.mTargetX = ColumnToX(column, true);
            cell.mTargetY = RowToY(row, true);
            cell.mX = static_cast<float>(cell.mTargetX);
            cell.mY = static_cast<float>(cell.mTargetY);
            cell.mDx = 0;
            cell.mDy = 0;
            cell.mSpeed = 4.0f;
            cell.mExists = true;
            cell.mVisible = true;
        }
    }
}

void Board::ResetCells(int item) {
    for (BoardCell& cell : mCells) {
        cell.mItem = item;
        cell.mSecretItem = -1;
        cell.mTiles = 0;
        cell.mX = 0;
        cell.mY = 0;
        cell.mDx = 0;
        cell.mDy = 0;
        cell.mSpeed = 4.0f;
        cell.mExists = true;
        cell.mVisible = true;
        cell.mChain = 0;
        cell.mChainStyle = 0;
        cell.mJustFreed = false;
    }
}

void Board::ComputeActiveRect() {
    mColStart = mRowStart = mWidth = mHeight = -1;
    int lastColumn = -1;
    int lastRow = -1;
    for (int column = 0; column < kBoardColumns; ++column) {
        for (int row = 0; row < kBoardRows; ++row) {
            if (!Cell(column, row).mExists)
                continue;
            if (lastColumn != column)
                mColumnTopY[static_cast<size_t>(column)] = RowToY(row, true);
            if (mColStart < 0)
                mColStart = column;
            lastColumn = column;
            if (mRowStart < 0 || row < mRowStart)
                mRowStart = row;
            lastRow = std::max(lastRow, row);
        }
    }
    if (mColStart >= 0) {
        mWidth = lastColumn - mColStart + 1;
        mHeight = lastRow - mRowStart + 1;
    }
}

bool Board::NewBoard(const BoardLayout& layout, bool placeSecret) {
    const bool anyCell = std::any_of(layout.mCells.begin(), layout.mCells.end(),
                                     [](const LayoutCell& cell) { return (cell.mValue & 0x0F) > 0; });
    if (!anyCell || mItemSet.empty())
        return false;
    mSwaps.clear();
    mSelected = CellPos();
    mSwapTarget = CellPos();
    ResetCells(kItemEmpty);
    for (int index = 0; index < kBoardCellCount; ++index) {
        const LayoutCell& source = layout.mCells[static_cast<size_t>(index)];
        BoardCell& cell = mCells[static_cast<size_t>(index)];
        // The tile layer shows the low four bits; the counter is the same.
        cell.mTiles = source.mValue & 0x0F;
        cell.mExists = cell.mTiles > 0;
        cell.mChain = std::clamp(source.mChain, 0, 3);
        cell.mChainStyle = std::clamp(source.mChainStyle, 0, 1);
        cell.mSecretItem = -1;
        cell.mSpeed = 4.0f;
        PlaceChainPicture(cell);
    }
    ComputeActiveRect();
    Refill(false);
    mFeaturedItem = mItemSet[static_cast<size_t>(RandomIndex(static_cast<int>(mItemSet.size())))];
    if (placeSecret)
        PlaceSecrets(1);
    FindMoves(false);
    mState = kBoardIdle;
    return true;
}

bool Board::IsFreeForSecret(int column, int row) const {
    if (column < mColStart || column >= mColStart + mWidth || row < mRowStart || row >= mRowStart + mHeight)
        return false;
    const BoardCell& cell = Cell(column, row);
    return cell.mExists && cell.mSecretItem < 0;
}

bool Board::HasFreeNeighbours(int column, int row) const {
    static constexpr int kOffsets[8][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}, {0, -2}, {0, 2}, {-2, 0}, {2, 0}};
    for (const auto& offset : kOffsets) {
        if (!IsFreeForSecret(column + offset[0], row + offset[1]))
            return false;
    }
    return true;
}

void Board::PlaceSecrets(int n) {
    static constexpr int kNeighbourTests = 31;
    for (int placed = 0; placed < n && !mItemSet.empty(); ++placed) {
        bool anyFree = false;
        ForEachActiveCell([&](int, int, const BoardCell& cell) {
            anyFree = cell.mSecretItem < 0;
            return !anyFree;
        });
        if (!anyFree)
            return;
        int column = 0;
        int row = 0;
        for (int tests = 0;; ++tests) {
            do {
                row = RandomInt(mRowStart, mRowStart + mHeight);
                column = RandomInt(mColStart, mColStart + mWidth);
            } while (!IsFreeForSecret(column, row));
            if (tests >= kNeighbourTests || HasFreeNeighbours(column, row))
                break;
        }
        BoardCell& cell = Cell(column, row);
        cell.mSecretItem = mItemSet[static_cast<size_t>(RandomIndex(static_cast<int>(mItemSet.size())))];
        PlaceSecretPicture(cell);
    }
}

void Board::SwapItems(int c1, int r1, int c2, int r2) {
    BoardCell& first = Cell(c1, r1);
    BoardCell& second = Cell(c2, r2);
    std::swap(first.mItem, second.mItem);
    for (auto [cell, column, row] : {std::tuple(&first, c1, r1), std::tuple(&second, c2, r2)}) {
        cell->mX = static_cast<float>(ColumnToX(column, true));
        cell->mY = static_cast<float>(RowToY(row, true));
        PlaceItemPicture(*cell);
    }
}

void Board::PlaceChainPicture(BoardCell& cell) {
    cell.mChainSprite.SetImage(ChainImage(cell.mChain, cell.mChainStyle));
    cell.mChainSprite.mX = static_cast<float>(cell.mTargetX);
    cell.mChainSprite.mY = static_cast<float>(cell.mTargetY);
    cell.mChainSprite.mCentered = true;
}

void Board::PlaceItemPicture(BoardCell& cell) {
    const ItemRecord* record = cell.mItem >= 0 ? FindItem(cell.mItem) : nullptr;
    cell.mItemSprite.SetImage(record != nullptr ? record->mBoardImage : nullptr);
    cell.mItemSprite.mX = cell.mX;
    cell.mItemSprite.mY = cell.mY;
    cell.mItemSprite.mCentered = true;
}

void Board::PlaceSecretPicture(BoardCell& cell) {
    const ItemRecord* record = cell.mSecretItem >= 0 ? FindItem(cell.mSecretItem) : nullptr;
    cell.mSecretSprite.SetImage(record != nullptr ? record->mSecretImage : nullptr);
    cell.mSecretSprite.mX = static_cast<float>(cell.mTargetX);
    cell.mSecretSprite.mY = static_cast<float>(cell.mTargetY);
    cell.mSecretSprite.mCentered = true;
}

} // namespace Game
