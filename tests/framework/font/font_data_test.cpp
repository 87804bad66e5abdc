#include "framework/font/font_data.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/util/path_util.h"
#include "tests/framework/font/font_fixture.h"

namespace Kavo {
namespace {

using ::testing::HasSubstr;

class FontDataTest : public FontFixture {
protected:
    // Loads the descriptor text; returns the load's outcome.
    bool LoadText(FontData& data, const std::string& text) {
        EXPECT_TRUE(data.Load(WriteFile("font.txt", text)));
        return data.mInitialized;
    }
};

struct ErrorCase {
    const char* mText;
    const char* mMessage; // "" when the descriptor loads
};

TEST_F(FontDataTest, EachCommandFailsWithItsOwnMessage) {
    const std::string layer = "CreateLayer Main;\n";
    const std::string image = layer + "LayerSetImage Main \"sheet.png\";\n";
    const ErrorCase cases[] = {
        {"Frobnicate 1;", "Unknown Command"},
        {"CreateLayer;", "Invalid Number of Parameters"},
        {"createlayer Main; CREATELAYER main;", "Layer Already Exists"},
        {"LayerSetAscent Nope 3;", "Undefined Layer"},
        {"CreateLayer Main; LayerSetAscent Main (1 2);", "Invalid Paramater Type"},
        {"CreateLayer Main; LayerSetAscent Main \"twelve\";", "Invalid Paramater Type"},
        {"CreateLayer Main; LayerSetDrawMode Main 2;", "Invalid Paramater Type"},
        {"Define 5 (1 2);", "Invalid Paramater Type"},
        {"CreateLayer Main; LayerSetImage Main \"missing.png\";", "Failed to Load Image"},
        {"CreateLayer Main; LayerSetImageMap Main (\"a\") ((0 0 4 4));", "Layer image not set"},
        {"CreateLayer Main; LayerSetCharWidths Main (\"a\" \"b\") (1);", "List Size Mismatch"},
        {"CreateLayer Main; LayerSetCharWidths Main (\"ab\") (1);", "Invalid Paramater Type"},
        {"CreateLayer Main; LayerSetKerningPairs Main (\"abc\") (1);", "Invalid Paramater Type"},
        {"SetCharMap (\"a\" \"b\") (\"c\");", "List Size Mismatch"},
        {"CreateLayer Main; LayerSetOffset Main (1 2 3);", "Invalid Paramater Type"},
        {"CreateLayer Main; LayerSetColorMult Main (1 2 3);", "Invalid Paramater Type"},
        {"CreateLayer Main; CreateLayerFrom Main Main;", "Layer Already Exists"},
        {"CreateLayerFrom Copy Nope;", "Undefined Layer"},
        {"CreateLayer Main; LayerSetImage Main \"sheet.png\"; LayerSetImageMap Main (\"a\") ((60 0 5 4));",
         "Image rectangle out of bounds"},
        {"CreateLayer Main; LayerSetImage Main \"sheet.png\"; LayerSetImageMap Main (\"a\") ((0 0 4 33));",
         "Image rectangle out of bounds"},
        // Negative sizes would make cells of negative size.
        {"CreateLayer Main; LayerSetImage Main \"sheet.png\"; LayerSetImageMap Main (\"a\") ((10 0 -5 4));",
         "Image rectangle out of bounds"},
        {"CreateLayer Main; LayerSetImage Main \"sheet.png\"; LayerSetImageMap Main (\"a\") ((0 10 4 -4));",
         "Image rectangle out of bounds"},
        {"CreateLayer Main; LayerSetImage Main \"sheet.png\"; LayerSetImageMap Main (\"a\") ((0 0 4));",
         "Invalid Paramater Type"},
        {"CreateLayer Main; LayerSetImage Main \"sheet.png\"; LayerSetImageMap Main (\"a\") ((0 0 64 32));", ""},
        {"CreateLayer Main; LayerPointRange Main 10 20; LayerSetColorAdd Main 0x10203040;", ""},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.mText);
        mServices.mFatalErrors.clear();
        FontData data;
        const bool loaded = LoadText(data, c.mText);
        EXPECT_EQ(loaded, c.mMessage[0] == 0);
        EXPECT_EQ(data.mError, c.mMessage);
        if (c.mMessage[0] != 0) {
            ASSERT_EQ(mServices.mFatalErrors.size(), 1u);
            EXPECT_THAT(mServices.mFatalErrors[0], HasSubstr(c.mMessage));
        } else {
            EXPECT_TRUE(mServices.mFatalErrors.empty());
        }
    }
}

TEST_F(FontDataTest, ErrorReportNamesTheFileLineAndCommand) {
    std::string text;
    for (int i = 1; i < 12; ++i)
        text += "# line " + std::to_string(i) + "\n";
    text += "LayerSetAscent Nope 3;\n";
    FontData data;
    const std::string path = WriteFile("font.txt", text);
    ASSERT_TRUE(data.Load(path));
    EXPECT_FALSE(data.mInitialized);
    ASSERT_EQ(mServices.mFatalErrors.size(), 1u);
    EXPECT_EQ(mServices.mFatalErrors[0],
              "Font Descriptor Error in " + path + "\r\nUndefined Layer on Line 12:\r\n\r\nLayerSetAscent Nope 3");
}

TEST_F(FontDataTest, SpanRectListsAndDefinitionsStandForTheirValues) {
    FontData data;
    ASSERT_TRUE(LoadText(data, "CreateHorzSpanRectList Rects (0 0 0 16) (5 7 3);\n"
                               "Define Chars (\"a\" \"b\" \"c\");\n"
                               "Define Sheet \"sheet.png\";\n"
                               "createlayer Main;\n"
                               "LayerSetImage Main Sheet;\n"
                               "LayerSetImageMap Main Chars Rects;\n"
                               "LayerSetCharOffsets Main (\"b\") ((1 3));\n"
                               "LayerSetKerningPairs Main (\"ab\") (-3);\n"
                               "LayerSetColorMult Main (128 255 255 255);\n"
                               "SetCharMap (\"A\") (\"a\");\n"
                               "CreateLayerFrom Shadow Main;\n"
                               "LayerSetBaseOrder Shadow -1;\n"));
    EXPECT_EQ(data.ElementToText(data.GetDefine("rects")), "((0, 0, 5, 16), (5, 0, 7, 16), (12, 0, 3, 16))");
    ASSERT_EQ(data.mFontLayerList.size(), 2u);
    const FontLayer& main = data.mFontLayerList.front();
    EXPECT_EQ(main.mCharData[int{'a'}].mImageRect, IntRect(0, 0, 5, 16));
    EXPECT_EQ(main.mCharData[int{'b'}].mImageRect, IntRect(5, 0, 7, 16));
    EXPECT_EQ(main.mCharData[int{'c'}].mImageRect, IntRect(12, 0, 3, 16));
    EXPECT_EQ(main.mDefaultHeight, 16);
    EXPECT_EQ(main.mImageMapHeight, 16); // offsets set after the map count from the next map
    EXPECT_EQ(main.mCharData[int{'a'}].mKerningOffsets[int{'b'}], -3);
    EXPECT_EQ(main.mColorMult.mRed, 128);
    EXPECT_EQ(data.mCharMap[int{'A'}], 'a');
    ASSERT_EQ(mServices.mRequested.size(), 1u);
    EXPECT_EQ(mServices.mRequested[0], GetFileDir(mFolder.Sub("font.txt"), true) + "sheet.png");

    // The copy has every field of its source and an image of its own handle.
    const FontLayer& shadow = data.mFontLayerList.back();
    EXPECT_EQ(shadow.mCharData[int{'b'}].mImageRect, IntRect(5, 0, 7, 16));
    EXPECT_EQ(shadow.mImage.GetImage(), main.mImage.GetImage());
    EXPECT_EQ(shadow.mBaseOrder, -1);
    EXPECT_EQ(main.mBaseOrder, 0);
    EXPECT_EQ(data.mFontLayerMap.at("SHADOW"), &shadow);
}

class LegacyFontTest : public FontFixture {
protected:
    MemoryImage mSheet;
    void SetUp() override { mSheet.Create(40, 20); }
};

TEST_F(LegacyFontTest, CharactersStandSideBySideInOneRow) {
    FontData data;
    ASSERT_TRUE(data.LoadLegacy(&mSheet, WriteFile("legacy.txt", "5 12\nA 7\nB 8\n")));
    EXPECT_TRUE(data.mInitialized);
    ASSERT_EQ(data.mFontLayerList.size(), 1u);
    const FontLayer& layer = data.mFontLayerList.front();
    EXPECT_EQ(layer.mCharData[int{' '}].mWidth, 5);
    EXPECT_EQ(layer.mCharData[int{' '}].mImageRect, IntRect());
    EXPECT_EQ(layer.mAscent, 12);
    EXPECT_EQ(layer.mImageMapHeight, 20);
    EXPECT_EQ(layer.mCharData[int{'A'}].mImageRect, IntRect(0, 0, 7, 20));
    EXPECT_EQ(layer.mCharData[int{'A'}].mWidth, 7);
    EXPECT_EQ(layer.mCharData[int{'B'}].mImageRect, IntRect(7, 0, 8, 20));
    EXPECT_EQ(layer.mCharData[int{'B'}].mWidth, 8);
    EXPECT_EQ(data.mCharMap[int{'a'}], 'A');
    EXPECT_EQ(data.mCharMap[int{'b'}], 'B');
    EXPECT_EQ(data.mCharMap[int{'c'}], 'c');
    EXPECT_FALSE(data.LoadLegacy(&mSheet, mFolder.Sub("legacy.txt")));
}

TEST_F(LegacyFontTest, NegativeWidthsCountAsZeroAndAMissingFileLoadsNothing) {
    FontData data;
    ASSERT_TRUE(data.LoadLegacy(&mSheet, WriteFile("legacy.txt", "4 10 a -6 b 3 c")));
    const FontLayer& layer = data.mFontLayerList.front();
    EXPECT_EQ(layer.mCharData[int{'a'}].mImageRect, IntRect(0, 0, 0, 20));
    EXPECT_EQ(layer.mCharData[int{'b'}].mImageRect, IntRect(0, 0, 3, 20));
    EXPECT_EQ(layer.mCharData[int{'c'}].mImageRect, IntRect(3, 0, 0, 20)); // width missing at the end
    EXPECT_EQ(data.mCharMap[int{'B'}], 'b');

    FontData missing;
    EXPECT_FALSE(missing.LoadLegacy(&mSheet, mFolder.Sub("absent.txt")));
    EXPECT_FALSE(missing.mInitialized);
}

} // namespace
} // namespace Kavo
