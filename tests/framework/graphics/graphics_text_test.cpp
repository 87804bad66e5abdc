#include "framework/graphics/graphics.h"

#include <gtest/gtest.h>

#include "tests/framework/graphics/fake_font.h"
#include "tests/framework/graphics/recording_image.h"

namespace Kavo {
namespace {

const Color kRed(255, 0, 0, 200);

// "text@x,y r,g,b,a" for each string the font drew.
std::vector<std::string> Drawn(FakeFont& font) {
    std::vector<std::string> out;
    for (const FakeFont::Drawn& d : font.mDrawn)
        out.push_back(RecordingImage::Fmt("%s@%d,%d ", d.mText.c_str(), d.mX, d.mY) + RecordingImage::C(d.mColor));
    font.mDrawn.clear();
    return out;
}

class GraphicsTextTest : public ::testing::Test {
protected:
    RecordingImage mDest{200, 200};
    FakeFont mFont; // 10 pixels a character, height 20, ascent 16
    Graphics mG{&mDest};

    void SetUp() override {
        mG.SetFont(&mFont);
        mG.SetColor(Color(0, 0, 0, 200));
    }
};

TEST_F(GraphicsTextTest, DrawStringHandsTheUntranslatedPositionToTheFont) {
    mG.Translate(5, 6);
    mG.SetClipRect(0, 0, 50, 50);
    mG.DrawString("hi", 1, 2);
    ASSERT_EQ(mFont.mDrawn.size(), 1u);
    EXPECT_EQ(mFont.mDrawn[0].mClip, IntRect(5, 6, 50, 50));
    EXPECT_EQ(Drawn(mFont), std::vector<std::string>{"hi@1,2 (0,0,0,200)"});
    EXPECT_EQ(mG.StringWidth("abc"), 30);

    mG.SetFont(nullptr);
    mG.DrawString("hi", 1, 2); // nothing without a font
}

TEST_F(GraphicsTextTest, ColourTagsSplitTheLine) {
    EXPECT_EQ(mG.WriteString("ab^ff0000^cd^^e", 10, 20), 60);
    EXPECT_EQ(Drawn(mFont), (std::vector<std::string>{"ab@10,20 (0,0,0,200)", "cd^e@30,20 (255,0,0,200)"}));
    EXPECT_EQ(mG.GetColor(), kRed); // the tag's colour stays, with the old alpha
}

TEST_F(GraphicsTextTest, TagForms) {
    const struct {
        const char* text;
        int width;
        std::vector<std::string> drawn;
    } cases[] = {
        {"ab^ff00", 20, {"ab@0,0 (9,9,9,200)"}}, // a tag nearer than 8 characters to the end ends the text
        {"ab^ff00000", 20, {"ab@0,0 (9,9,9,200)"}},
        {"^00ff00^^oldclr^x", 10, {"x@0,0 (1,2,3,200)"}},
        {"^o12345^x", 10, {"x@0,0 (0,0,0,200)"}},       // 'o' without "oldclr" is black
        {"^zz00FF^x", 10, {"x@0,0 (0,0,255,200)"}},     // a non-hex digit counts as 0
        {"^AbCdEf!x", 10, {"x@0,0 (171,205,239,200)"}}, // the closing character is not checked
        {"a^^", 20, {"a^@0,0 (9,9,9,200)"}},
    };
    for (const auto& c : cases) {
        mG.SetColor(Color(9, 9, 9, 200));
        EXPECT_EQ(mG.WriteString(c.text, 0, 0, -1, -1, true, 0, -1, 0x010203), c.width) << c.text;
        EXPECT_EQ(Drawn(mFont), c.drawn) << c.text;
    }
}

TEST_F(GraphicsTextTest, OldColourIsClampedWhenPacked) {
    mG.SetColor(Color(300, -5, 128, 200));
    mG.WriteString("^ff0000^a^oldclr^b", 0, 0);
    mG.SetColor(Color(300, -5, 128, 200));
    mG.WriteWordWrapped(IntRect(0, 0, 100, 0), "^ff0000^a^oldclr^b");
    EXPECT_EQ(Drawn(mFont), (std::vector<std::string>{"a@0,0 (255,0,0,200)", "b@10,0 (255,0,128,200)",
                                                      "a@0,16 (255,0,0,200)", "b@10,16 (255,0,128,200)"}));
}

TEST_F(GraphicsTextTest, TagsArePlainTextWhenTheFlagIsOff) {
    mG.mWriteColoredString = false;
    EXPECT_EQ(mG.WriteString("^ff0000^", 0, 0), 80);
    EXPECT_EQ(Drawn(mFont), std::vector<std::string>{"^ff0000^@0,0 (0,0,0,200)"});
    EXPECT_EQ(mG.GetColor(), Color(0, 0, 0, 200));
}

TEST_F(GraphicsTextTest, JustificationAndRange) {
    mG.WriteString("abc", 5, 0, 100, 0);
    mG.WriteString("abc", 5, 0, 100, 1);
    mG.WriteString("abc", 5, 0, 100, 7); // anything else is left-aligned
    EXPECT_EQ(mG.WriteString("hello world", 0, 0, -1, -1, true, 6, 3), 30);
    EXPECT_EQ(mG.WriteString("hello world", 0, 0, -1, -1, true, 8, 100), 30);
    EXPECT_EQ(mG.WriteString("hello", 0, 0, -1, -1, false), 50); // measures without drawing
    const std::vector<std::string> expected = {"abc@40,0 (0,0,0,200)", "abc@75,0 (0,0,0,200)", "abc@5,0 (0,0,0,200)",
                                               "wor@0,0 (0,0,0,200)", "rld@0,0 (0,0,0,200)"};
    EXPECT_EQ(Drawn(mFont), expected);
}

TEST_F(GraphicsTextTest, CentredTextStartsInTheStateColour) {
    mG.WriteString("ab^ff0000^cd", 0, 0, 100, 0);
    EXPECT_EQ(Drawn(mFont), (std::vector<std::string>{"ab@30,0 (0,0,0,200)", "cd@50,0 (255,0,0,200)"}));
}

struct WrapCase {
    const char* name;
    const char* text;
    int width;
    int maxChars;
    std::vector<std::string> drawn;
    int height;
    int maxWidth;
};

TEST_F(GraphicsTextTest, WordWrap) {
    // Baselines at 16 + 20 n; the height is descent + baseline of the last line.
    const WrapCase cases[] = {
        {"fits", "aaa bbb", 100, -1, {"aaa bbb@0,16"}, 20, 70},
        {"breaks at the last space", "aaa bbb ccc", 75, -1, {"aaa bbb@0,16", "ccc@0,36"}, 40, 70},
        {"skips the spaces after a break", "aaa   bbb", 45, -1, {"aaa @0,16", "bbb@0,36"}, 40, 40},
        {"cuts a long word", "abcdefghij", 35, -1, {"abc@0,16", "def@0,36", "ghi@0,56", "j@0,76"}, 80, 30},
        {"one character at least", "abc", 5, -1, {"a@0,16", "b@0,36", "c@0,56"}, 60, 10},
        {"line feed", "ab\ncd", 100, -1, {"ab@0,16", "cd@0,36"}, 40, 20},
        {"line feed keeps the spaces after it", "ab\n  cd", 100, -1, {"ab@0,16", "  cd@0,36"}, 40, 40},
        {"final line feed takes a line", "ab\n", 100, -1, {"ab@0,16"}, 40, 20},
        {"max characters", "aaa bbb ccc", 35, 5, {"aaa@0,16", "b@0,36"}, 60, 30},
        {"tags are not measured", "ab^ff0000^cd", 45, -1, {"ab@0,16", "cd@20,16"}, 20, 40},
        {"a caret pair is one character", "a^^b", 30, -1, {"a^b@0,16"}, 20, 30},
        {"a cut-off tag ends the text", "abc^12", 100, -1, {"abc@0,16"}, 20, 30},
    };
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(c.name);
        int maxWidth = -1;
        int height = mG.WriteWordWrapped(IntRect(0, 0, c.width, 0), c.text, -1, -1, &maxWidth, c.maxChars);
        std::vector<std::string> drawn;
        for (const FakeFont::Drawn& d : mFont.mDrawn)
            drawn.push_back(RecordingImage::Fmt("%s@%d,%d", d.mText.c_str(), d.mX, d.mY));
        mFont.mDrawn.clear();
        EXPECT_EQ(drawn, c.drawn);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(maxWidth, c.maxWidth);
        EXPECT_EQ(mG.GetColor(), Color(0, 0, 0, 200)); // restored
    }
}

TEST_F(GraphicsTextTest, WrappedColourCarriesAcrossLines) {
    mG.WriteWordWrapped(IntRect(0, 0, 35, 0), "^ff0000^aaa bbb ^oldclr^ccc");
    EXPECT_EQ(Drawn(mFont),
              (std::vector<std::string>{"aaa@0,16 (255,0,0,200)", "bbb@0,36 (255,0,0,200)", "ccc@0,56 (0,0,0,200)"}));
    EXPECT_EQ(mG.GetColor(), Color(0, 0, 0, 200));
}

TEST_F(GraphicsTextTest, WrappedLinesOutsideTheClipAreSkipped) {
    mG.Translate(0, 10);
    mG.SetClipRect(0, 30, 200, 20); // destination rows 40..59
    mG.WriteWordWrapped(IntRect(0, 0, 35, 0), "aaa bbb ccc ddd eee");
    // Written when the baseline lies in [40, 80): lines at 36 and 56 (destination 46 and 66);
    // the last line is always written.
    EXPECT_EQ(Drawn(mFont),
              (std::vector<std::string>{"bbb@0,36 (0,0,0,200)", "ccc@0,56 (0,0,0,200)", "eee@0,96 (0,0,0,200)"}));
}

TEST_F(GraphicsTextTest, WrappedTextContinuesAPreviousLine) {
    int lastWidth = 30;
    int height = mG.WriteWordWrapped(IntRect(0, 0, 50, 0), "ab cd", 25, -1, nullptr, -1, &lastWidth);
    EXPECT_EQ(Drawn(mFont), (std::vector<std::string>{"ab@30,16 (0,0,0,200)", "cd@0,41 (0,0,0,200)"}));
    EXPECT_EQ(height, 4 + 41);
    EXPECT_EQ(lastWidth, 20);

    lastWidth = 0;
    mG.WriteWordWrapped(IntRect(0, 0, 50, 0), "ab\n", -1, -1, nullptr, -1, &lastWidth);
    EXPECT_EQ(lastWidth, 0);
    lastWidth = 0;
    mG.WriteWordWrapped(IntRect(0, 0, 50, 0), "abc", -1, -1, nullptr, -1, &lastWidth);
    EXPECT_EQ(lastWidth, 30);
}

TEST_F(GraphicsTextTest, WrappedHeight) {
    mFont.mAscentPadding = 2;
    int maxWidth = 0;
    EXPECT_EQ(mG.GetWordWrappedHeight(75, "aaa bbb ccc", -1, &maxWidth), 4 + 14 + 20);
    EXPECT_EQ(maxWidth, 70);
    EXPECT_EQ(mG.GetWordWrappedHeight(75, "aaa", 30), 4 + 14);
}

} // namespace
} // namespace Kavo
