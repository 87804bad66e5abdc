#include "engine/storage/storage_registry.h"

#include <algorithm>

#include "engine/storage/stg.h"
#include "engine/storage/storage_path.h"

platform::ProcessSlot<StorageRegistry> gStorageRegistry;

StorageRegistry::~StorageRegistry() {
    // Each storage leaves the list with its last release.
    while (!mStorages.empty())
        mStorages.front()->Release();
}

Stg_t* StorageRegistry::Find(std::string_view path) const {
    for (Stg_t* storage : mStorages) {
        if (EqualNoCaseAscii(storage->FullPath(), path))
            return storage;
    }
    return nullptr;
}

void StorageRegistry::Remove(Stg_t* storage) {
    const auto it = std::find(mStorages.begin(), mStorages.end(), storage);
    if (it != mStorages.end())
        mStorages.erase(it);
}
