#include "framework/graphics/surface_readback.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/memory_image.h"

namespace Kavo {

namespace {

// Moves a channel mask so that its top bit lands on `targetBit`.
struct ChannelShift {
    uint32_t mMask;
    int mShift; // > 0 left, < 0 right

    ChannelShift(uint32_t mask, int targetBit) : mMask(mask) {
        int high = 0;
        for (int bit = 31; bit >= 1; --bit) {
            if (mask & (1u << bit)) {
                high = bit;
                break;
            }
        }
        mShift = targetBit - high;
    }

    uint32_t Apply(uint32_t pixel) const {
        const uint32_t value = pixel & mMask; // unsigned, so a right shift brings in zeros
        return mShift >= 0 ? value << mShift : value >> -mShift;
    }
};

template <typename Pixel>
void ReadRows(uint32_t* dest, int32_t destWidth, int32_t width, int32_t height, const LockedSurface& surface) {
    const ChannelShift red(surface.mRedMask, 23);
    const ChannelShift green(surface.mGreenMask, 15);
    const ChannelShift blue(surface.mBlueMask, 7);
    const auto* row = static_cast<const uint8_t*>(surface.mBits);
    for (int32_t y = 0; y < height; ++y, row += surface.mPitch, dest += destWidth) {
        for (int32_t x = 0; x < width; ++x) {
            Pixel pixel;
            std::memcpy(&pixel, row + size_t(x) * sizeof(Pixel), sizeof(Pixel));
            dest[x] = red.Apply(pixel) | green.Apply(pixel) | blue.Apply(pixel) | 0xFF000000u;
        }
    }
}

void ReadSurface(MemoryImage& image, const LockedSurface& surface, int bytesPerPixel) {
    uint32_t* bits = image.GetBits();
    ReadSurfacePixels(bits, image.mWidth, image.mHeight, surface, bytesPerPixel);
    image.BitsChanged();
}

} // namespace

void ReadSurfacePixels(uint32_t* dest, int32_t destWidth, int32_t destHeight, const LockedSurface& surface,
                       int bytesPerPixel) {
    if (!dest || !surface.mBits)
        return;
    const int32_t width = std::min(destWidth, surface.mWidth);
    const int32_t height = std::min(destHeight, surface.mHeight);
    if (bytesPerPixel == 4)
        ReadRows<uint32_t>(dest, destWidth, width, height, surface);
    else if (bytesPerPixel == 2)
        ReadRows<uint16_t>(dest, destWidth, width, height, surface);
}

void ReadSurface32(MemoryImage& image, const LockedSurface& surface) {
    ReadSurface(image, surface, 4);
}

void ReadSurface16(MemoryImage& image, const LockedSurface& surface) {
    ReadSurface(image, surface, 2);
}

} // namespace Kavo
