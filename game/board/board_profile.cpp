// The board's block inside the user profile: a header of five 16-bit values
// (active rectangle and featured item), then 7 bytes per cell in row-major
// order: exists, tiles, secret item (16 bits), item (16 bits), chain.

#include "game/board/board.h"

#include "framework/util/buffer.h"

#include <algorithm>
#include <cstdint>

namespace Game {

void Board::Save(Kavo::Buffer& buffer) const {
    for (int value : {mColStart, mRowStart, mWidth, mHeight, mFeaturedItem})
        buffer.WriteShort(static_cast<std::int16_t>(value));
    for (const BoardCell& cell : mCells) {
        buffer.WriteBoolean(cell.mExists);
        buffer.WriteByte(static_cast<std::uint8_t>(cell.mTiles));
        buffer.WriteShort(static_cast<std::int16_t>(cell.mSecretItem));
        buffer.WriteShort(static_cast<std::int16_t>(cell.mItem));
        buffer.WriteByte(static_cast<std::uint8_t>(cell.mChain));
    }
}

bool Board::Load(Kavo::Buffer& buffer) {
    const bool whole = buffer.GetDataLenBits() - buffer.GetReadBitPos() >= kSavedSize * 8;
    // The stored rectangle is read past: it is computed from the cells below.
    for (int i = 0; i < 4; ++i)
        buffer.ReadShort();
    mFeaturedItem = buffer.ReadShort();
    for (int row = 0; row < kBoardRows; ++row) {
        for (int column = 0; column < kBoardColumns; ++column) {
            BoardCell& cell = Cell(column, row);
            cell.mItem = kItemEmpty;
            cell.mSecretItem = -1;
            cell.mExists = true;
            cell.mVisible = true;
            cell.mTiles = 0;
            cell.mSpeed = 4.0f;
            cell.mDx = 0;
            cell.mDy = 0;
            cell.mChain = 0;
            cell.mChainStyle = 0;
            cell.mJustFreed = false;
            cell.mTargetX = ColumnToX(column, true);
            cell.mTargetY = RowToY(row, true);
            cell.mX = static_cast<float>(cell.mTargetX);
            cell.mY = static_cast<float>(cell.mTargetY);

            cell.mExists = buffer.ReadBoolean();
            cell.mTiles = buffer.ReadByte();
            cell.mSecretItem = buffer.ReadShort();
            cell.mItem = buffer.ReadShort();
            cell.mChain = std::min<int>(buffer.ReadByte(), 3);

            PlaceItemPicture(cell);
            PlaceChainPicture(cell);
            PlaceSecretPicture(cell);
        }
    }
    ComputeActiveRect();
    FindMoves(true);
    return whole;
}

} // namespace Game
