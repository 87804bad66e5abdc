#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/headless/headless_platform.h"
#include "platform/text_encoding.h"
#include "tests/platform/temp_folder.h"

namespace {

using namespace platform;

struct RegistryFile : ::testing::Test {
    HeadlessPlatform headless;
    platform_test::TempFolder tmp;
    std::string file = tmp.Sub("cfg/kavo/registry.txt");
    void SetUp() override { ASSERT_TRUE(UseRegistryFile(file)); }
};

TEST_F(RegistryFile, RoundTripThroughTheFileWithQueryRules) {
    const std::string app = "SOFTWARE\\" + Utf8ToCp1251("Тювелин");
    RegKey key;
    ASSERT_EQ(RegCreateKey(kRegCurrentUser, app + "\\Test3D", key), kRegOk);
    const std::uint32_t version = 2;
    const std::uint8_t guid[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0xFF};
    const char reason[] = "Not enough video memory.";
    ASSERT_EQ(RegSetValue(key, "Version", kRegDword, &version, 4), kRegOk);
    ASSERT_EQ(RegSetValue(key, "DisplayGUID", kRegBinary, guid, 16), kRegOk);
    ASSERT_EQ(RegSetValue(key, "FailureReason", kRegString, reason, sizeof reason), kRegOk);
    RegKey appKey;
    ASSERT_EQ(RegOpenKey(kRegCurrentUser, app, appKey), kRegOk);
    const std::uint32_t volume = 0xFFFFFFFF;
    ASSERT_EQ(RegSetValue(appKey, "MusicVolume", kRegDword, &volume, 4), kRegOk);

    // Everything comes back from the file alone, found in another letter case.
    UseMemoryRegistry();
    ASSERT_TRUE(UseRegistryFile(file));
    RegKey reopened;
    ASSERT_EQ(RegOpenKey(kRegCurrentUser, "software\\" + Utf8ToCp1251("ТЮВЕЛИН") + "\\test3d", reopened), kRegOk);

    std::uint32_t type = 0, value = 0, size = 4;
    ASSERT_EQ(RegQueryValue(reopened, "VERSION", &type, &value, &size), kRegOk);
    EXPECT_EQ(type, kRegDword);
    EXPECT_EQ(value, 2u);
    EXPECT_EQ(size, 4u);

    // Read as the wrong type: the query reports the stored type, and a 4-byte
    // buffer is too small for the 16-byte value.
    value = 0xAAAAAAAA;
    size = 4;
    EXPECT_EQ(RegQueryValue(reopened, "DisplayGUID", &type, &value, &size), kRegMoreData);
    EXPECT_EQ(type, kRegBinary);
    EXPECT_EQ(size, 16u);
    EXPECT_EQ(value, 0xAAAAAAAA); // untouched
    std::uint8_t guidBack[16] = {};
    size = 16;
    ASSERT_EQ(RegQueryValue(reopened, "DisplayGUID", &type, guidBack, &size), kRegOk);
    EXPECT_EQ(std::memcmp(guidBack, guid, 16), 0);

    // A null buffer asks for the size; the string keeps its terminating zero.
    size = 0;
    ASSERT_EQ(RegQueryValue(reopened, "FailureReason", &type, nullptr, &size), kRegOk);
    EXPECT_EQ(type, kRegString);
    ASSERT_EQ(size, sizeof reason);
    std::string text(size, 'x');
    ASSERT_EQ(RegQueryValue(reopened, "FailureReason", nullptr, text.data(), &size), kRegOk);
    EXPECT_STREQ(text.c_str(), reason);

    RegKey root;
    ASSERT_EQ(RegOpenKey(kRegCurrentUser, app, root), kRegOk);
    size = 4;
    ASSERT_EQ(RegQueryValue(root, "musicvolume", &type, &value, &size), kRegOk);
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_EQ(RegQueryValue(root, "Missing", &type, &value, &size), kRegNotFound);

    // The folder of the file was created, and no temporary file is left over.
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(tmp.Sub("cfg/kavo"))) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST_F(RegistryFile, DeletingValuesAndKeys) {
    RegKey key;
    ASSERT_EQ(RegCreateKey(kRegCurrentUser, "SOFTWARE\\App\\Sub", key), kRegOk);
    const std::uint32_t one = 1;
    ASSERT_EQ(RegSetValue(key, "Is3D", kRegDword, &one, 4), kRegOk);
    EXPECT_EQ(RegDeleteValue(key, "is3d"), kRegOk);
    EXPECT_EQ(RegDeleteValue(key, "is3d"), kRegNotFound);

    RegKey app;
    ASSERT_EQ(RegOpenKey(kRegCurrentUser, "Software\\App", app), kRegOk);
    EXPECT_EQ(RegDeleteKey(kRegCurrentUser, "Software\\App"), kRegAccessDenied); // has a subkey
    EXPECT_EQ(RegDeleteKey(app, "SUB"), kRegOk);
    std::uint32_t size = 4, value = 0;
    EXPECT_EQ(RegQueryValue(key, "Is3D", nullptr, &value, &size), kRegNotFound); // key is gone
    EXPECT_EQ(RegSetValue(key, "Is3D", kRegDword, &one, 4), kRegNotFound);
    ASSERT_EQ(RegCreateKey(app, "A\\B", key), kRegOk);
    EXPECT_EQ(RegDeleteTree(kRegCurrentUser, "software\\app"), kRegOk);
    EXPECT_EQ(RegOpenKey(kRegCurrentUser, "Software\\App", app), kRegNotFound);

    UseMemoryRegistry();
    ASSERT_TRUE(UseRegistryFile(file));
    EXPECT_EQ(RegOpenKey(kRegCurrentUser, "Software", app), kRegOk);
    EXPECT_EQ(RegOpenKey(kRegCurrentUser, "Software\\App", app), kRegNotFound);
}

TEST_F(RegistryFile, DamagedFileIsRefused) {
    UseMemoryRegistry();
    const std::string damaged[] = {
        "\"Orphan\"=dword:00000001\n", // a value before any key
        "[Key]\n\"V\"=dword:123\n",    // short number
        "[Key]\n\"V\"=hex(3):0g\n",    // bad digit
        "[Key]\n\"V\"=hex(3):01,0\n",  // cut byte
        "[Key]\n\"V=dword:00000001\n", // unterminated name
        "[K%4]\n",                     // cut escape
    };
    for (const auto& text : damaged) {
        const std::string bad = tmp.Sub("damaged.txt");
        std::ofstream(bad, std::ios::binary | std::ios::trunc) << text;
        EXPECT_FALSE(UseRegistryFile(bad)) << text;
        RegKey key;
        EXPECT_EQ(RegOpenKey(kRegCurrentUser, "Key", key), kRegNotFound) << text;
    }
}

} // namespace
