#include <gtest/gtest.h>

#include <functional>

#include "framework/imagelib/image_codecs.h"
#include "tests/framework/imagelib/image_fixtures.h"

namespace Kavo::ImageLib {
namespace {

using namespace Fixtures;
using Decoder = std::unique_ptr<Image> (*)(ByteSource&);

Bytes Cut(Bytes bytes, size_t size) {
    bytes.resize(std::min(size, bytes.size()));
    return bytes;
}

Bytes Poke(Bytes bytes, size_t offset, uint8_t value) {
    bytes.at(offset) = value;
    return bytes;
}

GifRecipe SmallGif() {
    GifRecipe recipe;
    recipe.mWidth = 4;
    recipe.mHeight = 4;
    recipe.mGlobalTable = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    recipe.mIndices.assign(16, 2);
    return recipe;
}

Bytes GifWith(const std::function<void(GifRecipe&)>& change) {
    GifRecipe recipe = SmallGif();
    change(recipe);
    return MakeGif(recipe);
}

struct MalformedCase {
    const char* mName;
    Decoder mDecoder;
    Bytes mBytes;
};

// Every entry must give no picture. Run under the sanitizers, these also show
// that no decoder reads past its input.
std::vector<MalformedCase> MalformedCases() {
    std::vector<uint32_t> pixels(16, 0xFF808080);
    const Bytes tga = MakeTga(4, 4, pixels);
    const Bytes gif = MakeGif(SmallGif());
    const Bytes png = EncodePngArgb(4, 4, pixels);
    Bytes rgb(24 * 24 * 3, 0x55);
    const Bytes jpeg = EncodeJpeg(24, 24, 3, rgb);
    const Bytes j2k = EncodeJpeg2000(24, 24, 3, rgb, false);
    const Bytes jp2 = EncodeJpeg2000(24, 24, 3, rgb, true);

    return {
        {"tga empty", DecodeTga, {}},
        {"tga header cut short", DecodeTga, Cut(tga, 10)},
        {"tga pixels cut short", DecodeTga, Cut(tga, tga.size() - 1)},
        {"tga 24-bit", DecodeTga, MakeTga(4, 4, pixels, 24)},
        {"tga bottom-up rows", DecodeTga, MakeTga(4, 4, pixels, 32, 0x08)},
        {"tga run-length", DecodeTga, MakeTga(4, 4, pixels, 32, 0x28, 10)},
        {"tga zero width", DecodeTga, MakeTga(0, 4, {})},
        {"tga huge size, few bytes", DecodeTga, MakeTga(0xFFFF, 0xFFFF, pixels)},

        {"gif empty", DecodeGif, {}},
        {"gif wrong signature", DecodeGif, Poke(gif, 3, '7')},
        {"gif cut in screen descriptor", DecodeGif, Cut(gif, 9)},
        {"gif cut in colour table", DecodeGif, Cut(gif, 16)},
        {"gif cut in extension", DecodeGif, Cut(gif, 28)},
        {"gif cut in image descriptor", DecodeGif, Cut(gif, 36)},
        {"gif trailer before any picture", DecodeGif, Poke(gif, 25, 0x3B)},
        {"gif zero width", DecodeGif, GifWith([](GifRecipe& s) {
             s.mWidth = 0;
             s.mIndices.clear();
         })},
        {"gif without colour table", DecodeGif, GifWith([](GifRecipe& s) { s.mGlobalTable.clear(); })},
        {"gif code size 12", DecodeGif, GifWith([](GifRecipe& s) { s.mMinCodeSize = 12; })},

        {"png empty", DecodePng, {}},
        {"png signature only", DecodePng, Cut(png, 8)},
        {"png cut in header", DecodePng, Cut(png, 20)},
        {"png cut in data", DecodePng, Cut(png, png.size() - 20)},
        {"png bad header checksum", DecodePng, Poke(png, 29, png[29] ^ 0xFF)},

        {"jpeg empty", DecodeJpeg, {}},
        {"jpeg start marker only", DecodeJpeg, Cut(jpeg, 2)},
        {"jpeg cut in headers", DecodeJpeg, Cut(jpeg, 100)},
        {"jpeg not a jpeg", DecodeJpeg, Poke(jpeg, 0, 0x00)},

        {"j2k empty", DecodeJpeg2000, {}},
        {"j2k cut in main header", DecodeJpeg2000, Cut(j2k, 30)},
        {"j2k cut in tile data", DecodeJpeg2000, Cut(j2k, j2k.size() / 2)},
        {"jp2 signature box only", DecodeJpeg2000, Cut(jp2, 12)},
        {"jp2 cut in boxes", DecodeJpeg2000, Cut(jp2, 60)},
        {"j2k unknown signature", DecodeJpeg2000, Poke(j2k, 1, 0x00)},
    };
}

TEST(MalformedFiles, GiveNoPicture) {
    for (const MalformedCase& c : MalformedCases()) {
        MemoryByteSource source(c.mBytes.data(), c.mBytes.size());
        EXPECT_EQ(c.mDecoder(source), nullptr) << c.mName;
    }
}

TEST(MalformedFiles, TheUncutFilesDecode) {
    // Guards the table above: its cuts must be what fails, not the fixtures.
    std::vector<uint32_t> pixels(16, 0xFF808080);
    Bytes rgb(24 * 24 * 3, 0x55);
    const std::pair<Decoder, Bytes> whole[] = {
        {DecodeTga, MakeTga(4, 4, pixels)},
        {DecodeGif, MakeGif(SmallGif())},
        {DecodePng, EncodePngArgb(4, 4, pixels)},
        {DecodeJpeg, EncodeJpeg(24, 24, 3, rgb)},
        {DecodeJpeg2000, EncodeJpeg2000(24, 24, 3, rgb, false)},
        {DecodeJpeg2000, EncodeJpeg2000(24, 24, 3, rgb, true)},
    };
    for (const auto& [decoder, bytes] : whole) {
        MemoryByteSource source(bytes.data(), bytes.size());
        EXPECT_NE(decoder(source), nullptr);
    }
}

} // namespace
} // namespace Kavo::ImageLib
