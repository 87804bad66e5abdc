#pragma once
// The layouts of the restaurant meta-game's screens: the main menu and its
// select-game dialog, the map, the show-restaurant view, the room, the
// stage-complete shop, the secret dialog, the picture puzzle and the three
// comics scenes.

#include <string>

namespace Kavo::SampleContent {

// False when a file cannot be written.
bool WriteMetaLayouts(const std::string& root);

} // namespace Kavo::SampleContent
