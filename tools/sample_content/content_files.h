#pragma once
// Writing the sample content's files: each written whole, its folders made
// first.

#include <cstdint>
#include <string>
#include <vector>

namespace Kavo::SampleContent {

bool WriteContentFile(const std::string& path, const std::string& bytes);
bool WriteContentFile(const std::string& path, const std::vector<uint8_t>& bytes);

// The game's text data files end their lines with CR LF: each "\n" of
// `text` becomes "\r\n".
std::string WithCrLf(const std::string& text);

} // namespace Kavo::SampleContent
