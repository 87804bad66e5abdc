#pragma once
// Compressed sounds and songs decoded whole to 16-bit PCM: mp3 (libmpg123),
// Ogg Vorbis (libvorbisfile) and tracker modules (libopenmpt: .mod, .xm,
// .s3m, .it and the other formats it knows). Decoding stops at maxFrames
// sample frames, so a file cannot ask for unbounded memory.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/sound/pcm_sound.h"

namespace Kavo {

// Ten minutes at 44100 Hz.
inline constexpr std::size_t kMaxDecodedFrames = 44100u * 60u * 10u;
// Modules are rendered at this rate, in stereo.
inline constexpr int kModuleRate = 44100;

// Each fails with the first error in `error` for data that is not of its
// format, decodes to nothing, or has more than two channels.
bool DecodeMp3(std::span<const std::uint8_t> bytes, PcmSound& out, std::string& error,
               std::size_t maxFrames = kMaxDecodedFrames);
bool DecodeOgg(std::span<const std::uint8_t> bytes, PcmSound& out, std::string& error,
               std::size_t maxFrames = kMaxDecodedFrames);
// Plays the module once through. orderFrames (when given) receives, for
// each order of the song, the first frame rendered in it (orders never
// reached start at frame 0).
bool DecodeModule(std::span<const std::uint8_t> bytes, PcmSound& out, std::vector<std::uint32_t>* orderFrames,
                  std::string& error, std::size_t maxFrames = kMaxDecodedFrames);

} // namespace Kavo
