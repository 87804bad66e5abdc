#include "tests/engine/storage/storage_fixture.h"

#include "engine/storage/name_mask.h"

namespace storage_test {
namespace {

class MemStgTest : public ::testing::Test {
protected:
    StoragePtr mStorage{Stg_t::OpenStorage("", 0)};
};

TEST_F(MemStgTest, FilesMakeTheirFoldersAndPresenceTestsNeverThrow) {
    Put(mStorage.get(), "One/Two/f.bin", "data");
    EXPECT_TRUE(mStorage->TestDirPresent("one"));
    EXPECT_TRUE(mStorage->TestDirPresent("one\\two"));
    EXPECT_FALSE(mStorage->TestDirPresent("one\\three"));
    EXPECT_TRUE(mStorage->TestFilePresent("ONE\\TWO\\F.BIN"));
    EXPECT_FALSE(mStorage->TestFilePresent("one\\three\\f.bin"));
    EXPECT_FALSE(mStorage->TestFilePresent("one\\two\\g.bin"));
    EXPECT_EQ(Raised([&] { mStorage->TestDirPresent(""); }).Code(), kStgInvalidArgument);

    const errStg_e missing = Raised([&] { mStorage->OpenFile("one\\three\\f.bin", 0); });
    EXPECT_EQ(missing.Code(), kStgInvalidDirectory);
    EXPECT_EQ(missing.StorageName(), "one");
    EXPECT_EQ(missing.FileName(), "three");
    EXPECT_EQ(missing.Mode(), kStgModeNone);
    EXPECT_EQ(Raised([&] { mStorage->OpenFile("nothing", 0); }).Code(), kStgOpenFile);
    EXPECT_EQ(mStorage->OpenSubStoragePath("one\\two")->FullPath(), "Mem\\one\\two");
}

TEST_F(MemStgTest, OpenFilesAreExclusiveAndKeepTheirContent) {
    FileDescr_t* file = mStorage->OpenFile("f", 1);
    mStorage->WriteFile(file, "0123456789", 10, nullptr);
    EXPECT_EQ(Raised([&] { mStorage->OpenFile("F", 0); }).Code(), kStgOpenFile);
    mStorage->CloseFile(file);

    // Closed: reads, writes and seeks do nothing; the size still answers.
    char buffer[16] = {};
    std::uint32_t count = 77;
    mStorage->ReadFile(file, buffer, 4, &count);
    mStorage->Seek(file, 0, 3, &count);
    EXPECT_EQ(count, 77u);
    EXPECT_EQ(mStorage->Size(file), 10u);

    EXPECT_EQ(mStorage->OpenFile("f", 0), file);
    mStorage->ReadFile(file, buffer, 16, &count);
    EXPECT_EQ(std::string(buffer, count), "0123456789");
    mStorage->Seek(file, 0, 11, &count);
    EXPECT_EQ(count, 0u);
    mStorage->CloseFile(file);

    Put(mStorage.get(), "f", "abc");
    EXPECT_EQ(Get(mStorage.get(), "f"), "abc");
    EXPECT_EQ(Raised([&] { mStorage->Size(nullptr); }).Mode(), kStgModeNone);
}

TEST_F(MemStgTest, ReadHandlesRefuseWrites) {
    Put(mStorage.get(), "f", "x");
    FileDescr_t* file = mStorage->OpenFile("f", 0);
    // The file keeps the mode it was made with.
    EXPECT_EQ(file->mode, 1);
    mStorage->CloseFile(file);
    FileDescr_t reader;
    reader.owner = mStorage.get();
    reader.memFile = std::make_unique<MemFile>(nullptr, 0, true);
    EXPECT_EQ(Raised([&] { mStorage->WriteFile(&reader, "x", 1, nullptr); }).Code(), kStgInvalidFileMode);
}

TEST_F(MemStgTest, ListingFoldersFirstWithMasks) {
    for (const char* name : {"abc12", "abc1x", "ab", "b1", "zz\\inner"})
        Put(mStorage.get(), name, "");
    mStorage->CreateDir("abc34");
    mStorage->CreateDir("Dir");
    std::vector<std::string> all;
    mStorage->ListNames("*.*", true, true, all);
    EXPECT_EQ(all, (std::vector<std::string>{"zz", "abc34", "dir", "abc12", "abc1x", "ab", "b1"}));

    struct Case {
        const char* mask;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"abc##", {"abc34", "abc12"}},          {"A*?", {"ab"}},      {"*1", {"b1"}}, {"?1", {"b1"}},
        {"a*c#*", {"abc34", "abc12", "abc1x"}}, {"zz\\*", {"inner"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        mStorage->ListNames(c.mask, true, true, names);
        EXPECT_EQ(names, c.names) << c.mask;
    }
    EXPECT_EQ(Raised([&] {
                  std::vector<std::string> names;
                  mStorage->ListNames("none\\*", true, true, names);
              }).Code(),
              kStgInvalidDirectory);
}

TEST(NameMask, CleanAndMatch) {
    EXPECT_EQ(CleanMask("a*?"), "a?");
    EXPECT_EQ(CleanMask("A?*B"), "a*b");
    EXPECT_EQ(CleanMask("**x@@"), "*x@");
    EXPECT_TRUE(MatchMask("abc12", "abc##"));
    EXPECT_FALSE(MatchMask("abc1x", "abc##"));
    EXPECT_TRUE(MatchMask("", "*"));
    EXPECT_FALSE(MatchMask("a", ""));
    EXPECT_TRUE(MatchMask("x.y.z", "*.z"));
    EXPECT_FALSE(MatchMask("x.y.z", "*.y"));
}

TEST_F(MemStgTest, DeletingFilesAndFolders) {
    Put(mStorage.get(), "d\\f", "x");
    Put(mStorage.get(), "top", "t");
    mStorage->DeleteTree();
    EXPECT_TRUE(mStorage->TestFilePresent("top"));
    mStorage->DeleteFile("TOP");
    mStorage->DeleteFile("top");
    EXPECT_FALSE(mStorage->TestFilePresent("top"));
    Stg_t* kept = mStorage->OpenSubStoragePath("d");
    mStorage->DeleteDir("d");
    mStorage->DeleteDir("d");
    EXPECT_FALSE(mStorage->TestDirPresent("d"));
    EXPECT_TRUE(kept->TestFilePresent("f")); // still usable by whoever holds it
    EXPECT_EQ(Raised([&] { mStorage->DeleteFile("gone\\f"); }).Code(), kStgInvalidDirectory);
}

} // namespace
} // namespace storage_test
