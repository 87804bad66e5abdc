#pragma once
// The trajectory scenes that the screens play ("particles/*.ini") and the
// two pictures they load by file name.

#include <string>
#include <vector>

namespace Kavo::SampleContent {

// The scene files, relative to the content root.
std::vector<std::string> SceneFileNames();

// False when a file cannot be written.
bool WriteSceneContent(const std::string& root);

} // namespace Kavo::SampleContent
