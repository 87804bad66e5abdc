#pragma once
// The file API through which every framework and game file is read: a
// member of a mounted pak archive wins over a loose file of the same name,
// and anything no archive holds (and every write) goes to the disk.
//
// The free functions are inline so that code needing only to read files
// (the parsers, the image loaders) does not link the archive reader: the
// reader publishes itself in a process-wide slot when it is built, and
// without one each function falls back to the C library's stdio.

#include "platform/file_system.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Kavo {

struct PakArchive;

struct PakEntry {
    PakArchive* mArchive = nullptr;
    std::string mName; // as stored in the archive
    platform::FileTime mFileTime = 0;
    uint32_t mStart = 0; // offset of the first byte in the archive file
    uint32_t mSize = 0;
};

// An open file: an archive member (mEntry set) or a disk file (mStream).
struct PakFile {
    PakEntry* mEntry = nullptr;
    uint32_t mPos = 0; // 0 .. mEntry->mSize
    std::FILE* mStream = nullptr;
};

// The directory entry that FindFirstFile and FindNextFile fill in.
struct PakFindData {
    uint32_t mAttributes = 0; // platform::kFileAttributeDirectory for folders
    platform::FileTime mCreationTime = 0;
    platform::FileTime mLastAccessTime = 0;
    platform::FileTime mLastWriteTime = 0;
    uint32_t mFileSizeHigh = 0;
    uint32_t mFileSizeLow = 0;
    std::string mFileName; // no folder part
};

struct PakFindHandle;

class PakInterfaceBase {
public:
    virtual PakFile* FOpenAlt(const char* name, const char* mode) = 0;
    virtual PakFile* FOpen(const char* name, const char* mode) = 0;
    virtual int FClose(PakFile* file) = 0;
    virtual int FSeek(PakFile* file, long offset, int origin) = 0;
    virtual long FTell(PakFile* file) = 0;
    virtual size_t FRead(void* buffer, size_t elementSize, size_t count, PakFile* file) = 0;
    virtual int FGetC(PakFile* file) = 0;
    virtual int FUngetC(int c, PakFile* file) = 0;
    virtual char* FGetSAlt(char* buffer, int size, PakFile* file) = 0;
    virtual char* FGetS(char* buffer, int size, PakFile* file) = 0;
    virtual int FEof(PakFile* file) = 0;
    // nullptr when nothing matches.
    virtual PakFindHandle* FindFirstFile(const char* pattern, PakFindData* data) = 0;
    virtual bool FindNextFile(PakFindHandle* handle, PakFindData* data) = 0;
    virtual bool FindClose(PakFindHandle* handle) = 0;

protected:
    virtual ~PakInterfaceBase() = default;
};

// The archive reader. One instance, gPakInterface, lives for the whole
// process and is the one the file API uses; further instances (tests,
// tools) work alone.
class PakInterface : public PakInterfaceBase {
public:
    PakInterface();
    ~PakInterface();
    PakInterface(const PakInterface&) = delete;
    PakInterface& operator=(const PakInterface&) = delete;

    // Maps the archive and adds its members; a member of the same name
    // mounted before is replaced. False (nothing added) for a file that is
    // missing, not an archive, or whose directory does not fit in it.
    bool MountArchive(const std::string& path);

    PakFile* FOpenAlt(const char* name, const char* mode) override;
    PakFile* FOpen(const char* name, const char* mode) override;
    int FClose(PakFile* file) override;
    int FSeek(PakFile* file, long offset, int origin) override;
    long FTell(PakFile* file) override;
    size_t FRead(void* buffer, size_t elementSize, size_t count, PakFile* file) override;
    int FGetC(PakFile* file) override;
    int FUngetC(int c, PakFile* file) override;
    char* FGetSAlt(char* buffer, int size, PakFile* file) override;
    char* FGetS(char* buffer, int size, PakFile* file) override;
    int FEof(PakFile* file) override;
    PakFindHandle* FindFirstFile(const char* pattern, PakFindData* data) override;
    bool FindNextFile(PakFindHandle* handle, PakFindData* data) override;
    bool FindClose(PakFindHandle* handle) override;

private:
    bool FindInArchive(PakFindHandle* handle, PakFindData* data);

    std::vector<std::unique_ptr<PakArchive>> mArchives;
    std::map<std::string, PakEntry> mEntries; // key: upper-cased name
};

// The process-wide reader; never destroyed.
extern PakInterface* gPakInterface;

// Archive key of a path: upper case, one '\' between components, "x\.."
// folded away, and a path inside the current folder made relative to it.
std::string NormalizePakPath(const std::string& path);

namespace pak_detail {
// The reader that the file API uses; the first PakInterface built sets it.
inline PakInterfaceBase* gSharedReader = nullptr;

inline PakFile* OpenDiskFile(const char* name, const char* mode) {
    std::FILE* stream = platform::OpenFile(name, mode);
    if (stream == nullptr)
        return nullptr;
    PakFile* file = new PakFile;
    file->mStream = stream;
    return file;
}
} // namespace pak_detail

inline PakInterfaceBase* GetPakInterface() {
    return pak_detail::gSharedReader;
}

inline PakFile* PakOpenFile(const char* name, const char* mode) {
    if (PakInterfaceBase* pak = GetPakInterface())
        return pak->FOpen(name, mode);
    return pak_detail::OpenDiskFile(name, mode);
}

inline PakFile* PakOpenFile(const std::string& name, const char* mode) {
    return PakOpenFile(name.c_str(), mode);
}

inline int PakCloseFile(PakFile* file) {
    if (PakInterfaceBase* pak = GetPakInterface())
        return pak->FClose(file);
    int result = std::fclose(file->mStream);
    delete file;
    return result;
}

inline int PakSeekFile(PakFile* file, long offset, int origin) {
    if (PakInterfaceBase* pak = GetPakInterface())
        return pak->FSeek(file, offset, origin);
    return std::fseek(file->mStream, offset, origin);
}

inline long PakTellFile(PakFile* file) {
    if (PakInterfaceBase* pak = GetPakInterface())
        return pak->FTell(file);
    return std::ftell(file->mStream);
}

inline size_t PakReadFile(void* buffer, size_t elementSize, size_t count, PakFile* file) {
    if (PakInterfaceBase* pak = GetPakInterface())
        return pak->FRead(buffer, elementSize, count, file);
    return std::fread(buffer, elementSize, count, file->mStream);
}

inline int PakGetC(PakFile* file) {
    if (PakInterfaceBase* pak = GetPakInterface())
        return pak->FGetC(file);
    return std::fgetc(file->mStream);
}

inline int PakUngetC(int c, PakFile* file) {
    if (PakInterfaceBase* pak = GetPakInterface())
        return pak->FUngetC(c, file);
    return std::ungetc(c, file->mStream);
}

inline int PakEofFile(PakFile* file) {
    if (PakInterfaceBase* pak = GetPakInterface())
        return pak->FEof(file);
    return std::feof(file->mStream);
}

} // namespace Kavo
