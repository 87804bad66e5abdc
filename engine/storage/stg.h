#pragma once
// A storage: a named tree of folders and files, on the disk (FileStg_t) or
// in memory (MemStg_t). Names and paths given to it are relative to it and
// normalised before use; failures raise errStg_e. Storages take no locks:
// one thread uses a storage at a time.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/base/storage_error.h"

class FileDescr_t;
class StorageRegistry;

class Stg_t {
public:
    Stg_t(Stg_t* parent, std::string name, bool compressAll);
    virtual ~Stg_t();
    Stg_t(const Stg_t&) = delete;
    Stg_t& operator=(const Stg_t&) = delete;

    // Walks down the named folders, creating missing ones when mode is 1;
    // an empty list gives this storage.
    Stg_t* OpenSubStorage(std::span<const std::string> names, std::int32_t mode);
    // Unlinks the first child of that name. It is kept, unreachable, until
    // this storage goes, so a caller still holding it is not left dangling.
    void DetachSubStorage(const std::string& name);

    virtual FileDescr_t* OpenFile(const std::string& name, std::int32_t mode) = 0;
    virtual void CloseFile(FileDescr_t* handle) = 0;
    virtual void ReadFile(FileDescr_t* handle, void* buffer, std::uint32_t count, std::uint32_t* read) = 0;
    virtual void WriteFile(FileDescr_t* handle, const void* buffer, std::uint32_t count, std::uint32_t* written) = 0;
    virtual void Seek(FileDescr_t* handle, std::int32_t origin, std::int32_t offset, std::uint32_t* position) = 0;
    virtual std::uint32_t Size(FileDescr_t* handle) = 0;
    virtual bool TestFilePresent(const std::string& name) = 0;
    virtual bool TestDirPresent(const std::string& name) = 0;
    virtual void CreateDir(const std::string& path) = 0;
    virtual void DeleteDir(const std::string& name) = 0;
    virtual void DeleteTree() = 0;
    virtual void DeleteFile(const std::string& name) = 0;
    // Appends the names directly inside the mask's folder that match its
    // last piece, lower-cased.
    virtual void ListNames(const std::string& mask, bool wantFiles, bool wantFolders,
                           std::vector<std::string>& names) = 0;
    virtual bool IsMemory() const = 0;

    Stg_t* OpenSubStoragePath(const std::string& path, std::int32_t = 0);
    Stg_t* CreateSubStoragePath(const std::string& path, std::int32_t = 0);
    // Gives up one use: a top-level folder storage goes with its last use,
    // a top-level memory storage at once, a sub-storage never.
    void Release();

    void CopyFileTo(Stg_t* destination, const std::string& destinationName, const std::string& sourceName);
    // Copies everything, overwriting; folders named `skip` (any case) are left out.
    void CopyTreeTo(Stg_t* destination, const char* skip);
    // As CopyTreeTo, but a file or folder already there at the top raises.
    void CopyNewTreeTo(Stg_t* destination);

    // An empty path gives a new, unregistered memory storage "Mem"; any
    // other path the registered folder storage of it, made (with its
    // folders) on first use. Null when the folder cannot be reached or no
    // registry is installed.
    static Stg_t* OpenStorage(const char* path, std::int32_t compressAll);
    static Stg_t* OpenStorageStr(const std::string& path, std::int32_t compressAll);
    static bool SameStorage(const Stg_t* a, const Stg_t* b);

    bool CompressAll() const { return mCompressAll; }
    Stg_t* Parent() const { return mParent; }
    const std::string& FullPath() const { return mFullPath; }
    const std::string& Name() const { return mName; }
    std::int32_t RefCount() const { return mRefCount; }

protected:
    // The child folder `name` (not yet a child): checked, or created when
    // mode is 1; raises code 3 when it is not there.
    virtual std::unique_ptr<Stg_t> MakeChild(const std::string& name, std::int32_t mode) = 0;
    // The storage name that this storage's errors carry.
    virtual const std::string& ErrorName() const = 0;
    // The mode that a missing argument of `mode`'s operation is raised with.
    virtual std::int32_t ArgumentMode(std::int32_t mode) const = 0;

    [[noreturn]] void Raise(const std::string& fileName, std::int32_t code, std::int32_t mode = kStgModeNone) const;
    [[noreturn]] void RaiseArgument(const std::string& fileName, std::int32_t mode) const {
        Raise(fileName, kStgInvalidArgument, ArgumentMode(mode));
    }
    const std::vector<std::unique_ptr<Stg_t>>& Children() const { return mChildren; }

private:
    void CopyFolders(Stg_t* destination, const char* skip, bool refuseExisting);

    bool mCompressAll;
    Stg_t* mParent;
    std::vector<std::unique_ptr<Stg_t>> mChildren;
    std::vector<std::unique_ptr<Stg_t>> mDetached;
    std::string mFullPath;
    std::string mName;
    std::int32_t mRefCount = 0;
    StorageRegistry* mRegistry = nullptr; // where a top-level folder storage is listed
};
