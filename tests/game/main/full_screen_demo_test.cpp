// A run recorded in full screen: the window is active from the moment it
// is made, before the application hears of it, so no activation reaches
// the recording by the desktop's messages. The replay (always in a window)
// must still start focused and play the run to its end.
#include "game/meta/main_menu_screen.h"
#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace Game {
namespace {

class FullScreenDemoTest : public ScriptedGameRunTest {};

TEST_F(FullScreenDemoTest, ARunRecordedInFullScreenReplaysToTheSameFilesAndFrame) {
    const std::filesystem::path before = WorkFolder() + "/before";
    mWindowed = false;
    Start({"-record", "-demofile=" + DemoPath("full-screen")});
    ASSERT_FALSE(App().mIsPhysWindowed);
    ASSERT_TRUE(App().mActive);
    SaveUserData(before);

    // Title, "Continue", a name, Ok, Exit and "yes": nothing but input.
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu(false));
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayerAndExit("Fullscreen"));
    Finish();
    const std::map<std::string, std::string> files = UserFiles();
    ASSERT_FALSE(files.empty());

    mWindowed = true;
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAsRecorded("full-screen", before, files, 5000));
}

} // namespace
} // namespace Game
