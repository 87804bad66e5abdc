#include "game/ui/ini_document.h"
#include "game/ui/read_rect_setting.h"

#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

IniDocument Parsed(const std::string& text) {
    IniDocument doc;
    doc.Parse(text.data(), text.size(), true);
    return doc;
}

std::vector<std::string> SectionNames(IniDocument& doc) {
    std::vector<std::string> names;
    for (auto it = doc.Begin(); it != doc.End(); ++it)
        names.push_back(it.Name());
    return names;
}

TEST(IniDocumentTest, LinesEndOnlyAtCrLf) {
    IniDocument crlf = Parsed("[Main]\r\nSprite=a\r\n");
    ASSERT_EQ(crlf.GetSectionCount(), 1u);
    EXPECT_EQ(crlf.GetSection("Main")->GetString("Sprite"), "a");

    IniDocument lf = Parsed("[Main]\nSprite=a\n");
    ASSERT_EQ(lf.GetSectionCount(), 1u);
    EXPECT_EQ(lf.GetSection("Main")->GetKeyCount(), 0u);

    // The last line needs no line end; a lone CR is an ordinary byte.
    IniDocument last = Parsed("[Main]\r\nA=1\rB=2");
    EXPECT_EQ(last.GetSection("main")->GetString("A"), "1\rB=2");
}

TEST(IniDocumentTest, KeysAndValues) {
    IniDocument doc = Parsed("x=before any section\r\n[Main]\r\nKey = 5\r\na=b=c\r\nDelay=1\r\nDELAY=2\r\n"
                             "  Bare  \r\n[ Other ]\r\n[main]\r\nMerged=yes\r\n[NoClose\r\nk=v\r\n");
    IniSection* main = doc.GetSection("MAIN");
    EXPECT_EQ(main->GetInt("Key", 0), 5);
    EXPECT_EQ(main->GetString("Key"), " 5");
    EXPECT_EQ(main->GetString("a"), "b=c");
    EXPECT_EQ(main->GetString("Delay"), "2");
    EXPECT_TRUE(main->HasKey("Bare"));
    EXPECT_EQ(main->GetString("Bare", "default"), "");
    EXPECT_EQ(main->GetString("Merged"), "yes");
    EXPECT_FALSE(main->HasKey("x"));
    EXPECT_EQ(main->GetKeyCount(), 5u);
    EXPECT_TRUE(doc.HasSection(" Other "));
    EXPECT_EQ(doc.GetSection("NoClose")->GetString("k"), "v");
    EXPECT_EQ(doc.GetSectionCount(), 3u);
    // GetSection never gives null: a missing name is created.
    EXPECT_EQ(doc.GetSection("Absent")->GetInt("k", 7), 7);
    EXPECT_EQ(doc.GetSectionCount(), 4u);
}

TEST(IniDocumentTest, SectionsVisitInFoldedOrder) {
    IniDocument doc = Parsed("[b]\r\n[A]\r\n[C]\r\n[_z]\r\n");
    EXPECT_EQ(SectionNames(doc), (std::vector<std::string>{"_z", "A", "b", "C"}));
}

TEST(IniDocumentTest, TypedGettersAndLists) {
    IniDocument doc = Parsed("[S]\r\nColor=ff8000\r\nHex0x=0x10\r\nJunk=zz\r\nDelays=1, 2\r\nFour=1,2,3,4\r\n"
                             "Delay=5\r\nEmpty=\r\nF=2.5x\r\nRect=1,2,3,4\r\nShort=7,8\r\n");
    IniSection* s = doc.GetSection("S");
    EXPECT_EQ(s->GetHex("Color", 1), 0xff8000u);
    EXPECT_EQ(s->GetHex("Hex0x", 1), 0x10u);
    EXPECT_EQ(s->GetHex("Missing", 77), 77u);
    EXPECT_EQ(s->GetHex("Junk", 77), 0u);
    EXPECT_FLOAT_EQ(s->GetFloat("F", 1), 2.5f);
    EXPECT_EQ(s->GetInt("Junk", 9), 0);

    struct Case {
        const char* listKey;
        const char* singleKey;
        std::vector<int> expected;
    } cases[] = {
        {"Delays", "Delay", {1, 2, 0}},  {"None", "Delay", {5, 5, 5}}, {"None", "Nothing", {0, 0, 0}},
        {"Four", "Delay", {1, 2, 3, 4}}, {"None", "Empty", {0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<int> list;
        s->GetIntList(c.listKey, c.singleKey, list, 0, 3);
        EXPECT_EQ(list, c.expected) << c.listKey << " / " << c.singleKey;
    }
    std::vector<float> floats;
    s->GetFloatList("Delays", "Delay", floats, 1.0f, 3);
    EXPECT_EQ(floats, (std::vector<float>{1.0f, 2.0f, 1.0f}));

    EXPECT_EQ(ReadRectSetting(*s, "Rect"), Kavo::IntRect(1, 2, 3, 4));
    EXPECT_EQ(ReadRectSetting(*s, "Short"), Kavo::IntRect(7, 8, 0, 0));
    EXPECT_EQ(ReadRectSetting(*s, "Missing"), Kavo::IntRect());
}

class IniDocumentFileTest : public Kavo::HeadlessEnvironment {
protected:
    std::string Path(const char* name) { return Platform().Folder() + "/" + name; }
};

TEST_F(IniDocumentFileTest, MissingFileLeavesDocumentAsItWas) {
    IniDocument doc = Parsed("[Keep]\r\nk=1\r\n");
    doc.Load(Path("missing.txt"), true);
    EXPECT_EQ(doc.GetSection("Keep")->GetString("k"), "1");
}

TEST_F(IniDocumentFileTest, SaveThenLoadKeepsValuesAndComments) {
    const std::string text = ";top\r\n[Main]\r\n;about a\r\na= x\r\n;orphan\r\n\r\nb=\r\n[Alpha]\r\nk=v\r\n";
    IniDocument doc = Parsed(text);
    const std::string path = Path("saved.txt");
    ASSERT_TRUE(doc.Save(path));
    EXPECT_FALSE(platform::FileExists(path + ".tmp"));

    std::string written;
    ASSERT_TRUE(platform::ReadWholeFile(path, written));
    EXPECT_EQ(written, "[Alpha]\r\nk=v\r\n;top\r\n[Main]\r\n;about a\r\na= x\r\nb=\r\n");

    IniDocument back;
    back.Load(path, true);
    EXPECT_EQ(back.GetSection("Main")->GetString("a"), " x");
    EXPECT_TRUE(back.GetSection("Main")->HasKey("b"));
    ASSERT_TRUE(back.Save(path));
    std::string again;
    ASSERT_TRUE(platform::ReadWholeFile(path, again));
    EXPECT_EQ(again, written);
}

TEST_F(IniDocumentFileTest, FailedSaveKeepsTheOldFile) {
    const std::string path = Path("keep.txt");
    ASSERT_TRUE(platform::WriteWholeFile(path, "old"));
    ASSERT_TRUE(platform::MakeDirectories(path + ".tmp")); // the temporary file cannot be made
    EXPECT_FALSE(Parsed("[A]\r\n").Save(path));
    std::string content;
    ASSERT_TRUE(platform::ReadWholeFile(path, content));
    EXPECT_EQ(content, "old");
}

TEST_F(IniDocumentFileTest, UnreadableFileLoadsNothing) {
    // A folder opens but cannot be sized or read.
    const std::string path = Path("folder.txt");
    ASSERT_TRUE(platform::MakeDirectories(path));
    IniDocument doc = Parsed("[Keep]\r\n");
    doc.Load(path, true);
    EXPECT_EQ(doc.GetSectionCount(), 1u);
}

} // namespace
} // namespace Game
