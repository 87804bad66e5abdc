// The sample content's font, as make-sample-content writes it, read back
// through the default font services and the image library.
#include "tools/sample_content/sample_font.h"

#include <gtest/gtest.h>

#include "framework/font/default_font_services.h"
#include "framework/font/image_font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "tests/platform/temp_folder.h"
#include "tests/support/headless_environment.h"
#include "tools/image_encoders/image_encoders.h"

namespace Kavo {
namespace {

class SampleFontTest : public HeadlessEnvironment {
protected:
    void SetUp() override {
        ASSERT_TRUE(SampleContent::RenderGlyphSheet(SampleContent::kSampleFontPixels, &mSheet));
        Write("sample.png", ImageEncoders::EncodePngArgb(mSheet.mWidth, mSheet.mHeight, mSheet.mPixels));
        Write("sample.txt", SampleContent::FontDescriptorText(mSheet, "sample.png"));
        Write("legacy.txt", SampleContent::LegacyDescriptorText(mSheet));
    }
    template <typename Bytes>
    void Write(const std::string& name, const Bytes& bytes) {
        std::FILE* file = std::fopen(mFolder.Sub(name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    platform_test::TempFolder mFolder;
    SampleContent::GlyphSheet mSheet;
    DefaultFontServices mServices;
    platform::Installed<FontServices> mInstalled{FontServicesSlot(), mServices};
};

TEST_F(SampleFontTest, DescriptorLoadsWithAShadowBelowTheFace) {
    ImageFont font(mFolder.Sub("sample.txt"));
    ASSERT_TRUE(font.IsLoaded()) << (mServices.mFatalErrors.empty() ? "" : mServices.mFatalErrors[0]);
    EXPECT_EQ(font.mActiveLayerList.size(), 2u);
    EXPECT_EQ(font.GetAscent(), mSheet.mAscent);
    const int a = font.CharWidth('A');
    EXPECT_GT(a, 0);
    EXPECT_EQ(font.StringWidth("AV"), a + font.CharWidth('V') - 1); // kerned pair

    MemoryImage dest;
    dest.Create(200, 40);
    dest.ClearRect(IntRect(0, 0, 200, 40));
    Graphics g(&dest);
    int width = 0;
    font.DrawStringEx(&g, 4, 28, "Hello", Color::White, IntRect(), nullptr, &width);
    EXPECT_EQ(width, font.StringWidth("Hello"));
    int white = 0, dark = 0;
    for (size_t i = 0; i < dest.PixelCount(); ++i) {
        const uint32_t pixel = dest.GetBits()[i];
        white += (pixel >> 24) > 200 && (pixel & 0xFFFFFF) == 0xFFFFFF;
        dark += (pixel >> 24) > 100 && (pixel & 0xFFFFFF) < 0x202020;
    }
    EXPECT_GT(white, 20);
    EXPECT_GT(dark, 10); // the shadow shows beside the face

    font.AddTag("flat");
    font.Prepare();
    EXPECT_EQ(font.mActiveLayerList.size(), 1u);
}

TEST_F(SampleFontTest, LegacyDescriptorCutsTheSameCells) {
    ImageFont font(mFolder.Sub("sample.txt"));
    SharedImageHandle sheet = mServices.GetSharedImage(mFolder.Sub("sample.png"), "");
    ASSERT_NE(sheet.GetImage(), nullptr);
    ImageFont legacy(sheet.GetImage(), mFolder.Sub("legacy.txt"));
    ASSERT_TRUE(legacy.IsLoaded());
    for (const char* text : {"Hello, World!", "AV", "x y"})
        EXPECT_EQ(legacy.StringWidth(text), font.StringWidth(text) + (std::string(text) == "AV")) << text;
    EXPECT_EQ(legacy.mActiveLayerList.front().mScaledCharImageRects[int{'B'}],
              font.mActiveLayerList.front().mScaledCharImageRects[int{'B'}]);
}

} // namespace
} // namespace Kavo
