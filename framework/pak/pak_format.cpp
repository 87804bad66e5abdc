#include "framework/pak/pak_format.h"

#include "framework/util/string_util.h"

namespace Kavo {

namespace {

// Reads descrambled little-endian fields and knows when the file ran out.
class DirectoryReader {
public:
    DirectoryReader(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

    bool Has(size_t count) const { return mSize - mPos >= count; }
    size_t Pos() const { return mPos; }

    uint8_t Byte() { return static_cast<uint8_t>(mData[mPos++] ^ kPakXorKey); }
    uint32_t U32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(Byte()) << (8 * i);
        return value;
    }
    uint64_t U64() {
        uint64_t low = U32();
        return low | (static_cast<uint64_t>(U32()) << 32);
    }

private:
    const uint8_t* mData;
    size_t mSize;
    size_t mPos = 0;
};

bool Refuse(std::string* error, const std::string& text) {
    if (error != nullptr)
        *error = text;
    return false;
}

} // namespace

bool ReadPakDirectory(const uint8_t* data, size_t size, std::vector<PakDirectoryRecord>* records, std::string* error) {
    records->clear();
    if (size > UINT32_MAX) // offsets are 32-bit
        return Refuse(error, "the archive is larger than 4 GiB");
    DirectoryReader in(data, size);
    if (!in.Has(8) || in.U32() != kPakMagic)
        return Refuse(error, "not a pak archive");
    uint32_t version = in.U32();
    if (version != kPakVersion)
        return Refuse(error, FormatString("unsupported pak version %u", version));

    uint64_t offset = 0; // running start of each member within the data region
    for (;;) {
        if (!in.Has(1))
            return Refuse(error, "the directory is cut short");
        uint8_t flags = in.Byte();
        if (flags & kPakEndOfDirectory)
            break;
        if (!in.Has(1))
            return Refuse(error, "the directory is cut short");
        size_t nameLength = in.Byte();
        if (!in.Has(nameLength + 12))
            return Refuse(error, "the directory is cut short");
        PakDirectoryRecord record;
        for (size_t i = 0; i < nameLength; ++i)
            record.mName += static_cast<char>(in.Byte());
        record.mSize = in.U32();
        record.mFileTime = in.U64();
        record.mStart = static_cast<uint32_t>(offset); // made absolute below
        offset += record.mSize;
        records->push_back(std::move(record));
    }

    const uint64_t dataStart = in.Pos();
    if (dataStart + offset > size)
        return Refuse(error, "the members reach past the end of the file");
    for (PakDirectoryRecord& record : *records)
        record.mStart = static_cast<uint32_t>(record.mStart + dataStart);
    return true;
}

} // namespace Kavo
