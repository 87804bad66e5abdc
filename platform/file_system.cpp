#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/glob_match.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string_view> SplitComponents(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            if (i > start)
                parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string JoinDisk(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

// The disk spelling of `component` inside `folder`, or "" when none.
// Several case variants: the exact one, else the smallest (stable choice).
std::string FindComponent(const std::string& folder, std::string_view component, const std::string& diskName,
                          bool& folderReadable) {
    struct stat st {};
    if (lstat(JoinDisk(folder, diskName).c_str(), &st) == 0)
        return diskName;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    folderReadable = dir != nullptr;
    if (!dir)
        return {};
    std::string best;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (Cp1251EqualNoCase(Utf8ToCp1251(name), component) && (best.empty() || name < best))
            best = name;
    }
    closedir(dir);
    return best;
}

bool StatPath(std::string_view path, struct stat& st) {
    return stat(ResolvePath(path).c_str(), &st) == 0;
}

FileTime ToFileTime(const timespec& ts) {
    return UnixTimeToFileTime(ts.tv_sec, ts.tv_nsec);
}

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = EnvOrEmpty("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()))
            home = pw->pw_dir;
    }
    return home;
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool WildcardMatchAt(std::string_view pattern, std::string_view name) {
    return GlobMatch(pattern, name, [](char p, char c) {
        return p == '?' || Cp1251ToLower(static_cast<unsigned char>(p)) == Cp1251ToLower(static_cast<unsigned char>(c));
    });
}

} // namespace

std::string ResolvePath(std::string_view path) {
    if (path.empty())
        return {};
    const bool absolute = IsSeparator(path.front());
    std::string result = absolute ? "/" : "";
    bool searching = true;
    for (std::string_view component : SplitComponents(path)) {
        std::string diskName = Cp1251ToUtf8(component);
        if (searching && component != "." && component != "..") {
            bool readable = true;
            std::string found = FindComponent(result, component, diskName, readable);
            if (found.empty()) {
                searching = false; // nothing below a missing folder can exist
            } else {
                diskName = std::move(found);
            }
        }
        result = JoinDisk(result, diskName);
    }
    if (IsSeparator(path.back()) && !result.empty() && result.back() != '/')
        result += '/';
    return result;
}

std::string ResolvePathExactName(std::string_view path) {
    std::size_t slash = path.size();
    while (slash > 0 && !IsSeparator(path[slash - 1]))
        --slash;
    const std::string name = Cp1251ToUtf8(path.substr(slash));
    if (slash == 0)
        return name;
    return JoinDisk(ResolvePath(path.substr(0, slash)), name);
}

bool FileExistsExactName(std::string_view path) {
    struct stat st {};
    return stat(ResolvePathExactName(path).c_str(), &st) == 0;
}

std::FILE* OpenFile(std::string_view path, const char* mode) {
    return std::fopen(ResolvePath(path).c_str(), mode);
}

bool ReadWholeFile(std::string_view path, std::string& out) {
    out.clear();
    std::FILE* f = OpenFile(path, "rb");
    if (!f)
        return false;
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        out.append(chunk, got);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool WriteWholeFile(std::string_view path, std::string_view data) {
    std::FILE* f = OpenFile(path, "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

namespace {

void TellFlushed(const std::string& disk) {
    if (const auto watch = FileFlushWatchSlot().Get(); watch != nullptr && watch->flushed)
        watch->flushed(disk);
}

bool OnFullDisk(const std::string& disk) {
    const auto full = FullDiskSlot().Get();
    return full != nullptr && disk.size() > full->diskFolder.size() && disk.rfind(full->diskFolder, 0) == 0 &&
           disk[full->diskFolder.size()] == '/';
}

// The new file's bytes reach the disk before it is closed: a rename that
// follows must never bring back a file whose bytes were still in memory.
bool WriteFlushedDiskFile(const std::string& disk, std::string_view data) {
    // A file left from before keeps its mode through O_TRUNC: start anew.
    unlink(disk.c_str());
    const int fd = open(disk.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = true;
    const bool full = OnFullDisk(disk);
    for (std::size_t done = 0; ok && done < data.size();) {
        ssize_t wrote = -1;
        if (full)
            errno = ENOSPC;
        else
            wrote = write(fd, data.data() + done, data.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        ok = wrote > 0;
        if (ok)
            done += static_cast<std::size_t>(wrote);
    }
    ok = ok && fsync(fd) == 0;
    if (ok)
        TellFlushed(disk);
    return close(fd) == 0 && ok;
}

std::string DiskFolderOf(const std::string& disk) {
    const std::size_t slash = disk.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : disk.substr(0, slash);
}

} // namespace

ProcessSlot<FileFlushWatch>& FileFlushWatchSlot() {
    static ProcessSlot<FileFlushWatch> slot;
    return slot;
}

ProcessSlot<FullDisk>& FullDiskSlot() {
    static ProcessSlot<FullDisk> slot;
    return slot;
}

bool WriteOwnFile(std::string_view path, std::string_view data) {
    return WriteFlushedDiskFile(ResolvePathExactName(path), data);
}

bool WriteAndReplaceDiskFile(const std::string& disk, std::string_view data) {
    const std::string temporary = disk + ".tmp" + std::to_string(getpid());
    if (!WriteFlushedDiskFile(temporary, data) || std::rename(temporary.c_str(), disk.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    // The rename itself is in the folder, which is flushed in turn. A file
    // system that cannot flush a folder refuses with EINVAL; the file is in
    // place all the same.
    const int folder = open(DiskFolderOf(disk).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        if (fsync(folder) == 0)
            TellFlushed(DiskFolderOf(disk));
        close(folder);
    }
    return true;
}

bool WriteAndReplaceFile(std::string_view path, std::string_view data) {
    return WriteAndReplaceDiskFile(ResolvePathExactName(path), data);
}

bool FileExists(std::string_view path) {
    struct stat st {};
    return StatPath(path, st);
}

bool IsDirectory(std::string_view path) {
    struct stat st {};
    return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool GetFileSize(std::string_view path, std::uint64_t& size) {
    struct stat st {};
    if (!StatPath(path, st) || S_ISDIR(st.st_mode))
        return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

std::int64_t GetFileWriteTime(std::string_view path) {
    struct stat st {};
    return StatPath(path, st) ? static_cast<std::int64_t>(st.st_mtim.tv_sec) : 0;
}

bool RemoveFile(std::string_view path) {
    return unlink(ResolvePath(path).c_str()) == 0;
}

bool RenameFile(std::string_view from, std::string_view to) {
    return std::rename(ResolvePath(from).c_str(), ResolvePath(to).c_str()) == 0;
}

bool MakeDirectories(std::string_view path) {
    const std::string disk = ResolvePath(path);
    if (disk.empty())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(disk, ec);
    return std::filesystem::is_directory(disk, ec);
}

bool RemoveDirectory(std::string_view path) {
    return rmdir(ResolvePath(path).c_str()) == 0;
}

bool RemoveTree(std::string_view path) {
    const std::string disk = WithoutTrailingSlash(ResolvePath(path));
    // Never let a stray empty or root path wipe more than was meant.
    if (disk.empty() || disk == "/" || disk == "." || disk == "..")
        return false;
    std::error_code ec;
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(disk, ec)))
        return false;
    std::filesystem::remove_all(disk, ec);
    return !ec && !std::filesystem::exists(std::filesystem::symlink_status(disk, ec));
}

bool MakeAccessibleToEveryone(std::string_view path) {
    struct stat st {};
    const std::string disk = ResolvePath(path);
    if (stat(disk.c_str(), &st) != 0)
        return false;
    const mode_t mode = S_ISDIR(st.st_mode) ? 0777 : 0666;
    return chmod(disk.c_str(), mode) == 0;
}

FileTime UnixTimeToFileTime(std::int64_t seconds, std::int64_t nanoseconds) {
    return static_cast<FileTime>(seconds * 10000000LL + nanoseconds / 100) + kFileTimeUnixEpoch;
}

std::int64_t FileTimeToUnixTime(FileTime time) {
    return (static_cast<std::int64_t>(time) - static_cast<std::int64_t>(kFileTimeUnixEpoch)) / 10000000LL;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (WildcardMatchAt(pattern, name))
        return true;
    // "x.*" also names "x" (the extension may be missing altogether).
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" && name.find('.') == std::string_view::npos)
        return WildcardMatchAt(pattern.substr(0, pattern.size() - 2), name);
    return false;
}

std::vector<FoundFile> FindFiles(std::string_view pattern) {
    std::vector<FoundFile> found;
    std::size_t cut = pattern.find_last_of("\\/");
    std::string_view folder = cut == std::string_view::npos ? std::string_view() : pattern.substr(0, cut + 1);
    std::string_view namePattern = cut == std::string_view::npos ? pattern : pattern.substr(cut + 1);
    if (namePattern.empty())
        return found;
    std::string diskFolder = folder.empty() ? std::string(".") : ResolvePath(folder);
    DIR* dir = opendir(diskFolder.c_str());
    if (!dir)
        return found;
    while (const dirent* entry = readdir(dir)) {
        const std::string diskName = entry->d_name;
        if (diskName == "." || diskName == "..")
            continue;
        std::string name = Utf8ToCp1251(diskName);
        if (!WildcardMatch(namePattern, name))
            continue;
        struct stat st {};
        if (stat(JoinDisk(diskFolder, diskName).c_str(), &st) != 0)
            continue; // dangling link
        FoundFile file;
        file.name = std::move(name);
        if (S_ISDIR(st.st_mode)) {
            file.attributes = kFileAttributeDirectory;
        } else {
            file.size = static_cast<std::uint64_t>(st.st_size);
            file.attributes = (st.st_mode & S_IWUSR) ? kFileAttributeNormal : kFileAttributeReadOnly;
        }
        if (diskName.front() == '.')
            file.attributes |= kFileAttributeHidden;
        file.creationTime = ToFileTime(st.st_ctim);
        file.lastAccessTime = ToFileTime(st.st_atim);
        file.lastWriteTime = ToFileTime(st.st_mtim);
        found.push_back(std::move(file));
    }
    closedir(dir);
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) { return a.name < b.name; });
    return found;
}

// ---- MappedFile ------------------------------------------------------------

namespace {
const std::uint8_t kEmptyFile[1] = {0};
}

MappedFile::~MappedFile() {
    Close();
}

MappedFile::MappedFile(MappedFile&& other) noexcept {
    *this = std::move(other);
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        Close();
        mData = other.mData;
        mSize = other.mSize;
        mOpen = other.mOpen;
        mMapped = other.mMapped;
        other.mData = nullptr;
        other.mSize = 0;
        other.mOpen = false;
        other.mMapped = false;
    }
    return *this;
}

bool MappedFile::Open(std::string_view path) {
    Close();
    const int fd = open(ResolvePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return false;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size == 0) {
        mData = kEmptyFile;
    } else {
        void* view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (view == MAP_FAILED) {
            close(fd);
            return false;
        }
        mData = static_cast<const std::uint8_t*>(view);
        mMapped = true;
    }
    close(fd); // the mapping keeps the file alive
    mSize = size;
    mOpen = true;
    return true;
}

void MappedFile::Close() {
    if (mMapped)
        munmap(const_cast<std::uint8_t*>(mData), mSize);
    mData = nullptr;
    mSize = 0;
    mOpen = false;
    mMapped = false;
}

// ---- Process folders -------------------------------------------------------

std::string GetExecutablePath() {
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : Utf8ToCp1251(path.string());
}

std::string GetExecutableFolder() {
    const std::string path = GetExecutablePath();
    const std::size_t cut = path.find_last_of('/');
    if (cut == std::string::npos)
        return {};
    return cut == 0 ? std::string("/") : path.substr(0, cut);
}

std::string GetCurrentFolder() {
    std::error_code ec;
    const auto path = std::filesystem::current_path(ec);
    return ec ? std::string() : Utf8ToCp1251(path.string());
}

bool SetCurrentFolder(std::string_view path) {
    return chdir(ResolvePath(path).c_str()) == 0;
}

ProcessSlot<UserFolders>& UserFoldersSlot() {
    static ProcessSlot<UserFolders> slot;
    return slot;
}

std::string GetUserDataRoot(std::string_view productName) {
    if (const auto installed = UserFoldersSlot().Get(); installed && !installed->userDataRoot.empty())
        return installed->userDataRoot;
    const std::string overridden = EnvOrEmpty("KAVO_USER_DATA_DIR");
    if (!overridden.empty())
        return Utf8ToCp1251(WithoutTrailingSlash(overridden));
    std::string base = EnvOrEmpty("XDG_DATA_HOME");
    if (base.empty() || base.front() != '/')
        base = HomeFolder() + "/.local/share";
    return Utf8ToCp1251(WithoutTrailingSlash(base)) + "/" + std::string(productName);
}

std::string GetConfigFolder() {
    if (const auto installed = UserFoldersSlot().Get(); installed && !installed->configFolder.empty())
        return installed->configFolder;
    const std::string overridden = EnvOrEmpty("KAVO_CONFIG_DIR");
    if (!overridden.empty())
        return WithoutTrailingSlash(overridden);
    std::string base = EnvOrEmpty("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/')
        base = HomeFolder() + "/.config";
    return WithoutTrailingSlash(base);
}

} // namespace platform
