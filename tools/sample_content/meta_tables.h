#pragma once
// The restaurant meta-game's tables: the secret maps with their postcard
// pictures, the recipes (their texts in cp1251), the picture puzzles, the
// map's and the post panel's rectangles in "data/settings.txt" and the
// terms its screens show.

#include "tools/sample_content/sample_font.h"

#include <string>

namespace Kavo::SampleContent {

// The postcard of every secret map: its size is divisible by each puzzle's
// rows and columns, and it is square, so that every puzzle that turns its
// pieces (3 x 3 and 4 x 4) cuts square pieces: a piece turned by a quarter
// keeps to its own cell instead of overlapping its neighbours.
inline constexpr int kPostcardWidth = 300;
inline constexpr int kPostcardHeight = 300;

// Writes them under `root`, after the application content (it appends to
// its settings and term files); false when a file cannot be written.
bool WriteMetaTables(const std::string& root, const GlyphSheet& labels);

} // namespace Kavo::SampleContent
