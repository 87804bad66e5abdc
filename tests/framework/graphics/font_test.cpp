#include "framework/graphics/font.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/graphics/fake_font.h"

namespace Kavo {
namespace {

// Only the string width is its own: each character is as wide as its code.
class CodeWidthFont : public Font {
public:
    int StringWidth(const std::string& str) override {
        int width = 0;
        for (char c : str)
            width += static_cast<unsigned char>(c);
        return width;
    }
    Font* Duplicate() override { return new CodeWidthFont(*this); }
};

TEST(Font, MetricsFromTheFourFields) {
    FakeFont font(10, 20, 16);
    font.mLineSpacingOffset = -2;
    font.mAscentPadding = 3;
    EXPECT_EQ(font.GetAscent(), 16);
    EXPECT_EQ(font.GetDescent(), 4);
    EXPECT_EQ(font.GetHeight(), 20);
    EXPECT_EQ(font.GetLineSpacingOffset(), -2);
    EXPECT_EQ(font.GetLineSpacing(), 18);
    EXPECT_EQ(font.GetAscentPadding(), 3);

    std::unique_ptr<Font> copy(font.Duplicate());
    EXPECT_EQ(copy->GetLineSpacing(), 18);
}

TEST(Font, CharacterWidthsDefaultToTheStringWidth) {
    CodeWidthFont font;
    EXPECT_EQ(font.CharWidth('A'), 65);
    EXPECT_EQ(font.CharWidthKern('A', 'V'), 65); // no kerning
    EXPECT_EQ(font.CharWidthKern('b', 0), 98);
}

} // namespace
} // namespace Kavo
