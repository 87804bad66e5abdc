#pragma once
// The smooth random drift of trajectory particles: one-dimensional gradient
// noise accumulated over the unit cells of an interval. The tables are made
// once, on first use from any thread, by a generator of their own, so they
// never disturb the game's seeded random sequence.

namespace Game {

// The noise accumulated over [a, b] (either order), 0.15 per unit cell.
// `channel` picks an independent stream (0 for x, 1 for y).
float TrMotionNoise(float a, float b, int channel);

} // namespace Game
