// A second run of the game in the same process, as a test binary runs
// them: the first run's resources are gone with its resource manager, and
// the second run's title, built before its own loading, must not draw them.
#include "framework/widget/dialog_button.h"
#include "game/ui/resource_ids.h"
#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class SecondRunTest : public ScriptedGameRunTest {};

// The title left idle through its loading with the pointer over its button.
TEST_F(SecondRunTest, TheTitleOfASecondRunDrawsNoneOfTheFirstRunsFreedPictures) {
    Start();
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    const Kavo::Image* firstRunButton = IMAGE_DIALOG_BUTTON;
    ASSERT_NE(firstRunButton, nullptr);
    EXPECT_EQ(IMAGE_TITLE_BACK, nullptr); // its group went with the title
    EndProgram();
    EXPECT_EQ(IMAGE_DIALOG_BUTTON, nullptr);
    EXPECT_EQ(IMAGE_CUSTOM_POINTER, nullptr);

    Start();
    Post(platform::kWmActivateApp, 1, 0);
    TakeInput();
    ASSERT_TRUE(StepUntil([&] { return App().mLogoScreen != nullptr; }, 10));
    ClickAt(10, 10);
    ASSERT_TRUE(StepUntil([&] { return App().mTitleScreen != nullptr; }, 100));
    auto* button = dynamic_cast<Kavo::DialogButton*>(FindButton(App().mTitleScreen, 0));
    ASSERT_NE(button, nullptr);
    // Built before the second run loads the group of the dialog button's
    // picture: it has none yet, and certainly not the first run's.
    EXPECT_EQ(button->mComponentImage, nullptr);

    const Kavo::Point at = button->GetAbsPos();
    const int x = at.mX + button->mWidth / 2;
    const int y = at.mY + button->mHeight / 2;
    platform::SetCursorPos(platform::ClientToScreen(App().mHWnd, {x, y}));
    Post(platform::kWmMouseMove, 0, platform::MakeLParam(x, y));
    TakeInput();
    auto* title = dynamic_cast<TitleScreen*>(App().mTitleScreen);
    ASSERT_NE(title, nullptr);
    ASSERT_TRUE(StepUntil([&] { return title->IsLoaded(); }, 5000));
    for (int i = 0; i < 20; ++i)
        Step();
    EXPECT_TRUE(button->mVisible);
    EXPECT_TRUE(button->mIsOver);
    EXPECT_NE(IMAGE_DIALOG_BUTTON, nullptr);
    EXPECT_FALSE(App().mShutdown);
}

} // namespace
} // namespace Game
