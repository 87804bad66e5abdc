#include "engine/sound/wave_wav_file.h"

#include <algorithm>
#include <cstring>

#include "engine/base/sound_error.h"
#include "engine/base/storage_error.h"
#include "engine/sound/wave_format_bytes.h"
#include "engine/storage/file_descr.h"

namespace Sound {
namespace {

constexpr std::uint32_t kPcmImageHeader = kWaveFormatBytes + 4;

// A short read of a RIFF field; the parse turns it into its false result.
struct ShortRead {};

class RiffReader {
public:
    explicit RiffReader(FileDescr_t* file) : mFile(file), mSize(FileDescr_t::Size(file)) {}

    void ReadExactly(void* dst, std::uint32_t bytes) {
        std::uint32_t got = 0;
        FileDescr_t::Read(mFile, dst, bytes, &got);
        if (got != bytes)
            throw ShortRead{};
        mPosition += got;
    }
    std::uint32_t ReadTag() {
        std::uint8_t bytes[4];
        ReadExactly(bytes, 4);
        return ReadLe32(bytes);
    }
    // Moves forward; a target beyond the end of the file is a short read,
    // so the walk always ends.
    void Skip(std::uint64_t bytes) {
        const std::uint64_t target = mPosition + bytes;
        if (target > mSize)
            throw ShortRead{};
        std::uint32_t position = 0;
        FileDescr_t::Seek(mFile, 0, static_cast<std::int32_t>(target), &position);
        mPosition = static_cast<std::uint32_t>(target);
    }
    bool AtEnd() const { return mPosition >= mSize; }
    std::uint32_t Position() const { return mPosition; }
    std::uint32_t Size() const { return mSize; }

private:
    FileDescr_t* mFile;
    std::uint32_t mSize;
    std::uint32_t mPosition = 0;
};

constexpr std::uint32_t Tag(const char (&text)[5]) {
    return std::uint32_t(std::uint8_t(text[0])) | std::uint32_t(std::uint8_t(text[1])) << 8 |
           std::uint32_t(std::uint8_t(text[2])) << 16 | std::uint32_t(std::uint8_t(text[3])) << 24;
}

} // namespace

WaveWavFile_t::~WaveWavFile_t() {
    Close();
}

void WaveWavFile_t::Open(FileDescr_t* file) {
    Close();
    mFile = file;
    if (file == nullptr || !ParseRiff()) {
        Close();
        throw errSnd_e(6);
    }
    Rewind();
}

bool WaveWavFile_t::ParseRiff() {
    // Storages are 32-bit, so every file position fits 31 bits of a seek.
    if (FileDescr_t::Size(mFile) > 0x7FFFFFFFu)
        return false;
    try {
        RiffReader riff(mFile);
        if (riff.ReadTag() != Tag("RIFF"))
            return false;
        riff.ReadTag(); // the RIFF size says nothing the chunks do not
        if (riff.ReadTag() != Tag("WAVE"))
            return false;
        bool haveFormat = false;
        bool haveData = false;
        for (;;) {
            const std::uint32_t tag = riff.ReadTag();
            const std::uint32_t size = riff.ReadTag();
            const std::uint32_t pad = size & 1;
            if (tag == Tag("fmt ") && !haveFormat) {
                if (size < 14)
                    return false;
                // Only the format's fields are kept; a longer chunk's tail
                // is skipped like any other bytes.
                std::uint8_t bytes[kWaveFormatBytes] = {};
                const std::uint32_t kept = std::min(size, kWaveFormatBytes);
                riff.ReadExactly(bytes, kept);
                mFormat = ReadWaveFormat(bytes);
                if (mFormat.formatTag == platform::kWaveFormatPcm)
                    mFormat.extraSize = 18;
                haveFormat = true;
                if (haveData)
                    return true;
                riff.Skip(std::uint64_t{size} - kept + pad);
            } else if (tag == Tag("data") && !haveData) {
                mDataStart = riff.Position();
                mDataSize = std::min(size, riff.Size() - riff.Position());
                haveData = true;
                if (haveFormat)
                    return true;
                riff.Skip(std::uint64_t{size} + pad);
            } else {
                riff.Skip(std::uint64_t{size} + pad);
            }
        }
    } catch (const ShortRead&) {
        return false;
    } catch (const errStg_e&) {
        return false;
    }
}

void WaveWavFile_t::OpenPcmImage(const void* data, std::uint32_t size) {
    Close();
    if (data == nullptr || size < kPcmImageHeader)
        throw errSnd_e(6);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    mFile = FileDescr_t::FromMemory(data, size, true).release();
    mFormat = ReadWaveFormat(bytes);
    mDataSize = std::min(ReadLe32(bytes + kWaveFormatBytes), size - kPcmImageHeader);
    mDataStart = kPcmImageHeader;
    Rewind();
}

void WaveWavFile_t::Close() {
    FileDescr_t* file = mFile;
    mFile = nullptr;
    ReleaseFile(file);
}

std::uint32_t WaveWavFile_t::Read(void* dst, std::uint32_t bytes, std::uint32_t* got) {
    if (mFile == nullptr)
        throw errSnd_e(8);
    const std::uint32_t end = mDataStart + mDataSize;
    const std::uint32_t left = mPosition < end ? end - mPosition : 0;
    std::uint32_t read = 0;
    const std::uint32_t wanted = std::min(bytes, left);
    if (wanted > 0)
        FileDescr_t::Read(mFile, dst, wanted, &read);
    mPosition += read;
    if (got != nullptr)
        *got = read;
    return read;
}

std::uint32_t WaveWavFile_t::LengthMs() {
    if (mFormat.avgBytesPerSec == 0)
        return 0;
    return static_cast<std::uint32_t>(std::uint64_t{mDataSize} * 1000 / mFormat.avgBytesPerSec);
}

void WaveWavFile_t::Rewind() {
    if (mDataStart == 0)
        return;
    if (mFile == nullptr)
        throw errSnd_e(8);
    std::uint32_t position = 0;
    FileDescr_t::Seek(mFile, 0, static_cast<std::int32_t>(mDataStart), &position);
    mPosition = mDataStart;
}

} // namespace Sound
