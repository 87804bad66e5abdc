#pragma once
// The room pictures kept by the game's resource manager, by file name. While
// no manager is installed nothing loads and nothing is freed.

#include "game/meta/room_image_source.h"

namespace Game {

class ResourceRoomImages : public RoomImageSource {
public:
    bool HasImage(const std::string& name) override;
    Kavo::Image* LoadImageWithFlags(const std::string& name, const std::string& flags) override;
    Kavo::Image* GetImageById(const std::string& name) override;
    void DeleteImage(const std::string& name) override;
};

} // namespace Game
