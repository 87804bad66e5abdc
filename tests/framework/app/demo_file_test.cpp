#include "framework/app/demo_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Words(std::initializer_list<uint32_t> words) {
    std::string bytes;
    for (uint32_t word : words) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>(word >> (8 * i)));
    }
    return bytes;
}

TEST(DemoFileHeader, ParsesTheFixedPartAndRefusesShortOrForeignData) {
    const std::string valid = Words({Kavo::kDemoFileMagic, 2, 0x89ABCDEF});
    struct Case {
        std::string data;
        bool ok;
    } cases[] = {
        {valid, true}, {valid + "rest of the file", true}, {valid.substr(0, 11), false},
        {"", false},   {Words({0x78EFBE42, 2, 7}), false}, // magic in the wrong byte order
    };
    for (const Case& c : cases) {
        Kavo::DemoFileHeader header{5, 6};
        std::string error;
        EXPECT_EQ(Kavo::ParseDemoFileHeader(c.data, header, error), c.ok) << c.data.size();
        if (c.ok) {
            EXPECT_EQ(header.mVersion, 2u);
            EXPECT_EQ(header.mRandSeed, 0x89ABCDEFu);
            EXPECT_TRUE(error.empty());
        } else {
            EXPECT_EQ(header.mVersion, 5u); // left as it was
            EXPECT_EQ(header.mRandSeed, 6u);
            EXPECT_EQ(error, "Invalid demo file.");
        }
    }
}

TEST(DemoFileHeader, AMissingFileIsNamedInTheError) {
    Kavo::DemoFileHeader header;
    std::string error;
    const std::string path = ::testing::TempDir() + "/no-such-demo-file.dmo";
    EXPECT_FALSE(Kavo::LoadDemoFileHeader(path, header, error));
    EXPECT_EQ(error, "Demo file not found: " + path);
}

} // namespace
