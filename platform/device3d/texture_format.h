#pragma once
// Texture formats a device enumerates, as pixel-format descriptions (flags,
// bit count, masks) and as the short codes the renderer keeps in a bit set.

#include <cstdint>

namespace platform {

enum class TextureFormat : std::uint32_t {
    None = 0,
    Argb8888 = 1,
    Argb4444 = 2,
    Rgb565 = 4,
    Palette8 = 8,
};

// Pixel-format flags (DDPF_* values).
inline constexpr std::uint32_t kPixelFormatAlphaPixels = 0x1;
inline constexpr std::uint32_t kPixelFormatPalette8 = 0x20;
inline constexpr std::uint32_t kPixelFormatRgb = 0x40;

struct PixelFormat {
    std::uint32_t flags = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t alphaMask = 0;
    bool operator==(const PixelFormat&) const = default;
};

// The exact description of each format.
PixelFormat DescribeTextureFormat(TextureFormat format);
// The format whose description matches exactly (flags, bit count and every
// mask), or None.
TextureFormat ClassifyPixelFormat(const PixelFormat& format);
// Bytes per texel: 4, 2, 2, 1; 0 for None.
int BytesPerTexel(TextureFormat format);

} // namespace platform
