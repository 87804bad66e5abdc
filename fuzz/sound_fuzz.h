#pragma once
// The one harness of the sound readers: the bytes become a file of the
// reader's extension and are loaded by name through the file API; what
// loads must be whole frames of a playable format.

#include "framework/sound/au_file.h"
#include "framework/sound/song.h"
#include "framework/sound/wave_file.h"
#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace Kavo::fuzz {

inline void CheckPcm(const PcmSound& sound, size_t maxBytes) {
    const platform::WaveFormat& f = sound.format;
    if (!IsPlayablePcm(f.channels, f.bitsPerSample, f.samplesPerSec) ||
        f.blockAlign != f.channels * f.bitsPerSample / 8)
        std::abort();
    if (sound.data.size() > maxBytes)
        std::abort();
}

using SoundReader = bool (*)(const std::string& path, PcmSound& out, std::string& error);

inline int LoadSoundInput(const uint8_t* data, size_t size, const char* extension, SoundReader reader) {
    PcmSound sound;
    std::string error;
    if (reader(WriteInputFile(data, size, extension), sound, error))
        CheckPcm(sound, 2 * size); // mu-law doubles; nothing else grows
    else if (error.empty())
        std::abort();
    return 0;
}

// Songs are cut at a few seconds, so that a long song is not a timeout.
inline int LoadSongInput(const uint8_t* data, size_t size, const char* extension) {
    constexpr size_t kMaxFrames = 44100 * 4;
    PcmSound sound;
    bool module = false;
    std::vector<uint32_t> orderFrames;
    std::string error;
    if (!DecodeSongFile(WriteInputFile(data, size, extension), sound, module, orderFrames, error, kMaxFrames)) {
        if (error.empty())
            std::abort();
        return 0;
    }
    CheckPcm(sound, kMaxFrames * sound.format.blockAlign);
    if (sound.data.empty() || sound.data.size() % sound.format.blockAlign != 0)
        std::abort();
    for (uint32_t frame : orderFrames)
        if (size_t(frame) * sound.format.blockAlign > sound.data.size())
            std::abort();
    return 0;
}

} // namespace Kavo::fuzz
