#include "framework/util/buffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace Kavo {
namespace {

std::vector<std::uint8_t> Bytes(const Buffer& buffer) {
    const std::uint8_t* data = buffer.GetDataPtr();
    return data ? std::vector<std::uint8_t>(data, data + buffer.GetDataLen()) : std::vector<std::uint8_t>();
}

Buffer FromBytes(const std::vector<std::uint8_t>& bytes) {
    Buffer buffer;
    buffer.SetData(bytes.data(), static_cast<int>(bytes.size()));
    return buffer;
}

TEST(Buffer, BitsThenByteShareTheFirstByte) {
    Buffer buffer;
    buffer.WriteNumBits(5, 3);
    buffer.WriteByte(0xFF);
    EXPECT_EQ(Bytes(buffer), (std::vector<std::uint8_t>{0xFD, 0x07}));
    EXPECT_EQ(buffer.GetDataLenBits(), 11);
    EXPECT_EQ(buffer.GetDataLen(), 2);

    EXPECT_EQ(buffer.ReadNumBits(3, false), 5);
    EXPECT_EQ(buffer.ReadByte(), 0xFF);
    EXPECT_TRUE(buffer.AtEnd());
}

TEST(Buffer, ByteLayoutOfEachKind) {
    struct Case {
        const char* what;
        std::function<void(Buffer&)> write;
        std::vector<std::uint8_t> bytes;
        std::function<void(Buffer&)> checkRead;
    };
    const std::vector<Case> cases = {
        {"short",
         [](Buffer& b) { b.WriteShort(0x1234); },
         {0x34, 0x12},
         [](Buffer& b) { EXPECT_EQ(b.ReadShort(), 0x1234); }},
        {"negative long",
         [](Buffer& b) { b.WriteLong(-2); },
         {0xFE, 0xFF, 0xFF, 0xFF},
         [](Buffer& b) { EXPECT_EQ(b.ReadLong(), -2); }},
        {"long order",
         [](Buffer& b) { b.WriteLong(0x01020304); },
         {0x04, 0x03, 0x02, 0x01},
         [](Buffer& b) { EXPECT_EQ(b.ReadLong(), 0x01020304); }},
        {"string",
         [](Buffer& b) { b.WriteString("abc"); },
         {0x03, 0x00, 'a', 'b', 'c'},
         [](Buffer& b) { EXPECT_EQ(b.ReadString(), "abc"); }},
        {"empty string",
         [](Buffer& b) { b.WriteString(""); },
         {0x00, 0x00},
         [](Buffer& b) { EXPECT_EQ(b.ReadString(), ""); }},
        {"booleans",
         [](Buffer& b) {
             b.WriteBoolean(true);
             b.WriteBoolean(false);
         },
         {0x01, 0x00},
         [](Buffer& b) {
             EXPECT_TRUE(b.ReadBoolean());
             EXPECT_FALSE(b.ReadBoolean());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Buffer buffer;
        c.write(buffer);
        EXPECT_EQ(Bytes(buffer), c.bytes);
        EXPECT_EQ(buffer.GetDataLenBits(), static_cast<int>(c.bytes.size() * 8));
        c.checkRead(buffer);
        EXPECT_TRUE(buffer.AtEnd());
    }
}

TEST(Buffer, ValuesAtAnOddBitOffsetReadBack) {
    const std::uint8_t raw[] = {0x00, 0x80, 0xFF, 0x7F};
    Buffer buffer;
    buffer.WriteNumBits(1, 1);
    buffer.WriteShort(-12345);
    buffer.WriteLong(-1234567890);
    buffer.WriteString("Hello, world");
    buffer.WriteBoolean(true);
    buffer.WriteBytes(raw, 4);
    buffer.WriteNumBits(0x2A, 6);
    EXPECT_EQ(buffer.GetDataLenBits(), 1 + 16 + 32 + 16 + 12 * 8 + 8 + 32 + 6);

    EXPECT_EQ(buffer.ReadNumBits(1, false), 1);
    EXPECT_EQ(buffer.ReadShort(), -12345);
    EXPECT_EQ(buffer.ReadLong(), -1234567890);
    EXPECT_EQ(buffer.ReadString(), "Hello, world");
    EXPECT_TRUE(buffer.ReadBoolean());
    std::uint8_t back[4] = {};
    buffer.ReadBytes(back, 4);
    EXPECT_EQ(std::vector<std::uint8_t>(back, back + 4), std::vector<std::uint8_t>(raw, raw + 4));
    EXPECT_EQ(buffer.ReadNumBits(6, false), 0x2A);
    EXPECT_TRUE(buffer.AtEnd());
}

TEST(Buffer, StringLengthsAtTheSignedLimit) {
    for (std::uint8_t high : {0x80, 0xFF}) {
        Buffer buffer = FromBytes({0x00, high, 'x', 'y'});
        EXPECT_EQ(buffer.ReadString(), "");
        EXPECT_EQ(buffer.ReadByte(), 'x') << "no characters may be consumed";
    }

    const std::string longest(32767, 'q');
    Buffer buffer;
    buffer.WriteString(longest);
    EXPECT_EQ(buffer.ReadString(), longest);
}

TEST(Buffer, ReadNumBitsSignExtendsFromTheRequestedWidth) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        int count;
        bool isSigned;
        std::int32_t expected;
        int endPos;
    };
    const Case cases[] = {
        {{0x09}, 4, true, -7, 4},
        {{0x09}, 4, false, 9, 4},
        {{0x07}, 4, true, 7, 4},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 32, true, -1, 32},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 40, false, -1, 32}, // counts above 32 clamp
        {{0x09}, 0, true, 0, 0},
        {{0x01}, 12, true, 1, 8}, // stops at the end of the bytes; last bit read was 0
        {{0x80}, 12, true, static_cast<std::int32_t>(0xFFFFF080u), 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << " signed " << c.isSigned);
        Buffer buffer = FromBytes(c.bytes);
        EXPECT_EQ(buffer.ReadNumBits(c.count, c.isSigned), c.expected);
        EXPECT_EQ(buffer.GetReadBitPos(), c.endPos);
    }
}

TEST(Buffer, WriteNumBitsClampsWideCounts) {
    Buffer buffer;
    buffer.WriteNumBits(-1, 40);
    EXPECT_EQ(Bytes(buffer), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(buffer.GetWriteBitPos(), 32);
    buffer.WriteNumBits(1, 0);
    buffer.WriteNumBits(1, -3);
    EXPECT_EQ(buffer.GetDataLenBits(), 32);
}

TEST(Buffer, ReadingPastTheEndYieldsZeros) {
    Buffer empty;
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_EQ(empty.ReadByte(), 0);
    EXPECT_EQ(empty.GetReadBitPos(), 0);
    EXPECT_EQ(empty.GetDataPtr(), nullptr);

    Buffer shortLong = FromBytes({0x01, 0x02});
    EXPECT_EQ(shortLong.ReadLong(), 0x0201);
    EXPECT_EQ(shortLong.GetReadBitPos(), 16);

    Buffer shortString = FromBytes({0x04, 0x00, 'a'});
    EXPECT_EQ(shortString.ReadString(), std::string("a\0\0\0", 4));

    // Inside a byte, a read needs the byte after it too.
    Buffer partial;
    partial.WriteNumBits(0x7F, 7);
    EXPECT_EQ(partial.ReadNumBits(3, false), 7);
    EXPECT_EQ(partial.ReadByte(), 0);
    EXPECT_EQ(partial.GetReadBitPos(), 3);
    EXPECT_FALSE(partial.AtEnd());
}

TEST(Buffer, ReadLineSplitsOnLineFeedsAndDropsCarriageReturns) {
    Buffer buffer = FromBytes({'a', 'b', '\r', '\n', 'c', 'd'});
    EXPECT_EQ(buffer.ReadLine(), "ab");
    EXPECT_EQ(buffer.ReadLine(), "cd");
    EXPECT_TRUE(buffer.AtEnd());
    EXPECT_EQ(buffer.ReadLine(), "");

    Buffer zeroEnded = FromBytes({'x', 0, 'y'});
    EXPECT_EQ(zeroEnded.ReadLine(), "x");
    EXPECT_EQ(zeroEnded.ReadLine(), "y");
}

TEST(Buffer, SetDataKeepsPositionsAndClearResets) {
    Buffer buffer = FromBytes({1, 2, 3});
    EXPECT_EQ(buffer.ReadByte(), 1);
    const std::uint8_t next[] = {10, 20, 30, 40};
    buffer.SetData(next, 4);
    EXPECT_EQ(buffer.GetReadBitPos(), 8);
    EXPECT_EQ(buffer.GetDataLenBits(), 32);
    EXPECT_EQ(buffer.ReadByte(), 20);

    buffer.Clear();
    EXPECT_EQ(buffer.GetDataLen(), 0);
    EXPECT_EQ(buffer.GetReadBitPos(), 0);
    EXPECT_EQ(buffer.GetWriteBitPos(), 0);
    buffer.WriteByte(7);
    EXPECT_EQ(Bytes(buffer), std::vector<std::uint8_t>{7});
}

TEST(Buffer, WritingAfterSetDataShrankTheBytesLandsAtTheWritePosition) {
    // A write left beyond the bytes by a shrinking SetData pads them with
    // zeros, so the array always holds GetDataLen bytes.
    struct Case {
        const char* what;
        std::function<void(Buffer&)> before;
        std::vector<std::uint8_t> kept;
        std::function<void(Buffer&)> after;
        std::vector<std::uint8_t> bytes;
        int bitSize;
    };
    const std::vector<Case> cases = {
        {"byte inside a byte",
         [](Buffer& b) { b.WriteNumBits(1, 3); },
         {},
         [](Buffer& b) { b.WriteByte(0xAB); },
         {0x58, 0x05},
         11},
        {"bits inside a byte",
         [](Buffer& b) { b.WriteNumBits(0, 12); },
         {},
         [](Buffer& b) { b.WriteNumBits(0xF, 4); },
         {0x00, 0xF0},
         16},
        {"byte on a boundary",
         [](Buffer& b) { b.WriteLong(0); },
         {0xAA},
         [](Buffer& b) { b.WriteByte(0x55); },
         {0xAA, 0x00, 0x00, 0x00, 0x55},
         40},
        {"bits on a boundary",
         [](Buffer& b) { b.WriteLong(0); },
         {0xAA},
         [](Buffer& b) { b.WriteNumBits(0, 8); },
         {0xAA, 0x00, 0x00, 0x00, 0x00},
         40},
        {"no bits on a boundary",
         [](Buffer& b) { b.WriteShort(0); },
         {},
         [](Buffer& b) { b.WriteNumBits(1, 0); },
         {0x00, 0x00},
         16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Buffer buffer;
        c.before(buffer);
        buffer.SetData(c.kept.data(), static_cast<int>(c.kept.size()));
        c.after(buffer);
        EXPECT_EQ(buffer.GetDataLenBits(), c.bitSize);
        EXPECT_EQ(Bytes(buffer), c.bytes);
    }
}

} // namespace
} // namespace Kavo
