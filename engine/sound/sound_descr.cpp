#include "engine/sound/sound_descr.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/base/sound_error.h"
#include "engine/base/str_parser.h"
#include "engine/base/string_tools.h"
#include "engine/sound/sound_storages.h"
#include "engine/sound/wave_format_bytes.h"
#include "engine/sound/wave_ogg_file.h"
#include "engine/storage/file_descr.h"
#include "engine/storage/stg.h"

namespace Sound {
namespace {

bool Same(const char* a, const char* b) {
    return strcasecmp(a, b) == 0;
}

// The leading decimal integer, as atoi reads it, held to the int range.
int ToInt(const char* text) {
    const long long value = std::strtoll(text, nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Up to three comma-separated floats: each one given replaces its
// component, the missing ones stay.
void ReadVector(const char* text, platform::Vector3& vector) {
    float* components[] = {&vector.x, &vector.y, &vector.z};
    for (float* component : components) {
        const char* comma = std::strchr(text, ',');
        const std::string piece = comma ? std::string(text, comma) : std::string(text);
        if (!piece.empty())
            *component = std::strtof(piece.c_str(), nullptr);
        if (comma == nullptr)
            return;
        text = comma + 1;
    }
}

struct FlagKey {
    const char* key;
    SoundDescr_t::Flag flag;
};
constexpr FlagKey kFlagKeys[] = {
    {"Is3D", SoundDescr_t::Is3D},
    {"IsStreamed", SoundDescr_t::IsStreamed},
    {"IsLoop", SoundDescr_t::IsLoop},
    {"PlayOnStart", SoundDescr_t::PlayOnStart},
    {"PlayIfPlay", SoundDescr_t::PlayIfPlay},
    {"LoadOnStart", SoundDescr_t::LoadOnStart},
    {"DelAfterPlay", SoundDescr_t::DelAfterPlay},
    {"MuteAfterMaxDistance", SoundDescr_t::MuteAfterMaxDistance},
};

struct FileCloser {
    Stg_t* storage;
    void operator()(FileDescr_t* file) const { storage->CloseFile(file); }
};

} // namespace

SoundDescr_t::SoundDescr_t() {
    params3D.insideConeAngle = 0;
    params3D.outsideConeAngle = 360;
    params3D.coneOrientation = {0, 1.0f, 0};
    params3D.coneOutsideVolume = 0;
    params3D.minDistance = 0.1f;
    params3D.maxDistance = 15.0f;
    params3D.mode = 0;
}

int SoundDescr_t::GroupCode(const char* text) {
    if (text == nullptr)
        return GroupNone;
    std::unique_ptr<char[]> copy(com_string::StrDup(text));
    const char* trimmed = com_string::Trim(copy.get());
    static constexpr const char* kNames[] = {"Dialog", "Effect", "World", "Music", "Interf"};
    for (int code = 0; code < 5; ++code) {
        if (Same(trimmed, kNames[code]))
            return code;
    }
    return GroupNone;
}

bool SoundDescr_t::Parse(FileDescr_t* file) {
    name.clear();
    waveName.clear();
    FreeWaveData();

    std::vector<char> text(FileDescr_t::Size(file));
    std::uint32_t got = 0;
    if (!text.empty())
        FileDescr_t::Read(file, text.data(), static_cast<std::uint32_t>(text.size()), &got);
    com_string::StrParser_t lines(text.data(), std::min<std::uint32_t>(got, static_cast<std::uint32_t>(text.size())));

    while (const char* line = lines.NextLine()) {
        std::unique_ptr<char[]> copy(com_string::StrDup(line));
        char* equals = std::strchr(copy.get(), '=');
        if (equals == nullptr)
            continue;
        *equals = '\0';
        const char* key = com_string::Trim(copy.get());
        const char* value = com_string::Trim(equals + 1);

        if (Same(key, "Position")) {
            ReadVector(value, params3D.position);
        } else if (Same(key, "ConeOrientation")) {
            ReadVector(value, params3D.coneOrientation);
        } else if (Same(key, "InsideConeAngle")) {
            params3D.insideConeAngle = static_cast<std::uint32_t>(ToInt(value));
        } else if (Same(key, "OutsideConeAngle")) {
            params3D.outsideConeAngle = static_cast<std::uint32_t>(ToInt(value));
        } else if (Same(key, "ConeOutsideVolume")) {
            params3D.coneOutsideVolume = ToInt(value);
        } else if (Same(key, "Mode")) {
            params3D.mode = static_cast<std::uint32_t>(ToInt(value));
        } else if (Same(key, "MinDistance")) {
            params3D.minDistance = std::strtof(value, nullptr);
        } else if (Same(key, "MaxDistance")) {
            params3D.maxDistance = std::strtof(value, nullptr);
        } else if (Same(key, "WaveName")) {
            if (*value != '\0')
                waveName = value;
        } else if (Same(key, "Volume")) {
            volume = ToInt(value);
        } else if (Same(key, "MinTime")) {
            minTime = ToInt(value);
        } else if (Same(key, "MaxTime")) {
            maxTime = ToInt(value);
        } else if (Same(key, "Group")) {
            group = GroupCode(value);
        } else {
            for (const FlagKey& entry : kFlagKeys) {
                if (Same(key, entry.key) && ToInt(value) != 0)
                    flags |= entry.flag;
            }
        }
    }
    name = file->name;
    if (Has(LoadOnStart))
        LoadWaveData();
    return group != GroupNone;
}

void SoundDescr_t::SetWaveName(const char* newName) {
    const char* wanted = newName != nullptr ? newName : "";
    if (Same(wanted, waveName.c_str()))
        return;
    waveName = wanted;
    FreeWaveData();
}

void SoundDescr_t::LoadWaveData() {
    if (!waveData.empty() || waveName.empty())
        return;
    const std::shared_ptr<SoundStorages> storages = gSoundStorages.Get();
    if (!storages)
        return;
    Stg_t* storage = group == GroupDialog ? storages->dialogWaves : storages->waves;
    if (storage == nullptr)
        return;
    int kind = WaveOgg;
    std::string fileName = waveName + ".ogg";
    if (!storage->TestFilePresent(fileName)) {
        kind = WaveWav;
        fileName = waveName + ".wav";
        if (!storage->TestFilePresent(fileName))
            return;
    }
    std::unique_ptr<FileDescr_t, FileCloser> file(storage->OpenFile(fileName, 0), FileCloser{storage});
    ReadWaveFile(file.get());
    waveKind = kind;
    if (kind == WaveOgg && !Has(IsStreamed) && !waveData.empty())
        DecodeOgg();
}

void SoundDescr_t::ReadWaveFile(FileDescr_t* file) {
    FreeWaveData();
    waveData.resize(FileDescr_t::Size(file));
    std::uint32_t got = 0;
    if (!waveData.empty())
        FileDescr_t::Read(file, waveData.data(), static_cast<std::uint32_t>(waveData.size()), &got);
    waveData.resize(std::min<std::size_t>(got, waveData.size()));
}

// The whole stream as the PCM image. What the stream promised but did not
// give is silence; a stream that promises nothing, or more than a sound
// buffer can hold, is bad data.
void SoundDescr_t::DecodeOgg() {
    WaveOggFile_t source;
    source.OpenMemory(waveData.data(), static_cast<std::uint32_t>(waveData.size()));
    const std::uint32_t pcmBytes = source.SizeBytes();
    if (pcmBytes == 0 || pcmBytes > platform::kSoundBufferBytesMax)
        throw errSnd_e(9);
    std::vector<std::uint8_t> image(std::size_t{pcmBytes} + kPcmImageHeader, 0);
    WriteWaveFormat(source.Format(), image.data());
    WriteLe32(pcmBytes, image.data() + kWaveFormatBytes);
    std::uint32_t done = 0;
    while (done < pcmBytes) {
        std::uint32_t got = 0;
        source.Read(image.data() + kPcmImageHeader + done, pcmBytes - done, &got);
        if (got == 0)
            break;
        done += got;
    }
    waveData = std::move(image);
    decoded = true;
}

void SoundDescr_t::FreeWaveData() {
    waveData.clear();
    waveData.shrink_to_fit();
    decoded = false;
}

} // namespace Sound
