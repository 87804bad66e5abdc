#pragma once
// What the diagnostic reports need to know of an image's 3D texture: its
// byte size and its pixel format code (1 A8R8G8B8, 2 A4R4G4B4, 4 R5G6B5,
// 8 Palette8). The renderer owns the texture records; the application asks
// through a reader; the application's default reads the renderer's texture
// record of the image. With no reader set, no image counts as holding a
// texture.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace Kavo {

class MemoryImage;

struct TextureFacts {
    uint64_t bytes = 0;
    int32_t formatCode = 0;
};

// Empty for an image without texture data.
using TextureFactsReader = std::function<std::optional<TextureFacts>(const MemoryImage&)>;

// The renderer's record of the image: its texture bytes and format code.
std::optional<TextureFacts> RendererTextureFacts(const MemoryImage& image);

// The format codes in report order, and their names.
inline constexpr int32_t kTextureFormatCodes[] = {1, 2, 4, 8};
// "A8R8G8B8", "A4R4G4B4", "R5G6B5", "Palette8"; "" for any other code.
std::string TextureFormatName(int32_t formatCode);

} // namespace Kavo
