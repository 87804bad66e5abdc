#pragma once
// The engine sound system's sample data, written as plain folders beside
// the program (the engine's storages read the disk, not main.pak):
// "sounddescr/" with the descriptions the game plays through, and
// "sounds/" with short tones and a few seconds of music.

#include <string>

namespace Kavo::SampleContent {

// False when a file cannot be written.
bool WriteSampleSounds(const std::string& folder);

} // namespace Kavo::SampleContent
