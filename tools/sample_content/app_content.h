#pragma once
// The sample content of the game's start and its frame: the logos, the help
// pages, the in-game menu and its quit question, the game-over screen and
// the settings document the later subsystems read.

#include <string>

namespace Kavo::SampleContent {

// Writes the files under `root`; false when one cannot be written.
bool WriteAppContent(const std::string& root);

} // namespace Kavo::SampleContent
