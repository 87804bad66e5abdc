#pragma once
// A player's swap while its items travel.

namespace Game {

enum SwapPhase {
    kSwapForth = 1, // the items move to each other's cells
    kSwapBack = 3,  // the swap made no run: the items move back
};

struct SwapRecord {
    int mC1 = 0; // the cell selected first
    int mR1 = 0;
    int mC2 = 0; // the cell it was swapped with
    int mR2 = 0;
    int mPhase = kSwapForth;
};

} // namespace Game
