#include "tests/engine/storage/storage_fixture.h"

#include <sys/stat.h>

#include "platform/file_system.h"
#include "platform/headless/headless_platform.h"
#include "platform/message_box.h"

namespace storage_test {
namespace {

class FileStgTest : public StorageTest {
protected:
    void SetUp() override {
        mStorage.reset(Stg_t::OpenStorage((Root() + "/store").c_str(), 0));
        ASSERT_NE(mStorage, nullptr);
    }
    std::size_t Boxes() { return mPlatform.Desktop().MessageBoxLog().size(); }

    platform::HeadlessPlatform mPlatform;

    StoragePtr mStorage;
};

TEST_F(FileStgTest, MissingFolderRaisesForReadingAndIsMadeForWriting) {
    const std::string cwd = platform::GetCurrentFolder();
    const errStg_e missing = Raised([&] { mStorage->OpenFile("Missing\\f.txt", 0); });
    EXPECT_EQ(missing.Code(), kStgInvalidDirectory);
    EXPECT_EQ(missing.Mode(), kStgModeNone);
    EXPECT_EQ(missing.FileName(), "missing");
    EXPECT_EQ(missing.StorageName(), mStorage->FullPath());

    Put(mStorage.get(), "Missing/F.txt", "hello");
    EXPECT_EQ(ReadDisk(Disk("store/missing/f.txt")), "hello");
    EXPECT_EQ(Get(mStorage.get(), "MISSING\\f.TXT"), "hello");
    EXPECT_TRUE(mStorage->TestFilePresent("missing\\f.txt"));
    EXPECT_FALSE(mStorage->TestFilePresent("missing"));
    EXPECT_TRUE(mStorage->TestDirPresent("Missing"));
    EXPECT_FALSE(mStorage->TestFilePresent("nowhere\\f.txt"));
    EXPECT_EQ(platform::GetCurrentFolder(), cwd);

    const errStg_e absent = Raised([&] { mStorage->OpenFile("missing\\none.txt", 0); });
    EXPECT_EQ(absent.Code(), kStgInvalidArgument);
    EXPECT_EQ(absent.Mode(), kStgModeOpenFileRead);
    EXPECT_EQ(absent.FileName(), "missing\\none.txt");
    EXPECT_EQ(Raised([&] { mStorage->OpenFile("", 1); }).Mode(), kStgModeOpenFileWrite);
    EXPECT_EQ(Raised([&] { mStorage->OpenFile("\\", 1); }).Mode(), kStgModeOpenFileWrite);
}

TEST_F(FileStgTest, ExistingSpellingIsFoundAndNewNamesAreLowerCase) {
    WriteDisk(Disk("store/Sounds/Click.WAV"), "riff");
    EXPECT_EQ(Get(mStorage.get(), "sounds\\click.wav"), "riff");
    Put(mStorage.get(), "SOUNDS\\CLICK.wav", "new");
    Put(mStorage.get(), "Sounds\\Other.WAV", "o");
    EXPECT_EQ(ReadDisk(Disk("store/Sounds/Click.WAV")), "new");
    EXPECT_TRUE(std::filesystem::exists(Disk("store/Sounds/other.wav")));
    EXPECT_FALSE(std::filesystem::exists(Disk("store/sounds")));
}

TEST_F(FileStgTest, CdfInThePathCompresses) {
    Put(mStorage.get(), "Pack.cdf\\data.bin", "abc");
    const std::string disk = ReadDisk(Disk("store/pack.cdf/data.bin"));
    ASSERT_GT(disk.size(), 8u);
    EXPECT_EQ(disk.substr(0, 4), std::string("\x03\x00\x00\x00", 4));
    EXPECT_EQ(static_cast<std::uint8_t>(disk[4]), disk.size() - 8);
    EXPECT_EQ(Get(mStorage.get(), "pack.cdf\\data.bin"), "abc");
}

TEST_F(FileStgTest, CompressAllStorageCompressesEveryFile) {
    StoragePtr packed(Stg_t::OpenStorage((Root() + "/packed").c_str(), 1));
    Put(packed.get(), "sub\\plain.txt", "zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz");
    EXPECT_TRUE(packed->OpenSubStoragePath("sub")->CompressAll());
    const std::string disk = ReadDisk(Disk("packed/sub/plain.txt"));
    EXPECT_EQ(disk[0], 40);
    EXPECT_LT(disk.size(), 40u);
    EXPECT_EQ(Get(packed.get(), "sub\\plain.txt"), std::string(40, 'z'));
}

TEST_F(FileStgTest, CdaIsRefusedBeforeTheFileIsTouched) {
    WriteDisk(Disk("store/x.cda"), "original");
    for (int mode : {0, 1}) {
        const errStg_e error = Raised([&] { mStorage->OpenFile("x.cda", mode); });
        EXPECT_EQ(error.Code(), kStgNotRealized);
        EXPECT_EQ(error.Mode(), kStgModeNone);
    }
    EXPECT_EQ(ReadDisk(Disk("store/x.cda")), "original");
    EXPECT_EQ(Raised([&] { mStorage->OpenFile("new.cda", 1); }).Code(), kStgNotRealized);
    EXPECT_FALSE(std::filesystem::exists(Disk("store/new.cda")));
}

TEST_F(FileStgTest, WrongDirectionAndNullHandles) {
    Put(mStorage.get(), "f.txt", "0123456789");
    FileDescr_t* reading = mStorage->OpenFile("f.txt", 0);
    EXPECT_EQ(Raised([&] { mStorage->WriteFile(reading, "x", 1, nullptr); }).Code(), kStgInvalidFileMode);
    std::uint32_t position = 0;
    mStorage->Seek(reading, 2, -3, &position);
    EXPECT_EQ(position, 7u);
    char buffer[8] = {};
    std::uint32_t read = 0;
    mStorage->ReadFile(reading, buffer, sizeof buffer, &read);
    EXPECT_EQ(std::string(buffer, read), "789");
    EXPECT_EQ(mStorage->Size(reading), 10u);
    mStorage->CloseFile(reading);

    FileDescr_t* writing = mStorage->OpenFile("f.txt", 1);
    const errStg_e readError = Raised([&] { mStorage->ReadFile(writing, buffer, 1, &read); });
    EXPECT_EQ(readError.Code(), kStgRead);
    EXPECT_EQ(readError.FileName(), "f.txt");
    mStorage->CloseFile(writing);

    struct Case {
        std::function<void()> call;
        int mode;
    };
    const Case cases[] = {
        {[&] { mStorage->CloseFile(nullptr); }, kStgModeCloseFile},
        {[&] { mStorage->ReadFile(nullptr, buffer, 1, nullptr); }, kStgModeReadFile},
        {[&] { mStorage->WriteFile(nullptr, buffer, 1, nullptr); }, kStgModeWriteFile},
        {[&] { mStorage->Seek(nullptr, 0, 0, nullptr); }, kStgModeSeek},
        {[&] { mStorage->Size(nullptr); }, kStgModeSize},
        {[&] { mStorage->TestFilePresent(""); }, kStgModeTestFilePresent},
        {[&] { mStorage->TestDirPresent(""); }, kStgModeTestDirPresent},
        {[&] { mStorage->CreateDir(""); }, kStgModeCreateDir},
        {[&] { mStorage->DeleteDir(""); }, kStgModeDeleteDir},
        {[&] { mStorage->DeleteFile(""); }, kStgModeDeleteFile},
        {[&] { mStorage->OpenSubStoragePath(""); }, kStgModeOpenStg},
    };
    for (const Case& c : cases) {
        const errStg_e error = Raised(c.call);
        EXPECT_EQ(error.Code(), kStgInvalidArgument);
        EXPECT_EQ(error.Mode(), c.mode);
    }
}

TEST_F(FileStgTest, ReadOnlyFilesAreOverwrittenAndDeleted) {
    WriteDisk(Disk("store/ro.txt"), "old");
    ASSERT_EQ(::chmod(Disk("store/ro.txt").c_str(), 0444), 0);
    Put(mStorage.get(), "ro.txt", "new");
    EXPECT_EQ(ReadDisk(Disk("store/ro.txt")), "new");
    ASSERT_EQ(::chmod(Disk("store/ro.txt").c_str(), 0444), 0);
    mStorage->DeleteFile("RO.TXT");
    EXPECT_FALSE(std::filesystem::exists(Disk("store/ro.txt")));
}

TEST_F(FileStgTest, DeletingAMissingFileRaisesWithoutABox) {
    const std::size_t boxes = Boxes();
    const errStg_e error = Raised([&] { mStorage->DeleteFile("nothing.txt"); });
    EXPECT_EQ(error.Code(), kStgDelete);
    EXPECT_EQ(error.FileName(), mStorage->FullPath() + "\\nothing.txt");
    EXPECT_EQ(Boxes(), boxes);
}

TEST_F(FileStgTest, FolderDeletionAsksRetryOrCancel) {
    Put(mStorage.get(), "Full\\f.txt", "f");
    auto* backend = &mPlatform.Desktop();
    const std::size_t boxes = Boxes();
    backend->QueueMessageBoxAnswer(platform::kIdRetry);
    const errStg_e error = Raised([&] { mStorage->DeleteDir("full"); });
    EXPECT_EQ(error.Code(), kStgInvalidDirectory);
    const auto log = backend->MessageBoxLog();
    ASSERT_EQ(log.size(), boxes + 2); // Retry, then the headless Cancel
    EXPECT_EQ(log.back().caption, "Cannot delete Directory");
    EXPECT_EQ(log.back().text, mStorage->FullPath() + "\\full");
    EXPECT_EQ(log.back().flags, platform::kMbRetryCancel);

    mStorage->DeleteFile("full\\f.txt");
    mStorage->DeleteDir("FULL");
    EXPECT_FALSE(std::filesystem::exists(Disk("store/full")));
    // The forgotten sub-storage does not stand in the way of a new folder.
    Put(mStorage.get(), "full\\again.txt", "a");
    EXPECT_EQ(ReadDisk(Disk("store/full/again.txt")), "a");
}

TEST_F(FileStgTest, SvnFoldersAreNeverDeleted) {
    mStorage->CreateDir("a\\.svn\\b");
    EXPECT_TRUE(std::filesystem::is_directory(Disk("store/a/.svn/b")));
    mStorage->DeleteDir("a\\.svn\\b");
    mStorage->DeleteDir("A\\.SVN");
    EXPECT_TRUE(std::filesystem::is_directory(Disk("store/a/.svn/b")));
    StoragePtr svn(Stg_t::OpenStorage((Root() + "/store/a/.svn").c_str(), 0));
    svn->DeleteTree();
    EXPECT_TRUE(std::filesystem::is_directory(Disk("store/a/.svn/b")));
}

TEST_F(FileStgTest, ListNamesLowerCasesAndSkipsDots) {
    WriteDisk(Disk("store/ReadMe.TXT"), "r");
    WriteDisk(Disk("store/noext"), "n");
    WriteDisk(Disk("store/Sub/inner.txt"), "i");
    std::vector<std::string> names = {"kept"};
    mStorage->ListNames("*", true, true, names);
    std::sort(names.begin() + 1, names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"kept", "noext", "readme.txt", "sub"}));

    std::vector<std::string> files, folders, dotted;
    mStorage->ListNames("*.*", true, false, files);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"noext", "readme.txt"}));
    mStorage->ListNames("*", false, true, folders);
    EXPECT_EQ(folders, (std::vector<std::string>{"sub"}));
    mStorage->ListNames("SUB\\*.txt", true, false, dotted);
    EXPECT_EQ(dotted, (std::vector<std::string>{"inner.txt"}));
}

TEST_F(FileStgTest, DeleteTreeEmptiesTheFolderAndLeavesLinkTargets) {
    WriteDisk(Disk("outside/precious.txt"), "p");
    WriteDisk(Disk("store/a/b/c.txt"), "c");
    WriteDisk(Disk("store/top.txt"), "t");
    std::filesystem::create_directory_symlink(Disk("outside"), Disk("store/a/link"));
    mStorage->OpenSubStoragePath("a\\b");
    mStorage->DeleteTree();
    EXPECT_TRUE(std::filesystem::is_directory(Disk("store")));
    EXPECT_TRUE(std::filesystem::is_empty(Disk("store")));
    EXPECT_EQ(ReadDisk(Disk("outside/precious.txt")), "p");
    Put(mStorage.get(), "a\\b\\again.txt", "x");
    EXPECT_EQ(ReadDisk(Disk("store/a/b/again.txt")), "x");
}

TEST_F(FileStgTest, SubStoragesAreSharedAndReleaseLeavesThem) {
    Stg_t* sub = mStorage->CreateSubStoragePath("One/Two");
    EXPECT_EQ(sub->FullPath(), mStorage->FullPath() + "\\one\\two");
    EXPECT_EQ(sub->Name(), "two");
    EXPECT_EQ(mStorage->OpenSubStoragePath("one\\two"), sub);
    sub->Release();
    EXPECT_EQ(mStorage->OpenSubStoragePath("ONE\\TWO"), sub);
    EXPECT_EQ(Raised([&] { mStorage->OpenSubStoragePath("one\\three"); }).Code(), kStgInvalidDirectory);
    mStorage->CreateDir("x/y");
    EXPECT_TRUE(mStorage->TestDirPresent("X\\Y"));
}

TEST_F(FileStgTest, UnwritableCdfReportsAtClose) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    std::filesystem::create_symlink("/dev/full", Disk("store/full.cdf"));
    FileDescr_t* file = mStorage->OpenFile("full.cdf", 1);
    mStorage->WriteFile(file, "abc", 3, nullptr);
    const errStg_e error = Raised([&] { mStorage->CloseFile(file); });
    EXPECT_EQ(error.Code(), kStgWrite);
    EXPECT_EQ(error.FileName(), "full.cdf");
}

} // namespace
} // namespace storage_test
