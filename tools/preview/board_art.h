#pragma once
// The pictures of the sample board, named by the resource manifest
// ("properties/resources.xml") and loaded through the application's
// resource manager.

#include <cstddef>
#include <map>
#include <string>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/shared_image.h"

namespace Kavo {

class ResourceManager;

class BoardArt {
public:
    // Reads the manifest into the manager and loads every picture the board
    // draws; false when the manifest does not read (`error` says why). A
    // picture that does not load is left out and named in `missing`.
    bool Load(ResourceManager& manager, std::string& error, std::string& missing);

    // The picture with that id, or null.
    MemoryImage* Get(const std::string& id) const;
    std::size_t Loaded() const { return mImages.size(); }
    std::size_t Named() const { return mNamed; }

private:
    std::map<std::string, SharedImageHandle> mImages;
    std::size_t mNamed = 0;
};

} // namespace Kavo
