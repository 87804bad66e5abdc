#include "framework/font/sys_font.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "platform/text_encoding.h"
#include "tests/support/headless_environment.h"

namespace Kavo {
namespace {

class SysFontTest : public HeadlessEnvironment {
protected:
    static uint32_t Alpha(MemoryImage& image, int x, int y) { return image.GetBits()[y * image.mWidth + x] >> 24; }
    static uint32_t Rgb(MemoryImage& image, int x, int y) { return image.GetBits()[y * image.mWidth + x] & 0xFFFFFF; }
};

TEST_F(SysFontTest, FacesResolveToAnInstalledSansFace) {
    EXPECT_EQ(SysFont::PixelHeightFor(8, 96), 11); // 10.67 rounds up
    EXPECT_EQ(SysFont::PixelHeightFor(12, 96), 16);
    for (const char* face : {"Tahoma", "Arial Unicode MS", "SansSerif", "No Such Face At All"}) {
        SCOPED_TRACE(face);
        SysFont font(face, 12);
        ASSERT_TRUE(font.IsValid());
        EXPECT_GT(font.GetAscent(), 0);
        EXPECT_GT(font.GetHeight(), font.GetAscent());
        EXPECT_EQ(font.StringWidth(""), 0);
        EXPECT_GT(font.StringWidth("W"), 0);
    }
    SysFont font("Tahoma", 12, 0, true, true, true);
    std::unique_ptr<Font> copy(font.Duplicate());
    EXPECT_EQ(copy->GetHeight(), font.GetHeight());
    EXPECT_EQ(copy->StringWidth("Hello"), font.StringWidth("Hello"));
}

TEST_F(SysFontTest, WidthsFollowTheWidestLine) {
    SysFont font("Tahoma", 10);
    const int one = font.StringWidth("Hello");
    EXPECT_EQ(font.StringWidth("Hello\nHi"), one);
    EXPECT_EQ(font.StringWidth("Hi\nHello"), one);
    EXPECT_GT(font.StringWidth("Hello Hello"), 2 * one);
}

TEST_F(SysFontTest, TextOnWhiteIsOpaqueInsideAndPartialAtTheEdges) {
    SysFont font("Tahoma", 24);
    MemoryImage dest;
    dest.Create(200, 60);
    dest.FillRect(IntRect(0, 0, 200, 60), Color::White, 0);
    Graphics g(&dest);
    g.SetFont(&font);
    g.SetColor(Color::Black);
    font.DrawString(&g, 10, 40, "Hello Ox", Color::Black, IntRect(0, 0, 200, 60));
    int black = 0, grey = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) {
            const uint32_t rgb = Rgb(dest, x, y);
            black += rgb == 0;
            grey += rgb != 0 && rgb != 0xFFFFFF;
            // Nothing lands above the text's box, which starts at y - ascent.
            if (y < 40 - font.GetAscent()) {
                EXPECT_EQ(rgb, 0xFFFFFFu) << x << "," << y;
            }
        }
    EXPECT_GT(black, 50);
    EXPECT_GT(grey, 20);
}

TEST_F(SysFontTest, ShadowLandsOneRightAndOneDown) {
    SysFont font("Tahoma", 20);
    std::unique_ptr<MemoryImage> plain = font.RenderText("I", Color::White);
    font.mShadow = true;
    std::unique_ptr<MemoryImage> shadowed = font.RenderText("I", Color::White);
    ASSERT_TRUE(plain && shadowed);
    EXPECT_EQ(shadowed->mWidth, plain->mWidth + 1);
    EXPECT_EQ(shadowed->mHeight, plain->mHeight + 1);
    int shadowPixels = 0;
    for (int y = 0; y < plain->mHeight; ++y)
        for (int x = 0; x < plain->mWidth; ++x) {
            const bool faceHere = Alpha(*plain, x, y) == 255;
            const bool faceBelow = x + 1 < plain->mWidth && y + 1 < plain->mHeight && Alpha(*plain, x + 1, y + 1) != 0;
            if (faceHere && !faceBelow) {
                ++shadowPixels;
                EXPECT_EQ(Alpha(*shadowed, x + 1, y + 1), 255u);
                EXPECT_EQ(Rgb(*shadowed, x + 1, y + 1), 0u);
            }
            if (faceHere) {
                EXPECT_EQ(shadowed->GetBits()[y * shadowed->mWidth + x], 0xFFFFFFFFu);
            }
        }
    EXPECT_GT(shadowPixels, 0);

    font.mShadow = false;
    font.mDoubleStrike = true;
    std::unique_ptr<MemoryImage> doubled = font.RenderText("I", Color::White);
    ASSERT_TRUE(doubled);
    EXPECT_EQ(doubled->mWidth, plain->mWidth + 1);
}

TEST_F(SysFontTest, CyrillicWindows1251TextRendersItsLetters) {
    SysFont font("Tahoma", 16);
    ASSERT_TRUE(font.IsValid());
    // "Привет" in Windows-1251.
    const std::string word = "\xCF\xF0\xE8\xE2\xE5\xF2";
    for (unsigned char byte : word)
        EXPECT_TRUE(font.GetRasterizer()->HasGlyph(platform::Cp1251ToCodePoint(byte))) << int(byte);
    std::unique_ptr<MemoryImage> image = font.RenderText(word, Color::Black);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mWidth, font.StringWidth(word));
    // The first letter (П) has two full-height stems: its left column of ink is opaque over several rows.
    int inked = 0;
    for (size_t i = 0; i < image->PixelCount(); ++i)
        inked += (image->GetBits()[i] >> 24) == 255;
    EXPECT_GT(inked, 30);
    EXPECT_NE(font.StringWidth(word), font.StringWidth("??????"));
}

} // namespace
} // namespace Kavo
