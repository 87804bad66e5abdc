#pragma once
// The tweakable constants of the bonuses, each with its compiled default; a
// developer build can change them on their lines in bonus_tweakables.cpp
// while the game runs.

#include "game/effects/spark.h"

namespace Game {

// The rings of the shuffle's flying items: speeds 0.25, 0.25, spin divisor
// 50000; fade 5.
SparkRecipe ShuffleSparkRecipe();
// The pepper scattered by the pepper box: speeds 0.25, 0.25, spin divisor
// 3000.
SparkRecipe PepperSparkRecipe();

} // namespace Game
