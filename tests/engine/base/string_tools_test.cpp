#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/base/str_parser.h"
#include "engine/base/string_tools.h"

namespace {

using Pieces = std::vector<std::string>;

TEST(ComString, Split) {
    struct Case {
        const char* text;
        Pieces pieces;
    };
    const Case cases[] = {
        {"1, 2,, 3 ", {"1", "2", "3"}}, {" , ", {}}, {"a,", {"a"}}, {",a", {"a"}}, {"  whole text ", {"whole text"}},
        {"a\t, b", {"a\t", "b"}},       {",,,", {}}, {"", {}},      {nullptr, {}},
    };
    for (const Case& c : cases) {
        Pieces pieces = {"stale"};
        EXPECT_EQ(com_string::Split(c.text, ',', pieces), static_cast<int>(c.pieces.size()))
            << (c.text ? c.text : "(null)");
        EXPECT_EQ(pieces, c.pieces) << (c.text ? c.text : "(null)");
    }
}

TEST(ComString, SplitAtAndTrim) {
    char commaFirst[] = ",x";
    char* first = nullptr;
    char* rest = com_string::SplitAt(commaFirst, first, ',');
    EXPECT_STREQ(first, "");
    EXPECT_STREQ(rest, "x");

    char plain[] = "abc";
    rest = com_string::SplitAt(plain, first, ',');
    EXPECT_STREQ(first, "abc");
    ASSERT_NE(rest, nullptr);
    EXPECT_STREQ(rest, "");

    char empty[] = "";
    EXPECT_EQ(com_string::SplitAt(empty, first, ','), nullptr);

    char blanks[] = "   ";
    EXPECT_STREQ(com_string::Trim(blanks), "");
    char padded[] = " \tx  ";
    EXPECT_STREQ(com_string::Trim(padded), "\tx");
    EXPECT_EQ(com_string::Trim(nullptr), nullptr);

    std::unique_ptr<char[]> copy(com_string::StrDup("dup"));
    EXPECT_STREQ(copy.get(), "dup");
    EXPECT_EQ(com_string::StrDup(nullptr), nullptr);
}

TEST(ComString, NextLineSkipsEmptyBlankAndCommentLines) {
    const std::string text = "a\r\n\r\n;c\r\n  \r\nb\r\n";
    com_string::StrParser_t parser(text.data(), static_cast<std::uint32_t>(text.size()));
    EXPECT_STREQ(parser.NextLine(), "a");
    EXPECT_STREQ(parser.NextLine(), "b");
    EXPECT_EQ(parser.NextLine(), nullptr);
    EXPECT_EQ(parser.NextLine(), nullptr);
}

TEST(ComString, NextLineKeepsBlanksAndReadsTabsAsBlanks) {
    // Unix line ends, a tab, no final line end, and bytes past the length
    // that must never be read.
    const char text[] = " x\ty\n\tz;not\nLEFT OUT";
    com_string::StrParser_t parser(text, 9);
    EXPECT_STREQ(parser.NextLine(), " x y");
    EXPECT_STREQ(parser.NextLine(), " z;n");
    EXPECT_EQ(parser.NextLine(), nullptr);

    parser.SetText("\t\n", 2);
    EXPECT_EQ(parser.NextLine(), nullptr);
    com_string::StrParser_t unset;
    EXPECT_EQ(unset.NextLine(), nullptr);
}

} // namespace
