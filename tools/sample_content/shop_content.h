#pragma once
// The sample decoration and dishes: "data/shop.1" to ".3", "data/menu.1" to
// ".3", the room pictures under "images/shop/" and the sheets the cells draw.

#include <string>

#include "tools/sample_content/sample_font.h"

namespace Kavo::SampleContent {

// The "MenuMaxRaiting" section of "data/settings.txt", for the file that
// gathers the settings.
inline constexpr const char* kMenuMaxRatingSection = "[MenuMaxRaiting]\r\n"
                                                     "Rank0=12\r\n"
                                                     "Rank1=18\r\n"
                                                     "Rank2=24\r\n";

// The room pictures carry their names in `glyphs`.
bool WriteShopContent(const std::string& root, const GlyphSheet& glyphs);

} // namespace Kavo::SampleContent
