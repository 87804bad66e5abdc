#include "engine/storage/file_stg.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <limits>

#include "engine/storage/file_descr.h"
#include "engine/storage/pack_file.h"
#include "engine/storage/storage_path.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"

namespace {

// A regular file opened for reading, or -1 (folders do not open as files).
int OpenForReading(const std::string& diskPath) {
    const int fd = ::open(diskPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The write bit plays the part of the read-only attribute.
bool MakeWritable(const std::string& diskPath) {
    struct stat st {};
    return ::lstat(diskPath.c_str(), &st) == 0 && !S_ISLNK(st.st_mode) &&
           ::chmod(diskPath.c_str(), st.st_mode | S_IWUSR) == 0;
}

int OpenForWriting(const std::string& diskPath) {
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    int fd = ::open(diskPath.c_str(), flags, 0666);
    if (fd < 0 && errno == EACCES && MakeWritable(diskPath))
        fd = ::open(diskPath.c_str(), flags, 0666);
    return fd;
}

bool Exists(const std::string& diskPath) {
    struct stat st {};
    return ::lstat(diskPath.c_str(), &st) == 0;
}

bool AskRetry(const std::string& shownPath, const char* caption) {
    return platform::ShowMessageBox(nullptr, shownPath, caption, platform::kMbRetryCancel) == platform::kIdRetry;
}

} // namespace

std::string FileStg_t::PathOf(const std::string& name) const {
    return FullPath() + "\\" + NormalizePath(name);
}

std::unique_ptr<Stg_t> FileStg_t::MakeChild(const std::string& name, std::int32_t mode) {
    const std::string path = FullPath() + "\\" + name;
    if (!platform::IsDirectory(path) && (mode != 1 || !platform::MakeDirectories(path)))
        Raise(name, kStgInvalidDirectory);
    return std::make_unique<FileStg_t>(this, name, CompressAll());
}

FileDescr_t* FileStg_t::OpenFile(const std::string& name, std::int32_t mode) {
    const std::int32_t openMode = mode == 0 ? kStgModeOpenFileRead : kStgModeOpenFileWrite;
    if (name.empty())
        RaiseArgument("", openMode);
    std::vector<std::string> folders = SplitPath(NormalizePath(name));
    if (folders.empty())
        RaiseArgument(name, openMode);
    const std::string fileName = folders.back();
    folders.pop_back();
    const Stg_t* folder = OpenSubStorage(folders, mode);
    const std::string filePath = folder->FullPath() + "\\" + fileName;

    // The kind is known from the path alone: refuse before the disk is touched.
    const CompressionKind_t kind = CompressionKind(filePath);
    if (kind == kCompressionUnsupported)
        Raise(fileName, kStgNotRealized);

    const std::string diskPath = platform::ResolvePath(filePath);
    const int fd = mode == 0 ? OpenForReading(diskPath) : OpenForWriting(diskPath);
    if (fd < 0)
        RaiseArgument(name, openMode);

    auto descr = std::make_unique<FileDescr_t>();
    descr->owner = this;
    descr->name = fileName;
    descr->mode = mode;
    if (CompressAll() || kind == kCompressionCdf) {
        descr->kind = kCompressionCdf;
        descr->packFile = std::make_unique<PackFile_t>(fd, mode == 1);
    } else {
        descr->kind = kCompressionNone;
        descr->fileHandle = fd;
    }
    return descr.release();
}

void FileStg_t::CloseFile(FileDescr_t* handle) {
    if (handle == nullptr)
        RaiseArgument("", kStgModeCloseFile);
    std::unique_ptr<FileDescr_t> descr(handle);
    if (descr->packFile && !descr->packFile->Finish())
        Raise(descr->name, kStgWrite);
}

void FileStg_t::ReadFile(FileDescr_t* handle, void* buffer, std::uint32_t count, std::uint32_t* read) {
    if (handle == nullptr)
        RaiseArgument("", kStgModeReadFile);
    if (handle->packFile) {
        if (handle->packFile->Read(buffer, count, read) != 0)
            Raise(handle->name, kStgRead);
        return;
    }
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint32_t total = 0;
    bool failed = false;
    while (total < count) {
        const ssize_t got = ::read(handle->fileHandle, out + total, count - total);
        if (got < 0 && errno == EINTR)
            continue;
        failed = got < 0;
        if (got <= 0)
            break;
        total += static_cast<std::uint32_t>(got);
    }
    if (read != nullptr)
        *read = total;
    if (failed)
        Raise(handle->name, kStgRead);
}

void FileStg_t::WriteFile(FileDescr_t* handle, const void* buffer, std::uint32_t count, std::uint32_t* written) {
    if (handle == nullptr)
        RaiseArgument("", kStgModeWriteFile);
    if (handle->mode == 0)
        Raise(handle->name, kStgInvalidFileMode);
    if (handle->packFile) {
        if (handle->packFile->Write(buffer, count, written) != 0)
            Raise(handle->name, kStgWrite);
        return;
    }
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::uint32_t total = 0;
    while (total < count) {
        const ssize_t put = ::write(handle->fileHandle, in + total, count - total);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            Raise(handle->name, kStgWrite);
        total += static_cast<std::uint32_t>(put);
    }
    if (written != nullptr)
        *written = total;
}

void FileStg_t::Seek(FileDescr_t* handle, std::int32_t origin, std::int32_t offset, std::uint32_t* position) {
    if (handle == nullptr)
        RaiseArgument("", kStgModeSeek);
    if (handle->packFile) {
        if (handle->packFile->Seek(origin, offset, position) != 0)
            Raise(handle->name, kStgSeek);
        return;
    }
    const int whence = origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : SEEK_SET;
    const off_t result = ::lseek(handle->fileHandle, offset, whence);
    // Positions are 32-bit: one past that is as much a failure as a bad seek.
    if (result < 0 || result > std::numeric_limits<std::uint32_t>::max())
        Raise(handle->name, kStgSeek);
    if (position != nullptr)
        *position = static_cast<std::uint32_t>(result);
}

std::uint32_t FileStg_t::Size(FileDescr_t* handle) {
    if (handle == nullptr)
        RaiseArgument("", kStgModeSize);
    if (handle->packFile)
        return handle->packFile->UncompressedSize();
    struct stat st {};
    if (::fstat(handle->fileHandle, &st) != 0 || st.st_size > std::numeric_limits<std::uint32_t>::max())
        Raise(handle->name, kStgFileSize);
    return static_cast<std::uint32_t>(st.st_size);
}

bool FileStg_t::TestFilePresent(const std::string& name) {
    if (name.empty())
        RaiseArgument("", kStgModeTestFilePresent);
    const int fd = OpenForReading(platform::ResolvePath(PathOf(name)));
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool FileStg_t::TestDirPresent(const std::string& name) {
    if (name.empty())
        RaiseArgument("", kStgModeTestDirPresent);
    return platform::IsDirectory(PathOf(name));
}

void FileStg_t::CreateDir(const std::string& path) {
    if (path.empty())
        RaiseArgument("", kStgModeCreateDir);
    if (TestDirPresent(path))
        return;
    if (!platform::MakeDirectories(PathOf(path)))
        Raise(path, kStgInvalidDirectory);
}

void FileStg_t::RemoveDiskFolder(const std::string& diskPath, const std::string& shownPath) {
    while (::rmdir(diskPath.c_str()) != 0) {
        if (!AskRetry(shownPath, "Cannot delete Directory"))
            Raise(shownPath, kStgInvalidDirectory);
    }
}

void FileStg_t::DeleteDir(const std::string& name) {
    if (name.empty())
        RaiseArgument("", kStgModeDeleteDir);
    const std::string path = PathOf(name);
    if (path.find(".svn") != std::string::npos)
        return;
    // Forget the sub-storage of the folder that goes, wherever it hangs.
    std::vector<std::string> pieces = SplitPath(NormalizePath(name));
    if (!pieces.empty()) {
        Stg_t* parent = this;
        for (std::size_t i = 0; parent != nullptr && i + 1 < pieces.size(); ++i) {
            Stg_t* next = nullptr;
            for (const auto& child : static_cast<FileStg_t*>(parent)->Children()) {
                if (child->Name() == pieces[i])
                    next = child.get();
            }
            parent = next;
        }
        if (parent != nullptr)
            parent->DetachSubStorage(pieces.back());
    }
    RemoveDiskFolder(platform::ResolvePath(path), path);
}

void FileStg_t::DeleteDiskFile(const std::string& diskPath, const std::string& shownPath) {
    for (;;) {
        if (::unlink(diskPath.c_str()) == 0)
            return;
        if (!Exists(diskPath))
            Raise(shownPath, kStgDelete);
        if (MakeWritable(diskPath) && ::unlink(diskPath.c_str()) == 0)
            return;
        if (!AskRetry(shownPath, "Cannot delete file"))
            Raise(shownPath, kStgDelete);
    }
}

void FileStg_t::DeleteFile(const std::string& name) {
    if (name.empty())
        RaiseArgument("", kStgModeDeleteFile);
    const std::string path = PathOf(name);
    DeleteDiskFile(platform::ResolvePath(path), path);
}

void FileStg_t::DeleteDiskTree(const std::string& diskFolder, const std::string& shownFolder) {
    // Entries are taken as they are, links never followed: a link to a
    // folder elsewhere goes as a file, and what it points to stays.
    std::vector<std::filesystem::directory_entry> entries;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(diskFolder, ec))
        entries.push_back(entry);
    for (const auto& entry : entries) {
        const std::string diskPath = entry.path().string();
        const std::string shownPath =
            shownFolder + "\\" + LowerAscii(platform::Utf8ToCp1251(entry.path().filename().string()));
        std::error_code statusError;
        if (entry.symlink_status(statusError).type() == std::filesystem::file_type::directory) {
            DeleteDiskTree(diskPath, shownPath);
            RemoveDiskFolder(diskPath, shownPath);
        } else {
            DeleteDiskFile(diskPath, shownPath);
        }
    }
}

void FileStg_t::DeleteTree() {
    const std::string mask = NormalizePath(FullPath() + "\\*.*");
    if (mask.find(".svn") != std::string::npos)
        return;
    std::vector<std::string> folders;
    for (const auto& child : Children())
        folders.push_back(child->Name());
    for (const std::string& folder : folders)
        DetachSubStorage(folder);
    DeleteDiskTree(platform::ResolvePath(FullPath()), FullPath());
}

void FileStg_t::ListNames(const std::string& mask, bool wantFiles, bool wantFolders, std::vector<std::string>& names) {
    for (const platform::FoundFile& found : platform::FindFiles(PathOf(mask))) {
        if (found.IsDirectory() ? wantFolders : wantFiles)
            names.push_back(LowerAscii(found.name));
    }
}
