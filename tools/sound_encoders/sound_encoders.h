#pragma once
// Small sound files made at run time for tests, fuzz seeds and the sample
// content: tones, RIFF/WAVE images and Ogg Vorbis streams (libvorbisenc).

#include <cstdint>
#include <string>
#include <vector>

namespace Kavo::SoundEncoders {

using Bytes = std::vector<std::uint8_t>;

// Interleaved 16-bit samples of a sine tone, the same in every channel.
std::vector<std::int16_t> Tone(int channels, int rate, double seconds, double hz, double amplitude = 0.5);

// The little-endian bytes of 16-bit samples.
Bytes PcmBytes(const std::vector<std::int16_t>& samples);

// "RIFF" "WAVE" with a PCM "fmt " chunk of 16 bytes and a "data" chunk.
Bytes MakeWav(int channels, int rate, int bits, const Bytes& pcm);

// A RIFF chunk: tag, 32-bit size, body and its pad byte when odd.
Bytes Chunk(const std::string& tag, const Bytes& body);
// "RIFF", the size of what follows, "WAVE" and the chunks as given.
Bytes Riff(const std::vector<Bytes>& chunks);
// A 16-byte PCM "fmt " body.
Bytes FormatBody(int channels, int rate, int bits);

// An Ogg Vorbis stream of the interleaved samples (variable bit rate).
Bytes EncodeOgg(int channels, int rate, const std::vector<std::int16_t>& samples, float quality = 0.1f);

} // namespace Kavo::SoundEncoders
