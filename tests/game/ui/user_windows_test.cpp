// The message box, the name entry and the tip window.
#include "game/ui/edit_dialog.h"
#include "game/ui/message_dialog.h"
#include "game/ui/tip_window.h"

#include "framework/widget/button_widget.h"
#include "framework/widget/edit_widget.h"
#include "game/ui/ui_sound.h"
#include "tests/game/ui/ui_fixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace Game {
namespace {

class SoundLog : public UiSoundPlayer {
public:
    void PlayUiSound(const std::string& name, bool) override { mPlayed.push_back(name); }
    std::vector<std::string> mPlayed;
};

class UserWindowsTest : public ui_test::UiFixture {
protected:
    UserWindowsTest() { IMAGE_TIP_ARROW = mArrow.get(); }
    ~UserWindowsTest() override { IMAGE_TIP_ARROW = nullptr; }

    std::string MessageLayout(bool withCancel) {
        return Write(withCancel ? "okc.txt" : "ok.txt",
                     "[Main]\r\nPosition=100,100,300,200\r\n[Caption]\r\nType=Link\r\nPosition=10,10,200,20\r\n"
                     "[Message]\r\nType=Link\r\nPosition=10,40,200,100\r\n[Ok]\r\nType=DialogButton\r\nID=1\r\n" +
                         std::string(withCancel ? "[Cancel]\r\nType=DialogButton\r\nID=2\r\n" : ""));
    }
    std::string EditLayout() {
        return Write("name.txt", "[Main]\r\nID=101\r\n[Edit]\r\nType=Edit\r\nPosition=10,10,200,20\r\n"
                                 "[Ok]\r\nType=DialogButton\r\nID=1\r\n");
    }

    std::unique_ptr<Kavo::MemoryImage> mArrow = ui_test::TestImage(30, 20);
    std::shared_ptr<SoundLog> mSounds = std::make_shared<SoundLog>();
    platform::Installed<UiSoundPlayer> mSoundSlot{UiSoundPlayerSlot(), mSounds};
};

TEST_F(UserWindowsTest, TheMessageBoxShowsItsTextsAndClosesByKeyOnlyWithTheButton) {
    MessageDialog box(MessageLayout(false), "", "Really?");
    ASSERT_NE(box.mCaption, nullptr);
    EXPECT_EQ(box.mCaption->mLabel, ""); // an empty caption stays empty
    EXPECT_FALSE(box.mMessage->mVisible);
    box.KeyUp(27); // no Cancel: Escape does nothing
    EXPECT_EQ(box.GetFlyState(), LayoutDialog::FlyingIn);
    box.KeyUp(13);
    EXPECT_EQ(box.GetFlyState(), LayoutDialog::FlyingOut);
    EXPECT_EQ(box.mPendingResult, 1);

    MessageDialog two(MessageLayout(true), "Quit", "Sure?");
    EXPECT_EQ(two.mCaption->mLabel, "Quit");
    two.KeyUp(27);
    EXPECT_EQ(two.mPendingResult, 2);

    MessageDialog bare(Write("bare.txt", "[Main]\r\nPosition=1,1,10,10\r\n"), "a", "b");
    bare.KeyUp(13);
    bare.KeyUp(27);
    EXPECT_EQ(bare.GetFlyState(), LayoutDialog::FlyingIn);
}

TEST_F(UserWindowsTest, TheNameEntryRefusesPunctuationThatNamesCannotHold) {
    EditDialog entry(EditLayout());
    const std::set<int> refused = {33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45,  46, 47,
                                   58, 59, 60, 61, 62, 63, 64, 91, 92, 94, 95, 96, 124, 126};
    for (int code = 32; code < 256; ++code)
        EXPECT_EQ(entry.AllowChar(0, static_cast<char>(code)), refused.count(code) == 0) << code;
}

TEST_F(UserWindowsTest, TheNameEntryTakesFifteenCharactersAndNeedsMoreThanSpaces) {
    EditDialog entry(EditLayout());
    ASSERT_NE(entry.mEdit, nullptr);
    entry.mEdit->SetFont(&mFont);
    for (char c : std::string("Ab/c defghijklmnopq"))
        entry.mEdit->KeyChar(c);
    EXPECT_EQ(entry.GetText(), "Abc defghijklmn");

    entry.mEdit->SetText("   ");
    entry.ButtonDepress(1);
    entry.EditWidgetText(0, "   ");
    EXPECT_EQ(entry.GetFlyState(), LayoutDialog::FlyingIn);
    EXPECT_EQ(entry.GetText(), "");

    entry.mEdit->SetText("  Ann ");
    entry.EditWidgetText(0, "  Ann ");
    EXPECT_EQ(entry.GetText(), "Ann");
    EXPECT_EQ(entry.GetFlyState(), LayoutDialog::FlyingOut);
    EXPECT_EQ(entry.mPendingResult, 1);
}

TEST(TipNameTest, TheTableEndsAtTwentySix) {
    EXPECT_EQ(GetTipName(0), "TipGame1");
    EXPECT_EQ(GetTipName(13), "TipX2Complete");
    EXPECT_EQ(GetTipName(26), "TipRoom8");
    EXPECT_EQ(GetTipName(27), "");
    EXPECT_EQ(GetTipName(-1), "");
}

TEST_F(UserWindowsTest, TheTipLiesBesideThePointInEachQuadrant) {
    TipWindow tip("A short tip.");
    const int h = tip.mHeight;
    struct Case {
        int x, y;
        int windowX, windowY;
        int pointerX, pointerY;
        bool flipX, flipY;
    };
    const Case cases[] = {
        {100, 100, 20, 120, 80, -23, false, true},          // left, top
        {100, 700, 20, 680 - h, 80, h - 25, false, false},  // left, bottom
        {900, 100, 630, 120, 240, -23, true, true},         // right, top
        {900, 700, 630, 680 - h, 240, h - 25, true, false}, // right, bottom
        {512, 384, 432, 404, 80, -23, false, true},         // the middle counts as left and top
        // Near an edge the window stays on the screen; its pointer slides to the point.
        {30, 100, 0, 120, 30, -23, false, true},
        {1010, 700, 674, 680 - h, 306, h - 25, true, false},
    };
    for (const Case& c : cases) {
        tip.Show(c.x, c.y);
        EXPECT_EQ(tip.mX, c.windowX) << c.x << "," << c.y;
        EXPECT_EQ(tip.mY, c.windowY) << c.x << "," << c.y;
        EXPECT_EQ(tip.mPointerX, c.pointerX) << c.x << "," << c.y;
        EXPECT_EQ(tip.mPointerY, c.pointerY) << c.x << "," << c.y;
        // The pointer picture's corner (0, 0) after mirroring, about its centre.
        float x = 0;
        float y = 0;
        tip.mPointerTransform.Apply(1, 1, x, y);
        EXPECT_FLOAT_EQ(x, float(c.pointerX + 15 + (c.flipX ? -1 : 1))) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(y, float(c.pointerY + 10 + (c.flipY ? -1 : 1))) << c.x << "," << c.y;
    }
    EXPECT_EQ(mSounds->mPlayed.size(), 7u);

    tip.mPointerShown = false;
    tip.Show(7, 9);
    EXPECT_EQ(tip.GetRect(), Kavo::IntRect(7, 9, 350, h));
    tip.Show(-20, 760);
    EXPECT_EQ(tip.GetRect(), Kavo::IntRect(0, 768 - h, 350, h));
}

TEST_F(UserWindowsTest, LongerTextMakesTheTipTallerNeverWider) {
    TipWindow shortTip("One line.");
    TipWindow longTip(std::string(400, 'x') + " " + std::string(30, 'y') + " more words to wrap onto further lines");
    EXPECT_EQ(shortTip.mWidth, 350);
    EXPECT_EQ(longTip.mWidth, 350);
    EXPECT_GT(longTip.mHeight, shortTip.mHeight);
    longTip.Resize(5, 6, 900, 10);
    EXPECT_EQ(longTip.mWidth, 350);
    EXPECT_GT(longTip.mHeight, shortTip.mHeight);
}

TEST_F(UserWindowsTest, TheTipCountsItsUpdatesAndReportsItsButton) {
    TipWindow tip("t");
    struct Log : Kavo::DialogListener {
        void DialogButtonRelease(int32_t dialog, int32_t button) override { mCalls.push_back({dialog, button}); }
        std::vector<std::pair<int, int>> mCalls;
    } log;
    tip.mDialogListener = &log;
    tip.Update();
    tip.Update();
    EXPECT_EQ(tip.mAge, 2);
    tip.ButtonDepress(-1);
    tip.ButtonDepress(1);
    EXPECT_EQ(log.mCalls, (std::vector<std::pair<int, int>>{{1024, 1}}));
}

} // namespace
} // namespace Game
