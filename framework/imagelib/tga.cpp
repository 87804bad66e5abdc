#include "framework/imagelib/image_codecs.h"

namespace Kavo::ImageLib {

namespace {

constexpr int kHeaderSize = 18;
constexpr uint8_t kDescriptorTopDownAlpha8 = 0x28;

uint16_t ReadLe16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

} // namespace

// Only uncompressed 32-bit pictures stored top row first are read: their
// bytes (blue, green, red, alpha) already are our pixel layout.
std::unique_ptr<Image> DecodeTga(ByteSource& source) {
    uint8_t header[kHeaderSize];
    if (!source.ReadExact(header, sizeof(header)))
        return nullptr;

    const int idLength = header[0];
    const int colorMapType = header[1];
    const int imageType = header[2];
    const int colorMapLength = ReadLe16(header + 5);
    const int colorMapEntryBits = header[7];
    const int width = ReadLe16(header + 12);
    const int height = ReadLe16(header + 14);
    const int bitsPerPixel = header[16];
    const int descriptor = header[17];

    if (bitsPerPixel != 32 || descriptor != kDescriptorTopDownAlpha8)
        return nullptr;
    // Run-length types (9 to 11) would be misread as raw pixels.
    if (imageType >= 8)
        return nullptr;
    if (!IsAcceptableSize(width, height))
        return nullptr;

    uint64_t skip = uint64_t(idLength);
    if (colorMapType != 0)
        skip += uint64_t(colorMapLength) * ((colorMapEntryBits + 7) / 8);
    if (!source.Skip(skip))
        return nullptr;

    const uint64_t pixelBytes = uint64_t(width) * uint64_t(height) * 4;
    if (source.Remaining() < pixelBytes)
        return nullptr;

    auto image = std::make_unique<Image>(width, height);
    if (!source.ReadExact(image->GetBits(), size_t(pixelBytes)))
        return nullptr;
    return image;
}

} // namespace Kavo::ImageLib
