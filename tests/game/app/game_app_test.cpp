// The game's application object: its identity, the screen switches, the
// framework dialogs in the game's look and the fly-in dialogs' pacing.
#include "game/app/game_app.h"

#include "framework/widget/dialog.h"
#include "framework/widget/widget_manager.h"
#include "game/ui/game_dialog.h"
#include "game/ui/layout_dialog.h"
#include "game/ui/resource_ids.h"
#include "tests/framework/app/app_test_environment.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/framework/graphics/recording_image.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

using Log = std::vector<std::string>;

// A screen that logs the steps of a switch.
class RecordingScreen : public GameDialog {
public:
    RecordingScreen(std::string name, Log* log) : GameDialog(0, false), mName(std::move(name)), mLog(log) {}
    void OnPrepare() override { Add("prepare"); }
    void OnEnter() override { Add("enter"); }
    void OnLeave() override { Add("leave"); }
    void SetVisible(bool visible) override {
        GameDialog::SetVisible(visible);
        Add(visible ? "shown" : "hidden");
    }
    void AddedToManager(Kavo::WidgetManager* manager) override {
        GameDialog::AddedToManager(manager);
        Add("added");
    }
    void RemovedFromManager(Kavo::WidgetManager* manager) override {
        GameDialog::RemovedFromManager(manager);
        Add("removed");
    }
    void GotFocus() override {
        GameDialog::GotFocus();
        Add("focus");
    }

private:
    void Add(const std::string& step) { mLog->push_back(mName + " " + step + (mSwitchFlag != 0 ? " flagged" : "")); }
    std::string mName;
    Log* mLog;
};

class GameAppTest : public app_test::AppTestEnvironment {
protected:
    // Takes the slot's screen into the application.
    RecordingScreen* Screen(GameDialog* GameApp::*slot, const std::string& name) {
        auto* screen = new RecordingScreen(name, &mLog);
        mApp.*slot = screen;
        return screen;
    }
    Log Take() { return std::exchange(mLog, {}); }

    Log mLog;
    GameApp mApp{Platform().Folder() + "/program"};
};

TEST(StageToRestaurantTest, FiveStagesARestaurant) {
    const int cases[][2] = {{0, 0}, {4, 0}, {5, 1}, {9, 1}, {10, 2}, {14, 2}, {15, 15}, {-1, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(StageToRestaurant(c[0]), c[1]) << c[0];
}

TEST_F(GameAppTest, ConstructionSetsTheGamesIdentityAndInstallsItsServices) {
    EXPECT_EQ(gGameApp.get(), &mApp);
    EXPECT_EQ(Kavo::gAppBase.get(), &mApp);
    EXPECT_EQ(mApp.GetWidth(), 1024);
    EXPECT_EQ(mApp.GetHeight(), 768);
    EXPECT_EQ(mApp.mMusicVolume, 0.4);
    EXPECT_EQ(mApp.mSfxVolume, 0.85);
    EXPECT_EQ(mApp.mColorDepth, 32);
    EXPECT_TRUE(mApp.mVSyncUpdates);
    EXPECT_TRUE(mApp.mWaitForVSync);
    EXPECT_FALSE(mApp.mAutoStartLoadingThread);
    EXPECT_FALSE(mApp.IsWindowed());
    EXPECT_TRUE(mApp.mNoFrameworkSound);
    EXPECT_EQ(mApp.mCompanyName, "Ormwick");
    EXPECT_EQ(mApp.mTitle, mApp.mProdName + " - 1.0");
    EXPECT_EQ(mApp.mRegKey, mApp.mProdName);
    ASSERT_NE(mApp.GetDescrStorage(), nullptr);
    ASSERT_NE(mApp.GetWaveStorage(), nullptr);
    EXPECT_NE(mApp.GetDescrStorage(), mApp.GetWaveStorage());
    EXPECT_NE(SoundFacadeSlot().Get(), nullptr);
    EXPECT_EQ(UiSoundPlayerSlot().Get().get(), &mApp);
    EXPECT_NE(TerminsSlot().Get(), nullptr);
    EXPECT_NE(ControlDescsSlot().Get(), nullptr);
    EXPECT_NE(MusicListSlot().Get(), nullptr);
    EXPECT_NE(GameResourceManagerSlot().Get(), nullptr);
    // No sound system yet: nothing plays.
    EXPECT_FALSE(SndIsEnabled());
    EXPECT_EQ(mApp.PlaySound("flywindow", true), 0u);
}

TEST_F(GameAppTest, ASwitchLeavesThenPreparesAddsEntersShowsAndFocuses) {
    Screen(&GameApp::mMapScreen, "map");
    Screen(&GameApp::mRoomScreen, "room");
    Screen(&GameApp::mMainMenuScreen, "menu");

    // Nothing leaves (no title screen): the entering screen's steps only.
    mApp.SwitchScreen(13);
    EXPECT_EQ(Take(), (Log{"menu hidden", "menu prepare", "menu added", "menu enter", "menu shown", "menu focus"}));
    EXPECT_EQ(mApp.mMainMenuScreen->GetRect(), Kavo::IntRect(0, 0, 1024, 768));

    mApp.SwitchScreen(17);
    EXPECT_TRUE(mApp.mWidgetManager->HasWidget(mApp.mMapScreen));
    EXPECT_FALSE(mApp.mWidgetManager->HasWidget(mApp.mMainMenuScreen));
    Take();
    mApp.SwitchScreen(21);
    EXPECT_EQ(Take(), (Log{"room hidden", "map hidden", "map leave", "map removed", "room prepare", "room added",
                           "room enter", "room shown", "room focus"}));
    EXPECT_FALSE(mApp.mWidgetManager->HasWidget(mApp.mMapScreen));

    // Back, and back again.
    mApp.SwitchScreen(GameApp::kSwitchBack);
    EXPECT_EQ(mApp.mEnteringScreen, mApp.mMapScreen);
    EXPECT_TRUE(mApp.mWidgetManager->HasWidget(mApp.mMapScreen));
    EXPECT_FALSE(mApp.mWidgetManager->HasWidget(mApp.mRoomScreen));
    mApp.SwitchScreen(GameApp::kSwitchBack);
    EXPECT_EQ(mApp.mEnteringScreen, mApp.mRoomScreen);
    EXPECT_TRUE(mApp.mWidgetManager->HasWidget(mApp.mRoomScreen));
    EXPECT_FALSE(mApp.mWidgetManager->HasWidget(mApp.mMapScreen));
    Take();

    // The map's flag is set before anything else happens to it.
    mApp.SwitchScreen(14);
    EXPECT_EQ(Take().front(), "map hidden flagged");
    EXPECT_EQ(mApp.mMapScreen->mSwitchFlag, 1);
}

TEST_F(GameAppTest, AnUnknownTransitionOrAnEmptyEnteringSlotChangesNothing) {
    Screen(&GameApp::mMapScreen, "map");
    mApp.SwitchScreen(GameApp::kSwitchBack); // no switch before it
    mApp.SwitchScreen(34);
    mApp.SwitchScreen(99);
    mApp.SwitchScreen(21); // no room
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(mApp.mEnteringScreen, nullptr);
    EXPECT_TRUE(mApp.mWidgetManager->GetWidgets().empty());
}

TEST_F(GameAppTest, FrameworkDialogsTakeTheGamesLookAndItsButtonsCloseThem) {
    Kavo::RecordingImage box(60, 60);
    Kavo::RecordingImage button(30, 30);
    Kavo::FakeFont font(8, 20, 16);
    IMAGE_DIALOG_BOX = &box;
    IMAGE_DIALOG_BUTTON = &button;
    FONT_DEFAULT = &font;
    Kavo::Dialog* dialog = mApp.CreateDialogObject(5, true, "Head", "Lines", "", Kavo::Dialog::BUTTONS_YES_NO);
    IMAGE_DIALOG_BOX = nullptr;
    IMAGE_DIALOG_BUTTON = nullptr;
    FONT_DEFAULT = nullptr;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mComponentImage, &box);
    ASSERT_NE(dialog->mYesButton, nullptr);
    EXPECT_EQ(dialog->mYesButton->mComponentImage, &button);
    ASSERT_NE(dialog->mHeaderFont, nullptr);
    EXPECT_EQ(dialog->mHeaderFont->GetHeight(), 20);
    ASSERT_NE(dialog->mLinesFont, nullptr);
    EXPECT_EQ(dialog->GetColor(0), Kavo::Color(0, 0, 0, 255));
    EXPECT_EQ(dialog->GetColor(1), Kavo::Color(0, 0, 0, 255));
    EXPECT_EQ(dialog->mSpaceAfterHeader, 30);
    EXPECT_EQ(dialog->GetRect(), Kavo::IntRect(100, 100, 300, 250));

    mApp.AddDialog(dialog);
    EXPECT_EQ(mApp.GetDialog(5), dialog);
    mApp.DialogButtonRelease(5, Kavo::Dialog::kFirstButtonId);
    EXPECT_EQ(mApp.GetDialog(5), nullptr);
}

TEST_F(GameAppTest, PacedByTheDisplayAFlyInDialogMovesOnlyInItsFractionalUpdate) {
    LayoutDialog dialog(Platform().Folder() + "/none.txt", 1, false);
    const int y = dialog.mY;
    dialog.Update();
    EXPECT_EQ(dialog.mY, y);
    dialog.UpdateF(1.0f);
    EXPECT_EQ(dialog.mY, y + 10);
    mApp.mVSyncUpdates = false;
    dialog.Update();
    EXPECT_EQ(dialog.mY, y + 20);
}

} // namespace
} // namespace Game
