#pragma once
// The scrollable grid of dishes: a row per category of the menu catalogue
// with the dishes of one rank, picked and exchanged by clicks.

#include "game/meta/menu_row.h"
#include "game/meta/scrolled_grid.h"

#include <string>
#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class IniDocument;
class MenuCatalog;
class MenuListListener;

class MenuList : public ScrolledGrid {
public:
    // Rebuilds the rows for one rank; `rating` decides which dishes are
    // affordable. Sets each listed dish's column in its order field.
    void Fill(const MenuCatalog& catalog, int rank, int rating);
    void Clear();
    // `plain` draws the cells as offered, else with their rank marks.
    void Draw(Kavo::Graphics* g, bool plain);
    MenuCell* HitTest(float x, float y);
    // The pick-and-exchange step of a click; true only when two dishes of
    // one row changed places. Null clears every pick.
    bool Pick(MenuCell* cell);
    void ClearPicked();
    void Select(const MenuCell* cell);
    MenuCell* FindCell(const std::string& name);
    int ColumnOf(const MenuEntry* entry) const;
    // Each row by its dishes' order fields.
    void SortRows();
    // Appends every cell's dish name; the list's new length.
    int CollectNames(std::vector<std::string>& names) const;
    // Owned dishes of the rank in a column their mask names score 1, owned
    // dishes of another rank cost 2; never below 0.
    int Score(int rank) const;
    // Key "Rank<rank>" of the settings' "MenuMaxRaiting" section, 0 when missing.
    static int GetMaxMenuRating(IniDocument& settings, int rank);

    std::vector<MenuRow> mRows;
    MenuListListener* mListener = nullptr;
    MenuCell* mHovered = nullptr;

private:
    MenuCell* FirstPicked();
};

} // namespace Game
