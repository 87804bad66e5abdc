#pragma once
// The sample content of the game's screens: the shared control looks, a
// layout with a control of each type, the stage music's playlists and the
// layouts' default bitmap font.

#include <string>

#include "tools/sample_content/sample_font.h"

namespace Kavo::SampleContent {

// Writes the files under `root`; false when one cannot be written.
bool WriteUiContent(const std::string& root, const GlyphSheet& sheet);

} // namespace Kavo::SampleContent
