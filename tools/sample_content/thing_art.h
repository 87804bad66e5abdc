#pragma once
// The sample pictures that stand for things, drawn as those things with no
// name on them: sparkles, glows, stars, chains, the items' kinds, coins,
// rings and the like. A player meets them on the board and around it, where
// a resource name or a cel number would read as a fault of the game.

#include <string>

#include "tools/sample_content/placeholder_art.h"

namespace Kavo::SampleContent {

// The picture of the game picture `name` (its id without "IMAGE_") at the
// size and cel grid of `art`, in its colour where it has none of its own;
// empty when `name` has no drawing of its own.
Pixels ThingPicture(const std::string& name, const Placeholder& art);

// The pictures named by file rather than by id, cel by cel across a strip
// of `cels` of the size given.
Pixels CoinStrip(int size, int cels);
Pixels StarStrip(int size, int cels, uint32_t color, bool growing);
Pixels FlameStrip(int size, int cels);
Pixels KnifeStrip(int width, int height, int cels);
Pixels GiftStrip(int size, int cels, uint32_t color);
Pixels PepperShakerStrip(int size, int cels);
// A coloured ring, clear inside and out: the recolouring's rings.
Pixels ColourRing(int size, uint32_t color);
// Soft puffs of dust, thinning from cel to cel.
Pixels DustStrip(int size, int cels, uint32_t color);
// A burst of light of the colour behind the score a line earns, larger and
// with more rays from cel to cel (longer runs), clear around it.
Pixels ScoreBurstStrip(int width, int height, int cels, uint32_t color);
// A padlock of the colour, shackle over body with a keyhole, clear around
// it: the time freeze laid over the clock.
Pixels Padlock(int width, int height, uint32_t color);
// A medal of the colour on a ribbon: the rewards.
Pixels Medal(int size, uint32_t color);
// Round chips of the items' colours, cols x rows cels of the size.
Pixels ChipSheet(int size, int cols, int rows);
// A bright frame round the chosen cell, clear inside, swelling from cel to
// cel.
Pixels SelectionStrip(int size, int cels);

} // namespace Kavo::SampleContent
