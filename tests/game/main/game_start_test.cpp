// The game from its start, headless on the generated sample content: the
// logo, the title screen while the loading thread loads, "Continue", the
// main menu, the in-game menu with its help pages and the quit question.
#include "framework/graphics/memory_image.h"
#include "framework/widget/edit_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/change_user_dialog.h"
#include "game/app/game_app.h"
#include "game/app/game_menu_dialog.h"
#include "game/app/options_dialog.h"
#include "game/app/title_screen.h"
#include "game/main/game_tables.h"
#include "game/meta/main_menu_screen.h"
#include "game/meta/map_screen.h"
#include "game/meta/room_screen.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/help_dialog.h"
#include "game/ui/logo_screen.h"
#include "game/ui/resource_ids.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace Game {
namespace {

class GameStartTest : public app_test::AppTestEnvironment {
protected:
    GameStartTest() {
        // Initialize makes this the current folder.
        mApp.mChangeDirTo = KAVO_SAMPLE_CONTENT;
        mApp.mIsWindowed = true;
        mTables.Register(mApp.mSteps);
    }
    TitleScreen* Title() { return dynamic_cast<TitleScreen*>(mApp.mTitleScreen); }

    // One update and one redraw, 10 ms later.
    void Step() {
        Platform().Clock().Advance(10'000);
        mApp.UpdateApp();
        mApp.Redraw(nullptr);
    }
    template <typename Done>
    bool StepUntil(Done done, int limit = 5000) {
        for (int i = 0; i < limit && !done(); ++i) {
            Step();
            // The virtual clock's sleep only yields, and the loading thread
            // waits for the lock that every redraw takes: give it real time.
            if (!done() && mApp.mLoadingThreadStarted && !mApp.mLoadingThreadCompleted)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
    uint32_t ScreenPixel(int x, int y) {
        auto* screen = dynamic_cast<Kavo::MemoryImage*>(mApp.mWidgetManager->mImage);
        return screen != nullptr ? screen->GetBits()[y * screen->GetWidth() + x] : 0;
    }

    GameTables mTables;
    GameApp mApp{KAVO_PROGRAM_FOLDER};
};

TEST_F(GameStartTest, FromTheLogosThroughLoadingToTheMainMenuAndOutThroughTheQuitQuestion) {
    mApp.Initialize();
    ASSERT_NE(mApp.mLogoScreen, nullptr);
    EXPECT_FALSE(mApp.mVSyncUpdates); // windowed
    auto* logos = static_cast<LogoScreen*>(mApp.mLogoScreen);
    ASSERT_EQ(logos->GetLogos().size(), 2u);

    // The first logo fully in: its blue placeholder fills the screen.
    for (int i = 0; i < 120; ++i)
        Step();
    ASSERT_NE(logos->GetSprite().GetImage(), nullptr);
    const uint32_t logo = ScreenPixel(512, 700);
    EXPECT_GT(logo & 0xFF, (logo >> 16) & 0xFF) << std::hex << logo;

    // A click skips the rest; the start-up load follows the dark pause.
    logos->MouseDown(10, 10, 1);
    ASSERT_TRUE(StepUntil([&] { return Title() != nullptr; }, 60));
    TitleScreen* title = Title();
    EXPECT_FALSE(mApp.mWidgetManager->HasWidget(mApp.mLogoScreen));
    EXPECT_TRUE(mApp.mWidgetManager->HasWidget(title));
    EXPECT_NE(IMAGE_CUSTOM_POINTER, nullptr);
    EXPECT_GT(mApp.mNumLoadingThreadTasks.load(), 0);
    EXPECT_TRUE(platform::IsDirectory(GameApp::UsersFolder().substr(0, GameApp::UsersFolder().size() - 1)));
    EXPECT_GT(TerminsSlot().Get()->GetCount(), 0u);
    EXPECT_TRUE(mApp.mSettings.HasSection("MenuMaxRaiting"));

    // Loading: the progress rises to the whole, then "Continue".
    double last = 0.0;
    bool rose = false;
    ASSERT_TRUE(StepUntil([&] {
        const double progress = mApp.GetLoadingProgress();
        rose = rose || (progress > last && last > 0.0);
        last = progress;
        return title->IsLoaded();
    }));
    EXPECT_TRUE(rose);
    EXPECT_EQ(mApp.GetLoadingProgress(), 1.0);
    EXPECT_NE(IMAGE_HELP, nullptr);
    EXPECT_NE(mApp.mGameOverDialog, nullptr);
    EXPECT_NE(dynamic_cast<RoomScreen*>(mApp.mRoomScreen), nullptr);
    EXPECT_NE(dynamic_cast<MapScreen*>(mApp.mMapScreen), nullptr);
    EXPECT_TRUE(SndIsEnabled());

    // A click on the title goes to the main menu, which asks for a player:
    // a Cyrillic name typed into the name entry makes one, saved at once.
    auto* menu = dynamic_cast<MainMenuScreen*>(mApp.mMainMenuScreen);
    ASSERT_NE(menu, nullptr);
    title->MouseDown(500, 400, 1);
    EXPECT_EQ(mApp.mEnteringScreen, menu);
    EXPECT_FALSE(mApp.mWidgetManager->HasWidget(title));
    UserManager* users = UserManager::GetInstance();
    ASSERT_NE(users, nullptr);
    EXPECT_EQ(users->GetUserCount(), 0);
    ASSERT_TRUE(StepUntil([&] { return mApp.GetNewUserDialog() != nullptr; }, 10));
    EditDialog* entry = mApp.GetNewUserDialog();
    ASSERT_NE(entry->mEdit, nullptr);
    const std::string name = "\xC0\xED\xFF"; // cp1251
    for (const char c : name)
        entry->mEdit->KeyChar(c);
    EXPECT_EQ(entry->mEdit->mString, name); // typed: high characters are allowed
    entry->ButtonDepress(1);
    ASSERT_TRUE(StepUntil([&] { return mApp.GetNewUserDialog() == nullptr; }, 300));
    ASSERT_EQ(users->GetUserCount(), 1);
    EXPECT_EQ(users->GetCurrentUser()->mName, name);
    const std::string folder = GameApp::UsersFolder();
    EXPECT_TRUE(platform::FileExists(folder + "users.dat"));
    EXPECT_TRUE(platform::FileExists(folder + name + ".dat"));
    EXPECT_TRUE(platform::FindFiles(folder + "*.tmp").empty());

    // The change of player from the menu: a double click selects the player.
    menu->ButtonDepress(MainMenuScreen::ChangeUser);
    ChangeUserDialog* chooser = nullptr;
    for (Kavo::Dialog* dialog : mApp.mDialogList)
        if (auto* found = dynamic_cast<ChangeUserDialog*>(dialog))
            chooser = found;
    ASSERT_NE(chooser, nullptr);
    chooser->ListClicked(ChangeUserDialog::kListId, 1, 2);
    ASSERT_TRUE(StepUntil([&] { return mApp.mDialogList.empty(); }, 300));
    EXPECT_EQ(users->GetCurrentIndex(), 0);

    // The in-game menu; its options set the music volume, which the
    // profile keeps.
    auto* gameMenu = new GameMenuDialog();
    mApp.AddDialog(gameMenu);
    EXPECT_EQ(gameMenu->mId, GameMenuDialog::kDialogId);
    gameMenu->ButtonDepress(GameMenuDialog::Options);
    OptionsDialog* options = nullptr;
    for (Kavo::Dialog* dialog : mApp.mDialogList)
        if (auto* found = dynamic_cast<OptionsDialog*>(dialog))
            options = found;
    ASSERT_NE(options, nullptr);
    ASSERT_NE(options->mMusicVolume, nullptr);
    options->SliderVal(OptionsDialog::kMusicSlider, 0.3);
    options->ButtonDepress(1);
    ASSERT_TRUE(StepUntil([&] { return mApp.mDialogList.size() == 1; }, 300));
    {
        // What the next run reads: the player current, the volume kept.
        UserManager again;
        ASSERT_TRUE(again.LoadAll(folder + "users.dat"));
        ASSERT_NE(again.GetCurrentUser(), nullptr);
        EXPECT_EQ(again.GetCurrentUser()->mName, name);
        EXPECT_FLOAT_EQ(again.GetCurrentUser()->mMusicVolume, 0.3f);
    }
    gameMenu->mState = LayoutDialog::Resting;

    // Its help pages (turned to the end) and the quit question, answered
    // "main menu" and then "quit".
    gameMenu->ButtonDepress(GameMenuDialog::Help);
    auto* help = dynamic_cast<HelpDialog*>(mApp.GetDialog(102));
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(help->GetPages().GetPageCount(), 2u);
    EXPECT_NE(help->GetPages().GetPage(1).mSprites[1]->GetImage(), nullptr); // by file
    EXPECT_EQ(help->GetPages().GetPage(1).mSprites[0]->GetImage(), IMAGE_BONUS_HINT);
    for (int i = 0; i < 20; ++i)
        Step();
    help->ButtonDepress(HelpDialog::kNextButton);
    help->ButtonDepress(HelpDialog::kNextButton);
    EXPECT_EQ(mApp.GetDialog(102), nullptr);
    Step();

    gameMenu->ButtonDepress(GameMenuDialog::Quit);
    auto* quit = dynamic_cast<LayoutDialog*>(mApp.GetDialog(GameMenuDialog::kQuitDialogId));
    ASSERT_NE(quit, nullptr);
    for (int i = 0; i < 50; ++i)
        Step();
    quit->ButtonDepress(2);
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(GameMenuDialog::kQuitDialogId) == nullptr; }, 200));
    EXPECT_TRUE(gameMenu->mLeaveToMainMenu);
    EXPECT_FALSE(mApp.mShutdown);

    gameMenu->mLeaveToMainMenu = false;
    gameMenu->mState = LayoutDialog::Resting;
    gameMenu->ButtonDepress(GameMenuDialog::Quit);
    quit = dynamic_cast<LayoutDialog*>(mApp.GetDialog(GameMenuDialog::kQuitDialogId));
    ASSERT_NE(quit, nullptr);
    quit->mState = LayoutDialog::Resting;
    quit->ButtonDepress(1);
    ASSERT_TRUE(StepUntil([&] { return mApp.mShutdown.load(); }, 200));
    EXPECT_FALSE(SndIsEnabled());
}

TEST_F(GameStartTest, AManifestWithoutTheTitleScreenGroupStopsWithTheResourceError) {
    // A copy of the whole content, so that the groups before the title
    // screen load; the manifest differs and there are no logos.
    const std::string folder = Platform().Folder() + "/content";
    std::filesystem::copy(KAVO_SAMPLE_CONTENT, folder, std::filesystem::copy_options::recursive);
    std::filesystem::remove_all(folder + "/logos");
    std::string manifest;
    platform::ReadWholeFile(std::string(KAVO_SAMPLE_CONTENT) + "/properties/resources.xml", manifest);
    const size_t start = manifest.find("<Resources id=\"TitleScreen\"");
    ASSERT_NE(start, std::string::npos);
    const size_t end = manifest.find("</Resources>", start) + std::string("</Resources>").size();
    manifest.erase(start, end - start);
    platform::WriteWholeFile(folder + "/properties/resources.xml", manifest);
    mApp.mChangeDirTo = folder;

    mApp.Initialize();
    // No logos: the first update starts the load, which ends the program.
    EXPECT_THROW(mApp.mLogoScreen->Update(), app_test::ExitCalled);
    EXPECT_TRUE(mApp.mLoadingFailed);
    EXPECT_EQ(Title(), nullptr);
    const auto boxes = Platform().Desktop().MessageBoxLog();
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.back().text.find("TITLE"), std::string::npos) << boxes.back().text;
}

} // namespace
} // namespace Game
