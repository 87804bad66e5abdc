#pragma once
// The storage over a disk folder. Paths are built from the storage's
// absolute full path and found on the disk through the platform resolver
// (any letter case); the process's current folder is never changed.
// Files whose path holds ".cdf", and all files of a compressing storage,
// are kept compressed (PackFile_t).

#include "engine/storage/stg.h"

class FileStg_t final : public Stg_t {
public:
    FileStg_t(Stg_t* parent, std::string name, bool compressAll) : Stg_t(parent, std::move(name), compressAll) {}

    FileDescr_t* OpenFile(const std::string& name, std::int32_t mode) override;
    void CloseFile(FileDescr_t* handle) override;
    void ReadFile(FileDescr_t* handle, void* buffer, std::uint32_t count, std::uint32_t* read) override;
    void WriteFile(FileDescr_t* handle, const void* buffer, std::uint32_t count, std::uint32_t* written) override;
    void Seek(FileDescr_t* handle, std::int32_t origin, std::int32_t offset, std::uint32_t* position) override;
    std::uint32_t Size(FileDescr_t* handle) override;
    bool TestFilePresent(const std::string& name) override;
    bool TestDirPresent(const std::string& name) override;
    void CreateDir(const std::string& path) override;
    void DeleteDir(const std::string& name) override;
    void DeleteTree() override;
    void DeleteFile(const std::string& name) override;
    void ListNames(const std::string& mask, bool wantFiles, bool wantFolders, std::vector<std::string>& names) override;
    bool IsMemory() const override { return false; }

protected:
    std::unique_ptr<Stg_t> MakeChild(const std::string& name, std::int32_t mode) override;
    const std::string& ErrorName() const override { return FullPath(); }
    std::int32_t ArgumentMode(std::int32_t mode) const override { return mode; }

private:
    // The program path of `name` (normalised) below this folder.
    std::string PathOf(const std::string& name) const;
    void DeleteDiskFile(const std::string& diskPath, const std::string& shownPath);
    void RemoveDiskFolder(const std::string& diskPath, const std::string& shownPath);
    void DeleteDiskTree(const std::string& diskFolder, const std::string& shownFolder);
};
