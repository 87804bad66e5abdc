#pragma once
// The shape of one picture puzzle.

namespace Game {

struct PuzzleDef {
    int mRows = 4;
    int mCols = 4;
    bool mTurning = false;
    bool mFlip = false; // read and kept; the puzzle does not use it
};

} // namespace Game
