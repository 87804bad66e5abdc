#include "engine/storage/mem_stg.h"

#include <algorithm>

#include "engine/storage/file_descr.h"
#include "engine/storage/name_mask.h"
#include "engine/storage/storage_path.h"

MemStg_t::~MemStg_t() = default;

std::unique_ptr<Stg_t> MemStg_t::MakeChild(const std::string& name, std::int32_t mode) {
    if (mode != 1)
        Raise(name, kStgInvalidDirectory);
    return std::make_unique<MemStg_t>(this, name, false);
}

MemStg_t* MemStg_t::FolderOf(const std::string& name, std::string& last) {
    std::vector<std::string> pieces = SplitPath(NormalizePath(name));
    if (pieces.empty())
        RaiseArgument(name, kStgModeNone);
    last = pieces.back();
    pieces.pop_back();
    return static_cast<MemStg_t*>(OpenSubStorage(pieces, 0));
}

FileDescr_t* MemStg_t::FindFile(const std::string& fileName) const {
    for (const auto& file : mFiles) {
        if (EqualNoCaseAscii(file->name, fileName))
            return file.get();
    }
    return nullptr;
}

FileDescr_t& MemStg_t::Checked(FileDescr_t* handle) const {
    if (handle == nullptr || !handle->memFile)
        RaiseArgument("", kStgModeNone);
    return *handle;
}

FileDescr_t* MemStg_t::OpenFile(const std::string& name, std::int32_t mode) {
    if (name.empty())
        RaiseArgument("", kStgModeNone);
    std::vector<std::string> folders = SplitPath(NormalizePath(name));
    if (folders.empty())
        RaiseArgument(name, kStgModeNone);
    const std::string fileName = folders.back();
    folders.pop_back();
    auto* folder = static_cast<MemStg_t*>(OpenSubStorage(folders, mode));
    if (FileDescr_t* file = folder->FindFile(fileName)) {
        if (file->memFile->IsOpen())
            Raise(fileName, kStgOpenFile);
        file->memFile->Reopen();
        return file;
    }
    if (mode == 0)
        Raise(fileName, kStgOpenFile);
    std::unique_ptr<FileDescr_t> file = FileDescr_t::FromMemory(nullptr, 0, true);
    file->name = fileName;
    file->mode = mode;
    file->owner = folder;
    folder->mFiles.push_back(std::move(file));
    return folder->mFiles.back().get();
}

void MemStg_t::CloseFile(FileDescr_t* handle) {
    Checked(handle).memFile->MarkClosed();
}

void MemStg_t::ReadFile(FileDescr_t* handle, void* buffer, std::uint32_t count, std::uint32_t* read) {
    Checked(handle).memFile->Read(buffer, count, read);
}

void MemStg_t::WriteFile(FileDescr_t* handle, const void* buffer, std::uint32_t count, std::uint32_t* written) {
    FileDescr_t& file = Checked(handle);
    if (file.mode == 0)
        Raise(file.name, kStgInvalidFileMode);
    if (!file.memFile->Write(buffer, count, written))
        Raise(file.name, kStgMemory);
}

void MemStg_t::Seek(FileDescr_t* handle, std::int32_t origin, std::int32_t offset, std::uint32_t* position) {
    Checked(handle).memFile->Seek(origin, offset, position);
}

std::uint32_t MemStg_t::Size(FileDescr_t* handle) {
    return Checked(handle).memFile->Size();
}

bool MemStg_t::TestFilePresent(const std::string& name) {
    if (name.empty())
        RaiseArgument("", kStgModeNone);
    try {
        std::string fileName;
        return FolderOf(name, fileName)->FindFile(fileName) != nullptr;
    } catch (const errStg_e& e) {
        if (e.Code() == kStgInvalidArgument)
            throw;
        return false;
    }
}

bool MemStg_t::TestDirPresent(const std::string& name) {
    if (name.empty())
        RaiseArgument("", kStgModeNone);
    try {
        OpenSubStorage(SplitPath(NormalizePath(name)), 0);
        return true;
    } catch (const errStg_e&) {
        return false;
    }
}

void MemStg_t::CreateDir(const std::string& path) {
    if (path.empty())
        RaiseArgument("", kStgModeNone);
    if (TestDirPresent(path))
        return;
    if (OpenSubStorage(SplitPath(NormalizePath(path)), 1) == nullptr)
        Raise(path, kStgCreateStorage);
}

void MemStg_t::DeleteDir(const std::string& name) {
    if (name.empty())
        RaiseArgument("", kStgModeNone);
    std::string last;
    FolderOf(name, last)->DetachSubStorage(last);
}

void MemStg_t::DeleteFile(const std::string& name) {
    if (name.empty())
        RaiseArgument("", kStgModeNone);
    std::string fileName;
    MemStg_t* folder = FolderOf(name, fileName);
    auto& files = folder->mFiles;
    auto it = std::find_if(files.begin(), files.end(),
                           [&](const auto& file) { return EqualNoCaseAscii(file->name, fileName); });
    if (it != files.end())
        files.erase(it);
}

void MemStg_t::ListNames(const std::string& mask, bool wantFiles, bool wantFolders, std::vector<std::string>& names) {
    std::vector<std::string> pieces = SplitPath(NormalizePath(mask));
    std::string pattern = pieces.empty() ? std::string() : pieces.back();
    if (!pieces.empty())
        pieces.pop_back();
    const auto* folder = static_cast<MemStg_t*>(OpenSubStorage(pieces, 0));
    pattern = pattern == "*.*" ? "*" : CleanMask(pattern);
    if (wantFolders) {
        for (const auto& child : folder->Children()) {
            if (MatchMask(child->Name(), pattern))
                names.push_back(LowerAscii(child->Name()));
        }
    }
    if (wantFiles) {
        for (const auto& file : folder->mFiles) {
            if (MatchMask(file->name, pattern))
                names.push_back(LowerAscii(file->name));
        }
    }
}
