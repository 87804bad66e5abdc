#include <gtest/gtest.h>

#include <thread>

#include "framework/imagelib/image_lib.h"
#include "tests/framework/imagelib/image_fixtures.h"

namespace Kavo::ImageLib {
namespace {

using namespace Fixtures;

std::vector<uint32_t> Gradient(int width, int height, uint32_t alpha) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(alpha << 24 | uint32_t(x * 20) << 16 | uint32_t(y * 30) << 8 | uint32_t(x + y));
    return pixels;
}

// Companion pixels carry their alpha in the blue byte (the rest is noise).
std::vector<uint32_t> AlphaMask(int count) {
    std::vector<uint32_t> pixels;
    for (int i = 0; i < count; ++i)
        pixels.push_back(0xFF123400u | uint32_t(i * 17));
    return pixels;
}

class ImageFileTest : public testing::Test {
protected:
    ScratchDir mDir;
};

TEST_F(ImageFileTest, CompanionSuppliesAlphaOfAnEqualSizedPicture) {
    const auto colors = Gradient(4, 3, 0xFF);
    const auto mask = AlphaMask(12);
    mDir.Write("pic.png", EncodePngArgb(4, 3, colors));
    mDir.Write("_pic.png", EncodePngArgb(4, 3, mask));

    auto image = LoadImageFile(mDir.File("pic"), true);
    ASSERT_TRUE(image);
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(image->mBits[i], (colors[i] & 0xFFFFFF) | (mask[i] & 0xFF) << 24) << i;

    auto withoutAlpha = LoadImageFile(mDir.File("pic"), false);
    ASSERT_TRUE(withoutAlpha);
    EXPECT_EQ(withoutAlpha->mBits, colors);
}

TEST_F(ImageFileTest, CompanionOfAnotherSizeIsIgnored) {
    const auto colors = Gradient(4, 3, 0xFF);
    mDir.Write("pic.png", EncodePngArgb(4, 3, colors));
    mDir.Write("_pic.png", EncodePngArgb(2, 2, AlphaMask(4)));
    auto image = LoadImageFile(mDir.File("pic.png"), true);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits, colors);
}

TEST_F(ImageFileTest, CompanionAloneGivesTheAlphaColour) {
    const auto mask = AlphaMask(6);
    mDir.Write("_pic.png", EncodePngArgb(3, 2, mask));

    auto white = LoadImageFile(mDir.File("pic.png"), true);
    ASSERT_TRUE(white);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(white->mBits[i], 0xFFFFFFu | (mask[i] & 0xFF) << 24) << i;

    // Each thread has its own alpha colour.
    gAlphaColor = 0x102030;
    uint32_t otherThreadColor = 0;
    std::thread([&] { otherThreadColor = gAlphaColor; }).join();
    auto tinted = LoadImageFile(mDir.File("pic.png"), true);
    gAlphaColor = 0xFFFFFF;
    EXPECT_EQ(otherThreadColor, 0xFFFFFFu);
    ASSERT_TRUE(tinted);
    EXPECT_EQ(tinted->mBits[1], 0x102030u | (mask[1] & 0xFF) << 24);
}

TEST_F(ImageFileTest, TrailingUnderscoreCompanionIsTheFallback) {
    const auto colors = Gradient(2, 2, 0xFF);
    const auto mask = AlphaMask(4);
    mDir.Write("pic.tga", MakeTga(2, 2, colors));
    mDir.Write("pic_.gif", [&] {
        GifRecipe recipe;
        recipe.mWidth = 2;
        recipe.mHeight = 2;
        recipe.mGlobalTable = {0x000000, 0x000040, 0x000080, 0x0000FF};
        recipe.mIndices = {0, 1, 2, 3};
        return MakeGif(recipe);
    }());
    auto image = LoadImageFile(mDir.File("pic"), true);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits, (std::vector<uint32_t>{colors[0] & 0xFFFFFF, (colors[1] & 0xFFFFFF) | 0x40000000,
                                                   (colors[2] & 0xFFFFFF) | 0x80000000, colors[3]}));
}

TEST_F(ImageFileTest, ExtensionChoosesExactlyOneReader) {
    const auto colors = Gradient(2, 2, 0xFF);
    mDir.Write("pic.png", EncodePngArgb(2, 2, colors));
    mDir.Write("pic.bmp", EncodePngArgb(2, 2, colors));
    mDir.Write("tga.png", MakeTga(2, 2, colors)); // a TGA under a PNG name

    auto upper = LoadImageFile(mDir.File("pic.PNG"), false);
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->mBits, colors);
    EXPECT_FALSE(LoadImageFile(mDir.File("pic.bmp"), false));
    EXPECT_FALSE(LoadImageFile(mDir.File("tga.png"), false));
    EXPECT_FALSE(LoadImageFile(mDir.File("missing.png"), true));
}

TEST_F(ImageFileTest, NameWithoutExtensionTriesFormatsInOrder) {
    const auto tgaColors = Gradient(2, 2, 0x80);
    const auto pngColors = Gradient(2, 2, 0xFF);
    Bytes grey(16, 0x33);
    mDir.Write("both.tga", MakeTga(2, 2, tgaColors));
    mDir.Write("both.png", EncodePngArgb(2, 2, pngColors));
    mDir.Write("late.jp2", EncodeJpeg2000(4, 4, 1, grey, true));
    mDir.Write("folder.j2k", EncodeJpeg2000(4, 4, 1, grey, false));

    auto both = LoadImageFile(mDir.File("both"), false);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->mBits, tgaColors);
    auto late = LoadImageFile(mDir.File("late"), false);
    ASSERT_TRUE(late);
    EXPECT_EQ(late->mBits[0], 0xFF333333u);
    EXPECT_TRUE(LoadImageFile(mDir.File("folder.J2K"), false));
    EXPECT_FALSE(LoadImageFile(mDir.File("late.j2k"), false));
}

TEST_F(ImageFileTest, PngSaveRoundTripsExactly) {
    Image image(5, 4);
    for (size_t i = 0; i < image.mBits.size(); ++i)
        image.mBits[i] = uint32_t(i * 0x0B1D2F41u + 0x01020304u);
    ASSERT_TRUE(SaveAsPng(mDir.File("out.png"), image));
    auto loaded = LoadPng(mDir.File("out.png"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->mWidth, 5);
    EXPECT_EQ(loaded->mHeight, 4);
    EXPECT_EQ(loaded->mBits, image.mBits);
}

TEST_F(ImageFileTest, JpegSaveRoundTripsApproximatelyAndOpaque) {
    Image image(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            image.mBits[size_t(y * 32 + x)] = 0x40000000u | uint32_t(x * 8) << 16 | uint32_t(y * 16) << 8 | 0x80;
    ASSERT_TRUE(SaveAsJpeg(mDir.File("out.jpg"), image));
    auto loaded = LoadJpeg(mDir.File("out.jpg"));
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->mWidth, 32);
    ASSERT_EQ(loaded->mHeight, 16);
    for (size_t i = 0; i < image.mBits.size(); ++i) {
        const uint32_t want = image.mBits[i], got = loaded->mBits[i];
        ASSERT_EQ(got >> 24, 0xFFu) << i;
        for (int shift : {16, 8, 0})
            ASSERT_NEAR(int((got >> shift) & 0xFF), int((want >> shift) & 0xFF), 12) << i;
    }
}

TEST_F(ImageFileTest, SavingToAnUnwritablePathFails) {
    Image image(2, 2);
    const std::string path = mDir.File("no/such/folder/out");
    EXPECT_FALSE(SaveAsPng(path + ".png", image));
    EXPECT_FALSE(SaveAsJpeg(path + ".jpg", image));
    EXPECT_FALSE(SaveAsPng(mDir.File("empty.png"), Image()));
}

} // namespace
} // namespace Kavo::ImageLib
