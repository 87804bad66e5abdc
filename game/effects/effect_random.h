#pragma once
// The random draws of effects. Values in a range, indexes and shuffles come
// from the runtime-compatible generator (platform CrtRand, as the board's
// draws: RandomIndex and ShuffleList of board_random.h serve effects too);
// values meant to be taken modulo a range (angles, spins, small offsets)
// come from the framework's Mersenne Twister (Kavo::Rand).

#include "game/board/board_random.h"

namespace Game {

// low + r * (high - low) / 32767 with r = CrtRand(), in double precision,
// stored as float: a value in [low, high].
float RandomInRange(double low, double high);

// Rand() mod 360: an angle in whole degrees, 0 .. 359.
int RandomAngleDegrees();

// Rand() mod 100 divided by `divisor`: the spin of a spark.
float RandomSpin(float divisor);

// Rand() mod n (0 for n <= 0): small offsets.
int RandomModulo(int n);

} // namespace Game
