#pragma once
// Whole-file access for the sound readers, through the file API (archive
// members first, then the disk).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace Kavo {

// False when the file cannot be opened or read.
bool ReadSoundFile(const std::string& path, std::vector<std::uint8_t>& out);

// The file's present last-write time: the archive member's when an
// archive holds it, else the disk file's; 0 when there is no such file.
platform::FileTime SourceFileTime(const std::string& path);

// The lower-case extension after the last '.' of the file-name part; "" when
// there is none.
std::string LowerExtension(const std::string& path);

} // namespace Kavo
