#pragma once
// A bonus that aims at board cells: it reads the board under the mouse and
// lights target cells in the board screen's highlight list. The owner sets
// both pointers; without them the bonus aims at nothing.

#include "game/board/bonus.h"
#include "game/board/cell_pos.h"

#include <vector>

namespace Game {

class Board;
class EffectList;
struct BoardCell;

class TargetingBonus : public Bonus {
public:
    explicit TargetingBonus(IniDocument* settings) : Bonus(settings) {}

    // The base Stop, then no highlights.
    void Stop() override;

    Board* mBoard = nullptr;
    EffectList* mHighlights = nullptr;

protected:
    // The existing cell under the pixel, or null (also without a board).
    BoardCell* CellUnder(int x, int y) const;
    // The cell under the pixel when it holds an item.
    BoardCell* ItemCellUnder(int x, int y) const;
    void ClearHighlights();
    // One blinking white cell over each cell.
    void HighlightCells(const std::vector<CellPos>& cells);
};

} // namespace Game
