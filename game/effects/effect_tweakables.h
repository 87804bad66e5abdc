#pragma once
// The tweakable constants of the effects, each with its compiled default; a
// developer build can change them on their lines in effect_tweakables.cpp
// while the game runs.

#include "game/effects/spark.h"

namespace Game {

// Sparks of the time-freeze probes: speeds 0.25, 0.25, spin divisor 5000.
SparkRecipe FreezeTimeSparkRecipe();
// Text strips of the hint-bonus burst: speeds 0.25, 0.25, spin divisor 50000.
SparkRecipe HintBonusStripRecipe();
// Sparks of the rank star's flight: speeds 0.25, 0.25, spin divisor 5000.
SparkRecipe RankStarSparkRecipe();
// Updates between two sparks of the rating star's trail: 1.
int RatingStarSparkInterval();
// The sinus trail: sparks per update 4, spark offset range 2, speeds 0.25,
// 0.25, spin divisor 5000.
int SinusSparksPerUpdate();
int SinusSparkOffsetRange();
SparkRecipe SinusSparkRecipe();

} // namespace Game
