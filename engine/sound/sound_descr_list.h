#pragma once
// Every sound description of the installed description storage, loaded
// once and found by name.

#include <map>
#include <memory>
#include <string>

#include "engine/sound/sound_descr.h"

namespace Sound {

class SoundDescrList_t {
public:
    SoundDescrList_t() = default;
    ~SoundDescrList_t() = default;
    SoundDescrList_t(const SoundDescrList_t&) = delete;
    SoundDescrList_t& operator=(const SoundDescrList_t&) = delete;

    // Parses every file of the description storage, filed under its listed
    // (lower-case) name; a file that names no known group is dropped.
    // Nothing is loaded when no description storage is installed.
    void Load();
    // Ignores case: the listing lower-cases the names, callers do not.
    SoundDescr_t* Find(const char* name) const;
    void Clear() { mDescriptions.clear(); }
    std::size_t Count() const { return mDescriptions.size(); }

private:
    std::map<std::string, std::unique_ptr<SoundDescr_t>> mDescriptions;
};

} // namespace Sound
