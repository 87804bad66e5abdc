#include "framework/pak/pak_format.h"
#include "framework/pak/pak_interface.h"
#include "framework/pak/pak_writer.h"
#include "framework/parser/xml_parser.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

namespace Kavo {
namespace {

namespace fs = std::filesystem;

std::string ReadDisk(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteDisk(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Works in a fresh folder that is also the current folder, so that relative
// names reach the disk files the test lays out.
class PakTest : public HeadlessEnvironment {
protected:
    void SetUp() override {
        mOldCwd = fs::current_path();
        mDir = fs::path(::testing::TempDir()) /
               ("kavo_pak_" + std::to_string(::getpid()) + "_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        fs::current_path(mDir);
    }
    void TearDown() override {
        fs::current_path(mOldCwd);
        fs::remove_all(mDir);
    }

    std::string Archive(const std::vector<PakMember>& members) {
        std::string bytes;
        std::string error;
        EXPECT_TRUE(BuildPakArchive(members, &bytes, &error)) << error;
        return bytes;
    }

    // Writes the archive bytes and mounts them into mPak.
    bool Mount(const std::string& bytes, const std::string& name = "main.pak") {
        WriteDisk(mDir / name, bytes);
        return mPak.MountArchive(name);
    }

    std::string ReadAll(PakFile* file) {
        std::string text;
        char buffer[7];
        size_t got;
        while ((got = mPak.FRead(buffer, 1, sizeof(buffer), file)) > 0)
            text.append(buffer, got);
        return text;
    }

    // Contents of a name through mPak, or "<none>".
    std::string Contents(const std::string& name) {
        PakFile* file = mPak.FOpen(name.c_str(), "rb");
        if (file == nullptr)
            return "<none>";
        std::string text = ReadAll(file);
        mPak.FClose(file);
        return text;
    }

    fs::path mOldCwd;
    fs::path mDir;
    PakInterface mPak;
};

TEST_F(PakTest, NamesFoldToOneKey) {
    ASSERT_TRUE(Mount(Archive({{"data\\x.txt", "xx", 0}, {"X\\Z", "zz", 0}})));
    PakFile* first = mPak.FOpen("data\\x.txt", "r");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->mEntry, nullptr);
    const std::string absolute = (mDir / "data" / "x.txt").string();
    const std::string sameNames[] = {"DATA/X.TXT", "data//x.txt", "Data\\\\/x.txt", absolute};
    for (const std::string& name : sameNames) {
        PakFile* again = mPak.FOpen(name.c_str(), "rt");
        ASSERT_NE(again, nullptr) << name;
        EXPECT_EQ(again->mEntry, first->mEntry) << name;
        mPak.FClose(again);
    }
    mPak.FClose(first);
    EXPECT_EQ(Contents("x\\y\\..\\z"), "zz");
    EXPECT_EQ(Contents("y/../x/z"), "zz");
    EXPECT_EQ(Contents("data\\missing.txt"), "<none>");

    EXPECT_EQ(NormalizePakPath("..\\a"), "..\\A");
    EXPECT_EQ(NormalizePakPath("a\\.\\b"), "A\\.\\B");    // a single dot is a name like any other
    EXPECT_EQ(NormalizePakPath("y\\..\\..\\..\\z"), "Z"); // cannot climb out of the start
    EXPECT_EQ(NormalizePakPath(std::string(400, 'a') + "\\b"), std::string(400, 'A') + "\\B");
}

TEST_F(PakTest, WriteModesGoToTheDisk) {
    ASSERT_TRUE(Mount(Archive({{"notes.txt", "packed", 0}})));
    PakFile* file = mPak.FOpen("notes.txt", "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->mEntry, nullptr);
    std::fputs("loose", file->mStream);
    mPak.FClose(file);
    EXPECT_EQ(ReadDisk(mDir / "notes.txt"), "loose");
    // Reading still prefers the archive over the loose copy.
    EXPECT_EQ(Contents("notes.txt"), "packed");
    file = mPak.FOpen("notes.txt", "r+");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->mEntry, nullptr);
    mPak.FClose(file);
}

TEST_F(PakTest, SeekTellReadAndEof) {
    ASSERT_TRUE(Mount(Archive({{"empty", "", 0}, {"digits", "0123456789", 0}})));

    PakFile* empty = mPak.FOpen("empty", "rb");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(mPak.FGetC(empty), -1);
    EXPECT_NE(mPak.FEof(empty), 0);
    mPak.FClose(empty);

    PakFile* file = mPak.FOpen("digits", "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(mPak.FEof(file), 0);
    EXPECT_EQ(mPak.FSeek(file, 0, SEEK_END), 0);
    EXPECT_EQ(mPak.FTell(file), 10);
    mPak.FSeek(file, -5, SEEK_SET);
    EXPECT_EQ(mPak.FTell(file), 0);
    mPak.FSeek(file, 100, SEEK_CUR);
    EXPECT_EQ(mPak.FTell(file), 10);
    mPak.FSeek(file, -3, SEEK_END);
    EXPECT_EQ(mPak.FTell(file), 7);
    mPak.FSeek(file, 2, 7); // unknown origin: position kept
    EXPECT_EQ(mPak.FTell(file), 7);
    // Offsets at the ends of the long range clamp without overflowing.
    const struct {
        long offset;
        int origin;
        long position;
    } extremes[] = {{LONG_MAX, SEEK_CUR, 10}, {LONG_MIN, SEEK_CUR, 0},  {LONG_MAX, SEEK_END, 10},
                    {LONG_MIN, SEEK_END, 0},  {LONG_MAX, SEEK_SET, 10}, {LONG_MIN, SEEK_SET, 0}};
    for (const auto& seek : extremes) {
        mPak.FSeek(file, 5, SEEK_SET);
        EXPECT_EQ(mPak.FSeek(file, seek.offset, seek.origin), 0);
        EXPECT_EQ(mPak.FTell(file), seek.position) << seek.offset << " from " << seek.origin;
    }

    mPak.FSeek(file, 0, SEEK_SET);
    char buffer[16];
    std::memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(mPak.FRead(buffer, 4, 4, file), 2u); // 10 bytes: two whole elements
    EXPECT_EQ(std::string(buffer, 11), "0123456789#");
    EXPECT_NE(mPak.FEof(file), 0);
    EXPECT_EQ(mPak.FRead(buffer, 1, 4, file), 0u);
    EXPECT_EQ(mPak.FRead(buffer, 0, 4, file), 0u);

    mPak.FSeek(file, 4, SEEK_SET);
    EXPECT_EQ(mPak.FGetC(file), '4');
    EXPECT_EQ(mPak.FUngetC('x', file), 'x');
    EXPECT_EQ(mPak.FGetC(file), '4'); // the archive's byte, not the pushed one
    mPak.FClose(file);
}

TEST_F(PakTest, TextLines) {
    ASSERT_TRUE(Mount(Archive({{"t.txt", "ab\r\ncdef\r", 0}})));
    PakFile* file = mPak.FOpen("t.txt", "r");
    ASSERT_NE(file, nullptr);
    char line[16];
    ASSERT_EQ(mPak.FGetS(line, sizeof(line), file), line);
    EXPECT_STREQ(line, "ab\n");
    ASSERT_EQ(mPak.FGetS(line, 3, file), line); // room for two bytes
    EXPECT_STREQ(line, "cd");
    EXPECT_EQ(mPak.FGetS(line, 0, file), nullptr);
    EXPECT_EQ(mPak.FGetS(line, -1, file), nullptr);
    line[0] = 'q';
    EXPECT_EQ(mPak.FGetS(line, 1, file), line);
    EXPECT_STREQ(line, "");
    ASSERT_EQ(mPak.FGetS(line, sizeof(line), file), line);
    EXPECT_STREQ(line, "ef"); // the final carriage return is skipped
    EXPECT_EQ(mPak.FGetS(line, sizeof(line), file), nullptr);

    mPak.FSeek(file, 0, SEEK_SET);
    char raw[5] = {};
    EXPECT_EQ(mPak.FRead(raw, 1, 4, file), 4u);
    EXPECT_EQ(std::string(raw, 4), "ab\r\n"); // binary reads keep the CR
    mPak.FClose(file);
}

TEST_F(PakTest, FindFilesArchiveFirstThenDisk) {
    const platform::FileTime time = platform::UnixTimeToFileTime(1000000000);
    ASSERT_TRUE(Mount(Archive({{"images\\a.png", "12345", time},
                               {"images\\sub\\b.png", "1", time},
                               {"images\\c.jpg", "", time},
                               {"other\\d.png", "", time}})));
    WriteDisk(mDir / "images" / "disk.png", "d");
    WriteDisk(mDir / "images" / "a.txt", "t");

    auto list = [this](const char* pattern) {
        std::vector<std::string> names;
        PakFindData data;
        PakFindHandle* handle = mPak.FindFirstFile(pattern, &data);
        if (handle == nullptr)
            return names;
        do {
            names.push_back(data.mFileName + ((data.mAttributes & platform::kFileAttributeDirectory) ? "/" : ""));
        } while (mPak.FindNextFile(handle, &data) && names.size() < 20);
        EXPECT_TRUE(mPak.FindClose(handle));
        return names;
    };

    EXPECT_EQ(list("images\\*.png"), (std::vector<std::string>{"a.png", "b.png", "disk.png"}));
    EXPECT_EQ(list("IMAGES/*.*"), (std::vector<std::string>{"a.png", "c.jpg", "b.png", "a.txt", "disk.png"}));
    EXPECT_EQ(list("images\\*\\b.png"), (std::vector<std::string>{"b.png/"})); // the tail holds a folder
    EXPECT_EQ(list("images\\a.png"), (std::vector<std::string>{}));            // no '*': the disk alone
    EXPECT_EQ(list("images\\disk.png"), (std::vector<std::string>{"disk.png"}));
    EXPECT_EQ(list("nothing\\*"), (std::vector<std::string>{}));

    PakFindData data;
    PakFindHandle* handle = mPak.FindFirstFile("images\\a*", &data);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(data.mFileName, "a.png");
    EXPECT_EQ(data.mFileSizeLow, 5u);
    EXPECT_EQ(data.mLastWriteTime, time);
    EXPECT_EQ(data.mCreationTime, time);
    mPak.FindClose(handle);
}

TEST_F(PakTest, RepeatedNamesTakeTheLastEntry) {
    ASSERT_TRUE(Mount(Archive({{"a", "first", 0}, {"b", "bee", 0}, {"A", "second", 0}})));
    EXPECT_EQ(Contents("a"), "second");
    EXPECT_EQ(Contents("b"), "bee");
    ASSERT_TRUE(Mount(Archive({{"b", "later archive", 0}}), "patch.pak"));
    EXPECT_EQ(Contents("b"), "later archive");
    EXPECT_EQ(Contents("a"), "second");
}

TEST_F(PakTest, DamagedArchivesFallBackToTheDisk) {
    const std::string good = Archive({{"m.txt", "archived", 0}, {"n.txt", "more", 0}});
    const size_t endFlag = good.size() - std::strlen("archived") - std::strlen("more") - 1;
    auto patched = [&](size_t offset, uint8_t value) {
        std::string bytes = good;
        bytes[offset] = static_cast<char>(value ^ kPakXorKey);
        return bytes;
    };
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"bad magic", patched(0, 0xC1)},
        {"version 1", patched(4, 1)},
        {"header only", good.substr(0, 8)},
        {"cut inside a record", good.substr(0, 14)},
        {"no end flag", good.substr(0, endFlag)},
        {"last member short by one byte", good.substr(0, good.size() - 1)},
        {"size past the end", patched(8 + 2 + 5 + 3, 0x80)}, // high byte of the first size
        {"empty file", ""},
    };
    WriteDisk(mDir / "m.txt", "loose");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PakInterface pak;
        WriteDisk(mDir / "bad.pak", c.bytes);
        EXPECT_FALSE(pak.MountArchive("bad.pak"));
        PakFile* file = pak.FOpen("m.txt", "rb");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->mEntry, nullptr);
        pak.FClose(file);
        EXPECT_EQ(pak.FOpen("n.txt", "rb"), nullptr);
        // The archive itself stays reachable under its own name.
        if (!c.bytes.empty()) {
            file = pak.FOpen("bad.pak", "rb");
            ASSERT_NE(file, nullptr);
            EXPECT_NE(file->mEntry, nullptr);
            EXPECT_EQ(pak.FSeek(file, 0, SEEK_END), 0);
            EXPECT_EQ(pak.FTell(file), static_cast<long>(c.bytes.size()));
            pak.FClose(file);
        }
    }
    EXPECT_FALSE(mPak.MountArchive("missing.pak"));
}

TEST_F(PakTest, PackedFolderRoundTrip) {
    WriteDisk(mDir / "src" / "data" / "items.txt", "item 1\r\nitem 2\r\n");
    WriteDisk(mDir / "src" / "images" / "deep" / "x.png", std::string("\x00\x6B\xFF\r\n", 5));
    WriteDisk(mDir / "src" / "empty.bin", "");
    std::string error;
    ASSERT_TRUE(WritePakArchive((mDir / "src").string(), (mDir / "main.pak").string(), &error)) << error;
    ASSERT_TRUE(mPak.MountArchive("main.pak"));
    fs::remove_all(mDir / "src");

    EXPECT_EQ(Contents("data\\items.txt"), "item 1\r\nitem 2\r\n");
    EXPECT_EQ(Contents("images/deep/x.png"), std::string("\x00\x6B\xFF\r\n", 5));
    EXPECT_EQ(Contents("empty.bin"), "");

    std::vector<PakMember> members;
    EXPECT_FALSE(CollectPakMembers((mDir / "none").string(), &members, &error));
    std::string bytes;
    EXPECT_FALSE(BuildPakArchive({{std::string(256, 'n'), "", 0}}, &bytes, &error));
}

// The installed reader behind the free functions, and a parser reading
// through them.
TEST_F(PakTest, FileApiUsesTheInstalledReader) {
    // Building a reader installs nothing; gPakInterface waits to be installed.
    ASSERT_NE(gPakInterface, nullptr);
    const PakInterface built;
    EXPECT_EQ(GetPakInterface(), nullptr);
    auto reader = std::make_shared<PakInterface>();
    std::optional<platform::Installed<PakInterfaceBase>> installed(std::in_place, PakReaderSlot(), reader);
    EXPECT_EQ(GetPakInterface(), reader);

    std::string utf16 = "\xFF\xFE";
    for (char16_t c : std::u16string(u"<r a=\"\u0420\">\r\n x \r\n</r>")) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    WriteDisk(mDir / "shared.pak",
              Archive({{"kavo_shared_test\\doc.xml", utf16, 0}, {"kavo_shared_test\\t.bin", "abc\r\nd", 0}}));
    ASSERT_TRUE(reader->MountArchive((mDir / "shared.pak").string()));
    fs::remove(mDir / "shared.pak"); // the mapping keeps it alive

    PakFile* file = PakOpenFile("kavo_shared_test/T.BIN", "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(PakSeekFile(file, 0, SEEK_END), 0);
    EXPECT_EQ(PakTellFile(file), 6);
    PakSeekFile(file, 2, SEEK_SET);
    EXPECT_EQ(PakGetC(file), 'c');
    EXPECT_EQ(PakGetC(file), '\n');
    EXPECT_EQ(PakUngetC('\n', file), '\n');
    char rest[4] = {};
    // The line feed came after a skipped carriage return, so stepping back
    // one byte lands on the line feed itself.
    EXPECT_EQ(PakReadFile(rest, 1, 4, file), 2u);
    EXPECT_EQ(std::string(rest, 2), "\nd");
    EXPECT_NE(PakEofFile(file), 0);
    EXPECT_EQ(PakCloseFile(file), 0);

    XMLParser parser;
    ASSERT_TRUE(parser.OpenFile("kavo_shared_test\\doc.xml"));
    XMLElement e;
    ASSERT_TRUE(parser.ReadNextElement(&e)) << parser.GetErrorText();
    EXPECT_EQ(e.mValue, "r");
    EXPECT_EQ(e.mAttributes["a"], "\xD0");
    ASSERT_TRUE(parser.ReadNextElement(&e)) << parser.GetErrorText();
    EXPECT_EQ(e.mValue, "x");
    EXPECT_EQ(parser.mLineNum, 3);
    ASSERT_TRUE(parser.ReadNextElement(&e)) << parser.GetErrorText();
    EXPECT_EQ(e.mType, XMLElement::TYPE_END);
    EXPECT_FALSE(parser.ReadNextElement(&e));
    EXPECT_FALSE(parser.mHasFailed);

    // A name in neither place.
    EXPECT_EQ(PakOpenFile("kavo_shared_test\\none.bin", "rb"), nullptr);

    // A file stays with the reader that opened it after that reader is
    // uninstalled and dropped by everyone else.
    file = PakOpenFile("kavo_shared_test/t.bin", "rb");
    ASSERT_NE(file, nullptr);
    installed.reset();
    reader.reset();
    EXPECT_EQ(GetPakInterface(), nullptr);
    EXPECT_EQ(PakGetC(file), 'a');
    EXPECT_EQ(PakCloseFile(file), 0);
    EXPECT_EQ(PakOpenFile("kavo_shared_test/t.bin", "rb"), nullptr); // the disk has no such file
}

} // namespace
} // namespace Kavo
