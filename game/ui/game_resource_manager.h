#pragma once
// The game's resource manager: the framework's catalogue plus image records
// that the game's data files name by their path (image descriptions).

#include "framework/resource/resource_manager.h"
#include "platform/process_slot.h"

#include <memory>
#include <string>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class GameResourceManager : public Kavo::ResourceManager {
public:
    explicit GameResourceManager(std::unique_ptr<Kavo::ResourceAppServices> services)
        : Kavo::ResourceManager(std::move(services)) {}
    ~GameResourceManager() override = default;

    // Registers an image record under `imageFile` (also its path), in no
    // group, with the alpha file when not empty and the flags named in
    // `attributes` (see the .cpp); an id that exists keeps its record.
    // Always true.
    bool AddImage(const std::string& imageFile, const std::string& alphaFile, const std::string& attributes);
    // The image of that id, loaded on first use; null when there is no such
    // record or it cannot be loaded. The manager keeps the reference.
    Kavo::Image* GetImageById(const std::string& id);
    bool HasImage(const std::string& id) const { return mImageMap.count(id) != 0; }
    // AddImage without an alpha file, then GetImageById.
    Kavo::Image* LoadImageWithFlags(const std::string& name, const std::string& flags);
};

// The application's manager while it exists.
platform::ProcessSlot<GameResourceManager>& GameResourceManagerSlot();

} // namespace Game
