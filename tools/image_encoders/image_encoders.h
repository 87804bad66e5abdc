#pragma once

// Picture files made in memory: PNG, JPEG and JPEG 2000 with the formats' own
// encoders, GIF and TGA written by hand. The sample content and the tests of
// the image readers are made with them.

#include <cstdint>
#include <string>
#include <vector>

namespace Kavo::ImageEncoders {

// Each encoder returns no bytes when the library refuses the picture.

using Bytes = std::vector<uint8_t>;

// PNG: `samples` holds the rows as the colour type lays them out, at 8 or 16
// bits per sample (16-bit samples big-endian, as PNG stores them).
struct PngRecipe {
    int mWidth = 1;
    int mHeight = 1;
    int mColorType = 6; // PNG_COLOR_TYPE_*
    int mBitDepth = 8;
    bool mInterlaced = false;
    Bytes mSamples;
    std::vector<uint32_t> mPalette; // 0xRRGGBB, for palette images
    Bytes mPaletteAlpha;            // tRNS for palette images
};
Bytes EncodePng(const PngRecipe& recipe);
// A 32-bit 0xAARRGGBB picture as an RGBA PNG.
Bytes EncodePngArgb(int width, int height, const std::vector<uint32_t>& pixels);

// JPEG of 1 (grey), 3 (RGB) or 4 (CMYK) components.
Bytes EncodeJpeg(int width, int height, int components, const Bytes& samples, int quality = 95);

// Lossless JPEG 2000 of 1 or 3 components of 8 bits; boxed (.jp2) or raw.
Bytes EncodeJpeg2000(int width, int height, int components, const Bytes& samples, bool boxed);

// TGA header + pixels (bytes blue, green, red, alpha for each 0xAARRGGBB).
Bytes MakeTga(int width, int height, const std::vector<uint32_t>& pixels, int bitsPerPixel = 32, int descriptor = 0x28,
              int imageType = 2, int idLength = 0);

// GIF pieces written by hand.
struct GifRecipe {
    int mWidth = 1;
    int mHeight = 1;
    std::vector<uint32_t> mGlobalTable; // 0xRRGGBB; size a power of two, or empty
    std::vector<uint32_t> mLocalTable;
    bool mInterlaced = false;
    Bytes mGraphicControl; // whole data sub-block, empty for none
    int mMinCodeSize = 2;
    std::vector<int> mIndices; // in file order
};
Bytes MakeGif(const GifRecipe& recipe);
// LZW data sub-blocks (without the code size byte) for the indices.
Bytes LzwEncode(int minCodeSize, const std::vector<int>& indices);

} // namespace Kavo::ImageEncoders
