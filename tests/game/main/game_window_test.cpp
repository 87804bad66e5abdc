// The game in a real window on the SDL video driver under a virtual X
// display without a window manager: screen-mode switches while the cursor
// thread draws the cursor.
#include "platform/messages.h"
#include "platform/window.h"
#include "tests/game/main/game_window_run.h"
#include "tests/platform/sdl/sdl_x11_input.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace Game {
namespace {

using GameWindowTest = GameWindowRunTest;

// Alt+Enter, pressed at the X server, twenty times over the paused board
// while the pointer moves and the cursor thread, the loop not drawing, draws
// the cursor itself.
TEST_F(GameWindowTest, ScreenModeSwitchesWhileThePointerMovesOverThePausedBoard) {
    Start();
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayer("Switcher"));
    Click(Menu()->GetButton(MainMenuScreen::Play));
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Comics1(); }, 10));
    ASSERT_TRUE(StepUntil([&] { return Comics1()->GetSkip() != nullptr && Comics1()->GetSkip()->mVisible; }, 50));
    Click(Comics1()->GetSkip());
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Board(); }, 300));
    // The window loses the focus: the board pauses under its shade.
    Post(platform::kWmActivateApp, 0, 0);
    TakeInput();
    ASSERT_EQ(Board()->mPauseCount, 1);

    for (int i = 0; i < 20; ++i) {
        // Pressed at the X server, as a person presses it.
        sdl_test::XPressKeys(Window(), {XK_Alt_L, XK_Return});
        ASSERT_TRUE(StepWithServer([&] { return App().mIsWindowed == (i % 2 == 1); }, 50)) << i;
        // As at the start (see GameRunTest::Start): paced by the clock.
        App().mVSyncUpdates = false;
        ASSERT_NE(Window(), nullptr);
        for (int j = 0; j < 6; ++j) {
            platform::SetCursorPos(platform::ClientToScreen(App().mHWnd, {100 + 41 * j + 3 * i, 150 + 29 * j}));
            // The loop has not drawn for longer than a frame: the cursor
            // thread moves the cursor itself.
            Platform().Clock().Advance(40);
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
            Step();
        }
    }
    EXPECT_TRUE(App().mIsWindowed);
    EXPECT_EQ(Board()->mPauseCount, 1);
    EXPECT_FALSE(App().mShutdown);
}

} // namespace
} // namespace Game
