// Fly-in dialogs: where they rest, how they fly, and when their result comes.
#include "game/ui/layout_dialog.h"

#include "game/ui/ini_document.h"
#include "game/ui/ui_sound.h"
#include "tests/game/ui/ui_fixture.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class SoundLog : public UiSoundPlayer {
public:
    std::vector<std::string> mPlayed;
    void PlayUiSound(const std::string& name, bool useBase) override {
        mPlayed.push_back(name + (useBase ? " base" : ""));
    }
};

class ResultLog : public Kavo::DialogListener {
public:
    std::vector<std::string> mResults;
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override {
        mResults.push_back(std::to_string(dialogId) + ":" + std::to_string(buttonId));
    }
};

class LayoutDialogTest : public ui_test::UiFixture {
protected:
    std::shared_ptr<SoundLog> mSounds = std::make_shared<SoundLog>();
    platform::Installed<UiSoundPlayer> mSoundsInstalled{UiSoundPlayerSlot(), mSounds};
};

TEST(Normalize2DTest, GivesAUnitVectorOrZero) {
    FlyPoint d = Normalize2D(3.0f, -4.0f);
    EXPECT_FLOAT_EQ(d.x, 0.6f);
    EXPECT_FLOAT_EQ(d.y, -0.8f);
    d = Normalize2D(0.0f, 0.0f);
    EXPECT_EQ(d.x, 0.0f);
    EXPECT_EQ(d.y, 0.0f);
}

TEST_F(LayoutDialogTest, AnEmptyLayoutFliesInFromAboveAtSpeedTen) {
    LayoutDialog dialog(Platform().Folder() + "/none.txt", 7, true);
    EXPECT_EQ(dialog.mId, 7);
    EXPECT_EQ(dialog.mWidth, 200);
    EXPECT_EQ(dialog.mHeight, 250);
    EXPECT_EQ(dialog.mX, 300);
    EXPECT_EQ(dialog.mY, -425);
    EXPECT_EQ(dialog.mSpeed, 10);
    ASSERT_NE(dialog.GetLayout(), nullptr);
    dialog.Update();
    EXPECT_EQ(dialog.mY, -415);
    EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::FlyingIn);
    for (int i = 0; i < 59; ++i)
        dialog.Update();
    EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::Resting);
    EXPECT_EQ(dialog.mX, 300);
    EXPECT_EQ(dialog.mY, 175);
    EXPECT_EQ(mSounds->mPlayed, std::vector<std::string>{"flywindow base"});
}

TEST_F(LayoutDialogTest, TheMainSectionSetsTheFlightAndTheResultComesOnceAfterTheFlightOut) {
    const std::string path = Write("dialog.txt", "[Main]\r\nBeginX=100\r\nBeginY=-100\r\nEndX=100\r\nEndY=900\r\n"
                                                 "Speed=5000\r\nPosition=100,150,60,40\r\nCaption=Head\r\n"
                                                 "[Ok]\r\nType=Button\r\nID=1\r\n[Dead]\r\nType=Button\r\n");
    ResultLog results;
    LayoutDialog dialog(path, 101, false);
    dialog.mDialogListener = &results;
    EXPECT_EQ(dialog.mId, 101); // no "ID": the dialog keeps its own
    EXPECT_EQ(dialog.mDialogHeader, "Head");
    EXPECT_EQ(dialog.mX, 70);
    EXPECT_EQ(dialog.mY, -120);
    ASSERT_NE(dialog.GetLayout()->GetControl("Ok"), nullptr);

    dialog.Update(); // one step beyond the distance: there at once
    EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::Resting);
    EXPECT_EQ(dialog.mX, 70);
    EXPECT_EQ(dialog.mY, 130);

    dialog.ButtonDepress(-1); // a button without an id
    EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::Resting);
    dialog.ButtonDepress(1);
    EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::FlyingOut);
    EXPECT_EQ(dialog.mResult, Kavo::Dialog::kNoResult);
    dialog.Update(); // arrives at the end
    EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::Gone);
    EXPECT_TRUE(results.mResults.empty());
    dialog.Update();
    dialog.Update();
    EXPECT_EQ(results.mResults, std::vector<std::string>{"101:1"});
    EXPECT_EQ(dialog.mResult, 1);
    EXPECT_EQ(mSounds->mPlayed, (std::vector<std::string>{"flywindow base", "MouseDown base", "flywindow base"}));
}

TEST_F(LayoutDialogTest, AButtonWhileFlyingInTurnsTheDialogAround) {
    const std::string path = Write("dialog.txt", "[Main]\r\nBeginX=0\r\nBeginY=0\r\nEndX=0\r\nEndY=-100\r\n"
                                                 "Speed=10\r\nPosition=0,100,20,20\r\nID=9\r\n");
    LayoutDialog dialog(path, 3, false);
    EXPECT_EQ(dialog.mId, 9);
    dialog.Update();
    dialog.Update();
    EXPECT_EQ(dialog.Centre().y, 20.0f);
    dialog.ButtonDepress(2);
    dialog.Update();
    EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::FlyingOut);
    EXPECT_EQ(dialog.Centre().y, 10.0f);
    dialog.ButtonDepress(3); // on its way out it keeps the first button
    for (int i = 0; i < 20; ++i)
        dialog.Update();
    EXPECT_EQ(dialog.mResult, 2);
}

TEST_F(LayoutDialogTest, ASpeedOfZeroOrLessArrivesAtOnce) {
    for (const char* speed : {"0", "-5"}) {
        const std::string path = Write(
            "dialog.txt", std::string("[Main]\r\nBeginY=-500\r\nPosition=50,60,10,10\r\nSpeed=") + speed + "\r\n");
        LayoutDialog dialog(path, 1, false);
        dialog.Update();
        EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::Resting) << speed;
        EXPECT_EQ(dialog.Centre().y, 60.0f) << speed;
    }
}

TEST_F(LayoutDialogTest, F6WritesTheControlPositionsBack) {
    const std::string path = Write("dialog.txt", "[Main]\r\nPosition=50,60,100,100\r\n"
                                                 "[Ok]\r\nType=Button\r\nPosition=1,2,3,4\r\n");
    LayoutDialog dialog(path, 1, false);
    dialog.GetLayout()->GetControl("Ok")->Move(11, 12);
    dialog.KeyUp(LayoutDialog::kSavePositionsKey);
    IniDocument doc;
    doc.Load(path, true);
    EXPECT_EQ(doc.GetSection("Ok")->GetString("Position"), "11,12,3,4");
    EXPECT_EQ(doc.GetSection("Main")->GetString("Position"), "50,60,100,100");
}

} // namespace
} // namespace Game
