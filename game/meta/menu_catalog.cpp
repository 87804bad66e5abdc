#include "game/meta/menu_catalog.h"

#include "game/meta/catalog_sections.h"
#include "game/ui/ini_document.h"
#include "game/ui/read_rect_setting.h"
#include "game/ui/resource_ids.h"

namespace Game {

platform::ProcessSlot<MenuCatalog>& MenuCatalogSlot() {
    static platform::ProcessSlot<MenuCatalog> slot;
    return slot;
}

bool MenuCatalog::Load(const std::string& path) {
    IniDocument document;
    document.Load(path, true);
    return AddDocument(document);
}

bool MenuCatalog::AddDocument(IniDocument& document) {
    if (document.GetSectionCount() == 0)
        return false;
    const IniSection* main = FindMainSection(document);
    if (main != nullptr && main->GetKeyCount() != 0) {
        int counter = 0;
        for (auto key = main->Begin(); key != main->End(); ++key)
            mCategoryIndex[key.Name()] = counter++;
        mCategories.resize(static_cast<size_t>(counter));
    }
    for (auto section = document.Begin(); section != document.End(); ++section) {
        if (&section.Value() == main)
            continue;
        auto entry = std::make_unique<MenuEntry>();
        ReadEntry(*entry, section.Value(), section.Name());
        // A category number that a later file left without a map files the
        // dish in no map; it stays in the list of all dishes.
        if (static_cast<size_t>(entry->mCategory) < mCategories.size())
            mCategories[static_cast<size_t>(entry->mCategory)][entry->mName] = entry.get();
        mEntries.push_back(std::move(entry));
    }
    return true;
}

void MenuCatalog::ReadEntry(MenuEntry& entry, const IniSection& section, const std::string& name) {
    entry.mName = name;
    entry.mCaption = section.GetString("Caption");
    entry.mImageShop = section.GetString("ImageShop");
    entry.mShopRect = ReadRectSetting(section, "ShopRect");
    entry.mLevel = section.GetInt("Level", 0);
    entry.mPrice = section.GetInt("Price", 0);
    entry.mNoEffect = section.GetInt("Effect", 0) == 0;
    entry.mRank = section.GetInt("Rank", 0);
    entry.mValue = section.GetInt("Value", 0);
    entry.mSound = section.GetString("Sound");
    entry.mCategory = CategoryNumber(mCategoryIndex, section.GetString("Category"));
    entry.mId = mNextId++;
}

void MenuCatalog::BindImages() {
    for (CategoryMap& category : mCategories)
        for (auto& [name, entry] : category)
            entry->mImage = IMAGE_MENU;
}

} // namespace Game
