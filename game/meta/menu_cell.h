#pragma once
// One dish of the menu list: a 110-pixel cell with the dish's picture, its
// price and its state.

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class Animation;
struct MenuEntry;

class MenuCell {
public:
    MenuCell() = default;
    explicit MenuCell(MenuEntry* entry) : mEntry(entry) {}
    virtual ~MenuCell() = default;
    MenuCell(const MenuCell&) = default;
    MenuCell& operator=(const MenuCell&) = default;

    // The dish as offered: frame, picture (faded when unaffordable), buy
    // mark and price while not owned.
    virtual void Draw(Kavo::Graphics* g);
    // The dish with its rank mark and its price, as the menu shows it.
    virtual void DrawRanked(Kavo::Graphics* g);

    float mX = 0;
    float mY = 0;
    MenuEntry* mEntry = nullptr; // not owned
    bool mOwned = false;
    bool mAffordable = false;
    bool mSelected = false;
    bool mPicked = false; // waits for a second click
    // While set, the cell is drawn where this animation is (it flies).
    const Animation* mCarrier = nullptr;

private:
    void DrawFrame(Kavo::Graphics* g) const;
};

} // namespace Game
