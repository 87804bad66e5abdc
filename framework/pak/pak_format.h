#pragma once
// Layout of a pak archive. Every byte of the file is stored XORed with
// kPakXorKey. After the header (magic, version) comes the directory, one
// record per member: flags byte (bit 7 ends the directory and the record),
// name length byte, name, u32 size, u64 file time, all little-endian. The
// members' bytes follow the end flag back to back in directory order.

#include "platform/file_system.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Kavo {

inline constexpr uint8_t kPakXorKey = 0x6B;
inline constexpr uint32_t kPakMagic = 0xBAC04AC0;
inline constexpr uint32_t kPakVersion = 0;
inline constexpr uint8_t kPakEndOfDirectory = 0x80;
inline constexpr size_t kPakMaxNameLength = 255;

struct PakDirectoryRecord {
    std::string mName;   // as stored: relative, '\' separators
    uint32_t mStart = 0; // offset of the member's first byte in the file
    uint32_t mSize = 0;
    platform::FileTime mFileTime = 0;
};

// Reads the directory of a whole (still scrambled) archive. Refuses a bad
// header, a directory cut short by the end of the file, and members that
// reach past the end: nothing is read outside [data, data + size).
bool ReadPakDirectory(const uint8_t* data, size_t size, std::vector<PakDirectoryRecord>* records, std::string* error);

} // namespace Kavo
