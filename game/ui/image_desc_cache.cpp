#include "game/ui/image_desc_cache.h"

#include "game/ui/game_resource_manager.h"
#include "game/ui/ini_document.h"

namespace Game {

namespace {

void RegisterImage(ImageDesc& desc) {
    if (std::shared_ptr<GameResourceManager> manager = GameResourceManagerSlot().Get())
        manager->AddImage(desc.mImageFile, desc.mAlphaFile, desc.mAttributes);
}

void FetchImage(ImageDesc& desc) {
    if (desc.mImage != nullptr)
        return;
    if (std::shared_ptr<GameResourceManager> manager = GameResourceManagerSlot().Get())
        desc.mImage = manager->GetImageById(desc.mImageFile);
}

template <typename Loader>
ImageDesc* Lookup(const std::string& name, bool loadImage, bool applyFlags, Loader load) {
    std::shared_ptr<ImageDescCache> cache = ImageDescCacheSlot().Get();
    if (cache == nullptr)
        return nullptr;
    ImageDesc* desc = cache->Find(name);
    bool isNew = false;
    if (desc == nullptr) {
        auto loaded = std::make_unique<ImageDesc>();
        if (!load(*loaded))
            return nullptr;
        desc = cache->Add(name, std::move(loaded));
        isNew = true;
    }
    if ((isNew && applyFlags) || (!isNew && desc->mImage == nullptr))
        RegisterImage(*desc);
    if (loadImage)
        FetchImage(*desc);
    return desc;
}

} // namespace

platform::ProcessSlot<ImageDescCache>& ImageDescCacheSlot() {
    static platform::ProcessSlot<ImageDescCache> slot;
    return slot;
}

ImageDesc* ImageDescCache::Find(const std::string& name) const {
    auto it = mDescs.find(name);
    return it == mDescs.end() ? nullptr : it->second.get();
}

ImageDesc* ImageDescCache::Add(const std::string& name, std::unique_ptr<ImageDesc> desc) {
    auto [it, inserted] = mDescs.emplace(name, std::move(desc));
    if (inserted)
        it->second->mName = name;
    return it->second.get();
}

void ImageDescCache::BindImages() {
    for (auto& [name, desc] : mDescs) {
        if (desc->mImage == nullptr) {
            RegisterImage(*desc);
            FetchImage(*desc);
        }
    }
}

ImageDesc* FindImageDesc(const std::string& name) {
    std::shared_ptr<ImageDescCache> cache = ImageDescCacheSlot().Get();
    return cache == nullptr ? nullptr : cache->Find(name);
}

ImageDesc* GetImageDescByName(const std::string& name, bool loadImage, bool applyFlags) {
    return Lookup(name, loadImage, applyFlags, [&](ImageDesc& desc) { return desc.LoadFile(name); });
}

ImageDesc* GetImageDescBySection(const std::string& key, const IniSection& section, bool loadImage, bool applyFlags) {
    return Lookup(key, loadImage, applyFlags, [&](ImageDesc& desc) { return desc.LoadFromSection(section); });
}

void PreloadImageDescs(const std::string& path, bool loadImage, bool applyFlags) {
    std::shared_ptr<ImageDescCache> cache = ImageDescCacheSlot().Get();
    if (cache == nullptr)
        return;
    IniDocument doc;
    doc.Load(path, true);
    const bool single = doc.GetSectionCount() == 1;
    for (auto it = doc.Begin(); it != doc.End(); ++it) {
        const std::string key = single ? path : std::string(it.Name());
        ImageDesc* desc = cache->Find(key);
        if (desc == nullptr) {
            auto loaded = std::make_unique<ImageDesc>();
            if (!loaded->LoadFromSection(it.Value()))
                continue;
            desc = cache->Add(key, std::move(loaded));
        }
        if (applyFlags) {
            RegisterImage(*desc);
            if (loadImage)
                FetchImage(*desc);
        }
    }
}

} // namespace Game
