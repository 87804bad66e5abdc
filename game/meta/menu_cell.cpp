#include "game/meta/menu_cell.h"

#include "framework/graphics/image.h"
#include "game/meta/cell_drawing.h"
#include "game/meta/menu_entry.h"
#include "game/ui/resource_ids.h"

namespace Game {

void MenuCell::DrawFrame(Kavo::Graphics* g) const {
    const int frame = !mAffordable ? 2 : mPicked ? 3 : mSelected ? 1 : 0;
    DrawCellFrame(g, IMAGE_SHOPBUTTON, mX, mY, frame, true);
}

void MenuCell::Draw(Kavo::Graphics* g) {
    DrawFrame(g);
    DrawCellPicture(g, mEntry->mImage, mEntry->mShopRect, mX + 1, mY + 1, mAffordable ? 255 : 80, true);
    if (mAffordable && !mOwned)
        DrawCellPicture(g, IMAGE_BUY, Kavo::IntRect(), mX + 2, mY + 2, 255, true);
    if (!mOwned)
        DrawCellPrice(g, mEntry->mPrice, mX, mY);
}

void MenuCell::DrawRanked(Kavo::Graphics* g) {
    DrawFrame(g);
    DrawCellPicture(g, mEntry->mImage, mEntry->mShopRect, mX + 1, mY + 1, 255, true);
    if (IMAGE_SMALLRANK != nullptr) {
        const int width = IMAGE_SMALLRANK->GetCelRect(mEntry->mRank).mWidth;
        DrawCellFrame(g, IMAGE_SMALLRANK, mX + 110 - static_cast<float>(width) - 7, mY + 2, mEntry->mRank, true);
    }
    DrawCellPrice(g, mEntry->mPrice, mX, mY);
}

} // namespace Game
