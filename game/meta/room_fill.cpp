#include "game/meta/room_fill.h"

#include "game/meta/room_layout.h"
#include "game/meta/shop_catalog.h"
#include "game/ui/user_record.h"

#include <string>

namespace Game {

void PlaceMarkedItems(RoomLayout& room, const ShopCatalog& catalog, const std::vector<ItemEntry>& decoration,
                      const std::function<bool(const ShopItem&)>& belongs) {
    room.Clear();
    for (const ItemEntry& entry : decoration) {
        ShopItem* item = catalog.Find(entry.mName);
        if (item != nullptr && entry.mState == 1 && belongs(*item))
            room.Place(item);
    }
    room.Sort();
}

void RefreshRoomImages(const RoomLayout& room, ShopCatalog& catalog, RoomImageSource& source) {
    std::vector<std::string> names;
    room.CollectNames(names);
    catalog.ReleaseRoomImages(names, source);
    catalog.LoadRoomImages(names, source);
}

} // namespace Game
