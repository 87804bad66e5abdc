#include "framework/graphics/image_host.h"

namespace Kavo {

const DisplayPixelFormat* ImageHost::GetDisplayFormat() const {
    return nullptr;
}

void ImageHost::RemoveTextures(MemoryImage*) {}

bool ImageHost::ReadBackTexture(MemoryImage*, uint32_t*) {
    return false;
}

} // namespace Kavo
