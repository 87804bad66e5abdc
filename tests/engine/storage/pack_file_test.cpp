#include "tests/engine/storage/storage_fixture.h"

#include <zlib.h>

#include <random>

namespace storage_test {
namespace {

std::string Deflate(const std::string& bytes) {
    uLongf size = compressBound(bytes.size());
    std::string out(size, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                        bytes.size(), 1),
              Z_OK);
    out.resize(size);
    return out;
}

std::string U32(std::uint32_t v) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>(v >> (8 * i));
    return out;
}

class PackFileTest : public StorageTest {
protected:
    void SetUp() override {
        mStorage.reset(Stg_t::OpenStorage((Root() + "/cdf").c_str(), 0));
        ASSERT_NE(mStorage, nullptr);
    }
    // The code of the first read of a hand-made ".cdf" file.
    int FirstReadCode(const std::string& disk) {
        WriteDisk(Disk("cdf/bad.cdf"), disk);
        FileDescr_t* file = mStorage->OpenFile("bad.cdf", 0);
        EXPECT_EQ(mStorage->Size(file), 0u);
        char buffer[16];
        const errStg_e error = Raised([&] { mStorage->ReadFile(file, buffer, sizeof buffer, nullptr); });
        EXPECT_EQ(Raised([&] { mStorage->Seek(file, 0, 0, nullptr); }).Code(), kStgSeek);
        mStorage->CloseFile(file);
        return error.Code();
    }

    StoragePtr mStorage;
};

TEST_F(PackFileTest, ReadsAHandMadeFile) {
    const std::string content = "0123456789";
    const std::string stream = Deflate(content);
    WriteDisk(Disk("cdf/ten.cdf"), U32(10) + U32(static_cast<std::uint32_t>(stream.size())) + stream);
    FileDescr_t* file = mStorage->OpenFile("ten.cdf", 0);
    EXPECT_EQ(mStorage->Size(file), 10u);
    char buffer[32] = {};
    std::uint32_t read = 0, position = 0;
    mStorage->ReadFile(file, buffer, 4, &read);
    EXPECT_EQ(std::string(buffer, read), "0123");
    mStorage->ReadFile(file, buffer, 32, &read);
    EXPECT_EQ(std::string(buffer, read), "456789");
    mStorage->Seek(file, 0, 100, &position);
    EXPECT_EQ(position, 10u);
    mStorage->Seek(file, 2, -2, &position);
    EXPECT_EQ(position, 8u);
    mStorage->Seek(file, 1, -1, &position);
    EXPECT_EQ(position, 7u);
    mStorage->ReadFile(file, buffer, 32, &read);
    EXPECT_EQ(std::string(buffer, read), "789");
    mStorage->CloseFile(file);
}

TEST_F(PackFileTest, BrokenFilesFailTheirFirstRead) {
    const std::string nine = Deflate("012345678");
    const std::string ten = Deflate("0123456789");
    const auto len = [](const std::string& s) { return U32(static_cast<std::uint32_t>(s.size())); };
    const std::string cases[] = {
        U32(10) + len(nine) + nine,                        // inflates to 9
        "short",                                           // under 8 bytes
        U32(10) + len(ten) + ten.substr(0, 5),             // stream cut short
        U32(10) + U32(1000) + ten,                         // compressed size past the end
        U32(0xFFFFFFFFu) + len(ten) + ten,                 // more than the stream can give
        U32(10) + len(ten) + std::string(ten.size(), 'x'), // not a zlib stream
        U32(9) + len(ten) + ten,                           // more output than announced
    };
    for (const std::string& disk : cases)
        EXPECT_EQ(FirstReadCode(disk), kStgRead) << disk.size();
}

TEST_F(PackFileTest, SmallWriteProducesHeaderAndStream) {
    Put(mStorage.get(), "three.cdf", "abc");
    const std::string disk = ReadDisk(Disk("cdf/three.cdf"));
    ASSERT_GE(disk.size(), 8u);
    EXPECT_EQ(disk.substr(0, 4), U32(3));
    EXPECT_EQ(disk.substr(4, 4), U32(static_cast<std::uint32_t>(disk.size() - 8)));
    EXPECT_EQ(disk.substr(8), Deflate("abc")); // level 1, default settings
    EXPECT_EQ(Get(mStorage.get(), "three.cdf"), "abc");

    // Opened for writing and closed unwritten: an empty file.
    mStorage->CloseFile(mStorage->OpenFile("three.cdf", 1));
    EXPECT_EQ(ReadDisk(Disk("cdf/three.cdf")), "");
}

TEST_F(PackFileTest, LargeIncompressibleContentRoundTrips) {
    std::string content(5'300'000, '\0');
    std::mt19937 random(7);
    for (char& c : content)
        c = static_cast<char>(random());
    FileDescr_t* file = mStorage->OpenFile("big.cdf", 1);
    std::uint32_t position = 1;
    mStorage->Seek(file, 0, 10, &position);
    EXPECT_EQ(position, 0u);
    // In two writes, so that the second one grows the buffer mid-stream.
    mStorage->WriteFile(file, content.data(), 1'000'000, nullptr);
    mStorage->WriteFile(file, content.data() + 1'000'000, static_cast<std::uint32_t>(content.size() - 1'000'000),
                        nullptr);
    mStorage->CloseFile(file);
    EXPECT_GT(ReadDisk(Disk("cdf/big.cdf")).size(), 5'000'000u);
    EXPECT_TRUE(Get(mStorage.get(), "big.cdf") == content);
}

} // namespace
} // namespace storage_test
