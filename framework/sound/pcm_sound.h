#pragma once
// A decoded sound: PCM bytes (8-bit unsigned or 16-bit signed little-endian,
// one or two interleaved channels) and their format.

#include <cstdint>
#include <vector>

#include "platform/audio/sound_types.h"

namespace Kavo {

struct PcmSound {
    platform::WaveFormat format;
    std::vector<std::uint8_t> data;
};

// The formats a sound buffer can play: 1 or 2 channels, 8 or 16 bits, a
// rate above 0.
inline bool IsPlayablePcm(int channels, int bitsPerSample, std::uint32_t samplesPerSec) {
    return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16) && samplesPerSec > 0;
}

} // namespace Kavo
