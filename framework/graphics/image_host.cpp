#include "framework/graphics/image_host.h"

#include <atomic>

namespace Kavo {

void ImageHost::RegisterMemoryImage(MemoryImage*) {}

void ImageHost::UnregisterMemoryImage(MemoryImage*) {}

const DisplayPixelFormat* ImageHost::GetDisplayFormat() const {
    return nullptr;
}

bool ImageHost::IsDisplay3D() const {
    return false;
}

void ImageHost::RemoveTextures(MemoryImage*) {}

bool ImageHost::ReadBackTexture(MemoryImage*, uint32_t*) {
    return false;
}

namespace {

std::atomic<ImageHost*> gInstalledHost{nullptr};

// Function-local so that images built during static initialisation find it.
ImageHost* PlainHost() {
    static ImageHost plain;
    return &plain;
}

} // namespace

ImageHost* GetImageHost() {
    ImageHost* host = gInstalledHost.load(std::memory_order_acquire);
    return host ? host : PlainHost();
}

void SetImageHost(ImageHost* host) {
    gInstalledHost.store(host, std::memory_order_release);
}

} // namespace Kavo
