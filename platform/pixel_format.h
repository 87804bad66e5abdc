#pragma once
// The layout of a surface's or a frame's pixels: bits per pixel and the
// channel masks.

#include <cstdint>

namespace platform {

// Pixel-format flags.
inline constexpr std::uint32_t kPixelAlphaPixels = 0x00000001;
inline constexpr std::uint32_t kPixelRgb = 0x00000040;

struct PixelFormat {
    std::uint32_t flags = kPixelRgb;
    std::uint32_t bitCount = 32;
    std::uint32_t redMask = 0x00FF0000;
    std::uint32_t greenMask = 0x0000FF00;
    std::uint32_t blueMask = 0x000000FF;
    std::uint32_t alphaMask = 0;

    static constexpr PixelFormat Xrgb8888() { return {}; }
    static constexpr PixelFormat Xbgr8888() { return {kPixelRgb, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0}; }
    static constexpr PixelFormat Rgb565() { return {kPixelRgb, 16, 0xF800, 0x07E0, 0x001F, 0}; }
    static constexpr PixelFormat Bgr565() { return {kPixelRgb, 16, 0x001F, 0x07E0, 0xF800, 0}; }
    static constexpr PixelFormat Rgb555() { return {kPixelRgb, 16, 0x7C00, 0x03E0, 0x001F, 0}; }
    // A desktop depth that surfaces can be made in but the game refuses.
    static constexpr PixelFormat Rgb888() { return {kPixelRgb, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0}; }

    int BytesPerPixel() const { return static_cast<int>(bitCount / 8); }
    bool operator==(const PixelFormat&) const = default;
};

} // namespace platform
