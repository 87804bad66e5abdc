#include "framework/font/image_font.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/font/font_data.h"
#include "framework/graphics/graphics.h"
#include "tests/framework/font/font_fixture.h"
#include "tests/framework/graphics/recording_image.h"

namespace Kavo {
namespace {

// A layer of point size 16 in a font of point size 12: every value scales
// by 12/16.
constexpr const char* kScaledFont = "SetDefaultPointSize 12;\n"
                                    "CreateLayer Main;\n"
                                    "LayerSetImage Main \"sheet.png\";\n"
                                    "LayerSetPointSize Main 16;\n"
                                    "LayerSetAscent Main 16;\n"
                                    "LayerSetImageMap Main (\"a\" \"b\") ((0 0 10 20) (10 0 10 20));\n"
                                    "LayerSetCharWidths Main (\"a\" \"b\") (11 11);\n"
                                    "LayerSetSpacing Main 1;\n"
                                    "LayerSetKerningPairs Main (\"ab\") (-2);\n";

// A face and a shadow below it; the shadow layer comes second in the file.
constexpr const char* kShadowFont = "CreateLayer Face;\n"
                                    "LayerSetImage Face \"sheet.png\";\n"
                                    "LayerSetAscent Face 10;\n"
                                    "LayerSetImageMap Face (\"a\" \"b\" \"c\" \"d\") ((0 0 8 10) (8 0 8 10) "
                                    "(16 0 8 10) (24 0 8 10));\n"
                                    "LayerSetCharWidths Face (\"a\" \"b\" \"c\" \"d\") (5 5 5 5);\n"
                                    "CreateLayerFrom Shadow Face;\n"
                                    "LayerSetColorMult Shadow (0 0 0 255);\n"
                                    "LayerSetOffset Shadow (1 1);\n"
                                    "LayerSetBaseOrder Shadow -1;\n";

class ImageFontTest : public FontFixture {
protected:
    std::unique_ptr<ImageFont> MakeFont(const std::string& text) {
        auto font = std::make_unique<ImageFont>(WriteFile("font.txt", text));
        EXPECT_TRUE(font->IsLoaded());
        return font;
    }
    // The Blt lines the font asked of the destination.
    std::vector<std::string> Draw(ImageFont& font, const std::string& str, const Color& color = Color::White,
                                  int* width = nullptr, std::vector<IntRect>* areas = nullptr) {
        RecordingImage dest(20000, 100);
        Graphics g(&dest);
        font.DrawStringEx(&g, 0, 20, str, color, IntRect(), areas, width);
        EXPECT_FALSE(g.GetColorizeImages());
        return dest.mCalls;
    }
};

TEST_F(ImageFontTest, AFailedDescriptorMeasuresNothingAndDrawsNothing) {
    ImageFont font(WriteFile("font.txt", "CreateLayer Main;\nLayerSetAscent Nope 3;\n"));
    EXPECT_FALSE(font.IsLoaded());
    EXPECT_EQ(font.StringWidth("abc"), 0);
    EXPECT_EQ(font.GetHeight(), 0);
    int width = -1;
    std::vector<IntRect> areas{IntRect(1, 1, 1, 1)};
    EXPECT_TRUE(Draw(font, "abc", Color::White, &width, &areas).empty());
    EXPECT_EQ(width, 0);
    EXPECT_TRUE(areas.empty());
}

TEST_F(ImageFontTest, ScaledLayerPacksCellsAndMeasuresWithTruncation) {
    auto font = MakeFont(kScaledFont);
    ASSERT_EQ(font->mActiveLayerList.size(), 1u);
    const ActiveFontLayer& active = font->mActiveLayerList.front();
    EXPECT_TRUE(active.mOwnsImage);
    EXPECT_EQ(active.mScaledCharImageRects[int{'a'}], IntRect(0, 0, 7, 15)); // 10 x 12/16 = 7.5
    EXPECT_EQ(active.mScaledCharImageRects[int{'b'}], IntRect(7, 0, 7, 15));
    EXPECT_EQ(active.mScaledImage->mWidth, 14);
    EXPECT_EQ(active.mScaledImage->mHeight, 15);
    EXPECT_EQ(font->GetAscent(), 12);
    EXPECT_EQ(font->GetHeight(), 15);

    EXPECT_EQ(font->CharWidth('a'), 8);          // 11 x 12/16 = 8.25
    EXPECT_EQ(font->CharWidthKern('b', 'a'), 8); // (-2 + 1) x 12/16 truncates to 0
    EXPECT_EQ(font->StringWidth("ab"), 16);
    EXPECT_EQ(font->StringWidth(""), 0);

    int width = 0;
    std::vector<std::string> calls = Draw(*font, "ab", Color::White, &width);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "Blt 0,8 [0,0,7,15] (255,255,255,255) m0");
    EXPECT_EQ(calls[1], "Blt 8,8 [7,0,7,15] (255,255,255,255) m0");
    EXPECT_EQ(width, 16);
}

TEST_F(ImageFontTest, LowerOrdersDrawFirstAcrossTheWholeString) {
    auto font = MakeFont(kShadowFont);
    std::vector<std::string> calls = Draw(*font, "ab", Color(200, 100, 50));
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0], "Blt 1,11 [0,0,8,10] (0,0,0,255) m0");
    EXPECT_EQ(calls[1], "Blt 6,11 [8,0,8,10] (0,0,0,255) m0");
    EXPECT_EQ(calls[2], "Blt 0,10 [0,0,8,10] (200,100,50,255) m0");
    EXPECT_EQ(calls[3], "Blt 5,10 [8,0,8,10] (200,100,50,255) m0");
}

TEST_F(ImageFontTest, OrdersOutsideTheBucketsClampToTheFirstAndLast) {
    auto font = MakeFont(std::string(kShadowFont) + "LayerExcludeTags Shadow (\"plain\");\n" +
                         "LayerSetCharOrders Face (\"a\" \"b\" \"c\" \"d\") (-200 -150 300 200);\n");
    font->AddTag("plain");
    // -200 and -150 share bucket 0, 300 and 200 bucket 255: each pair in string order.
    std::vector<std::string> calls = Draw(*font, "dcba");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0], "Blt 10,10 [8,0,8,10] (255,255,255,255) m0");
    EXPECT_EQ(calls[1], "Blt 15,10 [0,0,8,10] (255,255,255,255) m0");
    EXPECT_EQ(calls[2], "Blt 0,10 [24,0,8,10] (255,255,255,255) m0");
    EXPECT_EQ(calls[3], "Blt 5,10 [16,0,8,10] (255,255,255,255) m0");
}

TEST_F(ImageFontTest, AStringPastTheGlyphPoolStopsDrawingAndWidening) {
    auto font = MakeFont(kShadowFont);
    int width = 0;
    std::vector<IntRect> areas;
    std::vector<std::string> calls = Draw(*font, std::string(3000, 'a'), Color::White, &width, &areas);
    EXPECT_EQ(calls.size(), 4096u);
    EXPECT_EQ(areas.size(), 4096u);
    EXPECT_EQ(width, 2048 * 5);
    EXPECT_EQ(areas.back(), IntRect(2047 * 5 + 1, 11, 8, 10)); // the shadow of character 2048
}

TEST_F(ImageFontTest, LayerColoursMultiplyAndAddPerChannel) {
    struct Case {
        const char* mLayer;
        Color mText;
        const char* mExpected;
    };
    const Case cases[] = {
        {"LayerSetColorMult Main (128 255 255 255);", Color(200, 10, 10, 255), "(100,10,10,255)"},
        {"LayerSetColorAdd Main (100 0 0 0);", Color(200, 10, 10, 255), "(255,10,10,255)"},
        {"LayerSetColorMult Main 0x80FF0000; LayerSetDrawMode Main 1;", Color(255, 255, 255, 255), "(255,0,0,128) m1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mLayer);
        auto font = MakeFont(std::string("CreateLayer Main; LayerSetImage Main \"sheet.png\";"
                                         "LayerSetImageMap Main (\"a\") ((0 0 4 4));") +
                             c.mLayer);
        std::vector<std::string> calls = Draw(*font, "a", c.mText);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_NE(calls[0].find(c.mExpected), std::string::npos) << calls[0];
    }
}

TEST_F(ImageFontTest, CopiesOwnTheirScaledImages) {
    auto font = MakeFont(std::string(kScaledFont) + "CreateLayer Plain; LayerSetImage Plain \"sheet.png\";");
    ASSERT_EQ(font->mActiveLayerList.size(), 2u);
    std::unique_ptr<Font> copy(font->Duplicate());
    auto* imageCopy = static_cast<ImageFont*>(copy.get());
    ASSERT_EQ(imageCopy->mActiveLayerList.size(), 2u);
    EXPECT_EQ(mServices.mCopies, 1);
    const ActiveFontLayer& scaled = imageCopy->mActiveLayerList.front();
    EXPECT_TRUE(scaled.mOwnsImage);
    EXPECT_NE(scaled.mScaledImage, font->mActiveLayerList.front().mScaledImage);
    EXPECT_EQ(scaled.mScaledImage->mWidth, 14);
    // The shared layer keeps pointing at the descriptor's image.
    EXPECT_FALSE(imageCopy->mActiveLayerList.back().mOwnsImage);
    EXPECT_EQ(imageCopy->mActiveLayerList.back().mScaledImage, font->mActiveLayerList.back().mScaledImage);
    EXPECT_EQ(imageCopy->mFontData, font->mFontData);
    EXPECT_EQ(font->mFontData->mRefCount, 2);

    font.reset();
    EXPECT_EQ(imageCopy->mFontData->mRefCount, 1);
    EXPECT_EQ(imageCopy->StringWidth("ab"), 16);
    EXPECT_EQ(Draw(*imageCopy, "ab").size(), 2u);
}

TEST_F(ImageFontTest, MetricsStayUntilPrepare) {
    auto font = MakeFont(kScaledFont);
    EXPECT_EQ(font->GetAscent(), 12);
    font->SetPointSize(16);
    EXPECT_EQ(font->GetAscent(), 12);
    EXPECT_FALSE(font->mActiveListValid);
    font->Prepare();
    EXPECT_EQ(font->GetAscent(), 16);
    EXPECT_FALSE(font->mActiveLayerList.front().mOwnsImage); // the layer's own size: shared
    font->SetScale(0.5);
    EXPECT_EQ(font->CharWidth('a'), 5); // measuring prepares: 11 x 0.5
    EXPECT_EQ(font->GetAscent(), 8);
}

TEST_F(ImageFontTest, TagsAndPointRangesSelectLayers) {
    auto font = MakeFont("SetDefaultPointSize 10;\n"
                         "CreateLayer Ranged; LayerPointRange Ranged 10 20; LayerSetAscent Ranged 1;\n"
                         "CreateLayer Bold; LayerRequireTags Bold (\"bold\"); LayerSetAscent Bold 2;\n"
                         "CreateLayer Plain; LayerExcludeTags Plain (\"Shadow\"); LayerSetAscent Plain 3;\n"
                         "CreateLayer Open; LayerPointRange Open 15 -1; LayerSetAscent Open 4;\n");
    auto active = [&]() {
        font->Prepare();
        std::string ascents;
        for (const ActiveFontLayer& layer : font->mActiveLayerList)
            ascents += std::to_string(layer.mBaseFontLayer->mAscent);
        return ascents;
    };
    const std::pair<int, const char*> sizes[] = {{9, "3"},    {10, "13"}, {15, "134"},
                                                 {20, "134"}, {21, "34"}, {99, "34"}};
    for (const auto& [size, expected] : sizes) {
        font->SetPointSize(size);
        EXPECT_EQ(active(), expected) << size;
    }
    font->SetPointSize(10);
    EXPECT_TRUE(font->AddTag("bold"));
    EXPECT_TRUE(font->AddTag("shadow"));
    EXPECT_EQ(active(), "12");
    EXPECT_FALSE(font->AddTag("Bold"));
    EXPECT_TRUE(font->mActiveListValid);
    EXPECT_EQ(font->mTagVector, (std::vector<std::string>{"BOLD", "SHADOW"}));
    EXPECT_TRUE(font->HasTag("bold"));
    EXPECT_TRUE(font->RemoveTag("shadow"));
    EXPECT_FALSE(font->RemoveTag("shadow"));
    EXPECT_FALSE(font->HasTag("SHADOW"));
    EXPECT_EQ(active(), "123");
    EXPECT_EQ(font->GetDefine("missing"), "");
}

class CountingFont : public ImageFont {
public:
    using ImageFont::ImageFont;
    int mGenerations = 0;
    void GenerateActiveFontLayers() override {
        ++mGenerations;
        ImageFont::GenerateActiveFontLayers();
    }
};

TEST_F(ImageFontTest, SettersRegenerateOnceAtTheNextUse) {
    CountingFont font(WriteFile("font.txt", kScaledFont));
    font.SetScale(2.0);
    font.SetScale(3.0);
    font.AddTag("x");
    EXPECT_EQ(font.mGenerations, 0);
    EXPECT_EQ(font.CharWidth('a'), 24);    // 11 x 12 x 3 / 16 = 24.75
    EXPECT_EQ(font.StringWidth("ab"), 46); // the kerning (-2 + 1) x 12 x 3 / 16 truncates to -2
    EXPECT_EQ(font.mGenerations, 1);
}

TEST_F(ImageFontTest, LegacyFontDrawsFromTheGivenImage) {
    MemoryImage sheet;
    sheet.Create(40, 20);
    ImageFont font(&sheet, WriteFile("legacy.txt", "5 12\nA 7\nB 8\n"));
    ASSERT_TRUE(font.IsLoaded());
    EXPECT_EQ(font.StringWidth("ab a"), 7 + 8 + 5 + 7);
    std::vector<std::string> calls = Draw(font, "aB");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "Blt 0,8 [0,0,7,20] (255,255,255,255) m0");
    EXPECT_EQ(calls[1], "Blt 7,8 [7,0,8,20] (255,255,255,255) m0");
}

} // namespace
} // namespace Kavo
