#include <array>
#include <cstring>

#include "framework/imagelib/image_codecs.h"

namespace Kavo::ImageLib {

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxMinCodeSize = 11;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImageDescriptor = 0x2C;
constexpr uint8_t kGraphicControl = 0xF9;

uint16_t ReadLe16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

struct ColorTable {
    std::array<uint32_t, 256> mColors{};
    int mCount = 0;
};

bool ReadColorTable(ByteSource& source, int sizeBits, ColorTable& table) {
    table.mCount = 1 << ((sizeBits & 7) + 1);
    uint8_t rgb[256 * 3];
    if (!source.ReadExact(rgb, size_t(table.mCount) * 3))
        return false;
    for (int i = 0; i < table.mCount; ++i)
        table.mColors[i] =
            0xFF000000u | (uint32_t(rgb[i * 3]) << 16) | (uint32_t(rgb[i * 3 + 1]) << 8) | rgb[i * 3 + 2];
    return true;
}

// Codes packed least significant bit first into length-prefixed sub-blocks.
class CodeReader {
public:
    explicit CodeReader(ByteSource& source) : mSource(source) {}

    // -1 when the data ends (a zero-length sub-block or the end of the file).
    int Next(int size) {
        while (mBitCount < size) {
            if (mBlockLeft == 0) {
                int length = mSource.ReadByte();
                if (length <= 0)
                    return -1;
                mBlockLeft = length;
            }
            int byte = mSource.ReadByte();
            if (byte < 0)
                return -1;
            --mBlockLeft;
            mBits |= uint32_t(byte) << mBitCount;
            mBitCount += 8;
        }
        int code = int(mBits & ((1u << size) - 1));
        mBits >>= size;
        mBitCount -= size;
        return code;
    }

private:
    ByteSource& mSource;
    uint32_t mBits = 0;
    int mBitCount = 0;
    int mBlockLeft = 0;
};

// Hands out destination rows in file order, in the four interlace passes when
// asked to.
class RowOrder {
public:
    RowOrder(int height, bool interlaced) : mHeight(height), mInterlaced(interlaced) {}

    int Row() const { return mRow; }
    bool Done() const { return mRowsDone >= mHeight; }

    void Advance() {
        ++mRowsDone;
        if (!mInterlaced) {
            ++mRow;
            return;
        }
        static constexpr int kStart[4] = {0, 4, 2, 1};
        static constexpr int kStep[4] = {8, 8, 4, 2};
        mRow += kStep[mPass];
        while (mRow >= mHeight && mPass < 3) {
            ++mPass;
            mRow = kStart[mPass];
        }
    }

private:
    int mHeight;
    bool mInterlaced;
    int mRow = 0;
    int mPass = 0;
    int mRowsDone = 0;
};

} // namespace

// The first picture of the file. Pixels that the data never reaches stay
// transparent black.
std::unique_ptr<Image> DecodeGif(ByteSource& source) {
    uint8_t signature[6];
    if (!source.ReadExact(signature, sizeof(signature)))
        return nullptr;
    if (std::memcmp(signature, "GIF87", 5) != 0 && std::memcmp(signature, "GIF89", 5) != 0)
        return nullptr;

    uint8_t screen[7];
    if (!source.ReadExact(screen, sizeof(screen)))
        return nullptr;
    ColorTable globalTable;
    if ((screen[4] & 0x80) && !ReadColorTable(source, screen[4], globalTable))
        return nullptr;

    int transparent = -1;
    for (;;) {
        int tag = source.ReadByte();
        if (tag < 0 || tag == kTrailer)
            return nullptr;
        if (tag == kImageDescriptor)
            break;
        if (tag != kExtension)
            continue;
        int label = source.ReadByte();
        if (label < 0)
            return nullptr;
        uint8_t block[255];
        int blockLength = 0;
        for (;;) {
            int length = source.ReadByte();
            if (length < 0)
                return nullptr;
            if (length == 0)
                break;
            if (!source.ReadExact(block, size_t(length)))
                return nullptr;
            blockLength = length;
        }
        // A graphic control block too short to hold the index says nothing.
        if (label == kGraphicControl && blockLength >= 4)
            transparent = (block[0] & 1) ? block[3] : -1;
    }

    uint8_t descriptor[9];
    if (!source.ReadExact(descriptor, sizeof(descriptor)))
        return nullptr;
    const int width = ReadLe16(descriptor + 4);
    const int height = ReadLe16(descriptor + 6);
    const int flags = descriptor[8];
    if (!IsAcceptableSize(width, height))
        return nullptr;

    ColorTable localTable;
    if ((flags & 0x80) && !ReadColorTable(source, flags, localTable))
        return nullptr;
    const ColorTable& table = (flags & 0x80) ? localTable : globalTable;
    if (table.mCount == 0)
        return nullptr;

    const int minCodeSize = source.ReadByte();
    if (minCodeSize < 0 || minCodeSize > kMaxMinCodeSize)
        return nullptr;
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;

    // Colour of every value a root code can have; values beyond the table
    // read as index 0.
    std::array<uint32_t, kMaxCodes> palette{};
    for (int i = 0; i < clearCode; ++i) {
        int index = i < table.mCount ? i : 0;
        palette[i] = index == transparent ? 0 : table.mColors[index];
    }

    auto image = std::make_unique<Image>(width, height);
    uint32_t* bits = image->GetBits();
    RowOrder rows(height, (flags & 0x40) != 0);
    int x = 0;

    std::array<uint16_t, kMaxCodes> prefix{};
    std::array<uint16_t, kMaxCodes> suffix{};
    std::array<uint16_t, kMaxCodes + 1> stack{};

    CodeReader reader(source);
    int codeSize = minCodeSize + 1;
    int nextCode = clearCode + 2;
    int previous = -1;
    int first = 0;

    while (!rows.Done()) {
        int code = reader.Next(codeSize);
        if (code < 0 || code == endCode || code > nextCode)
            break;
        if (code == clearCode) {
            codeSize = minCodeSize + 1;
            nextCode = clearCode + 2;
            previous = -1;
            continue;
        }

        int top = 0;
        if (previous < 0) {
            // Nothing is defined yet for codes above the roots.
            if (code > clearCode)
                break;
            stack[top++] = uint16_t(code);
            first = code;
        } else {
            if (nextCode >= kMaxCodes)
                break;
            int walk = code;
            if (code == nextCode) {
                stack[top++] = uint16_t(first);
                walk = previous;
            }
            while (walk >= clearCode) {
                stack[top++] = suffix[walk];
                walk = prefix[walk];
            }
            stack[top++] = uint16_t(walk);
            first = walk;
            prefix[nextCode] = uint16_t(previous);
            suffix[nextCode] = uint16_t(first);
            ++nextCode;
            if ((nextCode & ((1 << codeSize) - 1)) == 0 && nextCode < kMaxCodes)
                ++codeSize;
        }
        previous = code;

        while (top > 0 && !rows.Done()) {
            bits[size_t(rows.Row()) * size_t(width) + size_t(x)] = palette[stack[--top]];
            if (++x == width) {
                x = 0;
                rows.Advance();
            }
        }
    }
    return image;
}

} // namespace Kavo::ImageLib
