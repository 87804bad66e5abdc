#pragma once
// A ".cdf" file: a little-endian header (uncompressed size, compressed
// size, both u32) followed by one zlib stream. Reading inflates the whole
// file when it is opened; writing deflates into memory and reaches the disk
// only when the file is finished.

#include <cstdint>
#include <vector>

#include <zlib.h>

class PackFile_t {
public:
    // Takes ownership of the open file descriptor.
    PackFile_t(int fileHandle, bool writeMode);
    ~PackFile_t();
    PackFile_t(const PackFile_t&) = delete;
    PackFile_t& operator=(const PackFile_t&) = delete;

    // 0 on success, -1 once the error flag is set.
    std::int32_t Read(void* buffer, std::uint32_t count, std::uint32_t* read);
    std::int32_t Write(const void* buffer, std::uint32_t count, std::uint32_t* written);
    std::int32_t Seek(std::int32_t origin, std::int32_t offset, std::uint32_t* position);

    // Writes a written file out and closes the descriptor; false when the
    // file could not be written whole (it is closed either way).
    bool Finish();

    // 0 for a file that failed to open.
    std::uint32_t UncompressedSize() const { return mUncompressedSize; }
    bool Failed() const { return mError; }

    static constexpr std::uint32_t kGrowStep = 5000000;
    // Deflate never shrinks data by more than about 1032:1, so a header
    // promising more than this from its stream is false.
    static constexpr std::uint64_t kMaxInflateRatio = 1032;

private:
    void OpenForReading();
    bool Deflate(int flush);
    bool Grow();
    void CloseHandle();

    int mFile;
    z_stream mStream{};
    bool mStreamOpen = false;
    bool mWritten = false;
    bool mWriteMode;
    std::vector<std::uint8_t> mBuffer; // content (read) or compressed output (write)
    std::uint32_t mReadPosition = 0;
    std::uint32_t mUncompressedSize = 0;
    std::uint32_t mCompressedSize = 0;
    bool mError = false;
};
