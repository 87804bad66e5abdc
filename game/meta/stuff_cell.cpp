#include "game/meta/stuff_cell.h"

#include "framework/graphics/graphics.h"
#include "game/meta/cell_drawing.h"
#include "game/meta/shop_item.h"
#include "game/ui/resource_ids.h"

namespace Game {

void StuffCell::Draw(Kavo::Graphics* g) {
    g->PushState();
    const float x = static_cast<float>(static_cast<int>(mX));
    const float y = static_cast<float>(static_cast<int>(mY));
    DrawCellFrame(g, IMAGE_SHOPBUTTON, x, y, !mAffordable ? 2 : mSelected ? 1 : 0, false);
    DrawCellPicture(g, mItem->mShopImage, mItem->mShopRect, x + 1, y + 1, mAffordable ? 255 : 80, false);
    if (mInRoom)
        DrawCellPicture(g, IMAGE_INROOM, Kavo::IntRect(), x + 2, y + 2, 255, false);
    if (!mOwned)
        DrawCellPrice(g, mItem->TotalPrice(), x, y);
    if (mAffordable && !mOwned)
        DrawCellPicture(g, IMAGE_BUY, Kavo::IntRect(), x + 2, y + 2, 255, false);
    g->PopState();
}

} // namespace Game
