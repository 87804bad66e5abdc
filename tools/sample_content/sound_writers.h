#pragma once
// Small writers of the sound formats the game reads, for the sample content,
// the tests and the fuzz seeds: Sun ".au", Ogg Vorbis (libvorbisenc) and a
// four-channel ProTracker module. WAVE files come from the framework's own
// writer (framework/sound/wave_file.h).

#include <cstdint>
#include <string>
#include <vector>

namespace Kavo::SoundWriters {

using Bytes = std::vector<std::uint8_t>;

// A sine tone, 16-bit, `channels` interleaved copies of each sample.
std::vector<std::int16_t> Tone(int rate, int channels, int frames, double hz, double amplitude);
// The samples as little-endian bytes.
Bytes LittleEndian(const std::vector<std::int16_t>& samples);

// Each sample as the mu-law byte that the sound reader expands nearest to it.
Bytes EncodeMuLaw(const std::vector<std::int16_t>& samples);

// ".snd" header (data offset 24, or more with `gap` bytes of annotation)
// and the data as it stands.
Bytes MakeAu(std::uint32_t encoding, std::uint32_t rate, std::uint32_t channels, const Bytes& data,
             std::uint32_t gap = 0);

// An Ogg Vorbis stream of the interleaved samples; empty on failure.
Bytes EncodeOgg(int rate, int channels, const std::vector<std::int16_t>& samples);

// One note of a module: a ProTracker period (0 for none) and an effect.
struct ModuleNote {
    int period = 0;
    int effect = 0;
    int param = 0;
};
// A "M.K." module with one looped square-wave instrument; each pattern
// gives its rows for channel 0 (64 at most; a pattern of fewer rows ends
// with a pattern break). `orders` lists the patterns played.
Bytes MakeModule(const std::vector<std::vector<ModuleNote>>& patterns, const std::vector<int>& orders);
// A two-order tune of 8 rows each (about two seconds).
Bytes MakeSampleModule();

} // namespace Kavo::SoundWriters
