#include "framework/pak/pak_format.h"
#include "framework/pak/pak_writer.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace Kavo {
namespace {

namespace fs = std::filesystem;

// Packs folders laid out in a fresh temporary folder.
class PakWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        mDir = fs::path(::testing::TempDir()) /
               ("kavo_pak_writer_" + std::to_string(::getpid()) + "_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(mDir);
        fs::create_directories(mSource = mDir / "src");
    }
    void TearDown() override { fs::remove_all(mDir); }

    void Write(const fs::path& relative, const std::string& bytes) {
        fs::create_directories((mSource / relative).parent_path());
        std::ofstream(mSource / relative, std::ios::binary) << bytes;
    }

    // Member names of the archive file, in directory order.
    std::vector<std::string> MemberNames(const fs::path& archive) {
        std::ifstream in(archive, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<PakDirectoryRecord> records;
        std::string error;
        EXPECT_TRUE(ReadPakDirectory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &records, &error))
            << error;
        std::vector<std::string> names;
        for (const PakDirectoryRecord& record : records)
            names.push_back(record.mName);
        return names;
    }

    fs::path mDir;
    fs::path mSource;
};

TEST_F(PakWriterTest, RefusesNamesTheArchiveCannotHold) {
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::vector<std::string> named; // each must appear in the error
    };
    const Case cases[] = {
        {"outside Windows-1251", {"ok.txt", "日本.txt", "中国.txt"}, {"日本.txt", "中国.txt"}},
        {"a folder outside Windows-1251", {"ok.txt", "日本/a.txt"}, {"日本"}},
        {"letter case only", {"A.txt", "a.txt", "b.txt"}, {"A.txt, a.txt"}},
        {"folders that differ in letter case", {"Img/x.png", "img/x.png"}, {"Img/x.png, img/x.png"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(mSource);
        for (const std::string& file : c.files)
            Write(file, "x");
        std::string error;
        EXPECT_FALSE(WritePakArchive(mSource.string(), (mDir / "out.pak").string(), &error));
        for (const std::string& name : c.named)
            EXPECT_NE(error.find(name), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(mDir / "out.pak"));
    }

    // Cyrillic names have their Windows-1251 spelling in the archive.
    fs::remove_all(mSource);
    Write("Привет.txt", "x");
    std::string error;
    ASSERT_TRUE(WritePakArchive(mSource.string(), (mDir / "out.pak").string(), &error)) << error;
    EXPECT_EQ(MemberNames(mDir / "out.pak"), std::vector<std::string>{"\xCF\xF0\xE8\xE2\xE5\xF2.txt"});
}

TEST_F(PakWriterTest, LeavesOutLinksToFoldersSpecialFilesAndItsOwnOutput) {
    Write("sub/ok.txt", "ok");
    fs::create_directory_symlink("..", mSource / "sub" / "up");
    fs::create_symlink("sub/ok.txt", mSource / "link.txt");
    fs::create_symlink("nowhere", mSource / "dangling");
    ASSERT_EQ(::mkfifo((mSource / "pipe").c_str(), 0600), 0);

    // The second run finds the first run's archive inside the folder.
    const fs::path out = mSource / "out.pak";
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        std::string error;
        std::vector<std::string> warnings;
        ASSERT_TRUE(WritePakArchive(mSource.string(), out.string(), &error, &warnings)) << error;
        EXPECT_EQ(MemberNames(out), (std::vector<std::string>{"link.txt", "sub\\ok.txt"}));
        ASSERT_EQ(warnings.size(), 3u);
        EXPECT_NE(warnings[0].find("dangling"), std::string::npos) << warnings[0];
        EXPECT_NE(warnings[1].find("pipe"), std::string::npos) << warnings[1];
        EXPECT_NE(warnings[2].find("sub/up"), std::string::npos) << warnings[2];
    }
}

TEST_F(PakWriterTest, ErrorsGiveTheSystemsReason) {
    Write("a.txt", "a");
    std::string error;
    const std::string out = (mDir / "none" / "out.pak").string();
    EXPECT_FALSE(WritePakArchive(mSource.string(), out, &error));
    EXPECT_EQ(error, "cannot write " + out + ": " + std::strerror(ENOENT));

    const std::string missing = (mDir / "missing").string();
    EXPECT_FALSE(WritePakArchive(missing, (mDir / "out.pak").string(), &error));
    EXPECT_EQ(error, "not a folder: " + missing + ": " + std::strerror(ENOENT));
}

} // namespace
} // namespace Kavo
