#pragma once
// The empty places of the board's bonus buttons in the sample pictures that
// lie under them.

#include <cstdint>
#include <vector>

#include "tools/sample_content/placeholder_art.h"

namespace Kavo::SampleContent {

// Where the board's layout ("UI/board.txt", point "Bonuses") puts the plate
// under the bonus row.
constexpr int kBonusRowX = 100;
constexpr int kBonusRowY = 650;

// Paints the eight empty bonus slots where the board's bonus buttons stand
// into a picture that lies on the screen with its top-left at (left, top):
// the background and the bottom plate both carry them, so that a button
// with no charge yet (its face shows only as far as it is charged) still
// marks its place.
void DrawBonusSlots(Pixels& pixels, int width, int height, int left, int top);
// A board background: the placeholder panel with the bonus slots, as PNG.
std::vector<uint8_t> BoardBackground(const Placeholder& art, const GlyphSheet* glyphs);

} // namespace Kavo::SampleContent
