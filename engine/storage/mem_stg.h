#pragma once
// The storage whose folders and files live in memory. A file keeps its
// content after it is closed and opens again until it is deleted or the
// storage goes. Nothing is compressed; the disk is never touched.

#include "engine/storage/stg.h"

class MemStg_t final : public Stg_t {
public:
    MemStg_t(Stg_t* parent, std::string name, bool) : Stg_t(parent, std::move(name), false) {}
    ~MemStg_t() override;

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
    void DeleteTree() override {} // a memory tree is only ever emptied file by file
    void DeleteFile(const std::string& name) override;
    void ListNames(const std::string& mask, bool wantFiles, bool wantFolders, std::vector<std::string>& names) override;
    bool IsMemory() const override { return true; }

protected:
    std::unique_ptr<Stg_t> MakeChild(const std::string& name, std::int32_t mode) override;
    const std::string& ErrorName() const override { return Name(); }
    std::int32_t ArgumentMode(std::int32_t) const override { return kStgModeNone; }

private:
    // The folder of a normalised path and its last piece; raises code 2 for
    // a path without pieces and code 3 for a missing folder.
    MemStg_t* FolderOf(const std::string& name, std::string& last);
    FileDescr_t* FindFile(const std::string& fileName) const;
    FileDescr_t& Checked(FileDescr_t* handle) const;

    std::vector<std::unique_ptr<FileDescr_t>> mFiles;
};
