#include "framework/sound/au_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/sound/byte_reader.h"
#include "framework/sound/sound_file.h"

namespace Kavo {

namespace {

bool Fail(std::string& error, const char* text) {
    if (error.empty())
        error = text;
    return false;
}

constexpr std::uint32_t kMuLaw8 = 1;
constexpr std::uint32_t kLinear8 = 2;

} // namespace

std::int16_t MuLawSample(std::uint8_t byte) {
    const int v = byte | 0x80;
    const int sign = byte >= 0x80 ? 1 : -1;
    int magnitude;
    if (v >= 0xF0)
        magnitude = (255 - v) * 2;
    else if (v >= 0xE0)
        magnitude = (247 - v) * 4;
    else if (v >= 0xD0)
        magnitude = (235 - v) * 8;
    else if (v >= 0xC0)
        magnitude = (221 - v) * 16;
    else if (v >= 0xB0)
        magnitude = (206 - v) * 32;
    else if (v >= 0xA0)
        magnitude = 12192 - 64 * v;
    else if (v >= 0x90)
        magnitude = 22368 - 128 * v;
    else if (v >= 0x81)
        magnitude = 40672 - 256 * v;
    else
        magnitude = 255;
    return static_cast<std::int16_t>(sign * magnitude * 4);
}

bool ParseAu(std::span<const std::uint8_t> bytes, PcmSound& out, std::string& error) {
    ByteReader reader(bytes);
    char magic[5];
    std::uint32_t offset = 0, size = 0, encoding = 0, rate = 0, channels = 0;
    if (!reader.Tag(magic) || std::strcmp(magic, ".snd") != 0)
        return Fail(error, "not an .au file");
    if (!reader.U32BigEndian(offset) || !reader.U32BigEndian(size) || !reader.U32BigEndian(encoding) ||
        !reader.U32BigEndian(rate) || !reader.U32BigEndian(channels))
        return Fail(error, "short header");
    if (encoding != kMuLaw8 && encoding != kLinear8)
        return Fail(error, "unsupported encoding");
    const int bits = encoding == kMuLaw8 ? 16 : 8;
    if (channels > 2 || !IsPlayablePcm(static_cast<int>(channels), bits, rate))
        return Fail(error, "unsupported format");
    reader.Seek(offset);
    std::span<const std::uint8_t> data;
    reader.Bytes(std::min<std::size_t>(size, reader.Remaining()), data);

    out.format = platform::MakePcmFormat(static_cast<int>(channels), rate, bits);
    out.data.clear();
    if (encoding == kMuLaw8) {
        out.data.reserve(data.size() * 2);
        for (std::uint8_t byte : data) {
            const auto sample = static_cast<std::uint16_t>(MuLawSample(byte));
            out.data.push_back(static_cast<std::uint8_t>(sample & 0xFF));
            out.data.push_back(static_cast<std::uint8_t>(sample >> 8));
        }
    } else {
        // Signed in the file, unsigned in a sound buffer.
        out.data.reserve(data.size());
        for (std::uint8_t byte : data)
            out.data.push_back(byte ^ 0x80);
    }
    return true;
}

bool ReadAuFile(const std::string& path, PcmSound& out, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!ReadSoundFile(path, bytes))
        return Fail(error, "cannot read the file");
    return ParseAu(bytes, out, error);
}

} // namespace Kavo
