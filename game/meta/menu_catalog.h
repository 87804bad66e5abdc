#pragma once
// The dishes that a restaurant can put on its menu, read from the menu files
// and kept, by category, for the whole run.

#include "game/meta/menu_entry.h"
#include "platform/process_slot.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Game {

class IniDocument;
class IniSection;

class MenuCatalog {
public:
    // Dish name to dish, in byte order of the names.
    using CategoryMap = std::map<std::string, MenuEntry*>;

    // Reads one menu file and adds its categories and dishes; false when it
    // cannot be read or holds no section (nothing changes then).
    bool Load(const std::string& path);
    // The same for a document already read.
    bool AddDocument(IniDocument& document);
    // Every dish draws from the one dish sheet IMAGE_MENU.
    void BindImages();

    size_t GetCategoryCount() const { return mCategories.size(); }
    const CategoryMap& GetCategory(size_t index) const { return mCategories[index]; }

    std::vector<CategoryMap> mCategories;
    std::map<std::string, int> mCategoryIndex;
    int mNextId = 1000;
    std::vector<std::unique_ptr<MenuEntry>> mEntries; // every dish in load order; owns them

private:
    void ReadEntry(MenuEntry& entry, const IniSection& section, const std::string& name);
};

// The run's catalogue, installed by the application before loading.
platform::ProcessSlot<MenuCatalog>& MenuCatalogSlot();

} // namespace Game
