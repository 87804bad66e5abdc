#include "game/meta/room_layout.h"

#include "framework/graphics/graphics.h"
#include "game/meta/shop_item.h"

#include <algorithm>

namespace Game {

int RoomLayout::IndexOf(const ShopItem* item) const {
    auto it = std::find(mItems.begin(), mItems.end(), item);
    return it == mItems.end() ? -1 : static_cast<int>(it - mItems.begin());
}

int RoomLayout::IndexOfName(const std::string& name) const {
    for (size_t i = 0; i < mItems.size(); ++i)
        if (mItems[i]->mName == name)
            return static_cast<int>(i);
    return -1;
}

bool RoomLayout::Place(ShopItem* item, bool) {
    if (item == nullptr || IndexOf(item) >= 0)
        return false;
    if (item->mReplace)
        std::erase_if(mItems,
                      [item](const ShopItem* placed) { return placed->mCategoryIndex == item->mCategoryIndex; });
    for (const std::string& name : item->mDeleteItems) {
        const int index = IndexOfName(name);
        if (index >= 0) {
            mItems.erase(mItems.begin() + index);
            mDirty = true;
        }
    }
    mItems.push_back(item);
    Sort();
    mDirty = true;
    return true;
}

void RoomLayout::Remove(const ShopItem* item, bool resort) {
    const int index = IndexOf(item);
    if (index < 0)
        return;
    mItems.erase(mItems.begin() + index);
    mDirty = true;
    if (resort)
        Sort();
}

void RoomLayout::Sort() {
    std::stable_sort(mItems.begin(), mItems.end(),
                     [](const ShopItem* a, const ShopItem* b) { return a->mZOrder < b->mZOrder; });
}

void RoomLayout::Clear() {
    mItems.clear();
    mDirty = true;
}

void RoomLayout::CollectNames(std::vector<std::string>& names) const {
    names.clear();
    for (const ShopItem* item : mItems)
        names.push_back(item->mName);
}

void RoomLayout::Draw(Kavo::Graphics* g) {
    g->PushState();
    g->SetColorizeImages(false);
    g->SetDrawMode(0);
    for (const ShopItem* item : mItems) {
        if (item->mRoomImage == nullptr)
            continue;
        for (const ShopDrawInfo& piece : item->mDrawInfo)
            g->DrawImage(item->mRoomImage, static_cast<int>(piece.mX), static_cast<int>(piece.mY),
                         Kavo::IntRect(piece.mSrcX, piece.mSrcY, piece.mSrcW, piece.mSrcH));
    }
    g->PopState();
    mEffects.Draw(g);
}

} // namespace Game
