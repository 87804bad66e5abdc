// The settings the game starts with are read before the command line asks
// for a demo. A replay on a machine whose settings differ from the recorded
// run's (no settings file then, one now) must still play the recorded run:
// a new player takes the volumes the game started with into the profile.
#include "platform/registry.h"
#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

namespace Game {
namespace {

class DemoStartSettingsTest : public ScriptedGameRunTest {};

TEST_F(DemoStartSettingsTest, AReplayStartsFromTheRecordedRunsSettingsNotFromTheMachines) {
    const std::filesystem::path before = WorkFolder() + "/before";
    Start({"-record", "-demofile=" + DemoPath("settings")});
    const std::string key = "SOFTWARE\\" + App().mRegKey;
    SaveUserData(before);
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayerAndExit("Ann"));
    Finish();
    const std::map<std::string, std::string> files = UserFiles();
    ASSERT_FALSE(files.empty());

    // Every value the start reads, other than the recording found it.
    ASSERT_EQ(platform::RegDeleteTree(platform::kRegCurrentUser, key), platform::kRegOk);
    platform::RegKey settings;
    ASSERT_EQ(platform::RegCreateKey(platform::kRegCurrentUser, key, settings), platform::kRegOk);
    const std::pair<const char*, int32_t> values[] = {
        {"MusicVolume", 3}, {"SfxVolume", 7},     {"Muted", 1},        {"ScreenMode", 1}, {"PreferredX", 40},
        {"PreferredY", 50}, {"CustomCursors", 1}, {"WaitForVSync", 1}, {"InProgress", 1},
    };
    for (const auto& [name, value] : values)
        platform::RegSetValue(settings, name, platform::kRegDword, &value, sizeof value);
    platform::RegCloseKey(settings);
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAsRecorded("settings", before, files, 5000));
}

} // namespace
} // namespace Game
