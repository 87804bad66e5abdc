#include "engine/storage/stg.h"

#include <algorithm>

#include "engine/storage/file_descr.h"
#include "engine/storage/file_stg.h"
#include "engine/storage/mem_stg.h"
#include "engine/storage/storage_path.h"
#include "engine/storage/storage_registry.h"
#include "platform/file_system.h"

Stg_t::Stg_t(Stg_t* parent, std::string name, bool compressAll)
    : mCompressAll(compressAll), mParent(parent),
      mFullPath(parent != nullptr ? parent->FullPath() + "\\" + name : name), mName(std::move(name)) {}

Stg_t::~Stg_t() {
    for (auto& child : mChildren)
        child->mParent = nullptr;
    for (auto& child : mDetached)
        child->mParent = nullptr;
}

Stg_t* Stg_t::OpenSubStorage(std::span<const std::string> names, std::int32_t mode) {
    Stg_t* storage = this;
    for (const std::string& name : names) {
        const auto& children = storage->mChildren;
        auto it = std::find_if(children.begin(), children.end(), [&](const auto& c) { return c->mName == name; });
        if (it != children.end()) {
            storage = it->get();
            continue;
        }
        std::unique_ptr<Stg_t> child = storage->MakeChild(name, mode);
        storage->mChildren.push_back(std::move(child));
        storage = storage->mChildren.back().get();
    }
    return storage;
}

void Stg_t::DetachSubStorage(const std::string& name) {
    auto it = std::find_if(mChildren.begin(), mChildren.end(), [&](const auto& c) { return c->mName == name; });
    if (it == mChildren.end())
        return;
    mDetached.push_back(std::move(*it));
    mChildren.erase(it);
}

Stg_t* Stg_t::OpenSubStoragePath(const std::string& path, std::int32_t) {
    if (path.empty())
        RaiseArgument(path, kStgModeOpenStg);
    return OpenSubStorage(SplitPath(NormalizePath(path)), 0);
}

Stg_t* Stg_t::CreateSubStoragePath(const std::string& path, std::int32_t) {
    if (path.empty())
        RaiseArgument(path, kStgModeOpenStg);
    return OpenSubStorage(SplitPath(NormalizePath(path)), 1);
}

void Stg_t::Release() {
    if (mParent != nullptr)
        return;
    if (!IsMemory() && --mRefCount > 0)
        return;
    if (mRegistry != nullptr)
        mRegistry->Remove(this);
    delete this;
}

void Stg_t::Raise(const std::string& fileName, std::int32_t code, std::int32_t mode) const {
    throw errStg_e(ErrorName(), fileName, code, mode);
}

namespace {

// Closing after a failure: the first error is the one that travels on.
void CloseQuietly(Stg_t* storage, FileDescr_t* handle) {
    try {
        storage->CloseFile(handle);
    } catch (const err_e&) {
    }
}

} // namespace

void Stg_t::CopyFileTo(Stg_t* destination, const std::string& destinationName, const std::string& sourceName) {
    FileDescr_t* source = OpenFile(sourceName, 0);
    FileDescr_t* target = nullptr;
    try {
        target = destination->OpenFile(destinationName, 1);
        std::vector<std::uint8_t> buffer(Size(source));
        std::uint32_t read = 0;
        ReadFile(source, buffer.data(), static_cast<std::uint32_t>(buffer.size()), &read);
        destination->WriteFile(target, buffer.data(), read, nullptr);
    } catch (...) {
        if (target != nullptr)
            CloseQuietly(destination, target);
        CloseQuietly(this, source);
        throw;
    }
    try {
        destination->CloseFile(target);
    } catch (...) {
        CloseQuietly(this, source);
        throw;
    }
    CloseFile(source);
}

void Stg_t::CopyTreeTo(Stg_t* destination, const char* skip) {
    if (SameStorage(destination, this))
        return;
    std::vector<std::string> files;
    ListNames("*", true, false, files);
    for (const std::string& file : files)
        CopyFileTo(destination, file, file);
    CopyFolders(destination, skip, false);
}

void Stg_t::CopyNewTreeTo(Stg_t* destination) {
    if (SameStorage(destination, this))
        return;
    std::vector<std::string> files;
    ListNames("*", true, false, files);
    for (const std::string& file : files) {
        if (destination->TestFilePresent(file))
            throw errStg_e(destination->ErrorName(), file, kStgFileExists, kStgModeNone);
        CopyFileTo(destination, file, file);
    }
    CopyFolders(destination, nullptr, true);
}

void Stg_t::CopyFolders(Stg_t* destination, const char* skip, bool refuseExisting) {
    std::vector<std::string> folders;
    ListNames("*", false, true, folders);
    for (const std::string& folder : folders) {
        if (skip != nullptr && EqualNoCaseAscii(folder, skip))
            continue;
        Stg_t* from = OpenSubStoragePath(folder);
        if (refuseExisting && destination->TestDirPresent(folder))
            throw errStg_e(destination->ErrorName(), folder, kStgStorageExists, kStgModeNone);
        Stg_t* to = destination->CreateSubStoragePath(folder);
        from->CopyTreeTo(to, skip);
        from->Release();
        to->Release();
    }
}

Stg_t* Stg_t::OpenStorage(const char* path, std::int32_t compressAll) {
    if (path == nullptr || *path == '\0')
        return new MemStg_t(nullptr, "Mem", false);
    const std::shared_ptr<StorageRegistry> registry = gStorageRegistry.Get();
    if (!registry)
        return nullptr;
    // A relative path is taken from the current folder once, here: the
    // storage then works from its absolute path, whatever the current
    // folder becomes.
    std::string full = path;
    if (full.front() != '/' && full.front() != '\\')
        full = platform::GetCurrentFolder() + "/" + full;
    full = NormalizePath(full);
    if (Stg_t* found = registry->Find(full)) {
        ++found->mRefCount;
        return found;
    }
    if (!platform::MakeDirectories(full))
        return nullptr;
    auto* storage = new FileStg_t(nullptr, full, compressAll != 0);
    storage->mRegistry = registry.get();
    storage->mRefCount = 1;
    registry->Add(storage);
    return storage;
}

Stg_t* Stg_t::OpenStorageStr(const std::string& path, std::int32_t compressAll) {
    if (path.empty())
        return nullptr;
    return OpenStorage(path.c_str(), compressAll);
}

bool Stg_t::SameStorage(const Stg_t* a, const Stg_t* b) {
    if (a == nullptr || b == nullptr)
        return false;
    if (a == b)
        return true;
    return !a->IsMemory() && !b->IsMemory() && EqualNoCaseAscii(a->FullPath(), b->FullPath());
}
