// The application's start hooks and the screens around play: the logo
// step's pacing, the forced full screen, the load's progress, the game-over
// screen and the in-game menu's buttons.
#include "game/app/game_app.h"

#include "framework/widget/widget_manager.h"
#include "game/app/game_menu_dialog.h"
#include "game/app/game_over_dialog.h"
#include "tests/framework/app/app_test_environment.h"

#include <gtest/gtest.h>

#include <functional>

namespace Game {
namespace {

class GameFrameTest : public app_test::AppTestEnvironment {
protected:
    GameApp mApp{Platform().Folder() + "/program"};
};

TEST_F(GameFrameTest, TheLogosPaceByTheDisplayOnlyInFullScreen) {
    for (const bool windowed : {true, false}) {
        SCOPED_TRACE(windowed);
        mApp.mIsWindowed = windowed;
        mApp.ShowLogos();
        EXPECT_EQ(mApp.mVSyncUpdates, !windowed);
        EXPECT_EQ(mApp.mWaitForVSync, !windowed);
        ASSERT_NE(mApp.mLogoScreen, nullptr);
        EXPECT_TRUE(mApp.mWidgetManager->HasWidget(mApp.mLogoScreen));
        EXPECT_NE(mApp.mWidgetManager->mDefaultModalFlags.mRemoveFlags & Kavo::WIDGETFLAGS_UPDATE, 0);
        mApp.mWidgetManager->RemoveWidget(mApp.mLogoScreen);
        delete mApp.mLogoScreen;
        mApp.mLogoScreen = nullptr;
    }
}

TEST_F(GameFrameTest, AForcedFullScreenTurnsAWindowedRequestIntoFullScreen) {
    mApp.mForceFullscreen = true;
    mApp.SwitchScreenMode(true, false, false);
    EXPECT_TRUE(mApp.mVSyncUpdates);
    EXPECT_TRUE(mApp.mWaitForVSync);
    EXPECT_FALSE(mApp.IsWindowed());
}

TEST_F(GameFrameTest, ALoadWithNothingToLoadIsComplete) {
    EXPECT_EQ(mApp.GetLoadingProgress(), 0.0); // not started
    mApp.mLoadingThreadStarted = true;
    EXPECT_EQ(mApp.GetLoadingProgress(), 1.0);
    mApp.mNumLoadingThreadTasks = 4;
    mApp.mCompletedLoadingThreadTasks = 1;
    EXPECT_EQ(mApp.GetLoadingProgress(), 0.25);
    mApp.mLoadingThreadStarted = false;
}

// Stands in for the main menu.
class MenuScreen : public GameDialog {
public:
    MenuScreen() : GameDialog(0, false) {}
};

TEST_F(GameFrameTest, TheGameOverScreenReturnsToTheMainMenuOnAnyClickOrEscape) {
    const std::function<void(GameOverDialog&)> inputs[] = {
        [](GameOverDialog& over) { over.MouseDown(1, 1, 1); },
        [](GameOverDialog& over) { over.MouseDown(900, 700, -1); },
        [](GameOverDialog& over) { over.KeyUp(GameOverDialog::kEscape); },
    };
    mApp.mMainMenuScreen = new MenuScreen();
    mApp.mGameOverDialog = new GameOverDialog(Platform().Folder() + "/none.txt");
    EXPECT_EQ(mApp.mGameOverDialog->mId, GameOverDialog::kDialogId);
    for (const auto& input : inputs) {
        mApp.mWidgetManager->RemoveWidget(mApp.mMainMenuScreen);
        mApp.mWidgetManager->AddWidget(mApp.mGameOverDialog);
        mApp.mEnteringScreen = nullptr;
        input(static_cast<GameOverDialog&>(*mApp.mGameOverDialog));
        EXPECT_EQ(mApp.mEnteringScreen, mApp.mMainMenuScreen);
        EXPECT_EQ(mApp.mLeavingScreen, mApp.mGameOverDialog);
        EXPECT_FALSE(mApp.mWidgetManager->HasWidget(mApp.mGameOverDialog));
    }
    // A key other than Escape stays.
    mApp.mEnteringScreen = nullptr;
    static_cast<GameOverDialog*>(mApp.mGameOverDialog)->KeyUp(13);
    EXPECT_EQ(mApp.mEnteringScreen, nullptr);
}

TEST_F(GameFrameTest, TheMenuClosesOnItsFourthButtonOrEscape) {
    for (const bool escape : {false, true}) {
        GameMenuDialog menu(Platform().Folder() + "/none.txt");
        menu.mState = LayoutDialog::Resting;
        if (escape)
            menu.KeyUp(GameMenuDialog::kEscape);
        else
            menu.ButtonDepress(GameMenuDialog::Close);
        EXPECT_EQ(menu.GetFlyState(), LayoutDialog::FlyingOut);
        EXPECT_EQ(menu.mPendingResult, GameMenuDialog::Close);
        EXPECT_FALSE(menu.mLeaveToMainMenu);
    }
}

TEST_F(GameFrameTest, TheQuitQuestionLeavesToTheMainMenuOrClosesTheGame) {
    auto* menu = new GameMenuDialog(Platform().Folder() + "/none.txt");
    mApp.AddDialog(GameMenuDialog::kDialogId, menu);
    menu->mState = LayoutDialog::Resting;
    menu->ButtonDepress(GameMenuDialog::Quit);
    ASSERT_NE(mApp.GetDialog(GameMenuDialog::kQuitDialogId), nullptr);
    EXPECT_TRUE(mApp.GetDialog(GameMenuDialog::kQuitDialogId)->IsModal());
    menu->DialogButtonRelease(GameMenuDialog::kQuitDialogId, 2);
    EXPECT_EQ(mApp.GetDialog(GameMenuDialog::kQuitDialogId), nullptr);
    EXPECT_TRUE(menu->mLeaveToMainMenu);
    EXPECT_EQ(menu->GetFlyState(), LayoutDialog::FlyingOut);
    EXPECT_FALSE(mApp.mShutdown);

    menu->ButtonDepress(GameMenuDialog::Quit);
    menu->DialogButtonRelease(GameMenuDialog::kQuitDialogId, 1);
    EXPECT_TRUE(mApp.mShutdown);
    EXPECT_EQ(mApp.GetDialog(GameMenuDialog::kQuitDialogId), nullptr);
}

} // namespace
} // namespace Game
