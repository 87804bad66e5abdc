#pragma once
// The sample content of the eight bonuses' shows and of the bonus-unlock and
// reward dialogs: the shows' animations, the pepper picture, the two layouts
// and the reward pictures.

#include <string>

namespace Kavo::SampleContent {

// Writes them under `root` and adds their texts to the term table there
// (written first by the game content); false when a file cannot be written.
bool WriteBonusDialogsContent(const std::string& root);

} // namespace Kavo::SampleContent
