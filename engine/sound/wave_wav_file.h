#pragma once
// A wave source over a RIFF/WAVE file, or over a description's decoded PCM
// image. The "fmt " and "data" chunks may come in either order; other
// chunks are skipped (with their pad byte). Only the bytes present are
// played: a "data" chunk that claims more than the file holds is cut.

#include <cstdint>

#include "engine/sound/wave_file.h"

namespace Sound {

class WaveWavFile_t final : public WaveFile_t {
public:
    WaveWavFile_t() = default;
    ~WaveWavFile_t() override;

    void Open(FileDescr_t* file) override;
    // Also raises 6 for an image shorter than its 22-byte header; a length
    // beyond the bytes given is cut to them.
    void OpenPcmImage(const void* data, std::uint32_t size) override;
    void Close() override;
    std::uint32_t Read(void* dst, std::uint32_t bytes, std::uint32_t* got) override;
    std::uint32_t SizeBytes() override { return mDataSize; }
    std::uint32_t LengthMs() override;
    void Rewind() override;

private:
    bool ParseRiff();

    std::uint32_t mDataSize = 0;
    std::uint32_t mPosition = 0;  // byte offset in the file
    std::uint32_t mDataStart = 0; // byte offset of the first PCM byte
    FileDescr_t* mFile = nullptr;
};

} // namespace Sound
