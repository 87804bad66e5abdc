#pragma once
// A rectangle of the game's settings ("data/settings.txt").

#include "framework/util/rect.h"

#include <string>

namespace Game {

// The key's "x,y,width,height" in that section of the running game's
// settings; all 0 without a game, the section or the key.
Kavo::IntRect GameSettingRect(const std::string& section, const std::string& key);

} // namespace Game
