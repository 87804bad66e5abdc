#pragma once
// The file API through which every framework and game file is read: a
// member of a mounted pak archive wins over a loose file of the same name,
// and anything no archive holds (and every write) goes to the disk.
//
// The free functions are inline so that code needing only to read files
// (the parsers, the image loaders) does not link the archive reader: they
// use the reader installed in PakReaderSlot(), and without one fall back to
// the C library's stdio.

#include "platform/file_system.h"
#include "platform/process_slot.h"

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

class PakInterfaceBase;

// An open file: an archive member (mEntry set) or a disk file (mStream).
struct PakFile {
    PakEntry* mEntry = nullptr;
    uint32_t mPos = 0; // 0 .. mEntry->mSize
    std::FILE* mStream = nullptr;
    // The reader that PakOpenFile opened it with; null for a file opened
    // through stdio or straight from a reader.
    std::shared_ptr<PakInterfaceBase> mReader;
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
    // Where a file is looked for, for a message about one that was not
    // found ("the archive ..., the folder ..."); empty when unknown.
    virtual std::string DescribeSources() const { return {}; }

protected:
    virtual ~PakInterfaceBase() = default;
};

// The archive reader. One instance, gPakInterface, lives for the whole
// process; the start-up code installs it in PakReaderSlot() for the file
// API. Building a reader installs nothing.
class PakInterface : public PakInterfaceBase {
public:
    PakInterface();
    ~PakInterface() override;
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
    // Every archive asked for, with why it is not in use (missing, not a
    // readable archive), then the current folder.
    std::string DescribeSources() const override;

private:
    bool FindInArchive(PakFindHandle* handle, PakFindData* data);

    struct MountAttempt {
        std::string mPath; // made absolute
        std::string mProblem;
    };
    std::vector<MountAttempt> mMountAttempts;

    std::vector<std::unique_ptr<PakArchive>> mArchives;
    std::map<std::string, PakEntry> mEntries; // key: upper-cased name
};

// The process's reader; never destroyed. The file API uses it only once
// it is installed in PakReaderSlot().
extern PakInterface* gPakInterface;

// Archive key of a path: upper case, one '\' between components, "x\.."
// folded away, and a path inside the current folder made relative to it.
std::string NormalizePakPath(const std::string& path);

namespace pak_detail {
inline PakFile* OpenDiskFile(const char* name, const char* mode) {
    std::FILE* stream = platform::OpenFile(name, mode);
    if (stream == nullptr)
        return nullptr;
    PakFile* file = new PakFile;
    file->mStream = stream;
    return file;
}
} // namespace pak_detail

// The reader the file API uses. Empty until the start-up code installs one
// (normally gPakInterface, with platform::Installed); while it is empty the
// file API reads the disk through stdio.
inline platform::ProcessSlot<PakInterfaceBase>& PakReaderSlot() {
    static platform::ProcessSlot<PakInterfaceBase> slot;
    return slot;
}

inline std::shared_ptr<PakInterfaceBase> GetPakInterface() {
    return PakReaderSlot().Get();
}

// A file stays with the reader that opened it (kept alive in mReader), even
// when another reader is installed before it is closed; this also spares
// the byte-at-a-time calls a look at the slot.
inline PakFile* PakOpenFile(const char* name, const char* mode) {
    std::shared_ptr<PakInterfaceBase> pak = GetPakInterface();
    if (pak == nullptr)
        return pak_detail::OpenDiskFile(name, mode);
    PakFile* file = pak->FOpen(name, mode);
    if (file != nullptr)
        file->mReader = std::move(pak);
    return file;
}

inline PakFile* PakOpenFile(const std::string& name, const char* mode) {
    return PakOpenFile(name.c_str(), mode);
}

inline int PakCloseFile(PakFile* file) {
    if (file->mReader != nullptr) {
        // FClose frees the file and with it mReader; the reader must
        // outlive the call.
        std::shared_ptr<PakInterfaceBase> pak = std::move(file->mReader);
        return pak->FClose(file);
    }
    int result = std::fclose(file->mStream);
    delete file;
    return result;
}

inline int PakSeekFile(PakFile* file, long offset, int origin) {
    if (file->mReader != nullptr)
        return file->mReader->FSeek(file, offset, origin);
    return std::fseek(file->mStream, offset, origin);
}

inline long PakTellFile(PakFile* file) {
    if (file->mReader != nullptr)
        return file->mReader->FTell(file);
    return std::ftell(file->mStream);
}

inline size_t PakReadFile(void* buffer, size_t elementSize, size_t count, PakFile* file) {
    if (file->mReader != nullptr)
        return file->mReader->FRead(buffer, elementSize, count, file);
    return std::fread(buffer, elementSize, count, file->mStream);
}

inline int PakGetC(PakFile* file) {
    if (file->mReader != nullptr)
        return file->mReader->FGetC(file);
    return std::fgetc(file->mStream);
}

inline int PakUngetC(int c, PakFile* file) {
    if (file->mReader != nullptr)
        return file->mReader->FUngetC(c, file);
    return std::ungetc(c, file->mStream);
}

inline int PakEofFile(PakFile* file) {
    if (file->mReader != nullptr)
        return file->mReader->FEof(file);
    return std::feof(file->mStream);
}

} // namespace Kavo
