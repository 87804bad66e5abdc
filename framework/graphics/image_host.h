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

// What a memory image needs of the application and its display device.
// The application keeps the set of live images (guarded by the display
// lock) and forwards the texture calls to the 3D renderer. This base class
// is the host of images made before any application or display exists:
// nothing is registered, there is no display format and no 3D.
class ImageHost {
public:
    virtual ~ImageHost() = default;

    // Insert into and remove from the set of live memory images, under the
    // display lock. Removal also drops the image's textures when a display
    // exists.
    virtual void RegisterMemoryImage(MemoryImage* image);
    virtual void UnregisterMemoryImage(MemoryImage* image);

    // Null while there is no display device.
    virtual const DisplayPixelFormat* GetDisplayFormat() const;
    virtual bool IsDisplay3D() const;

    // Lets the 3D renderer delete the image's texture data and clear its
    // pointer; nothing without a display.
    virtual void RemoveTextures(MemoryImage* image);

    // Copies the image's texture into dest (width x height ARGB words) when
    // the texture is still current (its change count equals the image's).
    virtual bool ReadBackTexture(MemoryImage* image, uint32_t* dest);
};

// The host of images constructed without an explicit one. Never null: with
// nothing installed it is a shared plain ImageHost.
ImageHost* GetImageHost();
// Installs the process-wide host; null restores the plain one. Images keep
// the host they were made with, so the host must outlive them.
void SetImageHost(ImageHost* host);

} // namespace Kavo
