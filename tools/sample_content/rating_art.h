#pragma once
// The plate of the restaurant's two rating bars (the room's value and the
// menu's) and the bars themselves, as the board's top panel and the room
// show them: the plate names each bar ("Room", "Menu") and holds a dark slot
// where each runs, so an empty bar still shows its place; the bars are
// coloured apart from the plate.

#include <string>

#include "tools/sample_content/placeholder_art.h"

namespace Kavo::SampleContent {

// Where the bars lie on the plate: the layouts place them at these offsets
// from the plate's corner.
inline constexpr int kRatingBarLeft = 70;
inline constexpr int kRatingBarTops[2] = {6, 26};

// Whether `name` (a game picture's id without "IMAGE_") is the plate or
// the bars.
bool IsRatingPicture(const std::string& name);

// The picture of `name`, `width` x `height` per cel in `cols` cels.
Pixels RatingPicture(const std::string& name, int width, int height, int cols, const GlyphSheet& glyphs);

} // namespace Kavo::SampleContent
