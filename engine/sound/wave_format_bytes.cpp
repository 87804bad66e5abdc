#include "engine/sound/wave_format_bytes.h"

namespace Sound {
namespace {

std::uint16_t ReadLe16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

void WriteLe16(std::uint16_t value, std::uint8_t* bytes) {
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

} // namespace

std::uint32_t ReadLe32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

void WriteLe32(std::uint32_t value, std::uint8_t* bytes) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

platform::WaveFormat ReadWaveFormat(const std::uint8_t* bytes) {
    platform::WaveFormat format;
    format.formatTag = ReadLe16(bytes);
    format.channels = ReadLe16(bytes + 2);
    format.samplesPerSec = ReadLe32(bytes + 4);
    format.avgBytesPerSec = ReadLe32(bytes + 8);
    format.blockAlign = ReadLe16(bytes + 12);
    format.bitsPerSample = ReadLe16(bytes + 14);
    format.extraSize = ReadLe16(bytes + 16);
    return format;
}

void WriteWaveFormat(const platform::WaveFormat& format, std::uint8_t* bytes) {
    WriteLe16(format.formatTag, bytes);
    WriteLe16(format.channels, bytes + 2);
    WriteLe32(format.samplesPerSec, bytes + 4);
    WriteLe32(format.avgBytesPerSec, bytes + 8);
    WriteLe16(format.blockAlign, bytes + 12);
    WriteLe16(format.bitsPerSample, bytes + 14);
    WriteLe16(format.extraSize, bytes + 16);
}

} // namespace Sound
