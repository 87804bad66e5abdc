#pragma once
// Everything the restaurant meta-game reads besides the resource manifest:
// its tables, its screens' layouts, its pictures by file, animations, page
// sets and particle scenes.

#include <string>

namespace Kavo::SampleContent {

// Writes it all under `root`, after the application and stage content (it
// appends to the settings and term files); false when a file cannot be
// written.
bool WriteMetaContent(const std::string& root);

} // namespace Kavo::SampleContent
