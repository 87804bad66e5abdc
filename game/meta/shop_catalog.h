#pragma once
// Every piece of room decoration that can be bought, read from the shop
// files and kept, by category, for the whole run.

#include "game/meta/shop_item.h"
#include "platform/process_slot.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Game {

class IniDocument;
class IniSection;
class RoomImageSource;

class ShopCatalog {
public:
    // Item name to item, in byte order of the names.
    using CategoryMap = std::map<std::string, ShopItem*>;
    using NameList = std::vector<std::string>;

    // Reads one shop file and adds its items; false when it cannot be read
    // or holds no section (nothing changes then).
    bool Load(const std::string& path);
    // The same for a document already read.
    bool AddDocument(IniDocument& document);
    // Binds each item's shop picture to the resource its ImageShop names.
    void BindImages();
    // The item of the lowest category map that holds the name, or null.
    ShopItem* Find(const std::string& name) const;

    // Gives each named item without a room picture its picture, loading it
    // first when the source does not hold it yet.
    void LoadRoomImages(const NameList& names, RoomImageSource& source);
    // Drops the room picture of every item not named; a picture is freed only
    // when no named item still holds it.
    void ReleaseRoomImages(const NameList& names, RoomImageSource& source);
    // The value of a room furnished with the named items of that rank.
    float ComputeRoomValue(const NameList& names, int rank) const;

    size_t GetCategoryCount() const { return mCategories.size(); }
    const CategoryMap& GetCategory(size_t index) const { return mCategories[index]; }

    std::vector<CategoryMap> mCategories;
    std::map<std::string, int> mCategoryIndex;
    std::vector<std::unique_ptr<ShopItem>> mItems; // every item in load order; owns them
    int mNextSerial = 0;

private:
    void ReadItem(ShopItem& item, const IniSection& section, const std::string& name);
};

// The run's catalogue, installed by the application before loading.
platform::ProcessSlot<ShopCatalog>& ShopCatalogSlot();

} // namespace Game
