// Opens the input as a RIFF/WAVE file and as a decoded PCM image, and reads
// each out the ways a sound does: in pieces, after a rewind.
#include "engine/base/sound_error.h"
#include "engine/sound/wave_wav_file.h"
#include "engine/storage/file_descr.h"

#include <vector>

namespace {

void Drain(Sound::WaveFile_t& source) {
    std::vector<unsigned char> piece(4093);
    for (int pass = 0; pass < 2; ++pass) {
        std::uint32_t got = 0;
        do {
            source.Read(piece.data(), static_cast<std::uint32_t>(piece.size()), &got);
        } while (got > 0);
        source.Rewind();
    }
    source.LengthMs();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto bytes = static_cast<std::uint32_t>(size);
    try {
        Sound::WaveWavFile_t riff;
        riff.Open(FileDescr_t::FromMemory(data, bytes, true).release());
        if (riff.SizeBytes() > size)
            __builtin_trap(); // only the bytes present are played
        Drain(riff);
    } catch (const errSnd_e&) {
    }
    try {
        Sound::WaveWavFile_t image;
        image.OpenPcmImage(data, bytes);
        Drain(image);
    } catch (const errSnd_e&) {
    }
    return 0;
}
