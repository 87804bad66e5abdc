#include "game/main/puzzle_loading.h"

namespace Game {

void PuzzleLoading::Register(StartupSteps& steps) {
    steps.mCatalogueLoads.push_back([this] {
        mPuzzles->Load("data/puzzles.txt");
        mRecipes->Load("data/recipies.txt");
    });
}

} // namespace Game
