#pragma once
// A managed texture: texels kept in memory in one of the enumerated formats,
// locked for writing or reading like a surface. The rasteriser reads an ARGB
// copy that is converted again only after a write lock or a palette change.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/device3d/texture_format.h"
#include "platform/device3d/texture_palette.h"
#include "platform/result_codes.h"
#include "platform/surface/surface_flags.h"

namespace platform {

// Lock flags (DDLOCK_* values).

struct LockedTexture {
    void* bits = nullptr;
    int pitch = 0; // bytes from one row to the next
    int width = 0;
    int height = 0;
    TextureFormat format = TextureFormat::None;
};

class Texture {
public:
    // A negative size counts as 0; devices check sizes against their caps.
    Texture(int width, int height, TextureFormat format);

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    TextureFormat Format() const { return mFormat; }
    int Pitch() const { return mPitch; }

    // One lock at a time: a second lock fails with DDERR_SURFACEBUSY, an
    // unlock without a lock with DDERR_NOTLOCKED.
    HResult Lock(std::uint32_t flags, LockedTexture& out);
    HResult Unlock();
    bool IsLocked() const { return mLocked; }

    // Only an 8-bit texture takes a palette (DDERR_NOTPALETTIZED otherwise).
    HResult SetPalette(std::shared_ptr<TexturePalette> palette);
    const std::shared_ptr<TexturePalette>& GetPalette() const { return mPalette; }

    // The texels as packed ARGB, Width() to a row. Four-bit and 5/6-bit
    // channels widen by repeating their top bits; 8-bit texels go through the
    // palette (transparent black without one).
    const std::uint32_t* Argb() const;

private:
    void Convert() const;

    int mWidth;
    int mHeight;
    TextureFormat mFormat;
    int mPitch;
    std::vector<std::uint8_t> mTexels;
    std::shared_ptr<TexturePalette> mPalette;
    bool mLocked = false;
    bool mLockedForWriting = false;

    mutable std::vector<std::uint32_t> mArgb;
    mutable bool mArgbStale = true;
    mutable const TexturePalette* mConvertedPalette = nullptr;
    mutable std::uint32_t mConvertedPaletteVersion = 0;
};

} // namespace platform
