#include "framework/app/demo_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/file_system.h"

namespace Kavo {

namespace {

constexpr const char* kInvalidDemo = "Invalid demo file.";

// Reads little-endian fields from a byte range, never past its end.
class ByteReader {
public:
    explicit ByteReader(std::string_view data) : mData(data) {}
    size_t Left() const { return mData.size() - mPos; }
    bool Word(uint32_t& value) {
        if (Left() < 4)
            return false;
        value = 0;
        for (size_t i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(static_cast<uint8_t>(mData[mPos + i])) << (8 * i);
        mPos += 4;
        return true;
    }
    bool Half(uint32_t& value) {
        if (Left() < 2)
            return false;
        value = static_cast<uint8_t>(mData[mPos]) | static_cast<uint32_t>(static_cast<uint8_t>(mData[mPos + 1])) << 8;
        mPos += 2;
        return true;
    }
    bool Bytes(size_t count, std::string_view& out) {
        if (Left() < count)
            return false;
        out = mData.substr(mPos, count);
        mPos += count;
        return true;
    }

private:
    std::string_view mData;
    size_t mPos = 0;
};

bool Fail(std::string& error, const std::string& text) {
    if (error.empty())
        error = text;
    return false;
}

void AppendWord(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

// The marker block: a count, then each name as a Buffer string and its
// update count. Fewer whole markers than counted is an error.
bool ParseMarkers(std::string_view block, std::vector<DemoMarker>& markers) {
    ByteReader reader(block);
    uint32_t count = 0;
    if (!reader.Word(count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = 0;
        std::string_view name;
        uint32_t update = 0;
        if (!reader.Half(length) || !reader.Bytes(length, name) || !reader.Word(update))
            return false;
        markers.push_back({std::string(name), static_cast<int32_t>(update)});
    }
    return true;
}

// Reads the file named by `path` into `data`: the fixed header first, so
// that a file which is no demo (a device that never ends, such as one of
// zeros) is refused before more is read, then the rest up to the size limit.
bool ReadDemoImage(const std::string& path, std::string& data, std::string& error) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::OpenFile(path, "rb"), &std::fclose);
    if (file == nullptr)
        return Fail(error, "Demo file not found: " + path);
    data.assign(kDemoFileFixedHeaderSize, '\0');
    data.resize(std::fread(data.data(), 1, data.size(), file.get()));
    DemoFileHeader header;
    if (!ParseDemoFileHeader(data, header, error))
        return false;
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (data.size() + got > kDemoMaxFileSize)
            return Fail(error, "Demo file too large: " + path);
        data.append(chunk, got);
    }
    if (std::ferror(file.get()))
        return Fail(error, "Demo file could not be read: " + path);
    return true;
}

} // namespace

bool ParseDemoFileHeader(std::string_view data, DemoFileHeader& header, std::string& error) {
    ByteReader reader(data);
    uint32_t magic = 0;
    uint32_t version = 0;
    uint32_t seed = 0;
    if (!reader.Word(magic) || magic != kDemoFileMagic || !reader.Word(version) || !reader.Word(seed))
        return Fail(error, kInvalidDemo);
    header.mVersion = version;
    header.mRandSeed = seed;
    return true;
}

bool LoadDemoFileHeader(const std::string& path, DemoFileHeader& header, std::string& error) {
    std::string data;
    return ReadDemoImage(path, data, error) && ParseDemoFileHeader(data, header, error);
}

bool ParseDemoFile(std::string_view data, const std::string& productName, DemoFile& demo, std::string& error) {
    if (!ParseDemoFileHeader(data, demo.mHeader, error))
        return false;
    ByteReader reader(data.substr(kDemoFileFixedHeaderSize));
    uint32_t nameLength = 0;
    std::string_view name;
    if (!reader.Half(nameLength))
        return Fail(error, kInvalidDemo);
    // A longer name is cut; its other bytes are then read as what follows.
    nameLength = std::min<uint32_t>(nameLength, kDemoMaxProductName);
    if (!reader.Bytes(nameLength, name))
        return Fail(error, kInvalidDemo);
    demo.mProductName = std::string(name);
    if (demo.mProductName != productName)
        return Fail(error, "This demo file appears to be for '" + demo.mProductName + "'");

    if (demo.mHeader.mVersion >= 2) {
        uint32_t blockLength = 0;
        std::string_view block;
        // The block must leave room for the demo length.
        if (!reader.Word(blockLength) || blockLength >= reader.Left() || !reader.Bytes(blockLength, block) ||
            !ParseMarkers(block, demo.mMarkers))
            return Fail(error, kInvalidDemo);
    }
    uint32_t length = 0;
    std::string_view events;
    if (!reader.Word(length) || reader.Left() == 0 || !reader.Bytes(reader.Left(), events))
        return Fail(error, kInvalidDemo);
    demo.mDemoLength = static_cast<int32_t>(length);
    demo.mEvents.Clear();
    demo.mEvents.WriteBytes(reinterpret_cast<const uint8_t*>(events.data()), static_cast<int>(events.size()));
    return true;
}

bool LoadDemoFile(const std::string& path, const std::string& productName, DemoFile& demo, std::string& error) {
    std::string data;
    return ReadDemoImage(path, data, error) && ParseDemoFile(data, productName, demo, error);
}

std::string SerializeDemoFile(uint32_t randSeed, const std::string& productName, const std::vector<DemoMarker>& markers,
                              int32_t demoLength, const Buffer& events) {
    std::string out;
    AppendWord(out, kDemoFileMagic);
    AppendWord(out, kDemoFileVersion);
    AppendWord(out, randSeed);
    const std::string name = productName.substr(0, 0xFFFF);
    out.push_back(static_cast<char>(name.size()));
    out.push_back(static_cast<char>(name.size() >> 8));
    out += name;

    Buffer block;
    block.WriteLong(static_cast<int32_t>(markers.size()));
    for (const DemoMarker& marker : markers) {
        block.WriteString(marker.mName);
        block.WriteLong(marker.mUpdateCount);
    }
    AppendWord(out, static_cast<uint32_t>(block.GetDataLen()));
    if (block.GetDataPtr() != nullptr)
        out.append(reinterpret_cast<const char*>(block.GetDataPtr()), static_cast<size_t>(block.GetDataLen()));

    AppendWord(out, static_cast<uint32_t>(demoLength));
    const int eventBytes = (events.GetWriteBitPos() + 7) / 8;
    if (eventBytes > 0)
        out.append(reinterpret_cast<const char*>(events.GetDataPtr()), static_cast<size_t>(eventBytes));
    return out;
}

} // namespace Kavo
