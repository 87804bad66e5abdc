#include <gtest/gtest.h>
#include <png.h>

#include "framework/imagelib/image_codecs.h"
#include "tests/framework/imagelib/image_fixtures.h"

namespace Kavo::ImageLib {
namespace {

using namespace Fixtures;

std::unique_ptr<Image> Decode(std::unique_ptr<Image> (*decoder)(ByteSource&), const Bytes& bytes) {
    MemoryByteSource source(bytes.data(), bytes.size());
    return decoder(source);
}

// ---- TGA -------------------------------------------------------------------

TEST(TgaDecoder, ReadsTopDownBgraPixelsAsTheyStand) {
    std::vector<uint32_t> pixels = {0x80112233, 0xFF445566, 0x00778899, 0x12ABCDEF, 0xFFFFFFFF, 0x01020304};
    auto image = Decode(DecodeTga, MakeTga(3, 2, pixels));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mWidth, 3);
    EXPECT_EQ(image->mHeight, 2);
    EXPECT_EQ(image->mBits, pixels);
}

TEST(TgaDecoder, SkipsTheIdFieldBeforeThePixels) {
    std::vector<uint32_t> pixels = {0xFF010203, 0xFF040506};
    auto image = Decode(DecodeTga, MakeTga(2, 1, pixels, 32, 0x28, 2, 5));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits, pixels);
}

// ---- GIF -------------------------------------------------------------------

std::vector<uint32_t> Palette(int count) {
    std::vector<uint32_t> table;
    for (int i = 0; i < count; ++i)
        table.push_back(uint32_t(0x100000 * (i + 1) + 0x0300 * i + 7 * i) & 0xFFFFFF);
    return table;
}

TEST(GifDecoder, LzwRoundTripsThroughCodeGrowthAndTableResets) {
    struct Case {
        int mWidth, mHeight, mMinCodeSize, mColors;
    };
    // Small runs, long single-colour runs (a code equal to the next free one)
    // and enough varied data to fill the 4096-entry table several times.
    for (Case c : {Case{37, 23, 2, 4}, Case{300, 200, 8, 256}, Case{64, 64, 4, 16}}) {
        GifRecipe recipe;
        recipe.mWidth = c.mWidth;
        recipe.mHeight = c.mHeight;
        recipe.mMinCodeSize = c.mMinCodeSize;
        recipe.mGlobalTable = Palette(c.mColors);
        uint32_t seed = 12345;
        for (int i = 0; i < c.mWidth * c.mHeight; ++i) {
            seed = seed * 1103515245 + 12345;
            int run = (i / 97) % 3 == 0 ? 0 : int((seed >> 16) % uint32_t(c.mColors));
            recipe.mIndices.push_back(run);
        }
        auto image = Decode(DecodeGif, MakeGif(recipe));
        ASSERT_TRUE(image) << c.mWidth;
        ASSERT_EQ(image->mWidth, c.mWidth);
        ASSERT_EQ(image->mHeight, c.mHeight);
        for (size_t i = 0; i < recipe.mIndices.size(); ++i)
            ASSERT_EQ(image->mBits[i], 0xFF000000u | recipe.mGlobalTable[size_t(recipe.mIndices[i])]) << i;
    }
}

TEST(GifDecoder, InterlacedRowsArriveInFourPasses) {
    GifRecipe recipe;
    recipe.mWidth = 2;
    recipe.mHeight = 9;
    recipe.mInterlaced = true;
    recipe.mMinCodeSize = 4;
    recipe.mGlobalTable = Palette(16);
    for (int fileRow = 0; fileRow < 9; ++fileRow)
        recipe.mIndices.insert(recipe.mIndices.end(), {fileRow, fileRow});
    auto image = Decode(DecodeGif, MakeGif(recipe));
    ASSERT_TRUE(image);
    const int order[9] = {0, 8, 4, 2, 6, 1, 3, 5, 7};
    for (int fileRow = 0; fileRow < 9; ++fileRow) {
        const uint32_t expected = 0xFF000000u | recipe.mGlobalTable[size_t(fileRow)];
        EXPECT_EQ(image->mBits[size_t(order[fileRow]) * 2], expected) << fileRow;
        EXPECT_EQ(image->mBits[size_t(order[fileRow]) * 2 + 1], expected) << fileRow;
    }
}

TEST(GifDecoder, GraphicControlTransparencyAndLocalTable) {
    GifRecipe recipe;
    recipe.mWidth = 4;
    recipe.mHeight = 2;
    recipe.mMinCodeSize = 3;
    recipe.mGlobalTable = Palette(8);
    recipe.mLocalTable = {0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666, 0x777777, 0x888888};
    recipe.mIndices = {5, 1, 5, 2, 0, 5, 7, 5};
    struct Case {
        const char* mName;
        Bytes mControl;
        bool mTransparent;
    };
    const Case cases[] = {
        {"flag set", {0x01, 0, 0, 5}, true},
        {"flag clear", {0x00, 0, 0, 5}, false},
        {"block too short to hold an index", {0x01, 0, 0}, false},
    };
    for (const Case& c : cases) {
        recipe.mGraphicControl = c.mControl;
        auto image = Decode(DecodeGif, MakeGif(recipe));
        ASSERT_TRUE(image) << c.mName;
        for (size_t i = 0; i < recipe.mIndices.size(); ++i) {
            const int index = recipe.mIndices[i];
            const uint32_t expected =
                (index == 5 && c.mTransparent) ? 0u : 0xFF000000u | recipe.mLocalTable[size_t(index)];
            EXPECT_EQ(image->mBits[i], expected) << c.mName << " pixel " << i;
        }
    }
}

TEST(GifDecoder, IndicesBeyondTheTableReadAsIndexZero) {
    GifRecipe recipe;
    recipe.mWidth = 4;
    recipe.mHeight = 1;
    recipe.mMinCodeSize = 3;
    recipe.mGlobalTable = {0x0000FF, 0x00FF00}; // two entries, codes reach 7
    recipe.mIndices = {1, 7, 2, 0};
    auto image = Decode(DecodeGif, MakeGif(recipe));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits, (std::vector<uint32_t>{0xFF00FF00, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF}));
}

TEST(GifDecoder, DataEndingEarlyLeavesTheRestTransparent) {
    GifRecipe recipe;
    recipe.mWidth = 8;
    recipe.mHeight = 4;
    recipe.mMinCodeSize = 2;
    recipe.mGlobalTable = Palette(4);
    recipe.mIndices.assign(8, 3); // only the first row is in the file
    auto image = Decode(DecodeGif, MakeGif(recipe));
    ASSERT_TRUE(image);
    for (size_t i = 0; i < 32; ++i)
        EXPECT_EQ(image->mBits[i], i < 8 ? 0xFF000000u | recipe.mGlobalTable[3] : 0u) << i;
}

// ---- PNG -------------------------------------------------------------------

TEST(PngDecoder, EveryLayoutComesOutAsArgb) {
    struct Case {
        const char* mName;
        PngRecipe mRecipe;
        std::vector<uint32_t> mExpected;
    };
    PngRecipe grey{2, 1, PNG_COLOR_TYPE_GRAY, 8, false, {0x00, 0x7F}, {}, {}};
    PngRecipe grey1{3, 1, PNG_COLOR_TYPE_GRAY, 1, false, {0xA0}, {}, {}};
    PngRecipe greyAlpha{1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {0x40, 0x80}, {}, {}};
    PngRecipe rgb{2, 1, PNG_COLOR_TYPE_RGB, 8, false, {1, 2, 3, 4, 5, 6}, {}, {}};
    PngRecipe palette{3, 1, PNG_COLOR_TYPE_PALETTE, 8, false, {0, 1, 2}, {0xFF0000, 0x00FF00, 0x0000FF}, {0x10}};
    PngRecipe deep{1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, false, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}, {}, {}};
    const Case cases[] = {
        {"grey 8", grey, {0xFF000000, 0xFF7F7F7F}},
        {"grey 1 bit", grey1, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
        {"grey with alpha", greyAlpha, {0x80404040}},
        {"rgb", rgb, {0xFF010203, 0xFF040506}},
        {"palette with tRNS", palette, {0x10FF0000, 0xFF00FF00, 0xFF0000FF}},
        {"16 bits per channel", deep, {0xDE12569A}},
    };
    for (const Case& c : cases) {
        auto image = Decode(DecodePng, EncodePng(c.mRecipe));
        ASSERT_TRUE(image) << c.mName;
        EXPECT_EQ(image->mBits, c.mExpected) << c.mName;
    }
}

TEST(PngDecoder, InterlacedFileMatchesTheSamePixelsPlain) {
    PngRecipe recipe;
    recipe.mWidth = 13;
    recipe.mHeight = 11;
    recipe.mColorType = PNG_COLOR_TYPE_RGB_ALPHA;
    std::vector<uint32_t> expected;
    for (int i = 0; i < 13 * 11; ++i) {
        uint8_t r = uint8_t(i * 7), g = uint8_t(i * 13), b = uint8_t(255 - i), a = uint8_t(i * 3);
        recipe.mSamples.insert(recipe.mSamples.end(), {r, g, b, a});
        expected.push_back(uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b);
    }
    recipe.mInterlaced = true;
    auto image = Decode(DecodePng, EncodePng(recipe));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits, expected);
}

// ---- JPEG ------------------------------------------------------------------

TEST(JpegDecoder, GreyFileGivesEqualChannelsAndOpaqueAlpha) {
    Bytes samples;
    for (int i = 0; i < 16 * 8; ++i)
        samples.push_back(uint8_t(i * 2));
    auto image = Decode(DecodeJpeg, EncodeJpeg(16, 8, 1, samples));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->mWidth, 16);
    ASSERT_EQ(image->mHeight, 8);
    for (size_t i = 0; i < image->mBits.size(); ++i) {
        const uint32_t p = image->mBits[i];
        ASSERT_EQ(p >> 24, 0xFFu);
        ASSERT_EQ((p >> 16) & 0xFF, (p >> 8) & 0xFF);
        ASSERT_EQ((p >> 8) & 0xFF, p & 0xFF);
        ASSERT_NEAR(int(p & 0xFF), samples[i], 6) << i;
    }
}

TEST(JpegDecoder, CmykFileIsConvertedToRgb) {
    // libjpeg marks CMYK files with an Adobe marker, so the inks are stored
    // inverted: 255 means no ink.
    const int width = 16, height = 16;
    Bytes samples;
    for (int i = 0; i < width * height; ++i)
        samples.insert(samples.end(), {255, 0, 255, 255}); // full magenta only
    auto image = Decode(DecodeJpeg, EncodeJpeg(width, height, 4, samples));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->mBits.size(), size_t(width * height));
    for (uint32_t p : image->mBits) {
        ASSERT_EQ(p >> 24, 0xFFu);
        ASSERT_NEAR(int((p >> 16) & 0xFF), 255, 4);
        ASSERT_NEAR(int((p >> 8) & 0xFF), 0, 4);
        ASSERT_NEAR(int(p & 0xFF), 255, 4);
    }
}

TEST(JpegDecoder, FileEndingInsideTheScanStillGivesTheWholePicture) {
    Bytes samples(32 * 32 * 3);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = uint8_t(i * 37);
    Bytes bytes = EncodeJpeg(32, 32, 3, samples);
    bytes.resize(bytes.size() * 3 / 4);
    auto image = Decode(DecodeJpeg, bytes);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mWidth, 32);
    EXPECT_EQ(image->mHeight, 32);
}

// ---- JPEG 2000 ---------------------------------------------------------------

TEST(Jpeg2000Decoder, RawAndBoxedFilesDecodeExactlyAndOpaque) {
    const int width = 7, height = 5;
    Bytes rgb, grey;
    for (int i = 0; i < width * height; ++i) {
        rgb.insert(rgb.end(), {uint8_t(i * 9), uint8_t(200 - i), uint8_t(i * 5 + 3)});
        grey.push_back(uint8_t(i * 7));
    }
    for (bool boxed : {false, true}) {
        auto image = Decode(DecodeJpeg2000, EncodeJpeg2000(width, height, 3, rgb, boxed));
        ASSERT_TRUE(image) << boxed;
        ASSERT_EQ(image->mWidth, width);
        ASSERT_EQ(image->mHeight, height);
        for (int i = 0; i < width * height; ++i)
            ASSERT_EQ(image->mBits[size_t(i)], 0xFF000000u | uint32_t(rgb[size_t(i) * 3]) << 16 |
                                                   uint32_t(rgb[size_t(i) * 3 + 1]) << 8 | rgb[size_t(i) * 3 + 2])
                << boxed << " " << i;

        auto greyImage = Decode(DecodeJpeg2000, EncodeJpeg2000(width, height, 1, grey, boxed));
        ASSERT_TRUE(greyImage) << boxed;
        for (int i = 0; i < width * height; ++i)
            ASSERT_EQ(greyImage->mBits[size_t(i)], 0xFF000000u | uint32_t(grey[size_t(i)]) * 0x010101u) << i;
    }
}

TEST(Jpeg2000Decoder, ReleasedCodecGivesNoPictureUntilLoadedAgain) {
    Bytes grey(16, 0x40);
    Bytes bytes = EncodeJpeg2000(4, 4, 1, grey, false);
    ReleaseJpeg2000Library();
    EXPECT_FALSE(IsJpeg2000Available());
    EXPECT_FALSE(Decode(DecodeJpeg2000, bytes));
    EXPECT_TRUE(LoadJpeg2000Library());
    EXPECT_TRUE(Decode(DecodeJpeg2000, bytes));
}

} // namespace
} // namespace Kavo::ImageLib
