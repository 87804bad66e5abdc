#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/util/mod_val_reparser.h"
#include "platform/headless/headless_platform.h"
#include "platform/message_box.h"

// After gtest: the one-letter macro must not meet gtest's own names.
#include "framework/util/mod_val.h"

namespace Kavo {
namespace {

// Sites of a source file that the test writes, as the macro would make them.
class FileSites {
public:
    FileSites(const std::string& path, const std::vector<int>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            mTexts.push_back(kModValTag + path + std::to_string(i) + "," + std::to_string(lines[i]));
        for (const std::string& text : mTexts)
            mSites.push_back(ModValSite{text.c_str()});
    }
    ~FileSites() {
        for (ModValSite& site : mSites)
            delete site.record;
    }
    ModValSite& operator[](std::size_t i) { return mSites[i]; }
    std::vector<ModValSite*> Pointers() {
        std::vector<ModValSite*> pointers;
        for (ModValSite& site : mSites)
            pointers.push_back(&site);
        return pointers;
    }

private:
    std::vector<std::string> mTexts;
    std::vector<ModValSite> mSites;
};

class ModValTest : public testing::Test {
protected:
    void SetUp() override {
        mPlatform.emplace();
        mPath = (std::filesystem::path(testing::TempDir()) /
                 ("modval_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                  std::to_string(getpid()) + ".cpp"))
                    .string();
    }
    void TearDown() override {
        std::filesystem::remove(mPath);
        mPlatform.reset();
    }

    // Writes the source, dated `hoursAhead` after now so that it is newer
    // than the test program.
    void WriteSource(const std::string& text, int hoursAhead = 1) {
        std::ofstream(mPath, std::ios::binary) << text;
        std::filesystem::last_write_time(mPath, std::filesystem::file_time_type::clock::now() +
                                                    std::chrono::hours(hoursAhead));
    }

    std::vector<platform::HeadlessDesktopServices::MessageBoxRecord> Boxes() {
        return mPlatform->Desktop().MessageBoxLog();
    }

    std::string mPath;
    std::optional<platform::HeadlessPlatform> mPlatform;
};

TEST_F(ModValTest, MacrosGiveTheirDefaultsWithTheirTypes) {
    const auto a = M(12);
    const auto b = M1(0x10);
    const auto c = M(-5);
    const auto d = M9(1.5f);
    const auto e = M(2.25);
    const auto f = M("text");
    static_assert(std::is_same_v<decltype(a), const int>);
    static_assert(std::is_same_v<decltype(d), const float>);
    static_assert(std::is_same_v<decltype(e), const double>);
    static_assert(std::is_same_v<decltype(f), const char* const>);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 16);
    EXPECT_EQ(c, -5);
    EXPECT_EQ(d, 1.5f);
    EXPECT_EQ(e, 2.25);
    EXPECT_STREQ(f, "text");
}

#if KAVO_MODVAL
TEST_F(ModValTest, MacroSitesAreListedWithFileAndLineAndCountAsUsed) {
    const int line = __LINE__ + 1;
    const int first = M(3), second = M(4);
    EXPECT_EQ(first + second, 7);
    std::vector<int> counters;
    for (ModValSite& site : ProgramModValSites()) {
        std::string path;
        int counter = 0;
        int siteLine = 0;
        if (site.text != nullptr && SplitModValSiteText(site.text, &path, &counter, &siteLine) && path == __FILE__ &&
            siteLine == line) {
            EXPECT_NE(site.record, nullptr);
            counters.push_back(counter);
        }
    }
    ASSERT_EQ(counters.size(), 2u);
    EXPECT_NE(counters[0], counters[1]);
}
#endif

TEST(ModValSiteText, SplitsPathCounterAndLine) {
    struct Case {
        const char* text;
        bool split;
        const char* path;
        int counter;
        int line;
    };
    const Case cases[] = {
        {"KAVOMODVAL.\\EffectX2.cpp0,111", true, ".\\EffectX2.cpp", 0, 111},
        {"KAVOMODVAL/src/a.h17,5", true, "/src/a.h", 17, 5},
        {"KAVOMODVALab", false, "ab", 0, 0},
        {"KAVOMODVALa.cpp0,", false, "a.cpp0,", 0, 0},
        {"KAVOMODVALa.cpp,5", false, "a.cpp,5", 0, 0},
        {"KAVOMODVALx0,5", false, "x0,5", 0, 0}, // the path would be one character
        {"KAVOMODVAL0,5", false, "0,5", 0, 0},
    };
    for (const Case& c : cases) {
        std::string path;
        int counter = -1;
        int line = -1;
        EXPECT_EQ(SplitModValSiteText(c.text, &path, &counter, &line), c.split) << c.text;
        EXPECT_EQ(path, c.path) << c.text;
        if (c.split) {
            EXPECT_EQ(counter, c.counter) << c.text;
            EXPECT_EQ(line, c.line) << c.text;
        }
    }
}

TEST_F(ModValTest, ReparseReadsEachKindOfValue) {
    WriteSource("int a = M(0x10);\n"
                "int b = M(-5);\r\n"
                "float c = M(1.5f);\n"
                "const char* d = M(\"say \\\"hi\\\"\\tthere\\n\"  );\n"
                "int e = M2(42) + M3(7); /* M(1) */ const char* s = \"M(2)\";\n"
                "/* M(3)\n"
                "   M(4) */ int f = M(kSpeed);\n"
                "double g = M(-2.);\n"
                "const char* q = \"continued \\\n"
                "M(5) \"; int h = M(6);\n");
    FileSites sites(mPath, {1, 2, 3, 4, 5, 5, 7, 8, 10});
    EXPECT_EQ(ModVal::GetInt(sites[0], 99), 99); // defaults before the first re-parse
    EXPECT_EQ(ModVal::GetFloat(sites[2], 9.5), 9.5);
    EXPECT_STREQ(ModVal::GetString(sites[3], "none"), "none");

    ModValReparser reparser(sites.Pointers());
    reparser.SetNamedConstant("kSpeed", 9);
    ASSERT_TRUE(reparser.Reparse());
    EXPECT_TRUE(Boxes().empty()); // the source is newer than the program: no warning

    EXPECT_EQ(ModVal::GetInt(sites[0], 0), 16);
    EXPECT_EQ(ModVal::GetFloat(sites[0], 0), 16.0);
    EXPECT_EQ(ModVal::GetInt(sites[1], 0), -5);
    EXPECT_EQ(ModVal::GetFloat(sites[2], 0), 1.5);
    EXPECT_EQ(ModVal::GetInt(sites[2], 0), 1);
    EXPECT_STREQ(ModVal::GetString(sites[3], ""), "say \"hi\"\tthere\n");
    EXPECT_EQ(ModVal::GetInt(sites[4], 0), 42);
    EXPECT_EQ(ModVal::GetInt(sites[5], 0), 7);
    EXPECT_EQ(ModVal::GetInt(sites[6], 0), 9);
    EXPECT_EQ(ModVal::GetFloat(sites[7], 0), -2.0);
    EXPECT_EQ(ModVal::GetInt(sites[8], 0), 6);
}

TEST_F(ModValTest, ASiteWhoseLineLostItsMacroKeepsItsValue) {
    WriteSource("int a = M(3);\nint b = M(4);\n");
    FileSites sites(mPath, {1, 2});
    ModVal::GetInt(sites[0], 0);
    ModValReparser reparser(sites.Pointers());
    ASSERT_TRUE(reparser.Reparse());

    WriteSource("int a = 30; // M(30)\n\nint b = M(40);\n", 2);
    ASSERT_TRUE(reparser.Reparse());
    EXPECT_EQ(ModVal::GetInt(sites[0], 0), 3);
    EXPECT_EQ(ModVal::GetInt(sites[1], 0), 4); // its macro moved to another line
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ModValTest, FaultsAreShownAndEndTheReparse) {
    struct Case {
        const char* source;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"int a = M(4);\nint b = M(-0x10);\n", 2, ".  Parsing Error."},
        {"int a = M(4);\nint b = M(kUnknown);\n", 2, ".  Parsing Error."},
        {"int a = M(4);\nint b = M( 5);\n", 2, ".  Parsing Error."},
        {"int a = M(4);\nint b = M(\"open);\n", 2, ".  Parsing Error."},
        {"int a = M(4);\nconst char* s = \"open;\n", 2, ": Error parsing quotes"},
        {"int a = M(4);\n// comment \\\n", 2, ": Error parsing c++ comment"},
        {"int a = M(4);\n/* open\n\n", 3, ": Error parsing c comment"},
    };
    for (const Case& c : cases) {
        mPlatform.reset();
        mPlatform.emplace();
        WriteSource(c.source);
        FileSites sites(mPath, {1, 2});
        ModVal::GetInt(sites[0], 0);
        ModValReparser reparser(sites.Pointers());
        EXPECT_FALSE(reparser.Reparse()) << c.source;
        EXPECT_EQ(ModVal::GetInt(sites[0], 0), 4) << c.source; // read before the fault: in effect
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u) << c.source;
        EXPECT_EQ(boxes[0].text, "ERROR in " + mPath + " on line " + std::to_string(c.line) + c.message);
        EXPECT_EQ(boxes[0].caption, "MODVAL ERROR");
        EXPECT_EQ(boxes[0].flags, platform::kMbIconError);
    }
}

TEST_F(ModValTest, WarnsWhenNoFileChangedAndListsTheParsedFiles) {
    WriteSource("int a = M(1);\n");
    FileSites sites(mPath, {1});
    FileSites unused(mPath + ".other.cpp", {1});
    ModValReparser noneUsed(sites.Pointers());
    ASSERT_TRUE(noneUsed.Reparse());

    ModVal::GetInt(sites[0], 0);
    std::vector<ModValSite*> all = sites.Pointers();
    all.push_back(&unused[0]);
    ModValReparser reparser(all);
    ASSERT_TRUE(reparser.Reparse());
    ASSERT_TRUE(reparser.Reparse());

    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "WARNING: No file changes detected.  Files parsed: \r\n   none");
    EXPECT_EQ(boxes[1].text, "WARNING: No file changes detected.  Files parsed: \r\n   " + mPath);
    EXPECT_EQ(boxes[1].caption, "MODVAL WARNING!");
    EXPECT_EQ(boxes[1].flags, platform::kMbIconWarning);
    EXPECT_EQ(ModVal::GetInt(sites[0], 0), 1); // values read are in effect either way
}

TEST_F(ModValTest, AFileThatCannotBeOpenedIsReported) {
    FileSites sites(mPath, {1}); // never written
    ModVal::GetInt(sites[0], 0);
    ModValReparser reparser(sites.Pointers());
    EXPECT_FALSE(reparser.Reparse());
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "ERROR: Unable to open " + mPath + " for reparsing.");
    EXPECT_EQ(boxes[0].caption, "MODVAL ERROR!");
}

} // namespace
} // namespace Kavo
