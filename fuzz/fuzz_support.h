#pragma once
// Feeds a fuzz input to a reader the way the program meets it: as a file
// opened by name through the file API.

#include <cstddef>
#include <cstdint>
#include <string>

namespace Kavo::fuzz {

// Writes the bytes to a scratch file of this process with the given
// extension (".png", ".xml", ...) and returns its path. The file is
// overwritten by the next call.
std::string WriteInputFile(const uint8_t* data, size_t size, const std::string& extension);

} // namespace Kavo::fuzz
