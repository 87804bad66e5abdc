#pragma once
// Texture formats a device enumerates, as pixel-format descriptions (flags,
// bit count, masks) and as the short codes the renderer keeps in a bit set.

#include <cstdint>

#include "platform/pixel_format.h"

namespace platform {

enum class TextureFormat : std::uint32_t {
    None = 0,
    Argb8888 = 1,
    Argb4444 = 2,
    Rgb565 = 4,
    Palette8 = 8,
};

// The exact description of each format.
PixelFormat DescribeTextureFormat(TextureFormat format);
// The format whose description matches exactly (flags, bit count and every
// mask), or None.
TextureFormat ClassifyPixelFormat(const PixelFormat& format);
// Bytes per texel: 4, 2, 2, 1; 0 for None.
int BytesPerTexel(TextureFormat format);

} // namespace platform
