#pragma once
// Reads a whole data file into a buffer: through the application (its file
// test and its archive-aware, demo-synced read) when one exists, else
// straight from the disk.

#include <string>

namespace Kavo {
class Buffer;
} // namespace Kavo

namespace Game {

// False, the buffer unchanged, when the file is missing or cannot be read.
bool LoadAppFile(const std::string& path, Kavo::Buffer& buffer);

} // namespace Game
