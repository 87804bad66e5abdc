#pragma once
// One run of equal items found by the line search, or the cells a bonus
// strikes at once.

#include "game/board/cell_pos.h"

#include <vector>

namespace Game {

struct Figure {
    int mType = 0; // the run's item; -1 for a figure of chosen cells
    int mLength = 0;
    // The middle cell; for an even length the one nearer the run's start.
    int mCentreColumn = 0;
    int mCentreRow = 0;
    // The player's swap that made the run; (0, 0) twice while settling.
    CellPos mSwap1{0, 0};
    CellPos mSwap2{0, 0};
    // From the run's last cell back to its first.
    std::vector<CellPos> mCells;
};

} // namespace Game
