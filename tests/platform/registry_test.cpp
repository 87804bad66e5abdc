#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/headless/headless_platform.h"
#include "platform/text_encoding.h"
#include "tests/platform/temp_folder.h"

namespace {

using namespace platform;

struct RegistryFile : ::testing::Test {
    HeadlessPlatform headless;
    platform_test::TempFolder tmp;
    std::string file = tmp.Sub("cfg/kavo/registry.txt");
    void SetUp() override { ASSERT_EQ(UseRegistryFile(file), RegistryFileState::kRead); }
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
    ASSERT_EQ(UseRegistryFile(file), RegistryFileState::kRead);
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
    ASSERT_EQ(UseRegistryFile(file), RegistryFileState::kRead);
    EXPECT_EQ(RegOpenKey(kRegCurrentUser, "Software", app), kRegOk);
    EXPECT_EQ(RegOpenKey(kRegCurrentUser, "Software\\App", app), kRegNotFound);
}

std::string SettingsText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The dword under "Key" (-1 when it is not there).
long long KeyValue(const char* name) {
    RegKey key;
    std::uint32_t value = 0, size = 4, type = 0;
    if (RegOpenKey(kRegCurrentUser, "Key", key) != kRegOk || RegQueryValue(key, name, &type, &value, &size) != kRegOk)
        return -1;
    return type == kRegDword ? static_cast<long long>(value) : -2;
}

TEST_F(RegistryFile, ADamagedLineCostsThatLineAndTheFileIsKeptAsideBeforeItIsReplaced) {
    UseMemoryRegistry();
    const std::string a = "\"A\"=dword:00000001\n";
    const std::string b = "\"B\"=dword:00000002\n";
    struct Case {
        const char* what;
        std::string text;
        RegistryFileState state;
        long long valueA, valueB;
    };
    const Case cases[] = {
        {"a byte-order mark", "\xEF\xBB\xBF[Key]\n" + a + b, RegistryFileState::kRead, 1, 2},
        {"a dword of fewer digits", "[Key]\r\n\"A\"=dword:2a\r\n\"B\"=dword:0\r\n", RegistryFileState::kRead, 42, 0},
        {"a mark and a bad line", "\xEF\xBB\xBF[Key]\n" + a + "\"V\"=hex(3):0g\n" + b, RegistryFileState::kKeptAside, 1,
         2},
        {"a value before any key", "\"Orphan\"=dword:00000001\n[Key]\n" + a + b, RegistryFileState::kKeptAside, 1, 2},
        {"a cut byte", "[Key]\n" + a + "\"V\"=hex(3):01,0\n" + b, RegistryFileState::kKeptAside, 1, 2},
        {"an unterminated name", "[Key]\n" + a + "\"V=dword:00000001\n" + b, RegistryFileState::kKeptAside, 1, 2},
        {"nine digits", "[Key]\n" + a + "\"V\"=dword:000000001\n" + b, RegistryFileState::kKeptAside, 1, 2},
        {"an empty dword", "[Key]\n" + a + "\"V\"=dword:\n" + b, RegistryFileState::kKeptAside, 1, 2},
        // The values below a key line that cannot be read have no key.
        {"a cut escape in a key", "[Key]\n" + a + "[K%4]\n\"C\"=dword:00000003\n[Key]\n" + b,
         RegistryFileState::kKeptAside, 1, 2},
        {"a cut file", "[Key]\n" + a + "\"B\"=dwo", RegistryFileState::kKeptAside, 1, -1},
        // Every line written is ended: one without its end was cut, even
        // where what is left still reads as a value.
        {"a file cut inside its last value", "[Key]\n" + a + "\"B\"=dword:00", RegistryFileState::kKeptAside, 1, -1},
        {"line ends of a lone CR", "# settings of the current user\r[Key]\r\"A\"=dword:00000001\r\"B\"=dword:2\r",
         RegistryFileState::kRead, 1, 2},
        {"only the header line", "# settings of the current user\n", RegistryFileState::kRead, -1, -1},
        // One comment line from which nothing can be read.
        {"line ends lost but the last", "# settings of the current user[Key]\"A\"=dword:00000001\"B\"=dword:2\n",
         RegistryFileState::kKeptAside, -1, -1},
        {"every line end lost", "# settings of the current user[Key]\"A\"=dword:00000001\"B\"=dword:2",
         RegistryFileState::kKeptAside, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = tmp.Sub("damaged.txt");
        std::filesystem::remove(path + ".bad");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.text;
        ASSERT_EQ(UseRegistryFile(path), c.state);
        EXPECT_EQ(KeyValue("A"), c.valueA);
        EXPECT_EQ(KeyValue("B"), c.valueB);
        EXPECT_EQ(KeyValue("C"), -1);
        EXPECT_EQ(std::filesystem::exists(path + ".bad"), c.state == RegistryFileState::kKeptAside);
        if (c.state == RegistryFileState::kKeptAside) {
            EXPECT_EQ(SettingsText(path + ".bad"), c.text);
            // Nothing is written until something changes.
            EXPECT_EQ(SettingsText(path), c.text);
        }
        // The next change writes a file that reads whole, and the copy stays.
        RegKey key;
        const std::uint32_t seven = 7;
        ASSERT_EQ(RegCreateKey(kRegCurrentUser, "Key", key), kRegOk);
        ASSERT_EQ(RegSetValue(key, "D", kRegDword, &seven, 4), kRegOk);
        UseMemoryRegistry();
        EXPECT_EQ(UseRegistryFile(path), RegistryFileState::kRead);
        EXPECT_EQ(KeyValue("A"), c.valueA);
        EXPECT_EQ(KeyValue("D"), 7);
        if (c.state == RegistryFileState::kKeptAside) {
            EXPECT_EQ(SettingsText(path + ".bad"), c.text);
        }
        UseMemoryRegistry();
    }
}

TEST_F(RegistryFile, EachDamagedFileIsKeptAndNoCopyReplacesAnEarlierOne) {
    UseMemoryRegistry();
    const std::string path = tmp.Sub("damaged.txt");
    // Something that is no copy where the third belongs.
    std::filesystem::create_directories(path + ".3.bad/inside");
    struct Case {
        const char* what;
        std::string text;
        std::string copy;
    };
    const Case cases[] = {
        {"the first damage", "[Key]\nfirst\n", path + ".bad"},
        {"a second", "[Key]\nsecond\n", path + ".2.bad"},
        {"the second again: its copy is there", "[Key]\nsecond\n", path + ".2.bad"},
        {"a third", "[Key]\nthird\n", path + ".4.bad"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.text;
        std::string copy;
        ASSERT_EQ(UseRegistryFile(path, &copy), RegistryFileState::kKeptAside);
        EXPECT_EQ(copy, c.copy);
        EXPECT_EQ(SettingsText(c.copy), c.text);
        UseMemoryRegistry();
    }
    EXPECT_EQ(SettingsText(path + ".bad"), cases[0].text);
    EXPECT_EQ(SettingsText(path + ".2.bad"), cases[1].text);
    EXPECT_FALSE(std::filesystem::exists(path + ".5.bad"));
}

TEST_F(RegistryFile, ADamagedFileThatCannotBeCopiedIsNeverReplacedAndEachFailedSaveIsTold) {
    UseMemoryRegistry();
    const std::string path = tmp.Sub("damaged.txt");
    const std::string text = "[Key]\n\"A\"=dword:00000001\nnonsense\n";
    std::ofstream(path, std::ios::binary) << text;
    // A full disk: no copy fits, and no file with anything in it.
    auto full = std::make_unique<Installed<FullDisk>>(FullDiskSlot(), std::make_shared<FullDisk>(FullDisk{tmp.Path()}));
    ASSERT_EQ(UseRegistryFile(path), RegistryFileState::kNotKept);
    EXPECT_FALSE(std::filesystem::exists(path + ".bad"));
    EXPECT_EQ(KeyValue("A"), 1);
    std::vector<std::string> failed;
    // The handler may use the registry: the store is no longer locked, and
    // the change lives on in memory.
    SetRegistrySaveFailureHandler([&](const std::string& disk) {
        failed.push_back(disk);
        EXPECT_EQ(KeyValue("A"), 2);
    });
    RegKey key;
    ASSERT_EQ(RegOpenKey(kRegCurrentUser, "Key", key), kRegOk);
    const std::uint32_t two = 2;
    ASSERT_EQ(RegSetValue(key, "A", kRegDword, &two, 4), kRegOk);
    EXPECT_EQ(failed, std::vector<std::string>{path});
    EXPECT_EQ(SettingsText(path), text);
    // Once the copy can be made the file is replaced.
    full.reset();
    ASSERT_EQ(RegSetValue(key, "B", kRegDword, &two, 4), kRegOk);
    EXPECT_EQ(failed.size(), 1u);
    EXPECT_EQ(SettingsText(path + ".bad"), text);
    UseMemoryRegistry();
    ASSERT_EQ(UseRegistryFile(path), RegistryFileState::kRead);
    EXPECT_EQ(KeyValue("A"), 2);
    EXPECT_EQ(KeyValue("B"), 2);
    SetRegistrySaveFailureHandler(nullptr);
}

TEST_F(RegistryFile, ABatchOfChangesIsOneWriteAndABlockedFolderIsTold) {
    int fileFlushes = 0;
    auto watch = std::make_shared<FileFlushWatch>();
    watch->flushed = [&](const std::string& disk) { fileFlushes += disk.rfind(file, 0) == 0 ? 1 : 0; };
    Installed<FileFlushWatch> installed(FileFlushWatchSlot(), watch);
    {
        const RegistryBatch outer;
        RegKey key;
        ASSERT_EQ(RegCreateKey(kRegCurrentUser, "Key", key), kRegOk);
        for (std::uint32_t i = 0; i < 10; ++i) {
            const RegistryBatch inner;
            ASSERT_EQ(RegSetValue(key, std::to_string(i), kRegDword, &i, 4), kRegOk);
        }
        EXPECT_EQ(fileFlushes, 0);
        EXPECT_FALSE(std::filesystem::exists(file));
    }
    EXPECT_EQ(fileFlushes, 1);
    EXPECT_EQ(KeyValue("9"), 9);
    // A batch that changes nothing the file holds writes nothing.
    {
        const RegistryBatch same;
        RegKey key;
        ASSERT_EQ(RegOpenKey(kRegCurrentUser, "Key", key), kRegOk);
        const std::uint32_t nine = 9;
        ASSERT_EQ(RegSetValue(key, "9", kRegDword, &nine, 4), kRegOk);
    }
    EXPECT_EQ(fileFlushes, 1);

    // A file where the settings folder belongs.
    UseMemoryRegistry();
    const std::string blocked = tmp.Sub("blocked/kavo/registry.txt");
    std::ofstream(tmp.Sub("blocked")) << "a file";
    ASSERT_EQ(UseRegistryFile(blocked), RegistryFileState::kRead);
    std::vector<std::string> failed;
    SetRegistrySaveFailureHandler([&](const std::string& disk) { failed.push_back(disk); });
    {
        const RegistryBatch batch;
        RegKey key;
        ASSERT_EQ(RegCreateKey(kRegCurrentUser, "Key", key), kRegOk);
        ASSERT_EQ(RegSetValue(key, "A", kRegDword, &fileFlushes, 4), kRegOk);
        EXPECT_TRUE(failed.empty());
    }
    EXPECT_EQ(failed, std::vector<std::string>{blocked});
    // The value lives on in memory for this run.
    EXPECT_EQ(KeyValue("A"), 1);
    SetRegistrySaveFailureHandler(nullptr);
}

} // namespace
