#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/registry.h"
#include "platform/services.h"
#include "tests/platform/temp_folder.h"

namespace {

using namespace platform;

TEST(HeadlessPlatform, InstallsFreshStateAndPutsBackWhatWasThere) {
    platform_test::TempFolder tmp;
    setenv("KAVO_USER_DATA_DIR", tmp.Sub("env-data").c_str(), 1);
    const auto outerVideo = std::make_shared<HeadlessVideoDriver>();
    Installed<VideoDriver> outer(VideoDriverSlot(), outerVideo);
    const auto clockBefore = ClockSlot().Get();
    std::string folder;
    {
        HeadlessPlatform headless(5000);
        folder = headless.Folder();
        EXPECT_TRUE(std::filesystem::is_directory(headless.UserDataFolder()));
        EXPECT_EQ(GetUserDataRoot("Product"), headless.UserDataFolder()); // over the environment, too
        EXPECT_EQ(GetConfigFolder(), headless.ConfigFolder());
        EXPECT_EQ(DefaultRegistryFile().rfind(folder, 0), 0u);
        EXPECT_EQ(GetTickMs(), 5000u);
        EXPECT_EQ(GetVideoDriver().get(), &headless.Video());

        RegKey key;
        ASSERT_EQ(RegCreateKey(kRegCurrentUser, "Software\\Test", key), kRegOk);
        const std::uint32_t one = 1;
        ASSERT_EQ(RegSetValue(key, "Value", kRegDword, &one, 4), kRegOk);
        {
            HeadlessPlatform inner; // nests: its own empty store
            EXPECT_EQ(RegOpenKey(kRegCurrentUser, "Software\\Test", key), kRegNotFound);
        }
        EXPECT_EQ(RegOpenKey(kRegCurrentUser, "Software\\Test", key), kRegOk);
        EXPECT_TRUE(std::filesystem::is_empty(headless.ConfigFolder())); // memory only
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_EQ(ClockSlot().Get(), clockBefore);
    EXPECT_EQ(GetVideoDriver(), outerVideo);
    EXPECT_EQ(GetUserDataRoot("Product"), tmp.Sub("env-data"));
    unsetenv("KAVO_USER_DATA_DIR");
}

TEST(HeadlessPlatform, WithNothingInstalledTheRegistryStaysInMemory) {
    platform_test::TempFolder tmp;
    setenv("KAVO_CONFIG_DIR", tmp.Path().c_str(), 1);
    ASSERT_EQ(RegistryStoreSlot().Get(), nullptr);
    RegKey key;
    ASSERT_EQ(RegCreateKey(kRegCurrentUser, "Software\\Stand-in", key), kRegOk);
    const std::uint32_t one = 1;
    EXPECT_EQ(RegSetValue(key, "Value", kRegDword, &one, 4), kRegOk);
    EXPECT_EQ(RegDeleteTree(kRegCurrentUser, "Software\\Stand-in"), kRegOk);
    EXPECT_TRUE(std::filesystem::is_empty(tmp.Path())); // no settings file was chosen on first use
    unsetenv("KAVO_CONFIG_DIR");
}

} // namespace
