#include "game/meta/resource_room_images.h"

#include "game/ui/game_resource_manager.h"

namespace Game {

bool ResourceRoomImages::HasImage(const std::string& name) {
    auto manager = GameResourceManagerSlot().Get();
    return manager != nullptr && manager->HasImage(name);
}

Kavo::Image* ResourceRoomImages::LoadImageWithFlags(const std::string& name, const std::string& flags) {
    auto manager = GameResourceManagerSlot().Get();
    return manager != nullptr ? manager->LoadImageWithFlags(name, flags) : nullptr;
}

Kavo::Image* ResourceRoomImages::GetImageById(const std::string& name) {
    auto manager = GameResourceManagerSlot().Get();
    return manager != nullptr ? manager->GetImageById(name) : nullptr;
}

void ResourceRoomImages::DeleteImage(const std::string& name) {
    if (auto manager = GameResourceManagerSlot().Get())
        manager->DeleteImage(name);
}

} // namespace Game
