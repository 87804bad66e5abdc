#pragma once
// The progress bars' pictures: the trough a bar lies in is dark and plainly
// empty, and each bar's fill a bright colour of its own, so that how far a
// bar has filled reads at a glance.

#include <string>

#include "tools/sample_content/placeholder_art.h"

namespace Kavo::SampleContent {

// Whether `name` (a game picture's id without "IMAGE_") is the trough or
// one of the three item bars.
bool IsBarPicture(const std::string& name);

Pixels BarPicture(const std::string& name, int width, int height);

} // namespace Kavo::SampleContent
