#pragma once
// The game's sample content: the resource manifest with the game's groups
// ("Init", "TitleScreen", "Bonuses", "Game") binding every named image, font
// and sound to a generated file, the term table, the background list and
// frame animations.

#include <string>

namespace Kavo::SampleContent {

// The sample manifest text (sample_texts.h) with the game's groups added.
std::string GameManifest();

// Writes everything above under `root`, the manifest as
// "properties/resources.xml"; false when a file cannot be made.
bool WriteGameContent(const std::string& root);

} // namespace Kavo::SampleContent
