#pragma once
// The decoration placed in a restaurant's room, in drawing order, with the
// catalogue's rules for replacing and deleting items.

#include "game/ui/effect_list.h"

#include <string>
#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

struct ShopItem;

class RoomLayout {
public:
    int IndexOf(const ShopItem* item) const;
    int IndexOfName(const std::string& name) const;
    // Places the item after removing what it replaces and what it names to
    // delete; false for null or an item already placed. `flag` is unused.
    bool Place(ShopItem* item, bool flag = false);
    void Remove(const ShopItem* item, bool resort);
    // By ZOrder; items of equal ZOrder keep their placement order.
    void Sort();
    void Clear();
    // Replaces the list with the placed items' names in drawing order.
    void CollectNames(std::vector<std::string>& names) const;
    // Every piece of every item whose room picture is loaded, then the effects.
    void Draw(Kavo::Graphics* g);

    std::vector<ShopItem*> mItems; // not owned
    bool mDirty = true;
    EffectList mEffects{true};
};

} // namespace Game
