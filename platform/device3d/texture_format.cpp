#include "platform/device3d/texture_format.h"

#include <initializer_list>

namespace platform {

PixelFormat DescribeTextureFormat(TextureFormat format) {
    switch (format) {
    case TextureFormat::Argb8888:
        return {kPixelRgb | kPixelAlphaPixels, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    case TextureFormat::Argb4444:
        return {kPixelRgb | kPixelAlphaPixels, 16, 0x0F00, 0x00F0, 0x000F, 0xF000};
    case TextureFormat::Rgb565:
        return {kPixelRgb, 16, 0xF800, 0x07E0, 0x001F, 0};
    case TextureFormat::Palette8:
        return {kPixelRgb | kPixelPalette8, 8, 0, 0, 0, 0};
    case TextureFormat::None:
        break;
    }
    return {};
}

TextureFormat ClassifyPixelFormat(const PixelFormat& format) {
    for (TextureFormat candidate :
         {TextureFormat::Argb8888, TextureFormat::Argb4444, TextureFormat::Rgb565, TextureFormat::Palette8}) {
        if (DescribeTextureFormat(candidate) == format) {
            return candidate;
        }
    }
    return TextureFormat::None;
}

int BytesPerTexel(TextureFormat format) {
    switch (format) {
    case TextureFormat::Argb8888:
        return 4;
    case TextureFormat::Argb4444:
    case TextureFormat::Rgb565:
        return 2;
    case TextureFormat::Palette8:
        return 1;
    case TextureFormat::None:
        break;
    }
    return 0;
}

} // namespace platform
