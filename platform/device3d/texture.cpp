#include "platform/device3d/texture.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform {

namespace {

std::uint32_t Widen4444(std::uint32_t t) {
    const std::uint32_t a = (t >> 12) & 0xF;
    const std::uint32_t r = (t >> 8) & 0xF;
    const std::uint32_t g = (t >> 4) & 0xF;
    const std::uint32_t b = t & 0xF;
    return (a * 17) << 24 | (r * 17) << 16 | (g * 17) << 8 | (b * 17);
}

std::uint32_t Widen565(std::uint32_t t) {
    const std::uint32_t r = (t >> 11) & 0x1F;
    const std::uint32_t g = (t >> 5) & 0x3F;
    const std::uint32_t b = t & 0x1F;
    return 0xFF000000u | ((r << 3) | (r >> 2)) << 16 | ((g << 2) | (g >> 4)) << 8 | ((b << 3) | (b >> 2));
}

} // namespace

Texture::Texture(int width, int height, TextureFormat format)
    : mWidth(std::max(width, 0)), mHeight(std::max(height, 0)), mFormat(format), mPitch(mWidth * BytesPerTexel(format)),
      mTexels(static_cast<std::size_t>(mPitch) * static_cast<std::size_t>(mHeight)),
      mArgb(static_cast<std::size_t>(mWidth) * static_cast<std::size_t>(mHeight)) {}

HResult Texture::Lock(std::uint32_t flags, LockedTexture& out) {
    if (mLocked) {
        return DDERR_SURFACEBUSY;
    }
    mLocked = true;
    mLockedForWriting = (flags & kLockReadOnly) == 0;
    out = {mTexels.data(), mPitch, mWidth, mHeight, mFormat};
    return DD_OK;
}

HResult Texture::Unlock() {
    if (!mLocked) {
        return DDERR_NOTLOCKED;
    }
    mLocked = false;
    if (mLockedForWriting) {
        mArgbStale = true;
    }
    return DD_OK;
}

HResult Texture::SetPalette(std::shared_ptr<TexturePalette> palette) {
    if (mFormat != TextureFormat::Palette8) {
        return DDERR_NOTPALETTIZED;
    }
    mPalette = std::move(palette);
    mArgbStale = true;
    return DD_OK;
}

const std::uint32_t* Texture::Argb() const {
    if (mArgbStale ||
        (mPalette && (mPalette.get() != mConvertedPalette || mPalette->Version() != mConvertedPaletteVersion))) {
        Convert();
    }
    return mArgb.data();
}

void Texture::Convert() const {
    std::uint32_t* out = mArgb.data();
    for (int y = 0; y < mHeight; ++y) {
        const std::uint8_t* row = mTexels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(mPitch);
        for (int x = 0; x < mWidth; ++x) {
            std::uint32_t texel = 0;
            switch (mFormat) {
            case TextureFormat::Argb8888:
                std::memcpy(&texel, row + x * 4, 4);
                break;
            case TextureFormat::Argb4444: {
                std::uint16_t t = 0;
                std::memcpy(&t, row + x * 2, 2);
                texel = Widen4444(t);
                break;
            }
            case TextureFormat::Rgb565: {
                std::uint16_t t = 0;
                std::memcpy(&t, row + x * 2, 2);
                texel = Widen565(t);
                break;
            }
            case TextureFormat::Palette8:
                texel = mPalette ? mPalette->Argb(row[x]) : 0;
                break;
            case TextureFormat::None:
                break;
            }
            *out++ = texel;
        }
    }
    mArgbStale = false;
    mConvertedPalette = mPalette.get();
    mConvertedPaletteVersion = mPalette ? mPalette->Version() : 0;
}

} // namespace platform
