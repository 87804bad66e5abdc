// The application and the live memory images: the walks over the image
// registry, and the display's format and textures as the images' host.
#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/memory_image.h"

namespace Kavo {

void KavoAppBase::RegisterMemoryImage(MemoryImage* image) {
    mImageRegistry->Register(image);
}

void KavoAppBase::UnregisterMemoryImage(MemoryImage* image) {
    mImageRegistry->Unregister(image);
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
    return mImageRegistry->Count();
}

bool KavoAppBase::HasMemoryImage(MemoryImage* image) {
    return mImageRegistry->Contains(image);
}

void KavoAppBase::ReapplyImageStorageFlags() {
    mImageRegistry->ForEachImage([](MemoryImage* image) { image->ReapplyStorageFlags(); });
}

void KavoAppBase::DropAllSoftwareCaches() {
    mImageRegistry->ForEachImage([](MemoryImage* image) { image->DropSoftwareCachesB(); });
}

void KavoAppBase::DropAllDerivedBuffers() {
    mImageRegistry->ForEachImage([](MemoryImage* image) { image->DropDerivedBuffers(); });
}

} // namespace Kavo
