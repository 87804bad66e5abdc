#pragma once

namespace Game {

class MenuCell;

// Told by the menu list what the player's clicks did.
class MenuListListener {
public:
    virtual ~MenuListListener() = default;
    // Two dishes of one row are about to change places.
    virtual void OnSwap(MenuCell* cell, MenuCell* otherCell) = 0;
    virtual void OnPicked(MenuCell* cell) = 0;
};

} // namespace Game
