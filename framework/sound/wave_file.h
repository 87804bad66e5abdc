#pragma once
// RIFF/WAVE sound files: the plain files the game ships and the cached
// decodes that the sound manager writes, which carry two chunks of their
// own: "dep " (the source file's name and last-write time, so that a stale
// cache is noticed) and "xor " (a byte every PCM byte is XORed with).

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "framework/sound/pcm_sound.h"
#include "platform/file_system.h"

namespace Kavo {

// Asked for the present last-write time of a "dep " chunk's file.
using SourceTimeQuery = std::function<platform::FileTime(const std::string& name)>;

// Parses a whole WAVE file: "RIFF", size, "WAVE", then chunks up to the end
// (not padded to even sizes), of which "fmt " (PCM only: format tag 1),
// "dep ", "xor " and "data" are read and the others skipped. Before any
// "fmt " the format is 1 channel, 22050 Hz, 16 bits. A "dep " chunk whose
// time differs from sourceTime's answer fails (the cache is stale); without
// a query it is not checked. Sizes are clamped to the bytes left. False with
// the first error in `error`.
bool ParseWave(std::span<const std::uint8_t> bytes, PcmSound& out, std::string& error,
               const SourceTimeQuery& sourceTime = {});

// ParseWave on a file read through the file API, with "dep " times read
// through SourceFileTime.
bool ReadWaveFile(const std::string& path, PcmSound& out, std::string& error);

// The XOR value of the cache files written here.
inline constexpr std::uint8_t kCachedWaveXor = 0x6B;

// The bytes of a cached decode: "RIFF" (size = data + 36), "WAVE", "fmt ",
// "dep " (sourceName and sourceTime), "xor " (kCachedWaveXor), "data"
// (PCM XORed). An empty sourceName writes a plain file without "dep " and
// "xor " chunks and with the PCM as it is.
std::string MakeWaveBytes(const PcmSound& sound, const std::string& sourceName, platform::FileTime sourceTime);

// Writes MakeWaveBytes to the disk (folders are not made); false when the
// file cannot be written.
bool WriteWaveFile(const std::string& path, const PcmSound& sound, const std::string& sourceName,
                   platform::FileTime sourceTime);

} // namespace Kavo
