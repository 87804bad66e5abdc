#pragma once
// The sample bitmap font: printable ASCII rendered from the installed sans
// face into one row of cells, each as wide as its character's advance, with
// its descriptor (a face layer over a shadow layer) and the same sheet
// described in the legacy format.

#include <cstdint>
#include <string>
#include <vector>

namespace Kavo::SampleContent {

struct GlyphSheet {
    int mWidth = 0;
    int mHeight = 0;
    std::vector<uint32_t> mPixels; // ARGB, white with coverage as alpha
    std::string mChars;            // in cell order
    std::vector<int> mWidths;      // cell width = advance, per character
    int mSpaceWidth = 0;
    int mAscent = 0;
};

inline constexpr int kSampleFontPixels = 20;
inline constexpr int kSampleFontPointSize = 15;

// False when no installed face opens.
bool RenderGlyphSheet(int pixelHeight, GlyphSheet* sheet);
// A sheet of fixed cell widths and no pixels, for text that must not
// depend on the installed face (fuzz seeds).
GlyphSheet PlaceholderSheet();

// The descriptor, with the sheet image named relative to it.
std::string FontDescriptorText(const GlyphSheet& sheet, const std::string& imageName);
// "space-advance ascent" and then each character with its width.
std::string LegacyDescriptorText(const GlyphSheet& sheet);

} // namespace Kavo::SampleContent
