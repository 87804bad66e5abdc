#pragma once
// The pictures the resource manifest names ("properties/resources.xml"),
// loaded through the file API. The resource manager will take this over.

#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "framework/graphics/memory_image.h"

namespace Kavo {

class BoardArt {
public:
    // Reads the manifest and loads every picture it names; false when the
    // manifest does not parse (`error` says why). A picture that does not
    // load is left out and named in `missing`.
    bool Load(std::string& error, std::string& missing);

    // The picture with that id, or null.
    MemoryImage* Get(const std::string& id) const;
    std::size_t Loaded() const { return mImages.size(); }
    std::size_t Named() const { return mNamed; }

private:
    std::map<std::string, std::unique_ptr<MemoryImage>> mImages;
    std::size_t mNamed = 0;
};

} // namespace Kavo
