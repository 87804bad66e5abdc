#include "game/ui/game_resource_manager.h"

#include "framework/graphics/memory_image.h"
#include "game/ui/hardware_3d.h"

#include <memory>

namespace Game {

namespace {

bool Has(const std::string& attributes, const char* word) {
    return attributes.find(word) != std::string::npos;
}

// "nobits" on its own, not as the start of "nobits3d" or "nobits2d", which
// would otherwise free the pixels in the mode they exclude.
bool HasPlainNoBits(const std::string& attributes) {
    for (size_t at = attributes.find("nobits"); at != std::string::npos; at = attributes.find("nobits", at + 1)) {
        char next = at + 6 < attributes.size() ? attributes[at + 6] : '\0';
        if (next != '2' && next != '3')
            return true;
    }
    return false;
}

} // namespace

platform::ProcessSlot<GameResourceManager>& GameResourceManagerSlot() {
    static platform::ProcessSlot<GameResourceManager> slot;
    return slot;
}

bool GameResourceManager::AddImage(const std::string& imageFile, const std::string& alphaFile,
                                   const std::string& attributes) {
    if (mImageMap.count(imageFile) != 0)
        return true;
    auto record = std::make_unique<Kavo::ImageRes>();
    record->mId = imageFile;
    record->mPath = imageFile;
    if (!alphaFile.empty())
        record->mAlphaImage = alphaFile;
    // Each word counts wherever it stands in the text.
    record->mPalletize = !Has(attributes, "nopal");
    record->mA4R4G4B4 = Has(attributes, "a4r4g4b4");
    record->mA8R8G8B8 = Has(attributes, "a8r8g8b8");
    record->mDDSurface = Has(attributes, "ddsurface");
    record->mMinimizeSubdivisions = Has(attributes, "minsubdivide");
    const bool is3D = HasServices() ? Services().UsesHardware3D() : UsesHardware3D();
    record->mPurgeBits =
        HasPlainNoBits(attributes) || (Has(attributes, "nobits3d") && is3D) || (Has(attributes, "nobits2d") && !is3D);
    for (const char* word : {"nopal", "a4r4g4b4", "ddsurface", "nobits", "a8r8g8b8", "minsubdivide", "noalpha"}) {
        if (Has(attributes, word))
            record->mXMLAttributes[word] = "";
    }
    mImageMap[imageFile] = std::move(record);
    return true;
}

Kavo::Image* GameResourceManager::GetImageById(const std::string& id) {
    return GetImage(id).GetImage();
}

Kavo::Image* GameResourceManager::LoadImageWithFlags(const std::string& name, const std::string& flags) {
    AddImage(name, "", flags);
    return GetImageById(name);
}

} // namespace Game
