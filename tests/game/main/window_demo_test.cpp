// A run recorded in a real window from the X server's own input (XTest):
// the logos and "Continue" clicked, a name typed with the screen mode
// switched there and back by Alt+Enter while the name's dialog waits, and
// "Ok" clicked. The replay, on the folder as it stood before the run, must
// end on the same frame with the same files: the mode switches must not
// reach the dialog as the Enter they were pressed with.
#include "game/app/title_screen.h"
#include "tests/game/main/game_window_run.h"
#include "tests/platform/sdl/sdl_x11_input.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace Game {
namespace {

class WindowDemoTest : public GameWindowRunTest {
protected:
    // A real click at the centre of the widget (the window shows the
    // picture one to one).
    void RealClick(Kavo::Widget* widget) {
        ASSERT_NE(widget, nullptr);
        const Kavo::Point at = widget->GetAbsPos();
        sdl_test::XClick(Window(), at.mX + widget->mWidth / 2, at.mY + widget->mHeight / 2);
    }
    // Alt+Enter, and the loop until the screen mode has switched.
    void SwitchScreenMode() {
        const bool windowed = App().mIsWindowed;
        sdl_test::XPressKeys(Window(), {XK_Alt_L, XK_Return});
        ASSERT_TRUE(StepWithServer([&] { return App().mIsWindowed != windowed; }, 100));
        ASSERT_NE(Window(), nullptr);
        // The pointer over the new window, where the keys go.
        sdl_test::XMovePointer(Window(), 5, 5);
        for (int i = 0; i < 5; ++i)
            Step();
    }
    void Run();
};

void WindowDemoTest::Run() {
    ASSERT_TRUE(App().mIsPhysWindowed);
    sdl_test::XMovePointer(Window(), 5, 5);
    ASSERT_TRUE(StepUntil([&] { return App().mLogoScreen != nullptr; }, 10));
    sdl_test::XClick(Window(), 10, 10);
    auto title = [&] { return dynamic_cast<TitleScreen*>(App().mTitleScreen); };
    ASSERT_TRUE(StepWithServer(
        [&] { return title() != nullptr && title()->IsLoaded() && title()->GetContinue()->mVisible; }, 5000));
    RealClick(title()->GetContinue());
    ASSERT_TRUE(StepWithServer([&] { return App().mEnteringScreen == Menu(); }, 200));

    ASSERT_TRUE(StepUntil([&] { return App().GetNewUserDialog() != nullptr; }, 10));
    EditDialog* entry = App().GetNewUserDialog();
    ASSERT_TRUE(StepUntil([&] { return entry->mState == LayoutDialog::Resting; }, 300));
    sdl_test::XType(Window(), "ab");
    ASSERT_NO_FATAL_FAILURE(SwitchScreenMode());
    ASSERT_NO_FATAL_FAILURE(SwitchScreenMode());
    ASSERT_TRUE(App().mIsPhysWindowed);
    // Long enough for a dialog that took an Enter to have closed.
    for (int i = 0; i < 100; ++i)
        Step();
    ASSERT_EQ(App().GetNewUserDialog(), entry) << "Alt+Enter answered the dialog";
    sdl_test::XType(Window(), "cd");
    RealClick(FindButton(entry, 1));
    ASSERT_TRUE(StepWithServer([&] { return App().GetNewUserDialog() == nullptr && App().mDialogList.empty(); }, 300));
    for (int i = 0; i < 30; ++i)
        Step();
    CloseWindow();
    ASSERT_TRUE(RunToShutdown(100));
}

TEST_F(WindowDemoTest, ARunFromRealInputWithScreenModeSwitchesReplaysToTheSameFilesAndFrame) {
    const std::filesystem::path before = WorkFolder() + "/before-window-run";
    Start({"-record", "-demofile=" + DemoPath("window")});
    SaveUserData(before);
    ASSERT_NO_FATAL_FAILURE(Run());
    Finish();
    const std::map<std::string, std::string> files = UserFiles();
    // The name typed around the switches is the player's.
    bool named = false;
    for (const auto& [name, bytes] : files)
        named = named || bytes.find("abcd") != std::string::npos;
    EXPECT_TRUE(named) << "no file holds the player \"abcd\"";
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAsRecorded("window", before, files, 5000));
}

} // namespace
} // namespace Game
