#pragma once
// The 18 bytes of a wave format as files hold it: format tag, channels,
// samples per second, average bytes per second, block alignment, bits per
// sample and the extra-size field, little-endian.

#include <cstdint>

#include "platform/audio/sound_types.h"

namespace Sound {

inline constexpr std::uint32_t kWaveFormatBytes = 18;

platform::WaveFormat ReadWaveFormat(const std::uint8_t* bytes);
void WriteWaveFormat(const platform::WaveFormat& format, std::uint8_t* bytes);

std::uint32_t ReadLe32(const std::uint8_t* bytes);
void WriteLe32(std::uint32_t value, std::uint8_t* bytes);

} // namespace Sound
