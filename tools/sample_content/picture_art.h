#pragma once
// The game pictures that stand for something a player reads or aims with,
// drawn as what they stand for rather than as labelled panels: the banners,
// captions and buttons that stand for words carry those words (in the term
// table's language, English), and the timer's face, needle and ring, the
// pointers and the hint markers are drawn as shapes.

#include <string>

#include "tools/sample_content/placeholder_art.h"

namespace Kavo::SampleContent {

// The words a game picture (its id without "IMAGE_") stands for, or "" when
// it stands for none.
std::string PictureWords(const std::string& name);

// The whole picture of `art` for the game picture `name`: its shape when it
// has one, its words (in `words` when they fit, else in `labels`) when it
// stands for words, else the thing it stands for (thing_art.h), or a plain
// panel: no picture carries its resource name.
Pixels DrawGamePicture(const std::string& name, const Placeholder& art, const GlyphSheet& labels,
                       const GlyphSheet& words);

// A two-headed arrow across the picture, along its longer side, in `fill`
// with a dark outline and clear around it: laid between two cells, it says
// "swap these" and leaves the items under it seen.
Pixels SwapArrow(int width, int height, uint32_t fill);

// The two cells of a swap ringed along their outer edge and joined by a
// bridge across the gap between them, in `fill`, clear inside: drawn
// beneath the items, which cover the middle of each cell, it shows around
// them as one marked pair. Laid along the picture's longer side.
Pixels PairRing(int width, int height, uint32_t fill);

// The shuffle bonus's charged show, drawn by the game centred on the
// button's top-left corner: each frame is twice the button's size and shows
// the blender only in its lower-right quarter, so that what is seen covers
// the button and nothing beside it.
inline constexpr int kBlenderFrames = 6;
Pixels BlenderStrip(int buttonWidth, int buttonHeight);

} // namespace Kavo::SampleContent
