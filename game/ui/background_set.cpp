#include "game/ui/background_set.h"

#include "game/ui/image_desc_cache.h"
#include "game/ui/ini_document.h"

namespace Game {

void BackgroundSet::Load(const std::string& path) {
    PreloadImageDescs(path, false, false);
    IniDocument doc;
    doc.Load(path, true);
    for (auto it = doc.Begin(); it != doc.End(); ++it)
        mDescs[it.Name()] = FindImageDesc(it.Name());
    mCurrent = 0;
    mCount = 0;
}

ImageDesc* BackgroundSet::Get(const std::string& name) const {
    auto it = mDescs.find(name);
    return it == mDescs.end() ? nullptr : it->second;
}

} // namespace Game
