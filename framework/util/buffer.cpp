#include "framework/util/buffer.h"

#include <algorithm>

namespace Kavo {

namespace {
// Wider counts would shift out of range; a 32-bit value has no more bits.
int ClampBitCount(int bitCount) {
    return std::min(bitCount, 32);
}
} // namespace

void Buffer::Clear() {
    std::vector<std::uint8_t>().swap(mData);
    mDataBitSize = 0;
    mReadBitPos = 0;
    mWriteBitPos = 0;
}

void Buffer::SetData(const std::uint8_t* data, int count) {
    if (data == nullptr || count < 0)
        count = 0;
    mData.assign(data, data + count);
    mDataBitSize = count * 8;
}

void Buffer::PadToWritePosition() {
    const auto needed = static_cast<std::size_t>((mWriteBitPos + 7) / 8);
    if (mData.size() < needed)
        mData.resize(needed, 0);
}

void Buffer::RaiseDataBitSize() {
    mDataBitSize = std::max(mDataBitSize, mWriteBitPos);
}

void Buffer::WriteByte(std::uint8_t value) {
    PadToWritePosition();
    const int shift = mWriteBitPos % 8;
    if (shift == 0) {
        mData.push_back(value);
    } else {
        mData[mWriteBitPos / 8] |= static_cast<std::uint8_t>(value << shift);
        mData.push_back(static_cast<std::uint8_t>(value >> (8 - shift)));
    }
    mWriteBitPos += 8;
    RaiseDataBitSize();
}

void Buffer::WriteNumBits(std::int32_t value, int bitCount) {
    bitCount = ClampBitCount(bitCount);
    PadToWritePosition();
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < bitCount; ++i) {
        if (mWriteBitPos % 8 == 0)
            mData.push_back(0);
        if ((bits >> i) & 1)
            mData[mWriteBitPos / 8] |= static_cast<std::uint8_t>(1 << (mWriteBitPos % 8));
        ++mWriteBitPos;
    }
    RaiseDataBitSize();
}

void Buffer::WriteBoolean(bool value) {
    WriteByte(value ? 1 : 0);
}

void Buffer::WriteShort(std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    WriteByte(static_cast<std::uint8_t>(bits));
    WriteByte(static_cast<std::uint8_t>(bits >> 8));
}

void Buffer::WriteLong(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        WriteByte(static_cast<std::uint8_t>(bits >> shift));
}

void Buffer::WriteString(const std::string& value) {
    WriteShort(static_cast<std::int16_t>(static_cast<std::uint16_t>(value.size())));
    WriteBytes(reinterpret_cast<const std::uint8_t*>(value.data()), static_cast<int>(value.size()));
}

void Buffer::WriteBytes(const std::uint8_t* data, int count) {
    for (int i = 0; i < count; ++i)
        WriteByte(data[i]);
}

std::uint8_t Buffer::ReadByte() {
    const auto byteCount = static_cast<std::int64_t>(mData.size());
    const int pos = mReadBitPos;
    // Inside a byte the value also needs the following one.
    if ((pos + 7) / 8 >= byteCount)
        return 0;
    const int index = pos / 8;
    const int shift = pos % 8;
    std::uint8_t value;
    if (shift == 0)
        value = mData[index];
    else
        value = static_cast<std::uint8_t>((mData[index + 1] << (8 - shift)) | (mData[index] >> shift));
    mReadBitPos += 8;
    return value;
}

std::int32_t Buffer::ReadNumBits(int bitCount, bool isSigned) {
    bitCount = ClampBitCount(bitCount);
    std::uint32_t value = 0;
    bool lastBit = false;
    const auto byteCount = static_cast<std::int64_t>(mData.size());
    for (int i = 0; i < bitCount; ++i) {
        if (mReadBitPos / 8 >= byteCount)
            break;
        lastBit = (mData[mReadBitPos / 8] >> (mReadBitPos % 8)) & 1;
        if (lastBit)
            value |= 1u << i;
        ++mReadBitPos;
    }
    if (isSigned && lastBit && bitCount < 32)
        value |= ~0u << bitCount;
    return static_cast<std::int32_t>(value);
}

bool Buffer::ReadBoolean() {
    return ReadByte() != 0;
}

std::int16_t Buffer::ReadShort() {
    std::uint16_t value = ReadByte();
    value |= static_cast<std::uint16_t>(ReadByte() << 8);
    return static_cast<std::int16_t>(value);
}

std::int32_t Buffer::ReadLong() {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8)
        value |= static_cast<std::uint32_t>(ReadByte()) << shift;
    return static_cast<std::int32_t>(value);
}

std::string Buffer::ReadString() {
    const int length = ReadShort();
    std::string value;
    if (length > 0) {
        value.resize(static_cast<std::size_t>(length));
        ReadBytes(reinterpret_cast<std::uint8_t*>(value.data()), length);
    }
    return value;
}

std::string Buffer::ReadLine() {
    std::string line;
    for (;;) {
        const std::uint8_t c = ReadByte();
        if (c == 0 || c == '\n')
            break;
        if (c != '\r')
            line.push_back(static_cast<char>(c));
    }
    return line;
}

void Buffer::ReadBytes(std::uint8_t* data, int count) {
    for (int i = 0; i < count; ++i)
        data[i] = ReadByte();
}

} // namespace Kavo
