// The choose-user, options and title screens driven by scripted input, and
// the application's message boxes, name entry and tip operations.
#include "game/app/change_user_dialog.h"
#include "game/app/game_app.h"
#include "game/app/options_dialog.h"
#include "game/app/title_screen.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/resource/resource_manager.h"
#include "framework/util/buffer.h"
#include "framework/widget/checkbox.h"
#include "framework/widget/edit_widget.h"
#include "framework/widget/list_widget.h"
#include "framework/widget/slider.h"
#include "framework/widget/widget_manager.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/resource_ids.h"
#include "game/ui/tip_window.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/game/app/scripted_game_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

namespace Game {
namespace {

using ScriptedApp = ScriptedGameApp;

class SoundLog : public UiSoundPlayer {
public:
    void PlayUiSound(const std::string& name, bool) override { mPlayed.push_back(name); }
    std::vector<std::string> mPlayed;
};

class GroupLog : public Kavo::ResourceManager {
public:
    GroupLog() : ResourceManager(nullptr) {}
    void DeleteGroup(const std::string& group) override { mDeleted.push_back(group); }
    std::vector<std::string> mDeleted;
};

class UserDialogsTest : public app_test::AppTestEnvironment {
protected:
    UserDialogsTest() {
        FONT_DEFAULT = &mFont;
        Layout("UI/ChangeUser.txt", "[Main]\r\nID=7\r\nPosition=100,100,400,300\r\n"
                                    "[LBPos]\r\nType=Point\r\nX=10\r\nY=20\r\n"
                                    "[LBSize]\r\nType=Point\r\nX=200\r\nY=150\r\n"
                                    "[Delete]\r\nType=DialogButton\r\nID=1\r\n"
                                    "[Select]\r\nType=DialogButton\r\nID=2\r\n"
                                    "[Cancel]\r\nType=DialogButton\r\nID=3\r\n");
        Layout("UI/NewUser.txt", "[Main]\r\nID=101\r\n[Edit]\r\nType=Edit\r\nPosition=10,10,100,20\r\n"
                                 "[Ok]\r\nType=DialogButton\r\nID=1\r\n");
        Layout("terms.txt", "[Texts]\r\nCreateNewUser=New player\r\n");
        TerminsSlot().Get()->Load(WorkFolder() + "/terms.txt");
        platform::MakeDirectories(Folder());
        mUsers->LoadAll(Folder() + "/users.dat");
    }
    ~UserDialogsTest() override { FONT_DEFAULT = nullptr; }

    void Layout(const std::string& name, const std::string& text) {
        const std::string path = WorkFolder() + "/" + name;
        platform::MakeDirectories(path.substr(0, path.find_last_of('/')));
        ASSERT_TRUE(platform::WriteWholeFile(path, text));
    }
    std::string Folder() { return Platform().Folder() + "/Users"; }
    void AddUsers(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            auto* user = new User;
            user->mName = name;
            mUsers->AddUser(user);
        }
    }
    std::vector<std::string> Lines(ChangeUserDialog& dialog) {
        std::vector<std::string> lines;
        for (int i = 0; i < dialog.GetList()->GetLineCount(); ++i)
            lines.push_back(dialog.GetList()->GetStringAt(i));
        return lines;
    }
    int32_t SavedIndex() {
        std::string bytes;
        EXPECT_TRUE(platform::ReadWholeFile(Folder() + "/users.dat", bytes));
        Kavo::Buffer buffer;
        buffer.SetData(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
        buffer.ReadLong();
        return buffer.ReadLong();
    }

    Kavo::FakeFont mFont;
    ScriptedApp mApp{Platform().Folder() + "/program"};
    UserManager* mUsers = UserManager::GetInstance();
    std::shared_ptr<SoundLog> mSounds = std::make_shared<SoundLog>();
    platform::Installed<UiSoundPlayer> mSoundSlot{UiSoundPlayerSlot(), mSounds};
};

TEST_F(UserDialogsTest, WithoutUsersOnlyCreateNewUserShowsAndSelectAndDeleteAreOff) {
    ChangeUserDialog dialog("UI/ChangeUser.txt");
    EXPECT_EQ(Lines(dialog), std::vector<std::string>{"New player"});
    EXPECT_TRUE(dialog.mSelect->mDisabled);
    EXPECT_TRUE(dialog.mDelete->mDisabled);
    EXPECT_EQ(dialog.GetList()->GetRect(), Kavo::IntRect(10, 20, 200, 150));
    dialog.ButtonDepress(ChangeUserDialog::kDeleteButton);
    EXPECT_TRUE(mApp.mShown.empty());
}

TEST_F(UserDialogsTest, DeleteActsOnlyOnAUserLineAndTheLastDeleteLeavesNoSelection) {
    AddUsers({"Ann", "Bo"});
    ChangeUserDialog dialog("UI/ChangeUser.txt");
    EXPECT_EQ(Lines(dialog), (std::vector<std::string>{"New player", "Ann", "Bo"}));
    EXPECT_EQ(dialog.GetList()->mSelectIdx, 2); // the current user
    EXPECT_FALSE(dialog.mDelete->mDisabled);

    dialog.GetList()->SetSelect(0);
    dialog.ButtonDepress(ChangeUserDialog::kDeleteButton); // line 0 is no user
    EXPECT_TRUE(mApp.mShown.empty());
    EXPECT_EQ(mUsers->GetUserCount(), 2);

    dialog.GetList()->SetSelect(1);
    dialog.ButtonDepress(ChangeUserDialog::kDeleteButton); // "no" to the warning
    EXPECT_EQ(mUsers->GetUserCount(), 2);
    mApp.mAnswers = {true, true};
    dialog.ButtonDepress(ChangeUserDialog::kDeleteButton);
    EXPECT_EQ(Lines(dialog), (std::vector<std::string>{"New player", "Bo"}));
    EXPECT_EQ(dialog.GetList()->mSelectIdx, 1);
    dialog.ButtonDepress(ChangeUserDialog::kDeleteButton);
    EXPECT_EQ(Lines(dialog), std::vector<std::string>{"New player"});
    EXPECT_EQ(dialog.GetList()->mSelectIdx, -1);
    EXPECT_TRUE(dialog.mSelect->mDisabled);
    EXPECT_EQ(mApp.mShown, (std::vector<int>{3, 3, 3}));
    EXPECT_EQ(mUsers->GetUserCount(), 0);
}

TEST_F(UserDialogsTest, ADoubleClickOnLineZeroSelectsItAndSelectThereLeavesNoUser) {
    AddUsers({"Ann"});
    ChangeUserDialog dialog("UI/ChangeUser.txt");
    dialog.ListClicked(ChangeUserDialog::kListId, 0, 2);
    EXPECT_EQ(dialog.GetList()->mSelectIdx, 0);
    EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::FlyingIn); // not acted on
    EXPECT_EQ(mApp.GetNewUserDialog(), nullptr);

    dialog.ButtonDepress(ChangeUserDialog::kSelectButton);
    EXPECT_EQ(mUsers->GetCurrentIndex(), -1);
    EXPECT_EQ(SavedIndex(), -1);
    EXPECT_EQ(dialog.GetFlyState(), LayoutDialog::FlyingOut);

    // A double click on a user selects it and acts as Select.
    ChangeUserDialog again("UI/ChangeUser.txt");
    again.ListClicked(ChangeUserDialog::kListId, 1, 2);
    EXPECT_EQ(mUsers->GetCurrentIndex(), 0);
    EXPECT_EQ(SavedIndex(), 0);
}

TEST_F(UserDialogsTest, ANewNameAddsAUserAndATakenOneAsksAgainWithOneDialogAlive) {
    AddUsers({"Ann"});
    mApp.mSfxVolume = 0.5;
    ChangeUserDialog dialog("UI/ChangeUser.txt");
    dialog.ListClicked(ChangeUserDialog::kListId, 0, 1);
    EditDialog* entry = mApp.GetNewUserDialog();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(mApp.GetDialog(101), entry);
    EXPECT_EQ(entry->mDialogListener, &dialog);

    entry->mEdit->SetText("Ann");
    dialog.DialogButtonRelease(101, 1);
    EXPECT_EQ(mApp.mShown, std::vector<int>{2});
    EditDialog* second = mApp.GetNewUserDialog();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, entry);
    EXPECT_EQ(mApp.GetDialog(101), second);
    EXPECT_EQ(mUsers->GetUserCount(), 1);

    second->mEdit->SetText("Cy");
    dialog.DialogButtonRelease(101, 1);
    EXPECT_EQ(mApp.GetDialog(101), nullptr);
    EXPECT_EQ(mApp.GetNewUserDialog(), nullptr); // forgotten once gone
    ASSERT_EQ(mUsers->GetUserCount(), 2);
    EXPECT_EQ(mUsers->GetCurrentUser()->mName, "Cy");
    EXPECT_EQ(mUsers->GetCurrentUser()->mSfxVolume, 0.5f);
    EXPECT_EQ(Lines(dialog).back(), "Cy");
    EXPECT_EQ(dialog.GetList()->mSelectIdx, 2);
}

TEST_F(UserDialogsTest, TheListsOwnNameIsRefusedAndANameInOtherLetterCaseIsAnotherPlayer) {
    AddUsers({"Ann"});
    mUsers->SetMoney(7);
    mUsers->Save();
    std::string annBytes;
    ASSERT_TRUE(platform::ReadWholeFile(Folder() + "/Ann.dat", annBytes));
    ChangeUserDialog dialog("UI/ChangeUser.txt");
    auto enter = [&](const char* name) {
        dialog.ListClicked(ChangeUserDialog::kListId, 0, 1);
        ASSERT_NE(mApp.GetNewUserDialog(), nullptr);
        mApp.GetNewUserDialog()->mEdit->SetText(name);
        dialog.DialogButtonRelease(101, 1);
        mApp.KillDialog(101); // the player would close the entry asked again
    };
    for (const char* list : {"users", "USERS"})
        enter(list);
    EXPECT_EQ(mApp.mShown, (std::vector<int>{2, 2}));
    EXPECT_EQ(mUsers->GetUserCount(), 1);

    enter("ann");
    ASSERT_EQ(mUsers->GetUserCount(), 2);
    dialog.ButtonDepress(ChangeUserDialog::kSelectButton); // "ann" is selected
    EXPECT_EQ(mUsers->GetCurrentUser()->mName, "ann");
    EXPECT_EQ(mUsers->GetMoney(), 0.0f); // not Ann's progress
    std::string after;
    ASSERT_TRUE(platform::ReadWholeFile(Folder() + "/Ann.dat", after));
    EXPECT_EQ(after, annBytes);
    EXPECT_TRUE(platform::FileExistsExactName(Folder() + "/ann.dat"));
    UserManager saved;
    saved.LoadAll(Folder() + "/users.dat");
    ASSERT_EQ(saved.GetUserCount(), 2);
    EXPECT_EQ(saved.GetUser(0)->mName, "Ann");
    EXPECT_EQ(saved.GetUser(1)->mName, "ann");
    EXPECT_EQ(saved.GetMoney(), 0.0f);
}

TEST_F(UserDialogsTest, TheSlidersSetTheVolumesAndTheBoxesRefuseWhatCannotBe) {
    Layout("UI/options.txt", "[Main]\r\nPosition=100,100,400,300\r\n"
                             "[MusicVolume]\r\nType=Slider\r\nID=1\r\nPosition=10,10,100,10\r\n"
                             "[EffectVolume]\r\nType=Slider\r\nID=2\r\nPosition=10,40,100,10\r\n"
                             "[3DMode]\r\nType=CheckBox\r\nID=1\r\n[FullScreen]\r\nType=CheckBox\r\nID=2\r\n"
                             "[Ok]\r\nType=DialogButton\r\nID=1\r\n");
    AddUsers({"Ann"});
    mUsers->GetCurrentUser()->mMusicVolume = 0.25f;
    OptionsDialog dialog("UI/options.txt");
    ASSERT_NE(dialog.mMusicVolume, nullptr);
    EXPECT_DOUBLE_EQ(dialog.mMusicVolume->mValue, 0.25);
    EXPECT_TRUE(dialog.mFullScreen->IsChecked()); // the application starts full screen
    EXPECT_FALSE(dialog.m3DMode->IsChecked());

    dialog.SliderVal(OptionsDialog::kMusicSlider, 0.3);
    dialog.SliderVal(OptionsDialog::kEffectSlider, 0.6);
    EXPECT_FLOAT_EQ(mUsers->GetCurrentUser()->mMusicVolume, 0.3f);
    EXPECT_FLOAT_EQ(mUsers->GetCurrentUser()->mSfxVolume, 0.6f);
    EXPECT_DOUBLE_EQ(mApp.GetMusicVolume(), 0.3);
    EXPECT_DOUBLE_EQ(mApp.GetSfxVolume(), 0.6);
    EXPECT_EQ(mSounds->mPlayed, std::vector<std::string>{"MouseEnter"});

    dialog.m3DMode->SetChecked(true); // no hardware 3D here
    EXPECT_FALSE(dialog.m3DMode->IsChecked());
    mApp.mForceFullscreen = true;
    dialog.mFullScreen->SetChecked(false);
    EXPECT_TRUE(dialog.mFullScreen->IsChecked());
    EXPECT_EQ(mApp.mShown, (std::vector<int>{5, 7}));
}

TEST_F(UserDialogsTest, MissingControlsAreSkipped) {
    OptionsDialog options("UI/none.txt");
    options.SliderVal(OptionsDialog::kEffectSlider, 0.5);
    options.CheckboxCheck(OptionsDialog::k3DBox, true);
    ChangeUserDialog users("UI/none.txt");
    users.UpdateButtons();
    EditDialog entry("UI/none.txt");
    entry.ButtonDepress(1);
    EXPECT_EQ(entry.GetFlyState(), LayoutDialog::FlyingIn);
    EXPECT_EQ(mApp.mShown, std::vector<int>{5});
}

TEST_F(UserDialogsTest, TheTitleLeavesForTheMenuOnlyOnceLoaded) {
    Layout("UI/Title.txt", "[Continue]\r\nType=DialogButton\r\nID=0\r\n[Slider]\r\nType=Point\r\nX=5\r\nY=6\r\n");
    auto* title = new TitleScreen(&mApp);
    mApp.mTitleScreen = title;
    mApp.mMainMenuScreen = new GameDialog(2, false);
    mApp.mWidgetManager->AddWidget(title);
    GroupLog groups;
    Kavo::ResourceManager* previous = std::exchange(mApp.mResourceManager, &groups);

    title->MouseDown(10, 10, 1);
    EXPECT_TRUE(mSounds->mPlayed.empty());
    EXPECT_TRUE(mApp.mWidgetManager->HasWidget(title));
    title->SetLoaded();
    title->MouseDown(10, 10, 1);
    EXPECT_EQ(mSounds->mPlayed, std::vector<std::string>{"MouseDown"});
    EXPECT_FALSE(mApp.mWidgetManager->HasWidget(title));
    EXPECT_TRUE(mApp.mWidgetManager->HasWidget(mApp.mMainMenuScreen));
    EXPECT_EQ(groups.mDeleted, std::vector<std::string>{"TitleScreen"});
    mApp.mResourceManager = previous;
}

TEST_F(UserDialogsTest, WithoutAMainMenuTheTitleKeepsItsPictures) {
    auto* title = new TitleScreen(&mApp);
    mApp.mTitleScreen = title;
    GroupLog groups;
    Kavo::ResourceManager* previous = std::exchange(mApp.mResourceManager, &groups);
    title->SetLoaded();
    title->ButtonDepress(0);
    EXPECT_TRUE(groups.mDeleted.empty());
    mApp.mResourceManager = previous;
}

TEST_F(UserDialogsTest, TheProgressBarDrawsTheLoadedShareOfItsPicture) {
    Layout("UI/Title.txt", "[Slider]\r\nType=Point\r\nX=5\r\nY=6\r\n");
    Kavo::MemoryImage bar;
    bar.Create(100, 4);
    std::fill(bar.GetBits(), bar.GetBits() + 400, 0xFFFF0000u);
    bar.BitsChanged();
    IMAGE_TITLE_PROGRESS = &bar;
    TitleScreen title(&mApp);
    title.Resize(0, 0, 200, 20);
    mApp.mLoadingThreadStarted = true;
    mApp.mNumLoadingThreadTasks = 200;
    for (const auto& [done, red] : {std::pair{1, 0}, std::pair{100, 50}, std::pair{200, 100}}) {
        mApp.mCompletedLoadingThreadTasks = done;
        Kavo::MemoryImage dest;
        dest.Create(200, 20);
        Kavo::Graphics g(&dest);
        title.Draw(&g);
        const uint32_t* row = dest.GetBits() + 7 * 200;
        EXPECT_EQ(std::count(row, row + 200, 0xFFFF0000u), red) << done;
        EXPECT_EQ(row[5 + red], 0xFF000000u) << done; // black beyond the bar
    }
    IMAGE_TITLE_PROGRESS = nullptr;
    mApp.mLoadingThreadStarted = false; // there is no thread to wait for
}

TEST(TitleBarTest, TheBarIsTheLoadedShareOfThePicture) {
    const struct {
        double progress;
        int width;
    } cases[] = {{0.0, 0}, {0.009, 0}, {0.01, 1}, {0.5, 50}, {1.0, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(TitleScreen::BarWidth(c.progress, 100), c.width) << c.progress;
}

TEST_F(UserDialogsTest, ClosingATipMarksItSeenAndAYoungTipStaysWhenOnlyOldOnesGo) {
    AddUsers({"Ann"});
    EXPECT_FALSE(mApp.IsTipOpen());
    EXPECT_EQ(mApp.GetOpenTipId(), 32);
    auto* tip = new TipWindow("text");
    tip->mTipId = 5;
    mApp.AddDialog(tip);
    EXPECT_TRUE(mApp.IsTipOpen());
    EXPECT_EQ(mApp.GetOpenTipId(), 5);
    tip->mAge = 300;
    mApp.CloseTip(true);
    EXPECT_TRUE(mApp.IsTipOpen());
    EXPECT_EQ(mUsers->GetCurrentRecord()->mTipShown[5], 0);
    tip->Update();
    mApp.CloseTip(true);
    EXPECT_FALSE(mApp.IsTipOpen());
    EXPECT_EQ(mUsers->GetCurrentRecord()->mTipShown[5], 1);
}

TEST_F(UserDialogsTest, MessageIdsOutsideTheTableShowNothing) {
    for (int id : {0, 4, 8})
        EXPECT_FALSE(mApp.GameApp::ShowMessage(id)) << id;
    EXPECT_EQ(mApp.GetDialogCount(), 0);
}

TEST_F(UserDialogsTest, TheRestaurantFollowsTheCurrentUsersStage) {
    EXPECT_EQ(mApp.CurrentRestaurantIndex(), 0);
    AddUsers({"Ann"});
    mUsers->GetCurrentRecord()->mStageIndex = 7;
    EXPECT_EQ(mApp.CurrentRestaurantIndex(), 1);
}

} // namespace
} // namespace Game
