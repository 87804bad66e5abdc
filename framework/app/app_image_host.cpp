// The application as host of the memory images: the set of live images
// under the display lock, and the display's format, 3D state and textures.
#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/memory_image.h"

namespace Kavo {

void KavoAppBase::RegisterMemoryImage(MemoryImage* image) {
    platform::AutoCrit guard(mDisplayLock);
    mMemoryImageSet.insert(image);
}

void KavoAppBase::UnregisterMemoryImage(MemoryImage* image) {
    platform::AutoCrit guard(mDisplayLock);
    mMemoryImageSet.erase(image);
    RemoveTextures(image);
}

const DisplayPixelFormat* KavoAppBase::GetDisplayFormat() const {
    if (mDDInterface == nullptr || !mDDInterface->mInitialized)
        return nullptr;
    return &mDDInterface->GetPixelFormat();
}

bool KavoAppBase::IsDisplay3D() const {
    return mDDInterface != nullptr && mDDInterface->mIs3D;
}

void KavoAppBase::RemoveTextures(MemoryImage* image) {
    if (mDDInterface != nullptr && mDDInterface->mD3DInterface != nullptr)
        mDDInterface->mD3DInterface->RemoveMemoryImage(image);
}

bool KavoAppBase::ReadBackTexture(MemoryImage* image, uint32_t* dest) {
    if (mDDInterface == nullptr || mDDInterface->mD3DInterface == nullptr)
        return false;
    return mDDInterface->mD3DInterface->ReadBackTexture(image, dest);
}

size_t KavoAppBase::GetMemoryImageCount() {
    platform::AutoCrit guard(mDisplayLock);
    return mMemoryImageSet.size();
}

bool KavoAppBase::HasMemoryImage(MemoryImage* image) {
    platform::AutoCrit guard(mDisplayLock);
    return mMemoryImageSet.count(image) != 0;
}

void KavoAppBase::ReapplyImageStorageFlags() {
    for (MemoryImage* image : mMemoryImageSet)
        image->ReapplyStorageFlags();
}

void KavoAppBase::DropAllSoftwareCaches() {
    for (MemoryImage* image : mMemoryImageSet)
        image->DropSoftwareCachesB();
}

void KavoAppBase::DropAllDerivedBuffers() {
    platform::AutoCrit guard(mDisplayLock);
    for (MemoryImage* image : mMemoryImageSet)
        image->DropDerivedBuffers();
}

} // namespace Kavo
