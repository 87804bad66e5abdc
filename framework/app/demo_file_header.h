#pragma once
// The fixed start of a ".dmo" file, little-endian: the magic word, the
// format version and the random seed the recorded run started from.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Kavo {

inline constexpr uint32_t kDemoFileMagic = 0x42BEEF78;
inline constexpr size_t kDemoFileFixedHeaderSize = 12;

struct DemoFileHeader {
    uint32_t mVersion = 0;
    uint32_t mRandSeed = 0;
};

// Reads the fixed header from the file's first bytes. False with the error
// text when there are fewer than kDemoFileFixedHeaderSize bytes or the magic
// word is wrong; the header is then left as it was.
bool ParseDemoFileHeader(std::string_view data, DemoFileHeader& header, std::string& error);

// Reads the demo file (a path as the file API takes it) and parses its
// fixed header. A file that cannot be read gives "Demo file not found: "
// and the path.
bool LoadDemoFileHeader(const std::string& path, DemoFileHeader& header, std::string& error);

} // namespace Kavo
