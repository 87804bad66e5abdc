#include "framework/sound/wave_file.h"

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

void PutU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

} // namespace

bool ParseWave(std::span<const std::uint8_t> bytes, PcmSound& out, std::string& error,
               const SourceTimeQuery& sourceTime) {
    ByteReader reader(bytes);
    char riff[5];
    char wave[5];
    std::uint32_t riffSize = 0;
    if (!reader.Tag(riff) || !reader.U32(riffSize) || !reader.Tag(wave) || std::strcmp(riff, "RIFF") != 0 ||
        std::strcmp(wave, "WAVE") != 0)
        return Fail(error, "not a RIFF/WAVE file");

    int channels = 1;
    std::uint32_t rate = 22050;
    int bits = 16;
    std::uint8_t xorValue = 0;
    char tag[5];
    std::uint32_t size = 0;
    while (reader.Tag(tag) && reader.U32(size)) {
        const std::size_t start = reader.Position();
        // A size past the end of the file is taken as the bytes that are left.
        size = static_cast<std::uint32_t>(std::min<std::size_t>(size, reader.Remaining()));
        ByteReader chunk(bytes.subspan(start, size));
        if (std::strcmp(tag, "fmt ") == 0) {
            std::uint16_t formatTag = 0, chunkChannels = 0, blockAlign = 0, chunkBits = 0;
            std::uint32_t chunkRate = 0, avgBytes = 0;
            if (!chunk.U16(formatTag) || !chunk.U16(chunkChannels) || !chunk.U32(chunkRate) || !chunk.U32(avgBytes) ||
                !chunk.U16(blockAlign) || !chunk.U16(chunkBits))
                return Fail(error, "short fmt chunk");
            if (formatTag != platform::kWaveFormatPcm)
                return Fail(error, "not PCM");
            channels = chunkChannels;
            rate = chunkRate;
            bits = chunkBits;
        } else if (std::strcmp(tag, "dep ") == 0) {
            std::uint16_t nameLength = 0;
            std::span<const std::uint8_t> name;
            std::uint64_t storedTime = 0;
            if (!chunk.U16(nameLength) || !chunk.Bytes(std::min<std::uint16_t>(nameLength, 255), name) ||
                !chunk.U64(storedTime))
                return Fail(error, "short dep chunk");
            if (sourceTime && sourceTime(std::string(name.begin(), name.end())) != storedTime)
                return Fail(error, "source file changed");
        } else if (std::strcmp(tag, "xor ") == 0) {
            if (!chunk.U8(xorValue))
                return Fail(error, "short xor chunk");
        } else if (std::strcmp(tag, "data") == 0) {
            if (!IsPlayablePcm(channels, bits, rate))
                return Fail(error, "unsupported PCM format");
            out.format = platform::MakePcmFormat(channels, rate, bits);
            out.data.assign(bytes.begin() + start, bytes.begin() + start + size);
            if (xorValue != 0)
                for (std::uint8_t& byte : out.data)
                    byte ^= xorValue;
            return true;
        }
        reader.Seek(start + size);
    }
    return Fail(error, "no data chunk");
}

bool ReadWaveFile(const std::string& path, PcmSound& out, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!ReadSoundFile(path, bytes))
        return Fail(error, "cannot read the file");
    return ParseWave(bytes, out, error, &SourceFileTime);
}

std::string MakeWaveBytes(const PcmSound& sound, const std::string& sourceName, platform::FileTime sourceTime) {
    const bool cached = !sourceName.empty();
    const auto dataSize = static_cast<std::uint32_t>(sound.data.size());
    const platform::WaveFormat& format = sound.format;
    const auto blockAlign = static_cast<std::uint16_t>(format.bitsPerSample * format.channels / 8);
    std::string out = "RIFF";
    // The extra chunks of a cache file are not counted, as readers expect.
    PutU32(out, dataSize + 36);
    out += "WAVEfmt ";
    PutU32(out, 16);
    PutU16(out, platform::kWaveFormatPcm);
    PutU16(out, format.channels);
    PutU32(out, format.samplesPerSec);
    PutU32(out, blockAlign * format.samplesPerSec);
    PutU16(out, blockAlign);
    PutU16(out, format.bitsPerSample);
    std::uint8_t xorValue = 0;
    if (cached) {
        const std::string name = sourceName.substr(0, 255);
        out += "dep ";
        PutU32(out, static_cast<std::uint32_t>(name.size()) + 10);
        PutU16(out, static_cast<std::uint32_t>(name.size()));
        out += name;
        PutU32(out, static_cast<std::uint32_t>(sourceTime));
        PutU32(out, static_cast<std::uint32_t>(sourceTime >> 32));
        out += "xor ";
        PutU32(out, 1);
        out.push_back(static_cast<char>(kCachedWaveXor));
        xorValue = kCachedWaveXor;
    }
    out += "data";
    PutU32(out, dataSize);
    for (std::uint8_t byte : sound.data)
        out.push_back(static_cast<char>(byte ^ xorValue));
    return out;
}

bool WriteWaveFile(const std::string& path, const PcmSound& sound, const std::string& sourceName,
                   platform::FileTime sourceTime) {
    return platform::WriteWholeFile(path, MakeWaveBytes(sound, sourceName, sourceTime));
}

} // namespace Kavo
