#pragma once
// One swap of two neighbouring items that would make a run of three.

namespace Game {

struct Move {
    int mX2 = 0; // pixel centre of the second swap cell
    int mY2 = 0;
    int mX1 = 0; // pixel centre of the first swap cell
    int mY1 = 0;
    int mColumn2 = 0;
    int mRow2 = 0;
    int mColumn1 = 0;
    int mRow1 = 0;
    int mValue = 0; // the tile counters of both swap cells
};

} // namespace Game
