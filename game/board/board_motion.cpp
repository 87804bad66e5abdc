#include "game/board/board.h"

#include "framework/app/kavo_app_base.h"

namespace Game {

void Board::MoveItems(float dt) {
    ForEachActiveCell([&](int column, int row, BoardCell& cell) {
        if (cell.mItem == kItemRemoved || (cell.mDx == 0 && cell.mDy == 0))
            return true;
        cell.mX += static_cast<float>(cell.mDx) * cell.mSpeed * dt;
        cell.mY += static_cast<float>(cell.mDy) * cell.mSpeed * dt;
        const float targetX = static_cast<float>(cell.mTargetX);
        const float targetY = static_cast<float>(cell.mTargetY);
        if ((cell.mDy > 0 && cell.mY >= targetY) || (cell.mDy < 0 && cell.mY <= targetY)) {
            cell.mY = targetY;
            cell.mDy = 0;
            cell.mTargetY = RowToY(row, true);
        }
        if ((cell.mDx > 0 && cell.mX >= targetX) || (cell.mDx < 0 && cell.mX <= targetX)) {
            cell.mX = targetX;
            cell.mDx = 0;
            cell.mTargetX = ColumnToX(column, true);
        }
        cell.mItemSprite.mX = cell.mX;
        cell.mItemSprite.mY = cell.mY;
        cell.mItemSprite.mCentered = true;
        return true;
    });
}

void Board::DropAll() {
    // The last line search's figures must not be removed from the falling
    // board.
    mFigures.clear();
    mState = kBoardClearing;
    mSelected = CellPos();
    mSwapTarget = CellPos();
    mHover = CellPos();
    // Without an application the items fall to the bottom of the grid.
    const Kavo::KavoAppBase* app = Kavo::gAppBase;
    const int windowHeight = app != nullptr ? app->GetHeight() : RowToY(kBoardRows, false);
    ForEachActiveCell([&](int, int row, BoardCell& cell) {
        if (cell.mItem == kItemRemoved)
            cell.mItem = kItemEmpty;
        cell.mDy = 1;
        cell.mDx = 0;
        cell.mTargetY = windowHeight + 100;
        cell.mSpeed = 6.0f;
        cell.mY = static_cast<float>(RowToY(row, true));
        return true;
    });
}

} // namespace Game
