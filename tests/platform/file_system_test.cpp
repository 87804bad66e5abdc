#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "tests/platform/temp_folder.h"

namespace {

using platform_test::TempFolder;

void Touch(const std::string& path, const std::string& content = "") {
    std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> Names(const std::vector<platform::FoundFile>& files) {
    std::vector<std::string> names;
    for (const auto& f : files)
        names.push_back(f.name);
    return names;
}

TEST(ResolvePath, MatchesExistingComponentsInAnyCaseAndKeepsNewOnes) {
    TempFolder tmp;
    std::filesystem::create_directories(tmp.Sub("UI/Menus"));
    Touch(tmp.Sub("UI/Menus/Main.txt"));
    const std::string base = tmp.Path();
    struct Case {
        std::string given;
        std::string expected;
    };
    const Case cases[] = {
        {base + "\\ui\\menus\\MAIN.TXT", base + "/UI/Menus/Main.txt"},              // existing, other case
        {base + "/ui//Menus\\main.txt", base + "/UI/Menus/Main.txt"},               // doubled separators
        {base + "\\ui\\Missing\\Deeper\\x.txt", base + "/UI/Missing/Deeper/x.txt"}, // missing
        {base + "\\ui\\NewFile.dat", base + "/UI/NewFile.dat"},                     // new name as spelled
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ResolvePath(c.given), c.expected) << c.given;

    // A new component is created with the spelling given and found afterwards.
    ASSERT_TRUE(platform::MakeDirectories(base + "\\ui\\Saves\\Slot1"));
    EXPECT_TRUE(std::filesystem::is_directory(tmp.Sub("UI/Saves/Slot1")));
    EXPECT_EQ(platform::ResolvePath(base + "/UI/SAVES/slot1"), base + "/UI/Saves/Slot1");
}

TEST(ResolvePath, PrefersExactSpellingAndConvertsCyrillicNames) {
    TempFolder tmp;
    Touch(tmp.Sub("data.txt"), "lower");
    Touch(tmp.Sub("DATA.txt"), "upper");
    EXPECT_EQ(platform::ResolvePath(tmp.Path() + "/DATA.txt"), tmp.Sub("DATA.txt"));
    EXPECT_EQ(platform::ResolvePath(tmp.Path() + "/data.txt"), tmp.Sub("data.txt"));

    // Windows-1251 names reach the disk as UTF-8, and case folds across Cyrillic.
    Touch(tmp.Sub("Тювелин.dat"), "x");
    const std::string lowerCp = platform::Utf8ToCp1251("тювелин.DAT");
    EXPECT_EQ(platform::ResolvePath(tmp.Path() + "/" + lowerCp), tmp.Sub("Тювелин.dat"));
    EXPECT_TRUE(platform::FileExists(tmp.Path() + "\\" + lowerCp));
}

TEST(ResolvePath, AnExactNameFindsOnlyItsOwnSpellingWhileFoldersMayDiffer) {
    TempFolder tmp;
    std::filesystem::create_directories(tmp.Sub("Users"));
    Touch(tmp.Sub("Users/Ann.dat"), "Ann's");
    const std::string base = tmp.Path();
    EXPECT_EQ(platform::ResolvePathExactName(base + "\\users\\ann.dat"), tmp.Sub("Users/ann.dat"));
    EXPECT_EQ(platform::ResolvePathExactName(base + "/USERS/Ann.dat"), tmp.Sub("Users/Ann.dat"));
    EXPECT_TRUE(platform::FileExistsExactName(base + "/users/Ann.dat"));
    EXPECT_FALSE(platform::FileExistsExactName(base + "/Users/ann.dat"));
    EXPECT_TRUE(platform::FileExists(base + "/Users/ann.dat")); // the general lookup still ignores case
    EXPECT_EQ(platform::ResolvePathExactName("x.dat"), "x.dat");

    // A file of its own: 0644 less the umask, whatever stood there before.
    ASSERT_TRUE(platform::WriteWholeFile(base + "/Users/ann.tmp", "old"));
    std::filesystem::permissions(tmp.Sub("Users/ann.tmp"), std::filesystem::perms(0666));
    const mode_t before = umask(022);
    ASSERT_TRUE(platform::WriteOwnFile(base + "/users/ann.tmp", "new"));
    umask(before);
    EXPECT_EQ(std::filesystem::status(tmp.Sub("Users/ann.tmp")).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0644));
    std::string text;
    ASSERT_TRUE(platform::ReadWholeFile(tmp.Sub("Users/ann.tmp"), text));
    EXPECT_EQ(text, "new");
    std::string ann;
    ASSERT_TRUE(platform::ReadWholeFile(tmp.Sub("Users/Ann.dat"), ann));
    EXPECT_EQ(ann, "Ann's");
    EXPECT_FALSE(platform::WriteOwnFile(base + "/Users/Ann.dat/inside", "x"));
}

TEST(FindFiles, WildcardsAreCaseInsensitive) {
    TempFolder tmp;
    for (const char* name : {"abc.png", "ABC.TXT", "Logo.PNG", "axc.Jpg", "abcd.png", "README"})
        Touch(tmp.Sub(name), "12345");
    std::filesystem::create_directories(tmp.Sub("Sub.dir"));
    struct Case {
        const char* pattern;
        std::vector<std::string> expected; // sorted by byte order
    };
    const Case cases[] = {
        {"*.PNG", {"Logo.PNG", "abc.png", "abcd.png"}},
        {"a?c.*", {"ABC.TXT", "abc.png", "axc.Jpg"}},
        {"*.*", {"ABC.TXT", "Logo.PNG", "README", "Sub.dir", "abc.png", "abcd.png", "axc.Jpg"}},
        {"*", {"ABC.TXT", "Logo.PNG", "README", "Sub.dir", "abc.png", "abcd.png", "axc.Jpg"}},
        {"readme.*", {"README"}},
        {"LOGO.png", {"Logo.PNG"}},
        {"*.gif", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Names(platform::FindFiles(tmp.Path() + "\\" + c.pattern)), c.expected) << c.pattern;
    }
    // The folder part of the pattern is resolved case-insensitively too.
    const auto files = platform::FindFiles(tmp.Path() + "/SUB.DIR/../*.txt");
    ASSERT_EQ(Names(files), std::vector<std::string>{"ABC.TXT"});
    EXPECT_EQ(files[0].size, 5u);
    EXPECT_FALSE(files[0].IsDirectory());
    EXPECT_EQ(platform::FileTimeToUnixTime(files[0].lastWriteTime), platform::GetFileWriteTime(tmp.Sub("ABC.TXT")));
    const auto dirs = platform::FindFiles(tmp.Path() + "/sub.*");
    ASSERT_EQ(dirs.size(), 1u);
    EXPECT_TRUE(dirs[0].IsDirectory());
    EXPECT_TRUE(platform::FindFiles(tmp.Path() + "/nowhere/*").empty());
}

TEST(FileTime, ConvertsFromUnixSeconds) {
    EXPECT_EQ(platform::UnixTimeToFileTime(0), 116444736000000000ULL);
    EXPECT_EQ(platform::UnixTimeToFileTime(1, 500), 116444736010000005ULL);
    EXPECT_EQ(platform::FileTimeToUnixTime(platform::UnixTimeToFileTime(1700000000)), 1700000000);
}

TEST(MappedFile, MapsWholeFileAndEmptyFile) {
    TempFolder tmp;
    Touch(tmp.Sub("Main.pak"), std::string("ab\0cd", 5));
    Touch(tmp.Sub("empty.bin"));
    platform::MappedFile map;
    ASSERT_TRUE(map.Open(tmp.Path() + "\\MAIN.PAK"));
    ASSERT_EQ(map.Size(), 5u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(map.Data()), map.Size()), std::string("ab\0cd", 5));
    platform::MappedFile moved = std::move(map);
    EXPECT_FALSE(map.IsOpen());
    EXPECT_EQ(moved.Data()[4], 'd');
    ASSERT_TRUE(moved.Open(tmp.Sub("empty.bin")));
    EXPECT_EQ(moved.Size(), 0u);
    EXPECT_NE(moved.Data(), nullptr);
    EXPECT_FALSE(moved.Open(tmp.Sub("missing.bin")));
    EXPECT_FALSE(moved.IsOpen());
    EXPECT_FALSE(moved.Open(tmp.Path())); // a folder is not a file
}

TEST(FileOperations, ExistSizeRenameRemoveTreeAndPermissions) {
    TempFolder tmp;
    const std::string root = tmp.Path();
    ASSERT_TRUE(platform::MakeDirectories(root + "\\Users\\Bob"));
    ASSERT_TRUE(platform::WriteWholeFile(root + "\\users\\bob\\Profile.dat", "hello"));
    std::uint64_t size = 0;
    ASSERT_TRUE(platform::GetFileSize(root + "/USERS/BOB/profile.DAT", size));
    EXPECT_EQ(size, 5u);
    EXPECT_FALSE(platform::GetFileSize(root + "/users", size)); // folders have no size here
    EXPECT_TRUE(platform::IsDirectory(root + "/users"));

    // Renaming over an existing file in another case replaces it.
    ASSERT_TRUE(platform::WriteWholeFile(root + "/users/bob/new.tmp", "fresh"));
    ASSERT_TRUE(platform::RenameFile(root + "/users/bob/new.tmp", root + "/USERS/BOB/PROFILE.DAT"));
    std::string content;
    ASSERT_TRUE(platform::ReadWholeFile(root + "/Users/Bob/Profile.dat", content));
    EXPECT_EQ(content, "fresh");
    EXPECT_FALSE(platform::FileExists(root + "/users/bob/new.tmp"));

    ASSERT_TRUE(platform::MakeAccessibleToEveryone(root + "/users/bob/profile.dat"));
    EXPECT_EQ(std::filesystem::status(tmp.Sub("Users/Bob/Profile.dat")).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0666));

    EXPECT_FALSE(platform::RemoveTree(""));
    EXPECT_FALSE(platform::RemoveTree(root + "/users/bob/profile.dat")); // not a folder
    EXPECT_TRUE(platform::RemoveTree(root + "\\USERS\\"));
    EXPECT_FALSE(platform::FileExists(root + "/users"));
    EXPECT_FALSE(platform::RemoveFile(root + "/users/bob/profile.dat"));
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(WriteAndReplaceFile, FlushesTheNewBytesBeforeTheRenameAndTheFolderAfterIt) {
    TempFolder tmp;
    const std::string target = tmp.Sub("Ann.dat");
    const std::string temporary = target + ".tmp" + std::to_string(getpid());
    Touch(target, "old");
    // What the disk held at each flush, in order.
    struct Seen {
        std::string flushed;
        std::string target;
        std::string temporary;
        bool temporaryThere = false;
    };
    std::vector<Seen> seen;
    auto watch = std::make_shared<platform::FileFlushWatch>();
    watch->flushed = [&](const std::string& path) {
        seen.push_back({path, Contents(target), Contents(temporary), std::filesystem::exists(temporary)});
    };
    {
        platform::Installed<platform::FileFlushWatch> installed(platform::FileFlushWatchSlot(), watch);
        ASSERT_TRUE(platform::WriteAndReplaceFile(target, "new bytes"));
    }
    ASSERT_EQ(seen.size(), 2u);
    // The new bytes were on the disk while the old file still stood...
    EXPECT_EQ(seen[0].flushed, temporary);
    EXPECT_EQ(seen[0].temporary, "new bytes");
    EXPECT_EQ(seen[0].target, "old");
    // ...and the folder was flushed once the rename had put them in place.
    EXPECT_EQ(seen[1].flushed, tmp.Path());
    EXPECT_EQ(seen[1].target, "new bytes");
    EXPECT_FALSE(seen[1].temporaryThere);
    EXPECT_EQ(Contents(target), "new bytes");
}

TEST(WriteAndReplaceFile, AFailedReplaceLeavesTheOldFileAndNoTemporaryOne) {
    TempFolder tmp;
    // A folder with something in it cannot be renamed over.
    const std::string blocked = tmp.Sub("Bo.dat");
    std::filesystem::create_directories(blocked);
    Touch(blocked + "/inside", "kept");
    EXPECT_FALSE(platform::WriteAndReplaceFile(blocked, "new"));
    EXPECT_EQ(Contents(blocked + "/inside"), "kept");
    // A folder that does not exist takes no temporary file either.
    EXPECT_FALSE(platform::WriteAndReplaceFile(tmp.Sub("missing/Cy.dat"), "new"));
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(tmp.Path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"Bo.dat"});
}

TEST(ProcessFolders, ExecutableCurrentAndUserData) {
    TempFolder tmp;
    const std::string exe = platform::GetExecutablePath();
    EXPECT_NE(exe.find("platform_tests"), std::string::npos);
    EXPECT_EQ(platform::GetExecutableFolder() + "/platform_tests", exe);

    const std::string before = platform::GetCurrentFolder();
    std::filesystem::create_directories(tmp.Sub("Work"));
    ASSERT_TRUE(platform::SetCurrentFolder(tmp.Path() + "\\WORK"));
    EXPECT_EQ(platform::GetCurrentFolder(), std::filesystem::canonical(tmp.Sub("Work")).string());
    ASSERT_TRUE(platform::SetCurrentFolder(before));

    const std::string product = platform::Utf8ToCp1251("Тювелин");
    setenv("KAVO_USER_DATA_DIR", (tmp.Path() + "/override/").c_str(), 1);
    EXPECT_EQ(platform::GetUserDataRoot(product), tmp.Path() + "/override");
    unsetenv("KAVO_USER_DATA_DIR");
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    setenv("XDG_DATA_HOME", tmp.Path().c_str(), 1);
    const std::string folder = platform::GetUserDataRoot(product);
    EXPECT_EQ(folder, tmp.Path() + "/" + product);
    ASSERT_TRUE(platform::MakeDirectories(folder));
    EXPECT_TRUE(std::filesystem::is_directory(tmp.Sub("Тювелин"))); // UTF-8 on the disk
    if (oldXdg)
        setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
