#pragma once
// A bounds-checked cursor over bytes read from a sound file: every read
// checks the bytes left and a short read fails without moving.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace Kavo {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : mBytes(bytes) {}

    std::size_t Position() const { return mPos; }
    std::size_t Remaining() const { return mBytes.size() - mPos; }
    // Moves to `pos`, at most the end.
    void Seek(std::size_t pos) { mPos = pos < mBytes.size() ? pos : mBytes.size(); }

    bool Tag(char (&tag)[5]) {
        if (Remaining() < 4)
            return false;
        std::memcpy(tag, mBytes.data() + mPos, 4);
        tag[4] = 0;
        mPos += 4;
        return true;
    }
    bool U8(std::uint8_t& value) { return Read(value, 1, false); }
    bool U16(std::uint16_t& value) { return Read(value, 2, false); }
    bool U32(std::uint32_t& value) { return Read(value, 4, false); }
    bool U64(std::uint64_t& value) { return Read(value, 8, false); }
    bool U32BigEndian(std::uint32_t& value) { return Read(value, 4, true); }
    // `count` bytes from here, or false when fewer are left.
    bool Bytes(std::size_t count, std::span<const std::uint8_t>& out) {
        if (Remaining() < count)
            return false;
        out = mBytes.subspan(mPos, count);
        mPos += count;
        return true;
    }

private:
    template <typename T>
    bool Read(T& value, std::size_t size, bool bigEndian) {
        if (Remaining() < size)
            return false;
        std::uint64_t result = 0;
        for (std::size_t i = 0; i < size; ++i) {
            const std::uint64_t byte = mBytes[mPos + i];
            result |= bigEndian ? byte << (8 * (size - 1 - i)) : byte << (8 * i);
        }
        value = static_cast<T>(result);
        mPos += size;
        return true;
    }

    std::span<const std::uint8_t> mBytes;
    std::size_t mPos = 0;
};

} // namespace Kavo
