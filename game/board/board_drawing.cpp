#include "game/board/board.h"

#include "framework/graphics/graphics.h"
#include "game/ui/resource_ids.h"

namespace Game {

void Board::SetHover(int x, int y) {
    mHover = CellPos();
    if (!mInputEnabled)
        return;
    const int column = XToColumn(x);
    const int row = YToRow(y);
    if (!IsInGrid(column, row))
        return;
    const BoardCell& cell = Cell(column, row);
    if (cell.mExists && cell.mItem >= 0 && cell.mChain == 0)
        mHover = {column, row};
}

void Board::MouseUp(int, int) {
    if (mInputEnabled)
        mDragArmed = false;
}

void Board::ShowItems(bool visible) {
    ForEachActiveCell([&](int, int, BoardCell& cell) {
        if (cell.mChain == 0)
            cell.mVisible = visible;
        return true;
    });
}

void Board::ClearSelection() {
    mSelected = CellPos();
    mSwapTarget = CellPos();
}

void Board::DrawItems(Kavo::Graphics* g) {
    if (!mVisible)
        return;
    g->PushState();
    const int halfAlpha = static_cast<int>(mAlpha * 127.0f / 255.0f);
    if (mHover.mColumn >= 0 && mHover != mSelected && IMAGE_WHITECELL != nullptr) {
        g->SetColorizeImages(true);
        g->SetColor(Kavo::Color(255, 255, 255, halfAlpha));
        g->DrawImage(IMAGE_WHITECELL, ColumnToX(mHover.mColumn, false), RowToY(mHover.mRow, false));
    }
    if (mSelected.mColumn >= 0) {
        g->SetColor(Kavo::Color(0, 0, 255, halfAlpha));
        g->FillRect(ColumnToX(mSelected.mColumn, false), RowToY(mSelected.mRow, false), kCellSize, kCellSize);
    }

    g->SetColorizeImages(true);
    g->SetColor(Kavo::Color(255, 255, 255, static_cast<int>(mAlpha)));
    if (mState != kBoardCleared) {
        ForEachActiveCell([&](int column, int row, BoardCell& cell) {
            if (cell.mSecretItem < 0)
                return true;
            // While clearing away the secret falls with its item.
            const bool falling = mState == kBoardClearing;
            cell.mSecretSprite.mX = falling ? cell.mX : static_cast<float>(ColumnToX(column, true));
            cell.mSecretSprite.mY = falling ? cell.mY : static_cast<float>(RowToY(row, true));
            cell.mSecretSprite.Draw(g, 255.0f);
            return true;
        });
    }
    const bool chainsShown = mState != kBoardClearing && mState != kBoardCleared;
    ForEachActiveCell([&](int, int, BoardCell& cell) {
        if (cell.mItem == kItemRemoved || !cell.mVisible)
            return true;
        cell.mItemSprite.Draw(g, 255.0f);
        if (cell.mChain != 0 && cell.mDy == 0 && chainsShown)
            cell.mChainSprite.Draw(g, 255.0f);
        return true;
    });
    g->PopState();
}

} // namespace Game
