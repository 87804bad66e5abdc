#pragma once
// The top-level folder storages opened by path, so that one folder is
// opened once and shared by count. Installed by the application (and by
// tests) in gStorageRegistry; destroying it releases what is still open.

#include <string_view>
#include <vector>

#include "platform/process_slot.h"

class Stg_t;

class StorageRegistry {
public:
    StorageRegistry() = default;
    ~StorageRegistry();
    StorageRegistry(const StorageRegistry&) = delete;
    StorageRegistry& operator=(const StorageRegistry&) = delete;

    // The first storage whose full path equals `path` ignoring case.
    Stg_t* Find(std::string_view path) const;
    void Add(Stg_t* storage) { mStorages.push_back(storage); }
    void Remove(Stg_t* storage);
    std::size_t Count() const { return mStorages.size(); }

private:
    std::vector<Stg_t*> mStorages;
};

extern platform::ProcessSlot<StorageRegistry> gStorageRegistry;
