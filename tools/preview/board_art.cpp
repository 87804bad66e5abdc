#include "tools/preview/board_art.h"

#include "framework/resource/resource_manager.h"

namespace Kavo {

namespace {

// The manifest ids of the pictures the board widget draws.
constexpr const char* kBoardPictures[] = {"PREVIEW_BACKGROUND", "PREVIEW_LOGO",      "PREVIEW_ITEMS",
                                          "PREVIEW_TILE",       "PREVIEW_SELECTION", "PREVIEW_GLOW"};

} // namespace

bool BoardArt::Load(ResourceManager& manager, std::string& error, std::string& missing) {
    if (!manager.LoadManifest("properties/resources.xml")) {
        error = manager.GetErrorText();
        return false;
    }
    mNamed = std::size(kBoardPictures);
    for (const char* id : kBoardPictures) {
        SharedImageHandle image = manager.GetImage(id);
        if (image.GetImage() != nullptr)
            mImages[id] = image;
        else
            missing += (missing.empty() ? "" : ", ") + std::string(id);
    }
    // The manager keeps its first error: the reason for the first picture missing.
    if (!missing.empty())
        missing += " (" + manager.GetErrorText() + ")";
    return true;
}

MemoryImage* BoardArt::Get(const std::string& id) const {
    auto it = mImages.find(id);
    return it == mImages.end() ? nullptr : it->second.GetImage();
}

} // namespace Kavo
