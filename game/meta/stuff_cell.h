#pragma once
// One decoration offer of the stuff list: a 110-pixel cell with the item's
// shop picture, its total price and its state.

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

struct ShopItem;

class StuffCell {
public:
    StuffCell() = default;
    explicit StuffCell(ShopItem* item) : mItem(item) {}
    virtual ~StuffCell() = default;
    StuffCell(const StuffCell&) = default;
    StuffCell& operator=(const StuffCell&) = default;

    virtual void Draw(Kavo::Graphics* g);

    float mX = 0;
    float mY = 0;
    bool mShown = false;
    bool mOwned = false;      // the player has bought it
    bool mAffordable = false; // it may be clicked
    bool mSelected = false;
    bool mInRoom = false;      // placed in the room shown
    ShopItem* mItem = nullptr; // not owned
};

} // namespace Game
