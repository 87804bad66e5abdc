#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app_test_environment.h"
#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/graphics.h"
#include "framework/imagelib/image_lib.h"
#include "framework/util/profiler.h"
#include "framework/util/system_util.h"
#include "framework/widget/widget_manager.h"
#include "loop_test_app.h"
#include "platform/messages.h"
#include "test_app.h"

namespace app_test {
namespace {

constexpr int kF2 = platform::kVkF1 + 1;
constexpr int kF3 = platform::kVkF1 + 2;
constexpr int kF8 = platform::kVkF1 + 7;
constexpr int kF10 = platform::kVkF1 + 9;
constexpr int kF11 = platform::kVkF1 + 10;

class DeveloperKeysTest : public AppTestEnvironment {
protected:
    // Presses key with the given modifiers held in the widget manager's table.
    static bool Press(Kavo::KavoAppBase& app, int key, bool shift = false, bool control = false, bool alt = false) {
        bool* down = app.mWidgetManager->mKeyDown;
        down[platform::kVkShift] = shift;
        down[platform::kVkControl] = control;
        down[platform::kVkMenu] = alt;
        const bool handled = app.HandleDeveloperKey(key);
        down[platform::kVkShift] = down[platform::kVkControl] = down[platform::kVkMenu] = false;
        return handled;
    }

    std::vector<platform::HeadlessDesktopServices::MessageBoxRecord> Boxes() {
        return Platform().Desktop().MessageBoxLog();
    }
};

TEST_F(DeveloperKeysTest, ConfirmKeysAreEnterAndR) {
    TestApp app(WorkFolder());
    const struct {
        int32_t character;
        bool confirm;
    } cases[] = {{13, true}, {'r', true}, {'R', true}, {'e', false}, {'E', false}, {10, false}, {'r' + 256, false}};
    for (const auto& c : cases)
        EXPECT_EQ(app.IsConfirmKey(c.character), c.confirm) << c.character;
}

TEST_F(DeveloperKeysTest, OverlayLoopAndSpeedKeys) {
    TestApp app(WorkFolder());
    // Ctrl+F10 toggles slow motion: twice is back at full speed.
    EXPECT_TRUE(Press(app, kF10, false, true));
    EXPECT_DOUBLE_EQ(app.mUpdateMultiplier, 0.25);
    Press(app, kF10, false, true);
    EXPECT_DOUBLE_EQ(app.mUpdateMultiplier, 1.0);
    app.mUpdateMultiplier = 3.0;
    Press(app, kF10, false, true);
    EXPECT_DOUBLE_EQ(app.mUpdateMultiplier, 0.25);

    // F10 steps one frame; Shift+F10 runs again with nothing owed.
    Press(app, kF10);
    EXPECT_EQ(app.mLoopMode, 1);
    app.mUpdateFTimeAcc = 55.0;
    Press(app, kF10, true);
    EXPECT_EQ(app.mLoopMode, 0);
    EXPECT_EQ(app.mUpdateFTimeAcc, 0.0);
    EXPECT_EQ(app.mLastTimeCheck, platform::GetTickMs());

    // Shift+F3 three times: overlays on, showing the mouse position.
    for (int i = 0; i < 3; ++i)
        Press(app, kF3, true);
    EXPECT_TRUE(app.mShowFPS);
    EXPECT_EQ(app.mShowFPSMode, 1);
    Press(app, kF3);
    EXPECT_FALSE(app.mShowFPS);
    Press(app, kF3);
    EXPECT_TRUE(app.mShowFPS);
    EXPECT_EQ(app.mShowFPSMode, 1);

    // Keys outside the table, and 'R' without Alt, go on to the game.
    EXPECT_FALSE(Press(app, 'R'));
    EXPECT_FALSE(Press(app, platform::kVkF1));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(DeveloperKeysTest, F2StartsTheProfilerAndShowsItsReportWhenPressedAgain) {
    auto profiler = std::make_shared<Kavo::Profiler>();
    platform::Installed<Kavo::Profiler> installed(Kavo::ProfilerSlot(), profiler);
    TestApp app(WorkFolder());
    app.mUpdateFTimeAcc = 12.0;
    EXPECT_TRUE(Press(app, kF2));
    EXPECT_TRUE(profiler->IsRunning());
    EXPECT_EQ(app.mUpdateFTimeAcc, 0.0);
    EXPECT_TRUE(Boxes().empty());

    Platform().Clock().Advance(40);
    Press(app, kF2);
    EXPECT_FALSE(profiler->IsRunning());
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Perf Results");
    EXPECT_EQ(boxes[0].text, profiler->GetReport());
    EXPECT_EQ(boxes[0].text.rfind("Total Time: 40.00", 0), 0u) << boxes[0].text;
}

TEST_F(DeveloperKeysTest, TheApplicationInstallsAProfilerOnlyWhenNoneIsInstalled) {
    ASSERT_EQ(Kavo::ProfilerSlot().Get(), nullptr);
    {
        TestApp app(WorkFolder());
        EXPECT_NE(Kavo::ProfilerSlot().Get(), nullptr);
    }
    EXPECT_EQ(Kavo::ProfilerSlot().Get(), nullptr);
}

TEST_F(DeveloperKeysTest, ShiftF8SwitchesThe3DModeAndSaysSo) {
    LoopApp app(WorkFolder());
    app.Initialize();
    ASSERT_FALSE(app.UsesHardware3D());
    const int initsBefore = app.mDDInterface->GetInitCount();
    Press(app, kF8, true);
    EXPECT_TRUE(app.UsesHardware3D());
    EXPECT_GT(app.mDDInterface->GetInitCount(), initsBefore);
    Press(app, kF8, true);
    EXPECT_FALSE(app.UsesHardware3D());
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Mode Switch");
    EXPECT_EQ(boxes[0].text, "3D-Mode: ON");
    EXPECT_EQ(boxes[1].text, "3D-Mode: OFF");
}

TEST_F(DeveloperKeysTest, F8ShowsVideoStatsWithTheLiveImagesAndTheirTextures) {
    LoopApp app(WorkFolder());
    // Nothing to report before the display exists.
    app.ShowProgramInfo();
    EXPECT_TRUE(Boxes().empty());

    app.Initialize();
    Kavo::MemoryImage textured;
    textured.Create(8, 8);
    app.mTextureFactsReader = [&textured](const Kavo::MemoryImage& image) -> std::optional<Kavo::TextureFacts> {
        if (&image != &textured)
            return std::nullopt;
        return Kavo::TextureFacts{4096, 4};
    };
    Press(app, kF8);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Video Stats");
    const std::string& text = boxes[0].text;
    EXPECT_EQ(text.rfind("3D-Mode is OFF (3D is ", 0), 0u) << text;
    EXPECT_NE(text.find(" on this system)\r\n\r\nNum Images: " + std::to_string(app.GetMemoryImageCount()) +
                        "\r\nNum Sounds: 0\r\nVideo Memory: "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\nTexture Memory: 4 KB\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nR5G6B5: 1 - 4 KB\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nA8R8G8B8: 0 - 0 KB\r\n"), std::string::npos) << text;
}

TEST_F(DeveloperKeysTest, F11SavesTheDrawSurfaceAfterTheHighestNumberedScreenshot) {
    LoopApp app(WorkFolder());
    app.Initialize();
    ASSERT_EQ(Kavo::GetUserDataFolder(), Platform().UserDataFolder() + "\\");
    const std::string folder = Platform().UserDataFolder() + "/_screenshots";
    std::filesystem::create_directories(folder);
    for (const char* name : {"image3.png", "IMAGE12.PNG", "image99.png.bak", "imagex.png", "image.png", "shot40.png"})
        std::ofstream(folder + "/" + name) << "x";
    std::filesystem::create_directories(folder + "/image50.png");

    {
        Kavo::Graphics g(app.mWidgetManager->mImage);
        g.SetColor(Kavo::Color(255, 0, 0));
        g.FillRect(0, 0, app.mWidth, app.mHeight);
    }
    Press(app, kF11);
    const auto shot = Kavo::ImageLib::LoadPng(folder + "/image13.png");
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->mWidth, app.mWidth);
    EXPECT_EQ(shot->mHeight, app.mHeight);
    const uint32_t pixel = shot->mBits[shot->mBits.size() / 2];
    EXPECT_GE((pixel >> 16) & 0xFF, 0xF0u) << std::hex << pixel;
    EXPECT_LE(pixel & 0xFFFF, 0x0808u) << std::hex << pixel;

    Press(app, kF11);
    EXPECT_TRUE(std::filesystem::exists(folder + "/image14.png"));
}

TEST_F(DeveloperKeysTest, ShiftF11DumpsTheLiveImagesLargestFirstIntoAFreshFolder) {
    TestApp app(WorkFolder());
    const std::string userData = Platform().UserDataFolder() + "/";
    Kavo::SetUserDataFolder(userData);
    std::filesystem::create_directories(userData + "_dump");
    std::ofstream(userData + "_dump/stale.txt") << "old";

    Kavo::MemoryImage small;
    small.Create(2, 3);
    small.GetBits();
    small.mFilePath = "images/small";
    Kavo::MemoryImage large;
    large.Create(100, 50);
    large.GetBits()[0] = 0xFF112233;

    Press(app, kF11, true);
    EXPECT_FALSE(std::filesystem::exists(userData + "_dump/stale.txt"));
    std::ifstream in(userData + "_dump/imagelist.html", std::ios::binary);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t largeRow = page.find("100 x 50<BR>20,000 bytes");
    const size_t smallRow = page.find("2 x 3<BR>24 bytes");
    ASSERT_NE(largeRow, std::string::npos) << page;
    ASSERT_NE(smallRow, std::string::npos) << page;
    EXPECT_LT(largeRow, smallRow);
    EXPECT_NE(page.find("images/small</TD>"), std::string::npos);

    const auto full = Kavo::ImageLib::LoadPng(userData + "_dump/img0000.png");
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->mWidth, 100);
    EXPECT_EQ(full->mBits[0], 0xFF112233u);
    const auto thumb = Kavo::ImageLib::LoadJpeg(userData + "_dump/thumb0001.jpg");
    ASSERT_NE(thumb, nullptr);
    EXPECT_EQ(thumb->mWidth, 64);
    EXPECT_EQ(thumb->mHeight, 64);
}

} // namespace
} // namespace app_test
