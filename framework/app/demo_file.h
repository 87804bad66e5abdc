#pragma once
// The ".dmo" file, little-endian: magic word, format version, random seed,
// the product name, the marker block (version 2 and later), the demo length
// in updates and then the bit-packed event stream to the end of the file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/util/buffer.h"

namespace Kavo {

inline constexpr uint32_t kDemoFileMagic = 0x42BEEF78;
inline constexpr uint32_t kDemoFileVersion = 2;
inline constexpr size_t kDemoFileFixedHeaderSize = 12;
// Names longer than this are cut when read.
inline constexpr size_t kDemoMaxProductName = 255;
// A larger file is refused: a recording holds the input and the outside
// reads of one run, far less than this, and a file that never ends (a
// device, a pipe) must not be read without bound.
inline constexpr size_t kDemoMaxFileSize = size_t{256} << 20;

struct DemoFileHeader {
    uint32_t mVersion = 0;
    uint32_t mRandSeed = 0;
};

// A named point of the recording.
struct DemoMarker {
    std::string mName;
    int32_t mUpdateCount = 0;
};

struct DemoFile {
    DemoFileHeader mHeader;
    std::string mProductName;
    std::vector<DemoMarker> mMarkers;
    int32_t mDemoLength = 0;
    // The event stream, read cursor at its start.
    Buffer mEvents;
};

// Reads the fixed header from the file's first bytes. False with the error
// text when there are fewer than kDemoFileFixedHeaderSize bytes or the magic
// word is wrong; the header is then left as it was.
bool ParseDemoFileHeader(std::string_view data, DemoFileHeader& header, std::string& error);

// Reads the demo file (a path as the file API takes it) and parses its
// fixed header. A file that cannot be opened gives "Demo file not found: "
// and the path; a read error "Demo file could not be read: " and one larger
// than kDemoMaxFileSize "Demo file too large: ", each with the path. A file
// whose fixed header is wrong is read no further.
bool LoadDemoFileHeader(const std::string& path, DemoFileHeader& header, std::string& error);

// Reads a whole demo file image. The product name must equal
// `productName`; otherwise the error names the file's product. Every
// failure keeps its first error text and leaves `demo` partly filled.
bool ParseDemoFile(std::string_view data, const std::string& productName, DemoFile& demo, std::string& error);
bool LoadDemoFile(const std::string& path, const std::string& productName, DemoFile& demo, std::string& error);

// The file image of a recording: version 2, the given seed, product name
// (cut to 65535 bytes), markers, demo length and the event stream's bytes up
// to its write cursor.
std::string SerializeDemoFile(uint32_t randSeed, const std::string& productName, const std::vector<DemoMarker>& markers,
                              int32_t demoLength, const Buffer& events);

} // namespace Kavo
