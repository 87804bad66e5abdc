#include "game/effects/effect_tweakables.h"

// Last: the tweakable macros are single letters.
#include "framework/util/mod_val.h"

namespace Game {

namespace {

SparkRecipe Recipe(float speedX, float speedY, float spinDivisor) {
    SparkRecipe recipe;
    recipe.speedX = speedX;
    recipe.speedY = speedY;
    recipe.spinDivisor = spinDivisor;
    return recipe;
}

} // namespace

SparkRecipe FreezeTimeSparkRecipe() {
    return Recipe(M(0.25f), M(0.25f), M(5000.0f));
}

SparkRecipe HintBonusStripRecipe() {
    return Recipe(M(0.25f), M(0.25f), M(50000.0f));
}

SparkRecipe RankStarSparkRecipe() {
    return Recipe(M(0.25f), M(0.25f), M(5000.0f));
}

int RatingStarSparkInterval() {
    return M(1);
}

int SinusSparksPerUpdate() {
    return M(4);
}

int SinusSparkOffsetRange() {
    return M(2);
}

SparkRecipe SinusSparkRecipe() {
    return Recipe(M(0.25f), M(0.25f), M(5000.0f));
}

} // namespace Game
