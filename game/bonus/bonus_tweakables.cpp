#include "game/bonus/bonus_tweakables.h"

// Last: the tweakable macros are single letters.
#include "framework/util/mod_val.h"

namespace Game {

SparkRecipe ShuffleSparkRecipe() {
    SparkRecipe recipe;
    recipe.speedX = M(0.25f);
    recipe.speedY = M(0.25f);
    recipe.spinDivisor = M(50000.0f);
    recipe.fade = 5.0f;
    return recipe;
}

SparkRecipe PepperSparkRecipe() {
    SparkRecipe recipe;
    recipe.speedX = M(0.25f);
    recipe.speedY = M(0.25f);
    recipe.spinDivisor = M(3000.0f);
    return recipe;
}

} // namespace Game
