#include "game/ui/resource_manager_adapter.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/font.h"
#include "framework/graphics/memory_image.h"

namespace Game {

Kavo::SharedImageHandle ResourceManagerAdapter::RequireImage(const std::string& id) {
    auto it = mImageMap.find(id);
    if (it == mImageMap.end() || it->second->mImage.GetImage() == nullptr) {
        Fail("Image resource not found: " + id);
        throw ResourceManagerException(GetErrorText());
    }
    return it->second->mImage;
}

Kavo::Font* ResourceManagerAdapter::RequireFont(const std::string& id) {
    auto it = mFontMap.find(id);
    if (it == mFontMap.end() || it->second == nullptr) {
        Fail("Font resource not found: " + id);
        throw ResourceManagerException(GetErrorText());
    }
    return it->second.get();
}

int ResourceManagerAdapter::RequireSound(const std::string& id) {
    auto it = mSoundMap.find(id);
    if (it == mSoundMap.end() || it->second < 0) {
        Fail("Sound resource not found: " + id);
        throw ResourceManagerException(GetErrorText());
    }
    return it->second;
}

Kavo::SharedImageHandle ResourceManagerAdapter::GetImage(const std::string& id) {
    auto it = mImageMap.find(id);
    if (it == mImageMap.end())
        return Kavo::SharedImageHandle();
    ImageRes& record = *it->second;
    if (record.mImage.GetImage() == nullptr && !LoadImageRecord(record))
        return Kavo::SharedImageHandle();
    return record.mImage;
}

bool ResourceManagerAdapter::LoadImageRecord(ImageRes& record) {
    if (!HasServices())
        return Fail("Failed to load image: " + record.mPath);
    Kavo::SharedImageHandle image = Services().GetSharedImage(record.mPath, record.mVariant, nullptr);
    if (image.GetImage() == nullptr)
        return Fail("Failed to load image: " + record.mPath);
    record.mImage = image;
    return true;
}

void ResourceManagerAdapter::AddLoadedImage(const std::string& id, const std::string& group,
                                            Kavo::SharedImageHandle image) {
    auto record = std::make_unique<ImageRes>();
    record->mId = id;
    record->mGroup = group;
    record->mPath = id;
    record->mImage = std::move(image);
    mImageMap[id] = std::move(record);
}

void ResourceManagerAdapter::AddLoadedFont(const std::string& id, const std::string&,
                                           std::unique_ptr<Kavo::Font> font) {
    mFontMap[id] = std::move(font);
}

void ResourceManagerAdapter::AddLoadedSound(const std::string& id, const std::string&, int soundId) {
    mSoundMap[id] = soundId;
}

} // namespace Game
