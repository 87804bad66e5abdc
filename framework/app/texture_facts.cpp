#include "framework/app/texture_facts.h"

#include "framework/graphics/memory_image.h"
#include "framework/graphics/texture_data.h"

#include <algorithm>

namespace Kavo {

std::optional<TextureFacts> RendererTextureFacts(const MemoryImage& image) {
    if (image.mTextureData == nullptr)
        return std::nullopt;
    // The format's value is its report code.
    return TextureFacts{uint64_t(std::max(0, image.mTextureData->mTexMemSize)),
                        int32_t(image.mTextureData->mPixelFormat)};
}

std::string TextureFormatName(int32_t formatCode) {
    switch (formatCode) {
    case 1:
        return "A8R8G8B8";
    case 2:
        return "A4R4G4B4";
    case 4:
        return "R5G6B5";
    case 8:
        return "Palette8";
    default:
        return "";
    }
}

} // namespace Kavo
