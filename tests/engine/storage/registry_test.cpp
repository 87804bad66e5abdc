#include "tests/engine/storage/storage_fixture.h"

#include "platform/file_system.h"

namespace storage_test {
namespace {

using StorageRegistryTest = StorageTest;

TEST_F(StorageRegistryTest, OnePathInAnySpellingIsOneCountedStorage) {
    const std::string upper = Root() + "/A/B/";
    const std::string lower = NormalizePath(Root()) + "\\a\\b";
    Stg_t* first = Stg_t::OpenStorage(upper.c_str(), 0);
    ASSERT_NE(first, nullptr);
    Stg_t* second = Stg_t::OpenStorageStr(lower, 0);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->RefCount(), 2);
    EXPECT_EQ(first->FullPath(), lower);
    EXPECT_TRUE(std::filesystem::is_directory(Disk("a/b")));

    const auto registry = gStorageRegistry.Get();
    EXPECT_EQ(registry->Count(), 1u);
    first->Release();
    EXPECT_EQ(registry->Find(lower), first);
    second->Release();
    EXPECT_EQ(registry->Count(), 0u);
}

TEST_F(StorageRegistryTest, EmptyPathsAndMemoryStorages) {
    EXPECT_EQ(Stg_t::OpenStorageStr("", 0), nullptr);
    StoragePtr memory(Stg_t::OpenStorage("", 1));
    StoragePtr other(Stg_t::OpenStorage(nullptr, 0));
    ASSERT_NE(memory, nullptr);
    EXPECT_TRUE(memory->IsMemory());
    EXPECT_EQ(memory->Name(), "Mem");
    EXPECT_EQ(memory->FullPath(), "Mem");
    EXPECT_FALSE(memory->CompressAll());
    EXPECT_EQ(gStorageRegistry.Get()->Count(), 0u);
    EXPECT_TRUE(Stg_t::SameStorage(memory.get(), memory.get()));
    EXPECT_FALSE(Stg_t::SameStorage(memory.get(), other.get()));
    EXPECT_FALSE(Stg_t::SameStorage(memory.get(), nullptr));
}

TEST_F(StorageRegistryTest, WithoutARegistryNoFolderStorageOpens) {
    platform::Installed<StorageRegistry> none(gStorageRegistry, nullptr);
    EXPECT_EQ(Stg_t::OpenStorage(Root().c_str(), 0), nullptr);
}

TEST_F(StorageRegistryTest, RelativePathsAnchorAtTheCurrentFolderOnce) {
    const std::string before = platform::GetCurrentFolder();
    ASSERT_TRUE(platform::SetCurrentFolder(Root()));
    StoragePtr storage(Stg_t::OpenStorage("rel", 0));
    ASSERT_TRUE(platform::SetCurrentFolder(before));
    ASSERT_NE(storage, nullptr);
    Put(storage.get(), "f.txt", "x");
    EXPECT_EQ(ReadDisk(Disk("rel/f.txt")), "x");
}

TEST_F(StorageRegistryTest, CopyTreeOntoItselfCopiesNothing) {
    StoragePtr storage(Stg_t::OpenStorage((Root() + "/tree").c_str(), 0));
    ASSERT_NE(storage, nullptr);
    Put(storage.get(), "sub\\keep.txt", "kept bytes");
    Put(storage.get(), "top.txt", "top");
    Stg_t* sub = storage->OpenSubStoragePath("SUB");
    StoragePtr sameAgain(Stg_t::OpenStorage((Root() + "/TREE/").c_str(), 0));
    // A copy onto itself would truncate each file while reading it.
    storage->CopyTreeTo(storage.get(), nullptr);
    storage->CopyTreeTo(sameAgain.get(), nullptr);
    sub->CopyTreeTo(storage->OpenSubStoragePath("sub"), nullptr);
    EXPECT_EQ(ReadDisk(Disk("tree/sub/keep.txt")), "kept bytes");
    EXPECT_EQ(ReadDisk(Disk("tree/top.txt")), "top");
}

TEST_F(StorageRegistryTest, CopiesBetweenFolderAndMemory) {
    StoragePtr disk(Stg_t::OpenStorage((Root() + "/src").c_str(), 0));
    Put(disk.get(), "a.txt", "alpha");
    Put(disk.get(), "skip\\s.txt", "s");
    Put(disk.get(), "deep\\er\\d.txt", "delta");
    StoragePtr memory(Stg_t::OpenStorage("", 0));
    disk->CopyTreeTo(memory.get(), "SKIP");
    EXPECT_EQ(Get(memory.get(), "a.txt"), "alpha");
    EXPECT_EQ(Get(memory.get(), "deep\\er\\d.txt"), "delta");
    EXPECT_FALSE(memory->TestDirPresent("skip"));

    StoragePtr back(Stg_t::OpenStorage((Root() + "/dst").c_str(), 0));
    memory->CopyNewTreeTo(back.get());
    EXPECT_EQ(ReadDisk(Disk("dst/deep/er/d.txt")), "delta");
    const errStg_e again = Raised([&] { memory->CopyNewTreeTo(back.get()); });
    EXPECT_EQ(again.Code(), kStgFileExists);
    EXPECT_EQ(again.FileName(), "a.txt");
    back->DeleteFile("a.txt");
    const errStg_e folder = Raised([&] { memory->CopyNewTreeTo(back.get()); });
    EXPECT_EQ(folder.Code(), kStgStorageExists);
    EXPECT_EQ(folder.FileName(), "deep");
}

TEST_F(StorageRegistryTest, FailedCopyClosesBothFiles) {
    StoragePtr memory(Stg_t::OpenStorage("", 0));
    Put(memory.get(), "src", "data");
    FileDescr_t* busy = memory->OpenFile("dst", 1);
    EXPECT_EQ(Raised([&] { memory->CopyFileTo(memory.get(), "dst", "src"); }).Code(), kStgOpenFile);
    // The source was closed again: it opens.
    EXPECT_EQ(Get(memory.get(), "src"), "data");
    memory->CloseFile(busy);
    memory->CopyFileTo(memory.get(), "dst", "src");
    EXPECT_EQ(Get(memory.get(), "dst"), "data");
}

TEST(MemoryBufferFile, ReadSeekAndClose) {
    const char bytes[] = "0123456789";
    std::unique_ptr<FileDescr_t> file = FileDescr_t::FromMemory(bytes, 10, false);
    char buffer[16] = {};
    std::uint32_t count = 0, position = 99;
    FileDescr_t::ReadChecked(file.get(), buffer, 4, &count);
    EXPECT_EQ(std::string(buffer, count), "0123");
    FileDescr_t::Seek(file.get(), 1, 2, &position);
    EXPECT_EQ(position, 6u);
    FileDescr_t::Seek(file.get(), 0, 11, &position);
    EXPECT_EQ(position, 0u);
    FileDescr_t::Seek(file.get(), 2, -3, &position);
    EXPECT_EQ(position, 7u);
    FileDescr_t::Seek(file.get(), 1, -8, &position);
    EXPECT_EQ(position, 0u);
    FileDescr_t::Read(file.get(), buffer, 16, &count);
    EXPECT_EQ(std::string(buffer, count), "0123456789");
    EXPECT_EQ(FileDescr_t::SizeChecked(file.get()), 10u);
    FileDescr_t::Close(file.get());
    EXPECT_EQ(file->memFile, nullptr);

    const errStg_e read = Raised([&] { FileDescr_t::ReadChecked(nullptr, buffer, 1, nullptr); });
    EXPECT_EQ(read.Message(), "Invalid argument\r\nStorage name : \r\nFile name : \r\nMode=ReadFile");
    EXPECT_EQ(Raised([] { FileDescr_t::SizeChecked(nullptr); }).Mode(), kStgModeSize);
}

TEST(MemoryBufferFile, OwnedWriteBeforeTheEndCutsTheFile) {
    MemFile file("0123456789", 10, true);
    EXPECT_TRUE(file.Write("abcd", 4, nullptr));
    EXPECT_EQ(file.Size(), 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.Data()), 4), "abcd");
    MemFile inPlace("xyz", 3, false);
    std::uint32_t written = 7;
    EXPECT_TRUE(inPlace.Write("q", 1, &written));
    EXPECT_EQ(written, 7u);
    EXPECT_EQ(inPlace.Size(), 3u);
}

} // namespace
} // namespace storage_test
