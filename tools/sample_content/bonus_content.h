#pragma once
// The sample blink of a charged bonus button: its animation and picture
// (the buttons' other pictures are the game content's placeholders).

#include <string>

namespace Kavo::SampleContent {

// Writes them under `root`; false when a file cannot be written.
bool WriteBonusContent(const std::string& root);

} // namespace Kavo::SampleContent
