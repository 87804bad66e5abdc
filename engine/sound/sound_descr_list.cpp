#include "engine/sound/sound_descr_list.h"

#include <strings.h>

#include <vector>

#include "engine/sound/sound_storages.h"
#include "engine/storage/file_descr.h"
#include "engine/storage/stg.h"

namespace Sound {

void SoundDescrList_t::Load() {
    const std::shared_ptr<SoundStorages> storages = gSoundStorages.Get();
    Stg_t* storage = storages ? storages->descriptions : nullptr;
    if (storage == nullptr)
        return;
    std::vector<std::string> names;
    storage->ListNames("*.*", true, false, names);
    for (const std::string& name : names) {
        auto descr = std::make_unique<SoundDescr_t>();
        FileDescr_t* file = storage->OpenFile(name, 0);
        bool known = false;
        try {
            known = descr->Parse(file);
        } catch (...) {
            storage->CloseFile(file);
            throw;
        }
        storage->CloseFile(file);
        if (known)
            mDescriptions[name] = std::move(descr);
    }
}

SoundDescr_t* SoundDescrList_t::Find(const char* name) const {
    if (name == nullptr)
        return nullptr;
    if (auto exact = mDescriptions.find(name); exact != mDescriptions.end())
        return exact->second.get();
    for (const auto& [key, descr] : mDescriptions) {
        if (strcasecmp(key.c_str(), name) == 0)
            return descr.get();
    }
    return nullptr;
}

} // namespace Sound
