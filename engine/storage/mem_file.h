#pragma once
// A file held in memory: either an owned, growable buffer or a caller's
// bytes used in place (read-only). Positions and sizes are 32-bit.

#include <cstdint>
#include <vector>

class MemFile {
public:
    // With `copy` the bytes (if any) are copied into an owned buffer;
    // otherwise `data` is used in place and must outlive the file.
    MemFile(const void* data, std::uint32_t size, bool copy);

    void Read(void* buffer, std::uint32_t count, std::uint32_t* read);
    // A target past the size (a negative one too) puts the position at 0.
    void Seek(std::int32_t origin, std::int32_t offset, std::uint32_t* position);
    // Makes position + count the size. False, with the file unchanged, when
    // that passes 32 bits or the buffer cannot grow; a file that is closed
    // or not owned ignores writes.
    bool Write(const void* buffer, std::uint32_t count, std::uint32_t* written);

    std::uint32_t Size() const { return mSize; }
    std::uint32_t Position() const { return mPosition; }
    bool IsOpen() const { return mOpen; }
    bool OwnsData() const { return mOwnsData; }
    const std::uint8_t* Data() const { return mOwnsData ? mOwned.data() : mData; }

    void Reopen() {
        mOpen = true;
        mPosition = 0;
    }
    void MarkClosed() { mOpen = false; }

private:
    std::vector<std::uint8_t> mOwned;
    const std::uint8_t* mData = nullptr;
    std::uint32_t mPosition = 0;
    std::uint32_t mSize = 0;
    bool mOwnsData = false;
    bool mOpen = true;
};
