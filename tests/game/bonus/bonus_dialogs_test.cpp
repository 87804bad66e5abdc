// The bonus-unlock dialog and the reward dialog.
#include "game/bonus/bonus_unlock_dialog.h"
#include "game/bonus/reward_dialog.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/button_widget.h"
#include "framework/widget/dialog_listener.h"
#include "game/board/bonus_registry.h"
#include "game/bonus/game_bonuses.h"
#include "game/ui/resource_ids.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"
#include "game/ui/user_record.h"
#include "platform/file_system.h"
#include "tests/game/bonus/bonus_fixture.h"
#include "tools/image_encoders/image_encoders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace Game::Test {
namespace {

class SoundLog : public UiSoundPlayer {
public:
    void PlayUiSound(const std::string& name, bool) override { mPlayed.push_back(name); }
    int Count(const std::string& name) const {
        return static_cast<int>(std::count(mPlayed.begin(), mPlayed.end(), name));
    }
    std::vector<std::string> mPlayed;
};

class ResultLog : public Kavo::DialogListener {
public:
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override {
        mResults.push_back(std::to_string(dialogId) + ":" + std::to_string(buttonId));
    }
    std::vector<std::string> mResults;
};

// A bonus that notes the updates on which its charged show started.
class ShowCountingBonus : public Bonus {
public:
    ShowCountingBonus() : Bonus(nullptr) {
        mName = "Pepper";
        mImage = IMAGE_BONUS_PEPPER;
    }
    // Runs inside the update that the clock counts once it returns.
    void OnCharged() override { mShows.push_back(*mClock + 1); }
    std::vector<int> mShows;
    const int* mClock = nullptr;
};

class BonusDialogsTest : public BonusFixture {
protected:
    void WriteFile(const std::string& name, const std::string& text) {
        platform::MakeDirectories(Platform().Folder() + "/" + name.substr(0, name.rfind('/')));
        ASSERT_TRUE(platform::WriteWholeFile(Platform().Folder() + "/" + name, text));
    }

    std::shared_ptr<SoundLog> mSounds = std::make_shared<SoundLog>();
    platform::Installed<UiSoundPlayer> mSoundSlot{UiSoundPlayerSlot(), mSounds};
    ResultLog mResults;
};

// ---- Bonus unlock dialog ----

const char kUnlockLayout[] = "[Main]\r\nBeginX=400\r\nBeginY=-100\r\nEndX=400\r\nEndY=900\r\nSpeed=5000\r\n"
                             "Position=100,100,400,300\r\n"
                             "[Message]\r\nType=Link\r\nPosition=20,150,300,60\r\n"
                             "[BonusXY]\r\nType=Point\r\nX=40\r\nY=30\r\n"
                             "[Ok]\r\nType=Button\r\nID=1\r\nPosition=150,250,80,30\r\n";

TEST_F(BonusDialogsTest, UnlockDialogShowsTheBonusAfterFiftyUpdatesThenEveryFiveHundred) {
    WriteFile("UI/BonusUnlock.txt", kUnlockLayout);
    BonusRegistry registry;
    CreateGameBonuses(registry, nullptr);

    BonusUnlockDialog dialog(Platform().Folder() + "/UI/BonusUnlock.txt");
    auto owned = std::make_unique<ShowCountingBonus>();
    ShowCountingBonus* bonus = owned.get();
    int flownIn = 0;
    bonus->mClock = &flownIn;
    dialog.SetBonus(std::move(owned));
    ASSERT_NE(dialog.mMessage, nullptr);
    EXPECT_EQ(dialog.mMessage->mLabel, "PepperHint"); // its name, not its settings key
    EXPECT_EQ(bonus->mX, 40.0f);
    EXPECT_EQ(bonus->mY, 30.0f);
    EXPECT_EQ(bonus->mWidth, 86.0f); // the picture's size
    EXPECT_EQ(bonus->mCellRects[4], Kavo::IntRect(0, 0, 86, 86));
    EXPECT_EQ(bonus->mListener, nullptr);

    Kavo::MemoryImage screen;
    screen.Create(800, 600);
    for (int update = 0; update < 1100; ++update) {
        dialog.Update();
        if (dialog.GetFlyState() != LayoutDialog::FlyingIn)
            ++flownIn;
        Kavo::Graphics g(&screen);
        dialog.Draw(&g);
    }
    EXPECT_EQ(bonus->mShows, (std::vector<int>{50, 499, 999}));
    EXPECT_EQ(registry.GetCount(), 8u);
}

TEST_F(BonusDialogsTest, UnlockDialogWithoutABonusOnlyFliesAndEscapeOrEnterClosesIt) {
    WriteFile("UI/BonusUnlock.txt", kUnlockLayout);
    for (int key : {27, 13}) {
        SCOPED_TRACE(key);
        mResults.mResults.clear();
        BonusUnlockDialog dialog(Platform().Folder() + "/UI/BonusUnlock.txt");
        dialog.mDialogListener = &mResults;
        Kavo::MemoryImage screen;
        screen.Create(800, 600);
        for (int update = 0; update < 100; ++update) {
            dialog.Update();
            Kavo::Graphics g(&screen);
            dialog.Draw(&g);
        }
        EXPECT_EQ(dialog.mPhase, 1);
        dialog.KeyUp(key);
        for (int update = 0; update < 100; ++update)
            dialog.Update();
        EXPECT_EQ(mResults.mResults, (std::vector<std::string>{"60:1"}));
    }
}

// ---- Reward dialog ----

class RewardDialogTest : public BonusDialogsTest {
protected:
    RewardDialogTest() {
        std::string layout = "[Done]\r\nType=Button\r\nID=1\r\nPosition=700,500,80,30\r\n"
                             "[Hint]\r\nType=Link\r\nPosition=0,0,10,10\r\n"
                             "[Hint2]\r\nType=Link\r\nPosition=0,0,10,10\r\n"
                             "[PlashkaWH]\r\nType=Point\r\nX=250\r\nY=120\r\n";
        for (int i = 0; i < RewardDialog::kRewardCount; ++i) {
            const std::string n = std::to_string(i);
            layout += "[Reward" + n + "]\r\nType=Point\r\nX=" + std::to_string(CentreX(i)) + "\r\nY=200\r\n";
            layout += "[RewardHint" + n + "]\r\nType=Point\r\nX=" + std::to_string(CentreX(i)) + "\r\nY=300\r\n";
        }
        WriteFile("UI/reward.txt", layout);
        const auto png = Kavo::ImageEncoders::EncodePngArgb(40, 40, std::vector<uint32_t>(1600, 0xFF808080));
        const std::string picture(png.begin(), png.end());
        for (const char* name : RewardDialog::kRewardNames) {
            WriteFile(std::string("images/rewards/shadows/") + name + ".png", picture);
            for (int level = 1; level <= 3; ++level)
                WriteFile("images/rewards/" + std::string(name) + std::to_string(level) + ".png", picture);
        }
        mUsers->LoadAll(Platform().Folder() + "/users.dat");
        auto* user = new User;
        user->mName = "Ann";
        mUsers->AddUser(user);
        Record().mMetaState.fill(-1);
    }
    static int CentreX(int reward) { return 50 + 70 * reward; }
    UserRecord& Record() { return *mUsers->GetCurrentRecord(); }

    Kavo::KavoAppBase mApp;
    std::shared_ptr<UserManager> mUsers = std::make_shared<UserManager>();
    platform::Installed<UserManager> mUsersSlot{UserManagerSlot(), mUsers};
};

TEST_F(RewardDialogTest, AnEmptyShowBuildsTheSlotsFromTheRecordAndPresentsNothing) {
    Record().mMetaState = {-1, 0, 1, 2, 3, -7, -1, -1, -1, -1};
    RewardDialog dialog(Platform().Folder() + "/UI/reward.txt");
    dialog.Show({});
    EXPECT_TRUE(dialog.IsShown());
    EXPECT_TRUE(dialog.mIdle);
    const std::vector<int> expected = {-1, 0, 1, 2, -1, -1, -1, -1, -1, -1}; // 3 and -7 are not levels
    ASSERT_EQ(dialog.GetSlots().size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(dialog.GetSlots()[i].mLevel, expected[i]) << i;
        EXPECT_NE(dialog.GetSlots()[i].mSprite.GetImage(), nullptr) << i;
    }
    EXPECT_EQ(dialog.GetSlots()[3].mRect, Kavo::IntRect(CentreX(3) - 20, 180, 40, 40));
    for (int update = 0; update < 200; ++update)
        dialog.Update();
    EXPECT_EQ(mSounds->Count("getreward"), 0);
    EXPECT_EQ(dialog.GetAppearCount(), 0u);
}

// Without named paths each appear effect ends on its first update.
TEST_F(RewardDialogTest, TwoAwardsArePresentedAfterSeventyUpdatesThenBackToBack) {
    RewardDialog dialog(Platform().Folder() + "/UI/reward.txt");
    // Pairs outside the ten rewards or the three levels are skipped.
    dialog.Show({{0, 0}, {11, 0}, {4, 3}, {3, 1}});
    EXPECT_EQ(Record().mMetaState[0], 0);
    EXPECT_EQ(Record().mMetaState[3], 1);
    EXPECT_EQ(Record().mMetaState[4], -1);
    EXPECT_FALSE(dialog.mIdle);
    EXPECT_EQ(dialog.GetSlots()[0].mLevel, -1); // the new level shows once presented

    std::vector<int> sounds;
    for (int update = 1; update <= 100; ++update) {
        const int before = mSounds->Count("getreward");
        dialog.Update();
        for (int i = before; i < mSounds->Count("getreward"); ++i)
            sounds.push_back(update);
    }
    EXPECT_EQ(sounds, (std::vector<int>{70, 71}));
    EXPECT_EQ(dialog.GetCurrentAward(), 2);
    EXPECT_EQ(dialog.GetSlots()[0].mLevel, 0);
    EXPECT_EQ(dialog.GetSlots()[3].mLevel, 1);
    EXPECT_NE(dialog.GetSlots()[3].mSprite.GetImage(), nullptr);
    EXPECT_EQ(dialog.mLevels[3], 1);
}

TEST_F(RewardDialogTest, HoverTellsWhatWasGotAndWhatComesNext) {
    Record().mMetaState = {1, 2, -1, -1, -1, -1, -1, -1, -1, -1};
    RewardDialog dialog(Platform().Folder() + "/UI/reward.txt");
    dialog.Show({});
    struct Case {
        int reward;
        const char* hint;
        const char* hint2;
    };
    for (const Case& c : {Case{0, "GotLinesCount2", "GetLinesCount3"}, Case{1, "GotBonusCount3", ""},
                          Case{2, "GetScoresPerTime1", ""}}) {
        dialog.MouseMove(CentreX(c.reward), 200);
        EXPECT_EQ(dialog.GetHintText(), c.hint);
        EXPECT_EQ(dialog.GetHint2Text(), c.hint2);
        EXPECT_EQ(dialog.GetHintPlate(), (LayoutPoint{CentreX(c.reward), 300}));
        Kavo::MemoryImage screen;
        screen.Create(800, 600);
        Kavo::Graphics g(&screen);
        dialog.Draw(&g);
    }
    dialog.MouseMove(5, 5);
    EXPECT_EQ(dialog.GetHintText(), "");
    EXPECT_EQ(dialog.GetHintPlate(), (LayoutPoint{-1, -1}));
}

TEST_F(RewardDialogTest, DoneTellsTheListenerWhenNotOpenedBySwitch) {
    RewardDialog dialog(Platform().Folder() + "/UI/reward.txt");
    dialog.mDialogListener = &mResults;
    dialog.Show({});
    dialog.ButtonDepress(1);
    EXPECT_EQ(mResults.mResults, (std::vector<std::string>{"17:1"}));
    EXPECT_FALSE(dialog.IsShown());
}

} // namespace
} // namespace Game::Test
