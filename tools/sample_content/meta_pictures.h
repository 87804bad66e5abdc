#pragma once
// The restaurant meta-game's pictures by file, its frame animations, the
// comics page sets and the room's particle scene.

#include "tools/sample_content/sample_font.h"

#include <string>

namespace Kavo::SampleContent {

// False when a file cannot be written.
bool WriteMetaPictures(const std::string& root, const GlyphSheet& labels);

} // namespace Kavo::SampleContent
