#include "platform/surface/pixel_format.h"

namespace platform {

HResult ValidatePixelFormat(const PixelFormat& format) {
    if (format.bitCount != 16 && format.bitCount != 24 && format.bitCount != 32) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    const std::uint32_t fits = format.bitCount == 32 ? 0xFFFFFFFFu : (1u << format.bitCount) - 1;
    const std::uint32_t masks[] = {format.redMask, format.greenMask, format.blueMask, format.alphaMask};
    std::uint32_t seen = 0;
    for (int i = 0; i < 4; ++i) {
        const bool required = i < 3;
        if ((required && masks[i] == 0) || (masks[i] & ~fits) != 0 || (masks[i] & seen) != 0) {
            return DDERR_INVALIDPIXELFORMAT;
        }
        seen |= masks[i];
    }
    return DD_OK;
}

PixelFormat FormatForDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 16:
        return PixelFormat::Rgb565();
    case 24:
        return PixelFormat::Rgb888();
    default:
        return PixelFormat::Xrgb8888();
    }
}

} // namespace platform
