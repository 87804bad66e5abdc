// A stage played through the application's own loop with input posted to
// the window, recorded as a demo: the player lets the first board's time
// run out, pays the penalty with Enter, clears the dealt-again board and
// goes on to the map. A replay on the folder as it stood before the run
// must end on the same frame with the same files.
#include "game/bonus/bonus_unlock_dialog.h"
#include "game/meta/map_screen.h"
#include "game/meta/shop_screen.h"
#include "game/screens/board_screen.h"
#include "game/screens/penalty_dialog.h"
#include "game/ui/ini_document.h"
#include "game/ui/layout_dialog.h"
#include "game/ui/tip_window.h"
#include "game/ui/user_manager.h"
#include "platform/messages.h"
#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace Game {
namespace {

class StageDemoTest : public ScriptedGameRunTest {
protected:
    // Which cells exist and how many tiles they carry.
    std::vector<int> Shape() {
        std::vector<int> shape;
        for (const BoardCell& cell : Board()->mBoard.mCells)
            shape.push_back(cell.mExists ? 1 + cell.mTiles : 0);
        return shape;
    }
    // The profile as a folder copy left it, read by a manager of its own
    // (only once the game has ended: a read through the running game would
    // go into the recording).
    void ReadProfile(const std::filesystem::path& copy, UserManager& users) {
        RestoreUserData(copy);
        ASSERT_TRUE(users.LoadAll(mUsersFile));
        ASSERT_NE(users.GetCurrentRecord(), nullptr);
    }

    // Run 1 from a fresh folder (see the test).
    void FirstRun();

    std::filesystem::path mAtTimeUp;
    std::filesystem::path mAfterPenalty;
    std::string mUsersFile;
    int mPenalty = 0;
    int mRatingBefore = 0;
    int mRatingAfterPenalty = 0;
    int mEarned = 0;
};

// Run 1: a new player, Play, the comics skipped, stage 0's first board left
// alone until the time is up, the penalty closed with Enter once it rests,
// the same layout dealt again and cleared by the scripted player, the
// stage-complete screen's Ok to the map, and the window closed.
void StageDemoTest::FirstRun() {
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    UserManager* users = UserManager::GetInstance();
    ASSERT_NE(users, nullptr);
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayer("Waiter"));
    mUsersFile = users->GetUsersFilePath();
    Click(Menu()->GetButton(MainMenuScreen::Play));
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Comics1(); }, 10));
    ASSERT_TRUE(StepUntil([&] { return Comics1()->GetSkip() != nullptr && Comics1()->GetSkip()->mVisible; }, 50));
    Click(Comics1()->GetSkip());
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Board(); }, 300));
    ASSERT_TRUE(StepClosingNotices([&] { return Board()->mState == BoardScreen::kPlaying; }, 1000)) << Board()->mState;
    EXPECT_EQ(Board()->mStageIndex, 0);

    // The time runs out (the stage's time is counted in updates, 100 to the
    // second); the profile is saved with no game in progress.
    ASSERT_TRUE(StepClosingNotices([&] { return Board()->mState == BoardScreen::kTimeUp; }, Board()->mStageTime + 1000))
        << Board()->mState << " " << Board()->mTimer.mValue << "/" << Board()->mTimer.mDuration;
    EXPECT_EQ(users->GetCurrentRecord()->mInProgress, 0);
    SaveUserData(mAtTimeUp);

    // The board falls away and the penalty flies in; Enter closes it once
    // it rests.
    ASSERT_TRUE(StepClosingNotices([&] { return App().GetDialog(PenaltyDialog::kDialogId) != nullptr; }, 3000));
    const std::vector<int> shape = Shape();
    const int boardIndex = users->GetCurrentRecord()->mBoardIndex;
    auto* penalty = dynamic_cast<PenaltyDialog*>(App().GetDialog(PenaltyDialog::kDialogId));
    ASSERT_NE(penalty, nullptr);
    mPenalty = App().mSettings.GetSection("Penalty")->GetInt("Stage1", PenaltyDialog::kDefaultPenalty);
    EXPECT_EQ(penalty->mPenalty, mPenalty);
    mRatingBefore = users->GetRating();
    ASSERT_TRUE(StepClosingNotices([&] { return penalty->mState == LayoutDialog::Resting; }, 500));
    PressKey(platform::kVkReturn);
    ASSERT_TRUE(StepClosingNotices([&] { return App().GetDialog(PenaltyDialog::kDialogId) == nullptr; }, 500));
    mRatingAfterPenalty = users->GetRating();
    SaveUserData(mAfterPenalty);
    EXPECT_EQ(users->GetCurrentRecord()->mBoardIndex, boardIndex);
    EXPECT_EQ(Shape(), shape);

    // The dealt-again board cleared by the scripted player within its time.
    ASSERT_TRUE(PlayUntil([&] { return Board()->mState == BoardScreen::kStageComplete; }, 4000))
        << TilesLeft() << " tiles left after " << mMovesMade << " moves, state " << Board()->mState;
    EXPECT_EQ(Board()->mOutcome, 0);
    ASSERT_TRUE(PlayUntil([&] { return StageComplete() != nullptr; }, 2000));
    ShopScreen* complete = StageComplete();
    ASSERT_TRUE(PlayUntil([&] { return complete->GetPhase() == ShopScreen::kFinished; }, 3000)) << complete->GetPhase();
    mEarned = complete->GetRatingGain() + complete->GetTimeBonus();
    ASSERT_TRUE(PlayUntil([&] { return complete->mState == LayoutDialog::Resting; }, 500));
    CloseTips();
    Click(complete->GetOk());
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 500));
    for (int i = 0; i < 30; ++i)
        Step();
    CloseWindow();
    ASSERT_TRUE(RunToShutdown(100));
}

TEST_F(StageDemoTest, TimeUpPenaltyAndTheClearedStageReplayToTheSameFilesAndFrame) {
    const std::filesystem::path before = WorkFolder() + "/before-run-1";
    mAtTimeUp = WorkFolder() + "/at-time-up";
    mAfterPenalty = WorkFolder() + "/after-penalty";
    Start({"-record", "-demofile=" + DemoPath("stage")});
    SaveUserData(before);
    ASSERT_NO_FATAL_FAILURE(FirstRun());
    Finish();
    const std::map<std::string, std::string> files = UserFiles();
    const std::filesystem::path atEnd = WorkFolder() + "/at-end";
    SaveUserData(atEnd);

    // The penalty takes the stage's amount off the rating; a rating below
    // it becomes 0.
    const int expectedRating = mRatingBefore >= mPenalty ? mRatingBefore - mPenalty : 0;
    EXPECT_EQ(mRatingAfterPenalty, expectedRating);
    {
        UserManager saved;
        ASSERT_NO_FATAL_FAILURE(ReadProfile(mAtTimeUp, saved));
        EXPECT_EQ(saved.GetCurrentRecord()->mInProgress, 0);
        EXPECT_EQ(saved.GetCurrentRecord()->mStageIndex, 0);
    }
    {
        UserManager saved;
        ASSERT_NO_FATAL_FAILURE(ReadProfile(mAfterPenalty, saved));
        EXPECT_EQ(saved.GetRating(), expectedRating);
    }
    // What the next run reads: stage 0 won, no board in progress, the
    // rating after the penalty plus what the stage-complete screen counted.
    {
        UserManager saved;
        ASSERT_NO_FATAL_FAILURE(ReadProfile(atEnd, saved));
        EXPECT_EQ(saved.GetCurrentRecord()->mStageIndex, 0);
        EXPECT_EQ(saved.GetCurrentRecord()->mInProgress, 0);
        EXPECT_GT(mEarned, 0);
        EXPECT_EQ(saved.GetRating(), expectedRating + mEarned);
    }

    // The replay on the folder as it stood before the run.
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAsRecorded("stage", before, files, 20000));
}

} // namespace
} // namespace Game
