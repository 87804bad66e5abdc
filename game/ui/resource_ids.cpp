#include "game/ui/resource_ids.h"

#include "framework/graphics/memory_image.h"
#include "framework/resource/resource_manager.h"

#include <map>

namespace Game {

#define GAME_RESOURCE_DEFINE(kind, name, group) GAME_RESOURCE_TYPE_##kind name{};
GAME_RESOURCE_LIST(GAME_RESOURCE_DEFINE)
#undef GAME_RESOURCE_DEFINE

void* const gResourceAddresses[RESOURCE_ID_MAX] = {
#define GAME_RESOURCE_ADDRESS(kind, name, group) &name,
    GAME_RESOURCE_LIST(GAME_RESOURCE_ADDRESS)
#undef GAME_RESOURCE_ADDRESS
};

namespace {

struct IdInfo {
    const char* mName;
    const char* mGroup;
    ResourceKind mKind;
};

constexpr ResourceKind KindIMAGE = ResourceKind::Image;
constexpr ResourceKind KindFONT = ResourceKind::Font;
constexpr ResourceKind KindSOUND = ResourceKind::Sound;

constexpr IdInfo kIds[RESOURCE_ID_MAX] = {
#define GAME_RESOURCE_INFO(kind, name, group) {#name, #group, Kind##kind},
    GAME_RESOURCE_LIST(GAME_RESOURCE_INFO)
#undef GAME_RESOURCE_INFO
};

bool InRange(int id) {
    return id >= 0 && id < RESOURCE_ID_MAX;
}

// Sets the ids of one group (every id for a null group) in id order to
// what the kind's function gives for the id's name.
template <typename ImageOf, typename FontOf, typename SoundOf>
void SetIds(const char* group, ImageOf imageOf, FontOf fontOf, SoundOf soundOf) {
    for (int id = 0; id < RESOURCE_ID_MAX; ++id) {
        if (group != nullptr && std::string(group) != kIds[id].mGroup)
            continue;
        switch (kIds[id].mKind) {
        case ResourceKind::Image:
            *static_cast<Kavo::Image**>(gResourceAddresses[id]) = imageOf(kIds[id].mName);
            break;
        case ResourceKind::Font:
            *static_cast<Kavo::Font**>(gResourceAddresses[id]) = fontOf(kIds[id].mName);
            break;
        case ResourceKind::Sound:
            *static_cast<int*>(gResourceAddresses[id]) = soundOf(kIds[id].mName);
            break;
        case ResourceKind::None:
            break;
        }
    }
}

// Binds the ids of one group in id order; the first missing name stops it.
bool ExtractGroup(Kavo::ResourceManager& manager, const char* group) {
    try {
        SetIds(
            group, [&](const char* name) { return manager.RequireImage(name).GetImage(); },
            [&](const char* name) { return manager.RequireFont(name); },
            [&](const char* name) { return manager.RequireSound(name); });
    } catch (const Kavo::ResourceManagerException&) {
        return false;
    }
    return true;
}

// Unbinds the ids of one group (every id for a null group).
void ClearIds(const char* group) {
    SetIds(
        group, [](const char*) -> Kavo::Image* { return nullptr; }, [](const char*) -> Kavo::Font* { return nullptr; },
        [](const char*) { return 0; });
}

} // namespace

std::string GetStringIdById(int id) {
    return InRange(id) ? kIds[id].mName : "";
}

int GetIdByStringId(const std::string& name) {
    // Built once, by whichever thread asks first (the loading thread's
    // layout reader and the main thread may both ask).
    static const std::map<std::string, int> byName = [] {
        std::map<std::string, int> map;
        for (int id = 0; id < RESOURCE_ID_MAX; ++id)
            map.emplace(kIds[id].mName, id);
        return map;
    }();
    auto it = byName.find(name);
    return it == byName.end() ? RESOURCE_ID_MAX : it->second;
}

ResourceKind GetResourceKind(int id) {
    return InRange(id) ? kIds[id].mKind : ResourceKind::None;
}

Kavo::Image* GetImageResourceById(int id) {
    return GetResourceKind(id) == ResourceKind::Image ? *static_cast<Kavo::Image**>(gResourceAddresses[id]) : nullptr;
}

Kavo::Font* GetFontResourceById(int id) {
    return GetResourceKind(id) == ResourceKind::Font ? *static_cast<Kavo::Font**>(gResourceAddresses[id]) : nullptr;
}

int GetSoundResourceById(int id) {
    return GetResourceKind(id) == ResourceKind::Sound ? *static_cast<int*>(gResourceAddresses[id]) : -1;
}

void* GetResourceById(int id) {
    switch (GetResourceKind(id)) {
    case ResourceKind::Image:
        return GetImageResourceById(id);
    case ResourceKind::Font:
        return GetFontResourceById(id);
    default:
        return nullptr;
    }
}

bool ExtractInitResources(Kavo::ResourceManager& manager) {
    return ExtractGroup(manager, "Init");
}

bool ExtractTitleScreenResources(Kavo::ResourceManager& manager) {
    return ExtractGroup(manager, "TitleScreen");
}

bool ExtractBonusesResources(Kavo::ResourceManager& manager) {
    return ExtractGroup(manager, "Bonuses");
}

bool ExtractGameResources(Kavo::ResourceManager& manager) {
    return ExtractGroup(manager, "Game");
}

void ClearGroupResources(const char* group) {
    ClearIds(group);
}

void ClearAllResources() {
    ClearIds(nullptr);
}

} // namespace Game
