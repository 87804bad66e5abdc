#pragma once
// Placeholder pictures for sample content: flat panels with a rim, cut into
// a grid of cels when asked, each labelled with its name (and cel number)
// in a rendered glyph sheet where the text fits.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sample_content/sample_font.h"

namespace Kavo::SampleContent {

using Pixels = std::vector<uint32_t>; // 0xAARRGGBB, row by row

struct Placeholder {
    int mCelWidth = 0;
    int mCelHeight = 0;
    int mCols = 1;
    int mRows = 1;
    uint32_t mColor = 0xFF808080;
    std::string mLabel;
};

// The whole picture: mCols x mRows cels, each a panel of the colour
// (lightened a little per cel, so that frames can be told apart) with a
// darker rim and the label, followed by the cel number when there are
// several. `glyphs` may be null, or the label empty: no labels (a picture
// meant to lie under text, tiled or stretched, carries none).
Pixels DrawPlaceholder(const Placeholder& art, const GlyphSheet* glyphs);

// The width of `text` in the sheet (characters it lacks count as spaces).
int LabelWidth(const std::string& text, const GlyphSheet& glyphs);
// Blends `text` in dark ink into the picture with its top-left at (x, y);
// what falls outside the picture is dropped.
void DrawLabel(Pixels& pixels, int width, int height, int x, int y, const std::string& text, const GlyphSheet& glyphs);

// Draws the placeholder and writes it as a PNG file; false when it cannot be
// written.
bool WritePlaceholderPng(const std::string& path, const Placeholder& art, const GlyphSheet* glyphs);

} // namespace Kavo::SampleContent
