#pragma once
// The sample pictures and data of the bonus buttons, the timer dial and the
// bar glint.

#include <string>

namespace Kavo::SampleContent {

// Writes them under `root`; false when a file cannot be written.
bool WriteBonusContent(const std::string& root);

} // namespace Kavo::SampleContent
