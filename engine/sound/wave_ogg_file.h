#pragma once
// A wave source that decodes Ogg Vorbis to 16-bit signed little-endian PCM
// through vorbisfile, reading the engine storage file through callbacks.
// Storage errors inside the decoder read as the end of the data, and a run
// of damaged packets ends a read instead of keeping it busy.

#include <cstdint>
#include <memory>

#include "engine/sound/wave_file.h"

namespace Sound {

class WaveOggFile_t final : public WaveFile_t {
public:
    // Negative answers of the decoder in a row that end a read.
    static constexpr int kMaxHolesInARow = 64;

    WaveOggFile_t();
    ~WaveOggFile_t() override;

    void Open(FileDescr_t* file) override;
    // Ends the decoding and gives up the file.
    void Close() override;
    std::uint32_t Read(void* dst, std::uint32_t bytes, std::uint32_t* got) override;
    // 0 when the stream does not know its length; at most 32 bits.
    std::uint32_t SizeBytes() override;
    std::uint32_t LengthMs() override;
    void Rewind() override;

private:
    struct Decoder;

    std::unique_ptr<Decoder> mDecoder;
    FileDescr_t* mFile = nullptr;
    bool mOpen = false;
    int mChannels = 0;
    long mSamplesPerSec = 0;
};

} // namespace Sound
