#include "framework/graphics/image_registry.h"

namespace Kavo {

void ImageRegistry::Register(MemoryImage* image) {
    std::lock_guard lock(mLock);
    mImages.insert(image);
}

void ImageRegistry::Unregister(MemoryImage* image) {
    std::lock_guard lock(mLock);
    mImages.erase(image);
    if (mHost != nullptr)
        mHost->RemoveTextures(image);
}

void ImageRegistry::AttachHost(ImageHost& host) {
    std::lock_guard lock(mLock);
    mHost = &host;
}

void ImageRegistry::DetachHost() {
    std::lock_guard lock(mLock);
    mHost = nullptr;
}

bool ImageRegistry::HasHost() const {
    std::lock_guard lock(mLock);
    return mHost != nullptr;
}

std::optional<DisplayPixelFormat> ImageRegistry::GetDisplayFormat() const {
    std::lock_guard lock(mLock);
    const DisplayPixelFormat* format = mHost != nullptr ? mHost->GetDisplayFormat() : nullptr;
    if (format == nullptr)
        return std::nullopt;
    return *format;
}

void ImageRegistry::RemoveTextures(MemoryImage* image) {
    std::lock_guard lock(mLock);
    if (mHost != nullptr)
        mHost->RemoveTextures(image);
}

bool ImageRegistry::ReadBackTexture(MemoryImage* image, uint32_t* dest) {
    std::lock_guard lock(mLock);
    return mHost != nullptr && mHost->ReadBackTexture(image, dest);
}

bool ImageRegistry::Contains(const MemoryImage* image) const {
    std::lock_guard lock(mLock);
    return mImages.count(const_cast<MemoryImage*>(image)) != 0;
}

size_t ImageRegistry::Count() const {
    std::lock_guard lock(mLock);
    return mImages.size();
}

void ImageRegistry::ForEachImage(const std::function<void(MemoryImage*)>& fn) const {
    std::lock_guard lock(mLock);
    for (MemoryImage* image : mImages)
        fn(image);
}

platform::ProcessSlot<ImageRegistry>& ImageRegistrySlot() {
    static platform::ProcessSlot<ImageRegistry> slot;
    return slot;
}

} // namespace Kavo
