#pragma once
// Sun ".au" sound files: ".snd", then big-endian data offset, data size,
// encoding, sample rate and channels. Encoding 1 (8-bit mu-law) becomes
// 16-bit PCM, encoding 2 (8-bit signed linear) 8-bit unsigned PCM.

#include <cstdint>
#include <span>
#include <string>

#include "framework/sound/pcm_sound.h"

namespace Kavo {

// One mu-law byte as a 16-bit sample, by the expansion table the game's
// sounds were made for.
std::int16_t MuLawSample(std::uint8_t byte);

// The data size is clamped to the bytes after the data offset. False with
// the first error in `error`.
bool ParseAu(std::span<const std::uint8_t> bytes, PcmSound& out, std::string& error);

// ParseAu on a file read through the file API.
bool ReadAuFile(const std::string& path, PcmSound& out, std::string& error);

} // namespace Kavo
