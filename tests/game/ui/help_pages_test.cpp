// Page files, the help dialog that turns them and the comics' page view
// that types them out.
#include "framework/widget/button_widget.h"
#include "game/ui/help_dialog.h"
#include "game/ui/ini_document.h"
#include "game/ui/page_set.h"
#include "game/ui/page_view.h"
#include "game/ui/termins.h"
#include "platform/file_system.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/ui/cleared_resource_globals.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <vector>

namespace Game {
namespace {

class HelpPagesTest : public Kavo::HeadlessEnvironment {
protected:
    std::string File(const std::string& name, const std::string& text) {
        const std::string path = Platform().Folder() + "/" + name;
        platform::WriteWholeFile(path, text);
        return path;
    }
    static PageSet Read(const std::string& text, PageFileKind kind) {
        IniDocument document;
        document.Parse(text.data(), text.size(), true);
        PageSet pages;
        pages.Read(document, kind);
        return pages;
    }

    ClearedResourceGlobals mCleared;
};

TEST(FormatTermWithNameTest, OnlyPercentSAndDoublePercentChange) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"Hello, %s!", "Hello, Ann!"},
        {"%s and %s", "Ann and Ann"},
        {"100%% of %d", "100% of %d"},
        {"ends in %", "ends in %"},
        {"%x%n", "%x%n"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTermWithName(c.text, "Ann"), c.expected) << c.text;
}

TEST_F(HelpPagesTest, TextsTakeAResourceFontOnlyFromTheirOwnPieceAndShortEntriesAreSkipped) {
    Kavo::FakeFont numbers;
    FONT_NUMBERS = &numbers;
    const PageSet help = Read("[Main]\r\nPagesCount=1\r\n[Page1]\r\n"
                              "Text1=1,2,300,40,Seven,ff0000,0\r\n"
                              "Text2=1,2,300,40,Eight,0,1,FONT_NUMBERS\r\n"
                              "Text3=1,2,300,40,Six,0\r\n"
                              "Text4=1,2,300,40,NotAFont,0,1,IMAGE_HELP\r\n"
                              "Text6=never,read\r\n",
                              PageFileKind::Help);
    ASSERT_EQ(help.GetPageCount(), 1u);
    const auto& texts = help.GetPage(0).mTexts;
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].mKey, "Seven");
    EXPECT_EQ(texts[0].mFont, nullptr);
    EXPECT_EQ(texts[0].mRect, Kavo::IntRect(1, 2, 300, 40));
    EXPECT_EQ(texts[0].mColor, Kavo::Color(255, 0, 0, 255)); // alpha 0 means opaque
    EXPECT_EQ(texts[1].mFont, &numbers);
    EXPECT_EQ(texts[1].mJustify, 1);
    EXPECT_EQ(texts[2].mKey, "NotAFont");
    EXPECT_EQ(texts[2].mFont, nullptr);

    // In the comics the font stands at piece 9, after the two timings.
    const PageSet comics =
        Read("[Main]\r\nPagesCount=1\r\n[Page1]\r\nText1=0,0,90,47,A,0,0,30,20,FONT_NUMBERS\r\nText2=0,0,90,47,B,0,0,"
             "FONT_NUMBERS\r\n",
             PageFileKind::Comics);
    ASSERT_EQ(comics.GetPage(0).mTexts.size(), 2u);
    EXPECT_EQ(comics.GetPage(0).mTexts[0].mTypingTime, 30);
    EXPECT_EQ(comics.GetPage(0).mTexts[0].mHoldTime, 20);
    EXPECT_EQ(comics.GetPage(0).mTexts[0].mFont, &numbers);
    EXPECT_EQ(comics.GetPage(0).mTexts[1].mFont, nullptr);
}

TEST_F(HelpPagesTest, ThePageCountIsCappedByTheSectionsPresent) {
    const struct {
        const char* text;
        size_t pages;
    } cases[] = {
        {"[Main]\r\nPagesCount=0\r\n[Page1]\r\n", 0},
        {"[Main]\r\nPagesCount=-4\r\n[Page1]\r\n", 0},
        {"[Main]\r\nPagesCount=2000000000\r\n[Page1]\r\nText1=0,0,1,1,K,0,0\r\n[Page2]\r\n", 2},
        {"[Page1]\r\nText1=0,0,1,1,K,0,0\r\n", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.text, PageFileKind::Help).GetPageCount(), c.pages) << c.text;
}

TEST_F(HelpPagesTest, AnImageByIdIsSharedAndOneByNameIsLoaded) {
    Kavo::RecordingImage hint(40, 40);
    IMAGE_BONUS_HINT = &hint;
    const PageSet pages = Read("[Main]\r\nPagesCount=1\r\n[Page1]\r\n"
                               "Image1=10,20,IMAGE_BONUS_HINT,1;2;30;40\r\n"
                               "Image2=5,6,FONT_NUMBERS\r\n"
                               "Image3=5,6,images\\nothing\r\n"
                               "Image4=5,6\r\n",
                               PageFileKind::Help);
    const auto& sprites = pages.GetPage(0).mSprites;
    ASSERT_EQ(sprites.size(), 3u);
    EXPECT_EQ(sprites[0]->GetImage(), &hint);
    EXPECT_EQ(sprites[0]->mX, 10.0f);
    EXPECT_EQ(sprites[0]->mY, 20.0f);
    EXPECT_EQ(sprites[0]->mSourceRect, Kavo::IntRect(1, 2, 30, 40));
    // A font id is no picture; a file that is not there gives none.
    EXPECT_EQ(sprites[1]->GetImage(), nullptr);
    EXPECT_EQ(sprites[2]->GetImage(), nullptr);
}

// Hears what the help dialog reports to its owner.
struct Owner : Kavo::DialogListener {
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override { released.push_back({dialogId, buttonId}); }
    std::vector<std::pair<int32_t, int32_t>> released;
};

TEST_F(HelpPagesTest, TheHelpButtonTurnsPagesAndTheLastOneCloses) {
    const std::string layout = File("help_layout.txt", "[Main]\r\nID=102\r\nPosition=0,0,640,480\r\n[Next]\r\n"
                                                       "Type=DialogButton\r\nID=1\r\nPosition=500,420,120,40\r\n");
    const struct {
        const char* pages;
        int presses; // until the owner hears of it
    } cases[] = {
        {"[Main]\r\nPagesCount=0\r\n", 1},
        {"[Main]\r\nPagesCount=2\r\n[Page1]\r\n[Page2]\r\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pages);
        HelpDialog help(layout, File("help.txt", c.pages));
        Owner owner;
        help.mDialogListener = &owner;
        auto* next = help.GetLayout()->GetControlAs<Kavo::ButtonWidget>("Next");
        ASSERT_NE(next, nullptr);
        for (int press = 1; press < c.presses; ++press) {
            EXPECT_EQ(next->mLabel, "HelpNext");
            help.ButtonDepress(HelpDialog::kNextButton);
            EXPECT_TRUE(owner.released.empty());
        }
        EXPECT_EQ(next->mLabel, "HelpDone");
        help.ButtonDepress(HelpDialog::kNextButton);
        EXPECT_EQ(help.mResult, HelpDialog::kDoneResult);
        EXPECT_EQ(owner.released, (std::vector<std::pair<int32_t, int32_t>>{{102, 1}}));
        // Once closing, further presses and clicks do nothing more.
        help.MouseDown(1, 1, 1);
        EXPECT_EQ(owner.released.size(), 1u);
    }
}

TEST_F(HelpPagesTest, AClickOnTheHelpTurnsThePageAndEscapePressesNext) {
    HelpDialog help(File("none.txt", ""),
                    File("help.txt", "[Main]\r\nPagesCount=3\r\n[Page1]\r\n[Page2]\r\n[Page3]\r\n"));
    Owner owner;
    help.mDialogListener = &owner;
    help.MouseDown(10, 10, 1);
    EXPECT_EQ(help.GetPageIndex(), 1u);
    help.KeyUp(HelpDialog::kEscape);
    EXPECT_EQ(help.GetPageIndex(), 2u);
    help.MouseDown(10, 10, 1);
    EXPECT_EQ(help.GetPageIndex(), 2u); // stays on the last page
    EXPECT_EQ(owner.released.size(), 1u);
}

struct ViewEvents : PageViewListener {
    void PageEntryFinished(int32_t entry) override { entries.push_back(entry); }
    void PagesFinished() override { ++ends; }
    std::vector<int32_t> entries;
    int ends = 0;
};

TEST_F(HelpPagesTest, ThePageViewTypesEachTextHoldsItAndTellsItsListener) {
    // Two pages: texts of 4 and 2 characters (the keys, as no term table is
    // installed), then one of 3.
    const std::string path = File("comix.txt", "[Main]\r\nPagesCount=2\r\n[Page1]\r\n"
                                               "Text1=0,0,90,47,abcd,0,0,10,5\r\nText2=0,0,90,47,ef,0,0,4\r\n"
                                               "[Page2]\r\nText1=0,0,90,47,ghi,0,0,6,0\r\n");
    PageView view;
    ViewEvents events;
    view.Load(path, &events, 2);
    EXPECT_EQ(view.GetEntryText(), "abcd");
    EXPECT_EQ(view.GetShownChars(), 1);
    std::vector<int32_t> shown;
    for (int i = 0; i < 6; ++i) {
        view.Update();
        shown.push_back(view.GetShownChars());
    }
    EXPECT_EQ(shown, (std::vector<int32_t>{1, 2, 2, 3, 3, 4}));
    for (int i = 6; i < 15; ++i)
        view.Update();
    EXPECT_EQ(events.entries, (std::vector<int32_t>{0}));
    EXPECT_EQ(view.GetEntryText(), "ef");

    view.Skip();
    EXPECT_EQ(view.GetShownChars(), 2);
    view.Update(); // the typing time was reached by the skip; no hold
    EXPECT_EQ(events.entries, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(view.GetPageIndex(), 1u);
    EXPECT_EQ(view.GetEntryText(), "ghi");
    for (int i = 0; i < 20; ++i)
        view.Update();
    EXPECT_EQ(events.entries, (std::vector<int32_t>{0, 1, 0}));
    EXPECT_EQ(events.ends, 1);
    EXPECT_TRUE(view.IsFinished());
}

TEST_F(HelpPagesTest, ARevealRateOfZeroShowsTheWholeTextAtOnce) {
    PageView view;
    view.Load(File("comix.txt", "[Main]\r\nPagesCount=1\r\n[Page1]\r\nText1=0,0,90,47,hello,0,0,10\r\n"), nullptr, 0);
    EXPECT_EQ(view.GetShownChars(), 5);
    view.Update();
    EXPECT_EQ(view.GetShownChars(), 5);
}

TEST_F(HelpPagesTest, TypingAndHoldingTimesAtTheIntRangesEdgeHoldTheText) {
    PageView view;
    ViewEvents events;
    view.Load(File("comix.txt", "[Main]\r\nPagesCount=1\r\n[Page1]\r\n"
                                "Text1=0,0,90,47,hello,0,0,2147483647,2147483647\r\n"),
              &events, 0);
    for (int i = 0; i < 3; ++i)
        view.Update();
    EXPECT_TRUE(events.entries.empty());
    EXPECT_EQ(view.GetEntryText(), "hello");
}

} // namespace
} // namespace Game
