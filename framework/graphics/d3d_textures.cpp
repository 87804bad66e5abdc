// The renderer's texture pieces: their sizes, the format an image gets,
// filling them from the image, and reading them back.
#include <algorithm>
#include <cstring>

#include "framework/graphics/d3d_interface.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/texture_data.h"

namespace Kavo {

namespace {

int32_t NextPowerOfTwo(int32_t size) {
    int32_t p = 1;
    while (p < size)
        p <<= 1;
    return p;
}

bool IsPowerOfTwo(int32_t value) {
    return value > 0 && (value & (value - 1)) == 0;
}

uint32_t ToTexel(uint32_t argb, platform::TextureFormat format) {
    switch (format) {
    case platform::TextureFormat::Argb4444:
        return (argb >> 16 & 0xF000) | (argb >> 12 & 0x0F00) | (argb >> 8 & 0x00F0) | (argb >> 4 & 0x000F);
    case platform::TextureFormat::Rgb565:
        return (argb >> 8 & 0xF800) | (argb >> 5 & 0x07E0) | (argb >> 3 & 0x001F);
    default:
        return argb;
    }
}

// 565 and 4444 fields go back to the top of their byte. A 4444 texel keeps
// its transparency: alpha comes back as nibble x 17, so 0 and 15 stay fully
// transparent and opaque.
uint32_t FromTexel(uint32_t texel, platform::TextureFormat format) {
    switch (format) {
    case platform::TextureFormat::Argb4444:
        return ((texel >> 12 & 0xF) * 17) << 24 | (texel >> 8 & 0xF) << 20 | (texel >> 4 & 0xF) << 12 |
               (texel & 0xF) << 4;
    case platform::TextureFormat::Rgb565:
        return 0xFF000000u | (texel >> 11 & 0x1F) << 19 | (texel >> 5 & 0x3F) << 10 | (texel & 0x1F) << 3;
    default:
        return texel;
    }
}

void WriteTexel(uint8_t* row, int x, uint32_t texel, int bytes) {
    if (bytes == 4) {
        std::memcpy(row + x * 4, &texel, 4);
    } else if (bytes == 2) {
        const auto value = static_cast<uint16_t>(texel);
        std::memcpy(row + x * 2, &value, 2);
    } else {
        row[x] = static_cast<uint8_t>(texel);
    }
}

uint32_t ReadTexel(const uint8_t* row, int x, int bytes) {
    if (bytes == 4) {
        uint32_t value = 0;
        std::memcpy(&value, row + x * 4, 4);
        return value;
    }
    if (bytes == 2) {
        uint16_t value = 0;
        std::memcpy(&value, row + x * 2, 2);
        return value;
    }
    return row[x];
}

} // namespace

int32_t PieceSizeTable(int32_t size) {
    int32_t p = NextPowerOfTwo(std::max(size, 0));
    if (p - size > 64) {
        while (p > 1 && size % p >= 64 && !IsPowerOfTwo(size % p))
            p >>= 1;
    }
    return p;
}

void GetTextureSize(const TextureLimits& limits, int32_t& width, int32_t& height, bool edgeX, bool edgeY,
                    uint32_t imageFlags) {
    if (imageFlags & kTextureHintPieces64) {
        width = height = 64;
        return;
    }
    auto one = [&](int32_t size, int32_t maximum, bool edge) {
        if (size >= maximum)
            return maximum;
        if (!edge && !(imageFlags & kTextureHintMinimizeSubdivisions))
            return PieceSizeTable(size);
        return NextPowerOfTwo(size);
    };
    width = std::max(one(width, limits.mMaxWidth, edgeX), limits.mMinWidth);
    height = std::max(one(height, limits.mMaxHeight, edgeY), limits.mMinHeight);
    const int64_t aspect = limits.mMaxAspectRatio;
    while (width > aspect * height)
        height <<= 1;
    while (height > aspect * width)
        width <<= 1;
}

platform::TextureFormat D3DInterface::ChooseFormat(MemoryImage* image) {
    using platform::TextureFormat;
    auto supported = [&](TextureFormat f) { return (mSupportedFormats & static_cast<uint32_t>(f)) != 0; };
    image->UpdateAlphaFlags();
    TextureFormat format = TextureFormat::Argb8888;
    if (!image->mHasAlpha && !image->mHasTrans && supported(TextureFormat::Rgb565) &&
        !(image->mTextureHints & kTextureHint8888))
        format = TextureFormat::Rgb565;
    else if (image->mColorTable && image->mColorIndices && supported(TextureFormat::Palette8))
        format = TextureFormat::Palette8;
    if (format == TextureFormat::Argb8888 &&
        (((image->mTextureHints & kTextureHint4444) && supported(TextureFormat::Argb4444)) ||
         !supported(TextureFormat::Argb8888)))
        format = TextureFormat::Argb4444;
    return format;
}

bool D3DInterface::CreateImageTexture(MemoryImage* image) {
    if (image == nullptr || mDevice == nullptr)
        return false;
    if (image->mTextureData == nullptr) {
        const SetLock guard(mLock);
        image->mTextureData = new TextureData;
        mImageSet.insert(image);
    }
    TextureData& data = *image->mTextureData;
    if (data.mPixelFormat != platform::TextureFormat::None && data.mWidth == image->mWidth &&
        data.mHeight == image->mHeight && data.mBitsChangedCount == image->mBitsChangedCount &&
        data.mImageFlags == image->mTextureHints)
        return true;

    const bool purge = image->mPurgeBits;
    // A palettised image is uploaded from its indices; any other from its
    // pixels, which are brought back (from the old pieces, too) before
    // those are released.
    const platform::TextureFormat format = ChooseFormat(image);
    const uint32_t* bits = format != platform::TextureFormat::Palette8 ? image->GetBits() : nullptr;
    data.mPixelFormat = format;
    if (!BuildPieces(image, data, bits))
        return false;
    if (purge)
        image->SetPurgeBits();
    return data.mPixelFormat != platform::TextureFormat::None;
}

bool D3DInterface::BuildPieces(MemoryImage* image, TextureData& data, const uint32_t* bits) {
    using platform::TextureFormat;
    SetTexture(nullptr, "SetTexture NULL");
    data.mPieces.clear();
    data.mPalette.reset();
    data.mTexMemSize = 0;
    data.mWidth = image->mWidth;
    data.mHeight = image->mHeight;
    data.mBitsChangedCount = image->mBitsChangedCount;
    data.mImageFlags = image->mTextureHints;

    if (data.mPixelFormat == TextureFormat::Palette8) {
        std::array<platform::PaletteEntry, platform::TexturePalette::kEntryCount> entries{};
        for (int i = 0; i < 256; ++i) {
            const uint32_t c = image->mColorTable[size_t(i)];
            entries[size_t(i)] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)};
        }
        if (platform::Failed(mDevice->CreatePalette(true, entries, data.mPalette))) {
            // Palettes with alpha do not work on this device: none from now on.
            mSupportedFormats &= ~static_cast<uint32_t>(TextureFormat::Palette8);
            data.mPixelFormat = ChooseFormat(image);
            bits = image->GetBits();
        } else {
            data.mTexMemSize += 1024;
        }
    }

    if (image->mWidth <= 0 || image->mHeight <= 0) {
        data.mPixelFormat = TextureFormat::None;
        return false;
    }
    int32_t pw = image->mWidth;
    int32_t ph = image->mHeight;
    GetTextureSize(mLimits, pw, ph, false, false, image->mTextureHints);
    const int32_t restW = image->mWidth % pw;
    const int32_t restH = image->mHeight % ph;
    int32_t rightW = pw, rightH = ph, bottomW = pw, bottomH = ph, cornerW = pw, cornerH = ph;
    if (restW != 0) {
        rightW = restW;
        rightH = ph;
        GetTextureSize(mLimits, rightW, rightH, true, false, image->mTextureHints);
    }
    if (restH != 0) {
        bottomW = pw;
        bottomH = restH;
        GetTextureSize(mLimits, bottomW, bottomH, false, true, image->mTextureHints);
    }
    if (restW != 0 || restH != 0) {
        cornerW = restW != 0 ? restW : pw;
        cornerH = restH != 0 ? restH : ph;
        GetTextureSize(mLimits, cornerW, cornerH, restW != 0, restH != 0, image->mTextureHints);
        if (restW == 0)
            cornerW = bottomW;
        if (restH == 0)
            cornerH = rightH;
    }
    data.mPieceWidth = pw;
    data.mPieceHeight = ph;
    data.mPiecesAcross = (image->mWidth + pw - 1) / pw;
    data.mPiecesDown = (image->mHeight + ph - 1) / ph;
    data.mMaxTotalU = float(image->mWidth) / float(pw);
    data.mMaxTotalV = float(image->mHeight) / float(ph);

    for (int row = 0; row < data.mPiecesDown; ++row) {
        const bool lastRow = row == data.mPiecesDown - 1 && restH != 0;
        for (int column = 0; column < data.mPiecesAcross; ++column) {
            const bool lastColumn = column == data.mPiecesAcross - 1 && restW != 0;
            TexturePiece piece;
            piece.mWidth = lastRow ? (lastColumn ? cornerW : bottomW) : (lastColumn ? rightW : pw);
            piece.mHeight = lastRow ? (lastColumn ? cornerH : bottomH) : (lastColumn ? rightH : ph);
            if (!Check(mDevice->CreateTexture(piece.mWidth, piece.mHeight, data.mPixelFormat, piece.mTexture),
                       "CreateTexture")) {
                data.mPieces.clear();
                data.mPixelFormat = TextureFormat::None;
                return false;
            }
            if (data.mPalette)
                piece.mTexture->SetPalette(data.mPalette);
            data.mTexMemSize += piece.mWidth * piece.mHeight * platform::BytesPerTexel(data.mPixelFormat);
            data.mPieces.push_back(std::move(piece));
        }
    }
    for (int row = 0; row < data.mPiecesDown; ++row)
        for (int column = 0; column < data.mPiecesAcross; ++column)
            FillPiece(image, data, column, row, bits);
    return true;
}

bool D3DInterface::FillPiece(MemoryImage* image, TextureData& data, int column, int row, const uint32_t* bits) {
    const TexturePiece& piece = data.Piece(column, row);
    platform::LockedTexture locked;
    if (!Check(piece.mTexture->Lock(platform::kLockWait | platform::kLockWriteOnly, locked), "Lock Texture"))
        return false;
    const int bytes = platform::BytesPerTexel(data.mPixelFormat);
    const int x0 = column * data.mPieceWidth;
    const int y0 = row * data.mPieceHeight;
    const int w = std::min(piece.mWidth, image->mWidth - x0);
    const int h = std::min(piece.mHeight, image->mHeight - y0);
    const bool palette = data.mPixelFormat == platform::TextureFormat::Palette8;
    auto source = [&](int x, int y) -> uint32_t {
        const size_t at = size_t(y0 + y) * size_t(image->mWidth) + size_t(x0 + x);
        return palette ? image->mColorIndices[at] : ToTexel(bits[at], data.mPixelFormat);
    };
    auto* base = static_cast<uint8_t*>(locked.bits);
    // The edge column and row are repeated once, so that filtering at the
    // image's edge reads the image's own colours.
    const int copyW = std::min(w + 1, piece.mWidth);
    const int copyH = std::min(h + 1, piece.mHeight);
    for (int y = 0; y < copyH; ++y) {
        uint8_t* out = base + ptrdiff_t(y) * locked.pitch;
        const int sy = std::min(y, h - 1);
        for (int x = 0; x < copyW; ++x)
            WriteTexel(out, x, source(std::min(x, w - 1), sy), bytes);
    }
    Check(piece.mTexture->Unlock(), "Texture Unlock");
    return true;
}

bool D3DInterface::ReadBackTexture(MemoryImage* image, uint32_t* dest) {
    if (image == nullptr || dest == nullptr || image->mTextureData == nullptr)
        return false;
    TextureData& data = *image->mTextureData;
    if (data.mPixelFormat == platform::TextureFormat::None || data.mBitsChangedCount != image->mBitsChangedCount ||
        data.mWidth != image->mWidth || data.mHeight != image->mHeight)
        return false;
    const int bytes = platform::BytesPerTexel(data.mPixelFormat);
    for (int row = 0; row < data.mPiecesDown; ++row) {
        for (int column = 0; column < data.mPiecesAcross; ++column) {
            const TexturePiece& piece = data.Piece(column, row);
            platform::LockedTexture locked;
            if (!Check(piece.mTexture->Lock(platform::kLockWait | platform::kLockReadOnly, locked), "Lock Texture"))
                return false;
            const int x0 = column * data.mPieceWidth;
            const int y0 = row * data.mPieceHeight;
            const int w = std::min(piece.mWidth, image->mWidth - x0);
            const int h = std::min(piece.mHeight, image->mHeight - y0);
            for (int y = 0; y < h; ++y) {
                const uint8_t* in = static_cast<const uint8_t*>(locked.bits) + ptrdiff_t(y) * locked.pitch;
                uint32_t* out = dest + size_t(y0 + y) * size_t(image->mWidth) + size_t(x0);
                for (int x = 0; x < w; ++x) {
                    const uint32_t texel = ReadTexel(in, x, bytes);
                    out[x] = data.mPalette ? data.mPalette->Argb(int(texel)) : FromTexel(texel, data.mPixelFormat);
                }
            }
            Check(piece.mTexture->Unlock(), "Texture Unlock");
        }
    }
    return true;
}

void D3DInterface::DeleteTextureData(MemoryImage* image) {
    delete image->mTextureData;
    image->mTextureData = nullptr;
}

void D3DInterface::RemoveMemoryImage(MemoryImage* image) {
    if (image == nullptr)
        return;
    const SetLock guard(mLock);
    mImageSet.erase(image);
    DeleteTextureData(image);
}

} // namespace Kavo
