// The main menu driven by scripted input on a headless application: asking
// for a player, starting and continuing a game, the dialogs it opens, its
// button column and its shine.
#include "game/meta/main_menu_screen.h"

#include "framework/widget/button_widget.h"
#include "framework/widget/edit_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"
#include "tests/game/app/scripted_game_app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace Game {
namespace {

// Stands in for the screens the menu switches to.
class StandIn : public GameDialog {
public:
    StandIn() : GameDialog(0, false) {}
    void OnEnter() override { ++mEntered; }
    int mEntered = 0;
};

constexpr const char* kMenuLayout = "[Main]\r\nPosition=0,0,1024,768\r\n"
                                    "[NameLbl]\r\nType=Link\r\nID=90\r\nPosition=10,10,200,30\r\n"
                                    "[Play]\r\nType=Button\r\nID=1\r\nPosition=400,100,200,80\r\n"
                                    "[Map]\r\nType=Button\r\nID=3\r\nPosition=0,0,150,40\r\n"
                                    "[Help]\r\nType=Button\r\nID=4\r\nPosition=0,0,150,40\r\n"
                                    "[Options]\r\nType=Button\r\nID=5\r\nPosition=0,0,150,40\r\n"
                                    "[Reward]\r\nType=Button\r\nID=6\r\nPosition=0,0,150,40\r\n"
                                    "[Exit]\r\nType=Button\r\nID=7\r\nPosition=0,0,150,40\r\n"
                                    "[ChangeUser]\r\nType=Button\r\nID=33\r\nPosition=10,50,100,30\r\n"
                                    "[ButtonsXY]\r\nType=Point\r\nX=420\r\nY=300\r\n"
                                    "[ButtonsWH]\r\nType=Point\r\nX=150\r\nY=300\r\n";

class MainMenuTest : public app_test::AppTestEnvironment {
protected:
    MainMenuTest() {
        File("ui/main.txt", kMenuLayout);
        File("UI/NewUser.txt", "[Main]\r\nID=101\r\n[Edit]\r\nType=Edit\r\nPosition=10,10,100,20\r\n"
                               "[Ok]\r\nType=DialogButton\r\nID=1\r\n");
        File("UI/SelectGame.txt", "[Main]\r\nID=303\r\n[Continue]\r\nType=DialogButton\r\nID=1\r\n"
                                  "[New]\r\nType=DialogButton\r\nID=2\r\n");
        File("UI/help.txt", "[Main]\r\nID=102\r\n");
        File("data/help.txt", "[Main]\r\nPagesCount=0\r\n");
        std::filesystem::create_directories(WorkFolder() + "/particles");
        std::filesystem::copy_file(std::string(KAVO_SAMPLE_CONTENT) + "/particles/pieshine2.ini",
                                   WorkFolder() + "/particles/pieshine2.ini");
        platform::MakeDirectories(Platform().Folder() + "/Users");
        mUsers->LoadAll(Platform().Folder() + "/Users/users.dat");
        mApp.mVSyncUpdates = false; // windowed: Update steps UpdateF itself
        mMenu = new MainMenuScreen(&mApp);
        mApp.mMainMenuScreen = mMenu;
        mApp.mComicsScene1 = mComics;
        mApp.mBoardScreen = mBoard;
        mApp.mMapScreen = mMap;
    }

    void File(const std::string& name, const std::string& text) {
        const std::string path = WorkFolder() + "/" + name;
        platform::MakeDirectories(path.substr(0, path.find_last_of('/')));
        ASSERT_TRUE(platform::WriteWholeFile(path, text));
    }
    void Enter() { mApp.SwitchScreen(13); }
    void AddPlayer(const std::string& name, bool continuing) {
        auto* user = new User;
        user->mName = name;
        mUsers->AddUser(user);
        user->mRecord.mSecondGameFlag = continuing ? 1 : 0;
    }
    // Types a name into the open name entry and presses its "Ok"; the
    // menu hears the answer once the dialog has flown out.
    void AnswerName(const std::string& name) {
        EditDialog* entry = mApp.GetNewUserDialog();
        ASSERT_NE(entry, nullptr);
        entry->mEdit->SetText(name);
        entry->ButtonDepress(1);
        for (int i = 0; i < 400 && mApp.GetNewUserDialog() == entry; ++i)
            entry->Update();
    }
    bool Owns(const char* item) {
        for (const ItemEntry& entry : mUsers->GetCurrentRecord()->mItems[0])
            if (entry.mName == item && entry.mState == 1)
                return true;
        return false;
    }

    ScriptedGameApp mApp{Platform().Folder() + "/program"};
    UserManager* mUsers = UserManager::GetInstance();
    MainMenuScreen* mMenu = nullptr;
    StandIn* mComics = new StandIn();
    StandIn* mBoard = new StandIn();
    StandIn* mMap = new StandIn();
};

TEST_F(MainMenuTest, WithoutPlayersTheFirstUpdateAsksOnceAndANameMakesASavedPlayer) {
    Enter();
    mMenu->Update();
    EditDialog* entry = mApp.GetNewUserDialog();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->mMode, 0);
    mMenu->Update();
    EXPECT_EQ(mApp.GetNewUserDialog(), entry); // asked once

    AnswerName("   ");
    EXPECT_EQ(mUsers->GetUserCount(), 0); // an empty name makes none
    EXPECT_EQ(mApp.GetNewUserDialog(), entry);
    AnswerName("Ann");
    ASSERT_EQ(mUsers->GetUserCount(), 1);
    EXPECT_EQ(mUsers->GetCurrentUser()->mName, "Ann");
    EXPECT_TRUE(platform::FileExists(Platform().Folder() + "/Users/users.dat")); // saved at once
    EXPECT_EQ(mComics->mEntered, 0);                                             // the menu stays
}

TEST_F(MainMenuTest, PlayWithoutPlayersAsksAndTheNameStartsANewGame) {
    Enter();
    mMenu->ButtonDepress(MainMenuScreen::Play);
    EditDialog* entry = mApp.GetNewUserDialog();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->mMode, 1);
    AnswerName("Bo");
    ASSERT_EQ(mUsers->GetUserCount(), 1);
    EXPECT_TRUE(Owns("wall100") && Owns("table102") && Owns("stoika100"));
    EXPECT_EQ(mComics->mEntered, 1); // switch 38
}

TEST_F(MainMenuTest, TheContinueFlagDecidesWhatPlayDoes) {
    AddPlayer("Cy", false);
    Enter();
    mMenu->Update();
    EXPECT_TRUE(mMenu->GetButton(MainMenuScreen::Map)->mDisabled);
    EXPECT_TRUE(mMenu->GetButton(MainMenuScreen::Reward)->mDisabled);
    mMenu->ButtonDepress(MainMenuScreen::Play);
    EXPECT_EQ(mComics->mEntered, 1);
    EXPECT_TRUE(Owns("wall100"));

    // With a game to continue: the select-game dialog; 1 resumes, 2 starts anew.
    struct Case {
        int32_t button;
        int board;
        int comics;
    };
    for (const Case c : {Case{1, 1, 0}, Case{2, 0, 1}}) {
        mComics->mEntered = mBoard->mEntered = 0;
        mUsers->GetCurrentRecord()->mSecondGameFlag = 1;
        Enter();
        mMenu->Update();
        EXPECT_FALSE(mMenu->GetButton(MainMenuScreen::Map)->mDisabled);
        mMenu->ButtonDepress(MainMenuScreen::Play);
        ASSERT_NE(mApp.GetDialog(MainMenuScreen::kSelectGameDialog), nullptr);
        EXPECT_EQ(mComics->mEntered + mBoard->mEntered, 0);
        mMenu->DialogButtonRelease(MainMenuScreen::kSelectGameDialog, c.button);
        EXPECT_EQ(mApp.GetDialog(MainMenuScreen::kSelectGameDialog), nullptr);
        EXPECT_EQ(mBoard->mEntered, c.board) << c.button;
        EXPECT_EQ(mComics->mEntered, c.comics) << c.button;
    }
}

TEST_F(MainMenuTest, KeysAskTheExitQuestionAndOpenHelp) {
    AddPlayer("Di", true);
    Enter();
    mMenu->KeyUp(27);
    EXPECT_EQ(mApp.mShown, std::vector<int>{1});
    EXPECT_FALSE(mApp.mClosed);
    mApp.mAnswers.push_back(true);
    mMenu->KeyUp(27);
    EXPECT_TRUE(mApp.mClosed);
    mMenu->KeyUp(112);
    EXPECT_NE(mApp.GetDialog(102), nullptr);
    // Map keeps the music: the menu does not stop it on leaving.
    mMenu->ButtonDepress(MainMenuScreen::Map);
    EXPECT_EQ(mMap->mEntered, 1);
}

TEST_F(MainMenuTest, TheColumnSharesItsHeightAndTheShineComesAfterAHundredUpdatesThenEveryFiveHundred) {
    // Five buttons 40 high in a column 300 high: 20 apart, at its left.
    int32_t top = 300;
    for (int32_t id : {MainMenuScreen::Map, MainMenuScreen::Reward, MainMenuScreen::Help, MainMenuScreen::Options,
                       MainMenuScreen::Exit}) {
        Kavo::ButtonWidget* button = mMenu->GetButton(id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->mX, 420);
        EXPECT_EQ(button->mY, top) << id;
        top += 60;
    }

    AddPlayer("Ed", false);
    Enter();
    std::vector<int> shines;
    size_t before = 0;
    for (int update = 1; update <= 700; ++update) {
        mMenu->Update();
        if (mMenu->GetEffects().GetCount() > before)
            shines.push_back(update);
        before = mMenu->GetEffects().GetCount();
    }
    EXPECT_EQ(shines, (std::vector<int>{101, 601}));
}

} // namespace
} // namespace Game
