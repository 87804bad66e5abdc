#include "framework/util/path_util.h"
#include "framework/util/ratio.h"
#include "framework/util/string_util.h"
#include "framework/util/system_util.h"

#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace Kavo {
namespace {

TEST(StringToInt, ParsesDecimalAndHexAndRejectsTheRest) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"", false, 0},     {"abc", false, 0},  {"12a", false, 0},   {"-0x10", false, 0}, {"0x", true, 0},
        {"0X10", true, 16}, {"0x1F", true, 31}, {"0xff", true, 255}, {"-x1F", true, -31}, {"-", true, 0},
        {"-42", true, -42}, {"x1", false, 0},   {"12", true, 12},    {"0xg", false, 0},
    };
    for (const Case& c : cases) {
        int value = 77;
        EXPECT_EQ(StringToInt(c.text, &value), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    int wrapped = 0;
    EXPECT_TRUE(StringToInt("4294967297", &wrapped)); // 2^32 + 1 wraps to 1
    EXPECT_EQ(wrapped, 1);
}

TEST(StringToDouble, PlainDecimalsOnly) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1.5", true, 1.5}, {".5", true, 0.5},  {"-2.", true, -2.0}, {"1.2.3", false, 0.0}, {"1e5", false, 0.0},
        {"", false, 0.0},   {" 1", false, 0.0}, {"+1", false, 0.0},  {"3.25", true, 3.25},
    };
    for (const Case& c : cases) {
        double value = 9.0;
        EXPECT_EQ(StringToDouble(c.text, &value), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
}

TEST(FormatThousands, GroupsOfThree) {
    EXPECT_EQ(FormatThousands(0), "0");
    EXPECT_EQ(FormatThousands(999), "999");
    EXPECT_EQ(FormatThousands(1000), "1,000");
    EXPECT_EQ(FormatThousands(1000000), "1,000,000");
    EXPECT_EQ(FormatThousands(1234567), "1,234,567");
    EXPECT_EQ(FormatThousands(2147483647), "2,147,483,647");
    EXPECT_EQ(FormatThousands(-5), "");
}

TEST(FormatString, ShortAndLongTexts) {
    EXPECT_EQ(FormatString("%d-%s", 12, "ab"), "12-ab");
    for (int length : {159, 160, 161, 320, 321, 5000}) {
        std::string expected(static_cast<size_t>(length - 1), 'q');
        expected += '!';
        EXPECT_EQ(FormatString("%s!", std::string(static_cast<size_t>(length - 1), 'q').c_str()), expected) << length;
    }
}

TEST(StringUtil, CaseTrimFindAndWide) {
    EXPECT_EQ(StringToLower("AbC-Z\xC0"), "abc-z\xC0"); // only ASCII letters change
    EXPECT_EQ(StringToUpper("abc-z\xE0"), "ABC-Z\xE0");
    EXPECT_EQ(StringTrim(" \t\r\n x y \v\f"), "x y");
    EXPECT_EQ(StringTrim(" \t "), "");
    EXPECT_EQ(StringFindNoCase("Hello World", "WORLD"), 6);
    EXPECT_EQ(StringFindNoCase("Hello", ""), 0);
    EXPECT_EQ(StringFindNoCase("", ""), -1);
    EXPECT_EQ(StringFindNoCase("abab", "BABX"), -1);
    EXPECT_EQ(StringFindNoCase("aab", "ab"), 1);

    std::wstring wide = StringToWString("a\xE9");
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[1], static_cast<wchar_t>(0xE9));
    EXPECT_EQ(WStringToString(wide), "a\xE9");
    EXPECT_EQ(WStringToString(L"ok\x0416"), "");
}

TEST(Paths, FileNameDirAndSlashes) {
    EXPECT_EQ(GetFileName(".hidden", true), "");
    EXPECT_EQ(GetFileName("dir.d\\file", true), "file");
    EXPECT_EQ(GetFileName("a/b.c/d", true), "d");
    EXPECT_EQ(GetFileName("x.txt", true), "x");
    EXPECT_EQ(GetFileName("a\\b/c.png"), "c.png");
    EXPECT_EQ(GetFileName("plain"), "plain");
    EXPECT_EQ(GetFileDir("a\\b/c.png"), "a\\b");
    EXPECT_EQ(GetFileDir("a\\b/c.png", true), "a\\b/");
    EXPECT_EQ(GetFileDir("c.png", true), "");
    EXPECT_EQ(RemoveTrailingSlash("a\\"), "a");
    EXPECT_EQ(RemoveTrailingSlash("/"), "");
    EXPECT_EQ(RemoveTrailingSlash("a"), "a");
    EXPECT_EQ(AddTrailingSlash("", true), "");
    EXPECT_EQ(AddTrailingSlash("", false), "");
    EXPECT_EQ(AddTrailingSlash("a", true), "a\\");
    EXPECT_EQ(AddTrailingSlash("a", false), "a/");
    EXPECT_EQ(AddTrailingSlash("a/", true), "a/");
}

TEST(Paths, NormalizePath) {
    struct Case {
        const char* relative;
        const char* base;
        const char* expected;
    };
    const Case cases[] = {
        {"..\\images\\a.png", "data\\fonts\\", "data\\images\\a.png"},
        {".\\z", "c:\\x\\y", "c:\\x\\y\\z"},
        {"d:\\abs\\f", "data\\", "d:\\abs\\f"}, // a drive: unchanged
        {"..\\..\\f", "data", "..\\f"},         // the base empties, the second ".." stays
        {"..\\f", "a\\..\\", "a\\..\\..\\f"},   // a ".." base folder grows
        {"../b/c", "x/y", "x/b/c"},             // '/' only
        {"\\root\\f", "data\\", "\\root\\f"},   // a leading separator
        {"sub/f", "data\\", "data\\sub\\f"},    // separators unified
        {"f", "", "f"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizePath(c.relative, c.base), c.expected) << c.relative << " on " << c.base;
}

class PathFiles : public ::testing::Test {
protected:
    void SetUp() override {
        mRoot = std::filesystem::path(::testing::TempDir()) /
                ("kavo_path_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(mRoot);
        std::filesystem::create_directories(mRoot);
    }
    void TearDown() override { std::filesystem::remove_all(mRoot); }
    std::filesystem::path mRoot;
};

TEST_F(PathFiles, MkDirDeleteTreeAndDate) {
    const std::string root = mRoot.string();
    MkDir(root + "\\one/two\\three");
    ASSERT_TRUE(std::filesystem::is_directory(mRoot / "one" / "two" / "three"));
    std::ofstream(mRoot / "one" / "a.txt") << "x";
    std::ofstream(mRoot / "one" / "two" / "b.txt") << "y";

    EXPECT_GT(GetFileDate(root + "/one/a.txt"), 1000000000u);
    EXPECT_EQ(GetFileDate(root + "/one/missing.txt"), 0u);

    std::filesystem::permissions(mRoot / "one" / "a.txt", std::filesystem::perms::owner_read);
    EXPECT_TRUE(GrantEveryoneFullAccess(root + "/ONE/A.TXT"));
    auto perms = std::filesystem::status(mRoot / "one" / "a.txt").permissions();
    EXPECT_NE(perms & std::filesystem::perms::others_write, std::filesystem::perms::none);
    EXPECT_FALSE(GrantEveryoneFullAccess(root + "/one/missing.txt"));

    EXPECT_FALSE(DeleteTree("x"));
    EXPECT_TRUE(DeleteTree(root + "/one\\"));
    EXPECT_FALSE(std::filesystem::exists(mRoot / "one"));
    EXPECT_FALSE(DeleteTree(root + "/one")); // nothing left to list
}

TEST(SystemUtil, UserDataFolderAndVersion) {
    EXPECT_FALSE(IsWindows9x());
    EXPECT_TRUE(IsWindowsVistaOrLater());
    SetUserDataFolder("/tmp/kavo_user");
    EXPECT_EQ(GetUserDataFolder(), "/tmp/kavo_user\\");
    SetUserDataFolder("/tmp/kavo_user/");
    EXPECT_EQ(GetUserDataFolder(), "/tmp/kavo_user/");
    SetUserDataFolder("");
    EXPECT_EQ(GetUserDataFolder(), "");
}

TEST(Ratio, LowestTermsKeepSigns) {
    EXPECT_EQ(Ratio(1024, 768), Ratio(4, 3));
    EXPECT_EQ(Ratio(1024, 768).mNumerator, 4);
    Ratio r(-4, 6);
    EXPECT_EQ(r.mNumerator, -2);
    EXPECT_EQ(r.mDenominator, 3);
    r.Set(4, -6);
    EXPECT_EQ(r.mNumerator, 2);
    EXPECT_EQ(r.mDenominator, -3);
    for (int32_t numerator : {7, -5, INT32_MIN}) {
        r.Set(numerator, 0);
        EXPECT_EQ(r, Ratio(1, 0)) << numerator;
        EXPECT_EQ(r.mNumerator, 1);
        EXPECT_EQ(r.mDenominator, 0);
    }
}

} // namespace
} // namespace Kavo
