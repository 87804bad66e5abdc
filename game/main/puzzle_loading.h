#pragma once
// The run's puzzle table and recipe table: installed while this object
// lives and read on the loading thread.

#include <memory>

#include "game/app/startup_steps.h"
#include "game/meta/puzzle_defs.h"
#include "game/meta/recipes.h"
#include "platform/process_slot.h"

namespace Game {

class PuzzleLoading {
public:
    // Adds the loads of "data/recipies.txt" and "data/puzzles.txt" to the
    // catalogue loads; a missing file leaves its table empty.
    void Register(StartupSteps& steps);

private:
    std::shared_ptr<PuzzleDefs> mPuzzles = std::make_shared<PuzzleDefs>();
    std::shared_ptr<Recipes> mRecipes = std::make_shared<Recipes>();
    platform::Installed<PuzzleDefs> mPuzzlesSlot{PuzzleDefsSlot(), mPuzzles};
    platform::Installed<Recipes> mRecipesSlot{RecipesSlot(), mRecipes};
};

} // namespace Game
