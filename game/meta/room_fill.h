#pragma once
// How the room screen and the show-restaurant view furnish a room from the
// player's decoration list, and keep only the pictures the room shows.

#include <functional>
#include <vector>

namespace Game {

class RoomImageSource;
class RoomLayout;
class ShopCatalog;
struct ItemEntry;
struct ShopItem;

// Empties the room, then places, in list order and under the placement
// rules, every entry marked placed whose catalogue item `belongs`; sorts.
void PlaceMarkedItems(RoomLayout& room, const ShopCatalog& catalog, const std::vector<ItemEntry>& decoration,
                      const std::function<bool(const ShopItem&)>& belongs);
// Frees the room pictures of items not placed, then loads those of the
// placed ones.
void RefreshRoomImages(const RoomLayout& room, ShopCatalog& catalog, RoomImageSource& source);

} // namespace Game
