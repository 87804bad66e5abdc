#pragma once

#include "framework/util/rect.h"
#include "game/ui/ini_section.h"

#include <string>

namespace Game {

// The key's "%d,%d,%d,%d" value as x, y, width, height; numbers that are
// missing (or the whole key) read as 0.
Kavo::IntRect ReadRectSetting(const IniSection& section, const std::string& key);

} // namespace Game
