#pragma once
// Screenshots are numbered files "image<n>.png" in one folder; a new one
// takes the number after the highest already there.

#include <string>

namespace Kavo {

// The highest n among the folder's files named "image" + n + ".png" (letter
// case ignored); 0 when there are none. folder ends in a separator.
int HighestScreenshotNumber(const std::string& folder);
// folder + "image" + (highest + 1) + ".png".
std::string NextScreenshotPath(const std::string& folder);

} // namespace Kavo
