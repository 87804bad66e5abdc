#pragma once
// Packed serialisation buffer. Its layout is a file format (demos, profiles,
// saved boards, crash reports): bits fill each byte from the least
// significant bit, integers are little-endian, a string is a 16-bit length
// followed by its bytes. Reading past the end yields zero bits.

#include <cstdint>
#include <string>
#include <vector>

namespace Kavo {

class Buffer {
public:
    Buffer() = default;
    virtual ~Buffer() = default;

    // Frees the bytes and rewinds both positions.
    void Clear();
    // Replaces the bytes by a copy; both positions stay where they were.
    void SetData(const std::uint8_t* data, int count);

    void WriteByte(std::uint8_t value);
    // The low bitCount bits of value (at most 32), least significant first.
    void WriteNumBits(std::int32_t value, int bitCount);
    void WriteBoolean(bool value);
    void WriteShort(std::int16_t value);
    void WriteLong(std::int32_t value);
    // Only the low 16 bits of the length are stored; keep strings below 32,768 bytes.
    void WriteString(const std::string& value);
    void WriteBytes(const std::uint8_t* data, int count);

    std::uint8_t ReadByte();
    // Sign extension, when asked for, is from the requested width.
    std::int32_t ReadNumBits(int bitCount, bool isSigned);
    bool ReadBoolean();
    std::int16_t ReadShort();
    std::int32_t ReadLong();
    std::string ReadString();
    // Up to a line feed or a zero byte (both consumed); carriage returns dropped.
    std::string ReadLine();
    void ReadBytes(std::uint8_t* data, int count);
    bool AtEnd() const { return mReadBitPos >= mDataBitSize; }

    // The first byte, or null when there is none.
    const std::uint8_t* GetDataPtr() const { return mData.empty() ? nullptr : mData.data(); }
    int GetDataLen() const { return (mDataBitSize + 7) / 8; }
    int GetDataLenBits() const { return mDataBitSize; }
    int GetReadBitPos() const { return mReadBitPos; }
    // Moves the read position back (or on) within the data.
    void SetReadBitPos(int bitPos) { mReadBitPos = bitPos < 0 ? 0 : bitPos > mDataBitSize ? mDataBitSize : bitPos; }
    int GetWriteBitPos() const { return mWriteBitPos; }

private:
    // Grows the array with zeros up to the byte that holds the write position
    // when a SetData that shrank the bytes left that position beyond them, so
    // that every write lands at its position and the array always holds the
    // data bit size.
    void PadToWritePosition();
    void RaiseDataBitSize();

    std::vector<std::uint8_t> mData;
    std::int32_t mDataBitSize = 0;
    std::int32_t mReadBitPos = 0;
    std::int32_t mWriteBitPos = 0;
};

} // namespace Kavo
