#include "game/board/item_catalog.h"

#include "game/ui/game_resource_manager.h"
#include "game/ui/ini_document.h"

#include <algorithm>
#include <climits>

namespace Game {

namespace {

// A picture by name from the game's resource manager, loaded in 32-bit form
// the first time it is asked for; null for an empty name, without a manager,
// or when nothing can be loaded under the name.
Kavo::Image* SharedPicture(const std::string& name) {
    if (name.empty())
        return nullptr;
    std::shared_ptr<GameResourceManager> manager = GameResourceManagerSlot().Get();
    if (manager == nullptr)
        return nullptr;
    if (manager->HasImage(name))
        return manager->GetImageById(name);
    return manager->LoadImageWithFlags(name, "a8r8g8b8");
}

} // namespace

platform::ProcessSlot<ItemCatalog>& ItemCatalogSlot() {
    static platform::ProcessSlot<ItemCatalog> slot;
    return slot;
}

const ItemRecord* FindItem(int id) {
    std::shared_ptr<ItemCatalog> catalog = ItemCatalogSlot().Get();
    return catalog == nullptr ? nullptr : catalog->Find(id);
}

bool ItemCatalog::Fail(const std::string& text) {
    if (mErrorText.empty())
        mErrorText = text;
    return false;
}

bool ItemCatalog::Load(const std::string& path) {
    IniDocument document;
    document.Load(path, true);
    if (document.GetSectionCount() == 0)
        return Fail("No item sections in " + path);
    return LoadDocument(document);
}

bool ItemCatalog::LoadDocument(IniDocument& document) {
    for (auto it = document.Begin(); it != document.End(); ++it) {
        const IniSection& section = it.Value();
        ItemRecord& item = mItems.emplace_back();
        item.mType = section.GetInt("Type", 0);
        item.mAnimObj = section.GetString("AnimObj", "");
        item.mCursor = section.GetString("Cursor", "");
        item.mImage = SharedPicture(item.mCursor);
        item.mBoardImage = item.mImage;
        item.mSecretImage = SharedPicture(section.GetString("Secret", ""));
        if (!item.mCursor.empty()) {
            item.mBrokeImage = SharedPicture(item.mCursor + "broke");
            item.mDustImage = SharedPicture(item.mCursor + "dust");
        }
        // The board doubles a price under the x2 bonus: keep that in range.
        item.mPrice = std::clamp(section.GetInt("Price", 3), INT_MIN / 2, INT_MAX / 2);
        item.mId = section.GetInt("ID", 0);
    }
    return mItems.empty() ? Fail("The item catalogue is empty") : true;
}

const ItemRecord* ItemCatalog::Find(int id) const {
    for (const ItemRecord& item : mItems) {
        if (item.mId == id)
            return &item;
    }
    return nullptr;
}

} // namespace Game
