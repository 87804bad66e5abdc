#pragma once
// The effects' sample data: the named paths "data/Trajectories.dat" and the
// two particle descriptions "particles/puzzle.ini" and
// "particles/mapready.ini" with the picture the second one names.

#include <string>

namespace Kavo::SampleContent {

// False when a file cannot be written.
bool WriteEffectsContent(const std::string& root);

} // namespace Kavo::SampleContent
