#pragma once
// Told when the tile layer's slides end (the board screen listens).

namespace Game {

class BoardTilesListener {
public:
    virtual ~BoardTilesListener() = default;
    // The tiles have arrived at their resting place.
    virtual void OnTilesSpread() = 0;
    // The tiles have slid out below the window.
    virtual void OnTilesGone() = 0;
};

} // namespace Game
