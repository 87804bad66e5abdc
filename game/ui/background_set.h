#pragma once
// The background pictures of "data/backs.spr": one image description per
// section, found in the description cache by the section's name.

#include <map>
#include <string>

namespace Game {

class ImageDesc;

class BackgroundSet {
public:
    void Load(const std::string& path);
    // The description of that section, or null.
    ImageDesc* Get(const std::string& name) const;

    std::map<std::string, ImageDesc*> mDescs; // owned by the cache
    int mCurrent = 0;
    int mCount = 0;
};

} // namespace Game
