#pragma once

#include <cstdint>

namespace Kavo {

class MemoryImage;

// The display's pixel layout: per channel a mask, its width in bits and the
// position of its lowest bit.
struct DisplayPixelFormat {
    uint32_t mRedMask = 0x00FF0000;
    uint32_t mGreenMask = 0x0000FF00;
    uint32_t mBlueMask = 0x000000FF;
    int32_t mRedBits = 8;
    int32_t mGreenBits = 8;
    int32_t mBlueBits = 8;
    int32_t mRedShift = 16;
    int32_t mGreenShift = 8;
    int32_t mBlueShift = 0;

    static constexpr DisplayPixelFormat Rgb888() { return {}; }
    static constexpr DisplayPixelFormat Rgb565() { return {0xF800, 0x07E0, 0x001F, 5, 6, 5, 11, 5, 0}; }
    static constexpr DisplayPixelFormat Rgb555() { return {0x7C00, 0x03E0, 0x001F, 5, 5, 5, 10, 5, 0}; }

    constexpr bool operator==(const DisplayPixelFormat&) const = default;
};

// What a memory image needs of the display and its 3D renderer. The display
// attaches itself to the image registry (image_registry.h) while it exists;
// images reach it only through the registry, under the registry's lock, so
// an image that outlives the display never calls it. These defaults stand
// for no display: no display format and no textures.
class ImageHost {
public:
    virtual ~ImageHost() = default;

    // Null while there is no display device.
    virtual const DisplayPixelFormat* GetDisplayFormat() const;

    // Lets the 3D renderer delete the image's texture data and clear its
    // pointer; nothing without a display.
    virtual void RemoveTextures(MemoryImage* image);

    // Copies the image's texture into dest (width x height ARGB words) when
    // the texture is still current (its change count equals the image's).
    virtual bool ReadBackTexture(MemoryImage* image, uint32_t* dest);
};

} // namespace Kavo
