#include "framework/graphics/d3d_interface.h"

#include "framework/graphics/memory_image.h"

namespace Kavo {

bool D3DInterface::Init(platform::Display*, platform::WindowHandle, int, int, platform::Surface*, bool) {
    mSceneBegun = false;
    return true;
}

void D3DInterface::Cleanup() {
    mSceneBegun = false;
}

void D3DInterface::RemoveMemoryImage(MemoryImage* image) {
    // Texture data is made only by the drawing renderer, which this one is
    // not yet; an image can therefore hold none to free.
    if (image != nullptr)
        image->mTextureData = nullptr;
}

bool D3DInterface::ReadBackTexture(MemoryImage*, uint32_t*) {
    return false;
}

} // namespace Kavo
