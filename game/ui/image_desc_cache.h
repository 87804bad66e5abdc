#pragma once
// The image descriptions of the whole run, by name (case-sensitive). The
// application installs one cache in its slot; the lookups below use it and
// give null while none is installed.

#include "game/ui/image_desc.h"
#include "platform/process_slot.h"

#include <map>
#include <memory>
#include <string>

namespace Game {

class IniSection;

class ImageDescCache {
public:
    ImageDesc* Find(const std::string& name) const;
    // Stores `desc` under `name` (its name too) unless the name is taken;
    // gives the stored description.
    ImageDesc* Add(const std::string& name, std::unique_ptr<ImageDesc> desc);
    size_t GetCount() const { return mDescs.size(); }
    // Gives every description without an image its image from the game
    // resource manager (registered first).
    void BindImages();

private:
    std::map<std::string, std::unique_ptr<ImageDesc>> mDescs;
};

platform::ProcessSlot<ImageDescCache>& ImageDescCacheSlot();

// Find-only: the cached description of that name, or null.
ImageDesc* FindImageDesc(const std::string& name);
// From the cache, else loaded from the file `name` (its section "Main") and
// stored. A new description with applyFlags, or a cached one without an
// image, registers its image with the game resource manager; loadImage then
// fetches it. Null when the file gives no description.
ImageDesc* GetImageDescByName(const std::string& name, bool loadImage, bool applyFlags);
// The same, building a new description from `section` under `key`.
ImageDesc* GetImageDescBySection(const std::string& key, const IniSection& section, bool loadImage, bool applyFlags);
// Stores every section of the file that the cache lacks: under the path
// itself when the file has one section, else under the section name.
void PreloadImageDescs(const std::string& path, bool loadImage, bool applyFlags);

} // namespace Game
