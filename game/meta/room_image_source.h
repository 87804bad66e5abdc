#pragma once
// Where the decoration catalogue loads and frees the room pictures: the
// game's resource manager, by picture name.

#include <string>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class RoomImageSource {
public:
    virtual ~RoomImageSource() = default;
    virtual bool HasImage(const std::string& name) = 0;
    // Registers the picture with the flags and loads it; null when it fails.
    virtual Kavo::Image* LoadImageWithFlags(const std::string& name, const std::string& flags) = 0;
    virtual Kavo::Image* GetImageById(const std::string& name) = 0;
    // Frees the picture; handles to it are dangling afterwards.
    virtual void DeleteImage(const std::string& name) = 0;
};

} // namespace Game
