#include "game/meta/puzzle_dialog.h"

#include "framework/graphics/memory_image.h"
#include "framework/widget/dialog_listener.h"
#include "game/board/stage_goal.h"
#include "game/effects/flip_card.h"
#include "game/effects/particle_system.h"
#include "game/meta/puzzle_defs.h"
#include "game/meta/secret_maps.h"
#include "game/ui/resource_ids.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "platform/process_slot.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Game {
namespace {

class ResultListener : public Kavo::DialogListener {
public:
    void DialogButtonRelease(int32_t dialogId, int32_t result) override { mResults.emplace_back(dialogId, result); }
    std::vector<std::pair<int, int>> mResults;
};

class PuzzleDialogTest : public Kavo::HeadlessEnvironment {
protected:
    PuzzleDialogTest() {
        mDefs->mDefs.push_back(PuzzleDef{2, 2, false, false});
        auto* user = new User;
        user->mName = "Ann";
        mUsers->AddUser(user);
        Record().mSecretMapIndex = 4;
        mPostBack.Create(60, 40);
        IMAGE_POSTBACK = &mPostBack;
        mDialog.mAwardTracker = &mTracker;
        mTracker.mLevels = {6000, 9000, 12000};
        mTracker.mActivation = {0, 0, 0};
        mDialog.mMakeRewardDialog = [this](const PuzzleDialog::Awards& awards) -> Kavo::Dialog* {
            mAwards = awards;
            return nullptr;
        };
        mDialog.mDialogListener = &mListener;
    }
    ~PuzzleDialogTest() override { IMAGE_POSTBACK = nullptr; }

    UserRecord& Record() { return *mUsers->GetCurrentRecord(); }
    // A board whose first two tiles are exchanged, so one move solves it.
    void StartOneMoveFromSolved() {
        mDialog.Start("", 0, "Recipe01", true);
        mDialog.mBoard.Setup(&mPicture, 2, 2, false, false);
        std::swap(mDialog.mBoard.mTiles[0], mDialog.mBoard.mTiles[1]);
        mDialog.mBoard.Shuffle(false);
    }
    void Solve() {
        const int x = mDialog.mBoard.mOriginX + 5;
        const int y = mDialog.mBoard.mOriginY + 5;
        mDialog.MouseDownButton(x, y, 0, 1);
        mDialog.MouseDownButton(x + mDialog.mBoard.mTileWidth, y, 0, 1);
        for (int i = 0; i < 20 && mDialog.mBoard.mState != PuzzleBoard::kSolved; ++i)
            mDialog.Update();
    }

    std::shared_ptr<PuzzleDefs> mDefs = std::make_shared<PuzzleDefs>();
    platform::Installed<PuzzleDefs> mDefsSlot{PuzzleDefsSlot(), mDefs};
    std::shared_ptr<UserManager> mUsers = std::make_shared<UserManager>();
    platform::Installed<UserManager> mUsersSlot{UserManagerSlot(), mUsers};
    Kavo::MemoryImage mPostBack;
    Kavo::MemoryImage mPicture = [] {
        Kavo::MemoryImage picture;
        picture.Create(80, 60);
        return picture;
    }();
    StageGoalMin mTracker;
    PuzzleDialog::Awards mAwards;
    ResultListener mListener;
    PuzzleDialog mDialog;
};

TEST_F(PuzzleDialogTest, TheTimeReadsMinutesAndZeroPaddedSeconds) {
    mDialog.Start("", 0, "Recipe01", false);
    for (int i = 0; i < 6500; ++i)
        mDialog.Update();
    EXPECT_EQ(mDialog.TimeText(), "1 : 05");
    mDialog.mTicks = 100 * 72;
    EXPECT_EQ(mDialog.TimeText(), "1 : 12");
}

TEST_F(PuzzleDialogTest, StartKeepsOnePostcardEntryFromTheMap) {
    SecretMapEntry map;
    map.mRecipe = "Recipe01";
    mDialog.Start(&map, true);
    mDialog.Start("", 0, "Recipe01", true);
    ASSERT_EQ(mUsers->GetItemCount(PuzzleDialog::kPostcardList), 1);
    const ItemEntry* entry = mUsers->FindItem("Recipe01", PuzzleDialog::kPostcardList);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->mOrigin, 4);
    EXPECT_EQ(entry->mState, 0);
    // No postcard picture: no tiles, nothing to click.
    EXPECT_TRUE(mDialog.mBoard.mTiles.empty());
    mDialog.MouseDownButton(300, 200, 0, 1);
    mDialog.Update();
    EXPECT_EQ(mDialog.mState, 0);
    // No map at all: no entry is made.
    mDialog.Start(nullptr, true);
    EXPECT_EQ(mUsers->GetItemCount(PuzzleDialog::kPostcardList), 1);
}

TEST_F(PuzzleDialogTest, WithoutATableOrARecordThereIsNothingToPlay) {
    mDefs->mDefs.clear();
    const platform::Installed<UserManager> noUsers(UserManagerSlot(), std::shared_ptr<UserManager>());
    mDialog.Start("no/such/picture", 3, "Recipe01", true);
    EXPECT_TRUE(mDialog.mBoard.mTiles.empty());
    mDialog.Update();
    mDialog.ButtonDepress(PuzzleDialog::kSkip);
    EXPECT_EQ(mListener.mResults, (std::vector<std::pair<int, int>>{{6, 2}}));
}

TEST_F(PuzzleDialogTest, SolvingMarksThePostcardBurstsAndShowsTheCardWithItsAward) {
    StartOneMoveFromSolved();
    Solve();
    ASSERT_EQ(mDialog.mBoard.mState, PuzzleBoard::kSolved);
    EXPECT_EQ(mUsers->FindItem("Recipe01", PuzzleDialog::kPostcardList)->mState, 1);
    ASSERT_NE(mDialog.mParticles, nullptr);
    EXPECT_EQ(mDialog.mState, 0);
    EXPECT_TRUE(mAwards.empty()) << "no award before the card shows";
    // A finite burst (the sample's description has one) ends in the card.
    mDialog.mParticles->mLifetime = 0.02f;
    mDialog.mParticles->MoveTo(mDialog.mParticles->mX, mDialog.mParticles->mY);
    mDialog.mTicks = 7500 - 1;
    for (int i = 0; i < 2000 && mDialog.mState == 0; ++i)
        mDialog.Update();
    EXPECT_EQ(mDialog.mState, 1);
    EXPECT_EQ(mDialog.mParticles, nullptr);
    ASSERT_NE(mDialog.mCard, nullptr);
    EXPECT_LE(mDialog.mTicks, 9000);
    EXPECT_EQ(mAwards, (PuzzleDialog::Awards{{9, 1}}));
    EXPECT_EQ(Record().mMetaState[9], 1);
    // Collected once.
    mAwards.clear();
    mDialog.Update();
    EXPECT_TRUE(mAwards.empty());
}

TEST_F(PuzzleDialogTest, FromTheMapTheSolvedPostcardAndItsAwardAreSavedAtOnce) {
    const std::string folder = Platform().Folder() + "/Users";
    platform::MakeDirectories(folder);
    mUsers->LoadAll(folder + "/users.dat");
    auto saved = [&] {
        UserManager disk;
        disk.LoadAll(folder + "/users.dat");
        const ItemEntry* entry = disk.FindItem("Recipe01", PuzzleDialog::kPostcardList);
        return std::pair{entry != nullptr ? entry->mState : -1, disk.GetCurrentRecord()->mMetaState[9]};
    };
    mDialog.Start("", 0, "Recipe01", false);
    mDialog.mBoard.Setup(&mPicture, 2, 2, false, false);
    std::swap(mDialog.mBoard.mTiles[0], mDialog.mBoard.mTiles[1]);
    mDialog.mBoard.Shuffle(false);
    Solve();
    ASSERT_EQ(mDialog.mBoard.mState, PuzzleBoard::kSolved);
    EXPECT_EQ(saved(), (std::pair{1, -1}));
    mDialog.mParticles->mLifetime = 0.02f;
    mDialog.mParticles->MoveTo(mDialog.mParticles->mX, mDialog.mParticles->mY);
    mDialog.mTicks = 7500 - 1;
    for (int i = 0; i < 2000 && mAwards.empty(); ++i)
        mDialog.Update();
    EXPECT_EQ(saved(), (std::pair{1, 1}));
}

TEST_F(PuzzleDialogTest, ButtonsReportOrReshuffle) {
    StartOneMoveFromSolved();
    mDialog.mTicks = 300;
    mDialog.ButtonDepress(PuzzleDialog::kReshuffle);
    EXPECT_EQ(mDialog.mTicks, 0);
    EXPECT_FALSE(mDialog.mBoard.IsSolved());
    mDialog.ButtonDepress(PuzzleDialog::kDone);
    mDialog.ButtonDepress(PuzzleDialog::kSkip);
    EXPECT_EQ(mListener.mResults, (std::vector<std::pair<int, int>>{{6, 1}, {6, 2}}));
}

} // namespace
} // namespace Game
