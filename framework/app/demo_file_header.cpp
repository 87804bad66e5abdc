#include "framework/app/demo_file_header.h"

#include "platform/file_system.h"

namespace Kavo {

namespace {

uint32_t LittleEndianWord(std::string_view data, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<uint8_t>(data[offset + i])) << (8 * i);
    return value;
}

} // namespace

bool ParseDemoFileHeader(std::string_view data, DemoFileHeader& header, std::string& error) {
    if (data.size() < kDemoFileFixedHeaderSize || LittleEndianWord(data, 0) != kDemoFileMagic) {
        error = "Invalid demo file.";
        return false;
    }
    header.mVersion = LittleEndianWord(data, 4);
    header.mRandSeed = LittleEndianWord(data, 8);
    return true;
}

bool LoadDemoFileHeader(const std::string& path, DemoFileHeader& header, std::string& error) {
    std::string data;
    if (!platform::ReadWholeFile(path, data)) {
        error = "Demo file not found: " + path;
        return false;
    }
    return ParseDemoFileHeader(data, header, error);
}

} // namespace Kavo
