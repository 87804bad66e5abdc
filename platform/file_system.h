#pragma once
// Disk access with the program's own path rules. Every path given to these
// functions is program text: Windows-1251 bytes, "\" or "/" separators, any
// letter case, resolved against the disk's case-sensitive names. Names
// handed back (listings, folders) are program text again.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process_slot.h"

namespace platform {

// ---- Path resolution -------------------------------------------------------

// Maps a program path to the disk path (UTF-8, "/" separators) to use with
// the C library: each component that exists on the disk in another letter
// case takes the disk's spelling; the first missing component and all after
// it keep the spelling given. Relative paths stay relative to the current
// folder. An exact match wins over a case-insensitive one.
std::string ResolvePath(std::string_view path);

// As ResolvePath for every folder of the path, but the last component keeps
// exactly the spelling given: a file that exists only in another letter case
// is not found through it.
std::string ResolvePathExactName(std::string_view path);
// True when the last component exists with exactly the spelling given.
bool FileExistsExactName(std::string_view path);

// fopen through the resolver (mode as for fopen).
std::FILE* OpenFile(std::string_view path, const char* mode);

// Whole-file helpers through the resolver.
bool ReadWholeFile(std::string_view path, std::string& out);
bool WriteWholeFile(std::string_view path, std::string_view data);
// Creates (or replaces) the file under exactly the name given, readable by
// everyone and writable by its owner only (0644 less the umask). Its bytes
// are flushed to the disk before it is closed.
bool WriteOwnFile(std::string_view path, std::string_view data);
// Replaces the file of exactly the name given so that, whether the process
// is killed or the machine loses power, it holds either its old bytes or
// all of the new ones: they go to "<path>.tmp<process id>" (as WriteOwnFile
// does, flushed), which is renamed over the file, and then the folder is
// flushed too. On failure the temporary file is gone and the old file is
// as it was.
bool WriteAndReplaceFile(std::string_view path, std::string_view data);
// The same for a disk path (UTF-8, "/" separators), taken as it is.
bool WriteAndReplaceDiskFile(const std::string& diskPath, std::string_view data);

// Told the disk path of every file or folder right after its flush to the
// disk, in order (a test checks with it what was on the disk by then).
struct FileFlushWatch {
    std::function<void(const std::string& diskPath)> flushed;
};
ProcessSlot<FileFlushWatch>& FileFlushWatchSlot();

// A disk with no room left below a folder: every write of bytes to a file
// there fails as on a full disk, while an empty file still fits. Tests
// install one where a real full disk would need a mount.
struct FullDisk {
    std::string diskFolder; // disk text (UTF-8), no trailing separator
};
ProcessSlot<FullDisk>& FullDiskSlot();

// ---- Files and folders -----------------------------------------------------

bool FileExists(std::string_view path); // file or folder
bool IsDirectory(std::string_view path);
bool GetFileSize(std::string_view path, std::uint64_t& size);
// Last-write time in seconds since 1970 (0 when missing).
std::int64_t GetFileWriteTime(std::string_view path);
bool RemoveFile(std::string_view path);
// Replaces an existing target, as a rename on Linux does.
bool RenameFile(std::string_view from, std::string_view to);
// Creates every missing folder along the path; true when it exists afterwards.
bool MakeDirectories(std::string_view path);
bool RemoveDirectory(std::string_view path); // empty folder only
// Removes the folder with everything in it; true when all of it went.
bool RemoveTree(std::string_view path);
// Read and write access for every account (the profile is shared by users).
bool MakeAccessibleToEveryone(std::string_view path);

// ---- Listings --------------------------------------------------------------

inline constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kFileAttributeHidden = 0x02;
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;

// 100 ns intervals since 1601-01-01 (UTC), the Windows file time.
using FileTime = std::uint64_t;
inline constexpr FileTime kFileTimeUnixEpoch = 116444736000000000ULL;
FileTime UnixTimeToFileTime(std::int64_t seconds, std::int64_t nanoseconds = 0);
std::int64_t FileTimeToUnixTime(FileTime time);

struct FoundFile {
    std::string name; // program text, no folder part
    std::uint32_t attributes = 0;
    std::uint64_t size = 0; // 0 for folders
    FileTime creationTime = 0;
    FileTime lastAccessTime = 0;
    FileTime lastWriteTime = 0;
    bool IsDirectory() const { return (attributes & kFileAttributeDirectory) != 0; }
};

// Windows wildcard match of one name: '*' any run, '?' one character,
// letter case ignored, and a pattern ending in ".*" also matches a name
// without a dot ("*.*" matches everything).
bool WildcardMatch(std::string_view pattern, std::string_view name);

// Lists the folder part of `pattern` (e.g. "Images\*.png"; a pattern without
// a folder lists the current folder) and returns the entries whose names
// match its last component, sorted by name. "." and ".." are never listed.
// A folder that cannot be read gives an empty list.
std::vector<FoundFile> FindFiles(std::string_view pattern);

// ---- Read-only mapping of a whole file -----------------------------------

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;

    // Maps the whole file; an empty file opens with size 0 and a non-null data.
    bool Open(std::string_view path);
    void Close();
    bool IsOpen() const { return mOpen; }
    const std::uint8_t* Data() const { return mData; }
    std::size_t Size() const { return mSize; }

private:
    const std::uint8_t* mData = nullptr;
    std::size_t mSize = 0;
    bool mOpen = false;
    bool mMapped = false; // false for an empty file (nothing to unmap)
};

// ---- Process folders -------------------------------------------------------

std::string GetExecutablePath();
std::string GetExecutableFolder(); // without a trailing separator
std::string GetCurrentFolder();
bool SetCurrentFolder(std::string_view path);

// Folders that stand in for the user's own while installed (tests install
// temporary ones so that nothing reaches the real user's files). An empty
// member leaves that folder to the rules below.
struct UserFolders {
    std::string userDataRoot; // program text, no trailing separator
    std::string configFolder; // disk text (UTF-8)
};
ProcessSlot<UserFolders>& UserFoldersSlot();

// The product's folder for user data: the installed UserFolders' root, else
// $KAVO_USER_DATA_DIR when set, else $XDG_DATA_HOME/<product> or
// ~/.local/share/<product>. The product name is program text (converted to
// UTF-8 for the disk); the result is program text with no trailing
// separator. The folder is not created here.
std::string GetUserDataRoot(std::string_view productName);

// The per-user configuration folder: the installed UserFolders' one, else
// $KAVO_CONFIG_DIR, else $XDG_CONFIG_HOME or ~/.config. Disk text (UTF-8),
// not created here.
std::string GetConfigFolder();

} // namespace platform
