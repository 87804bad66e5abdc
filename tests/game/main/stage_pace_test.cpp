// The first stage is won at a person's pace: a known deal, a good move every
// 3.5 s, its board cleared and its goals met before the clock runs out.
#include "game/board/stage.h"
#include "tests/game/main/paced_restaurant_run.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class StagePaceTest : public PacedRestaurantRun {};

TEST_F(StagePaceTest, TheFirstStageIsWonOnTimeAtAPersonsPace) {
    ASSERT_NO_FATAL_FAILURE(PlayRestaurant(0, 1));
    ASSERT_EQ(mResults.size(), 1u);
    const StageResult& first = mResults.front();
    EXPECT_TRUE(first.mDone);
    EXPECT_EQ(first.mTimeUps, 0);
    EXPECT_EQ(first.mBoards, 1);
    // With time to spare for a player who reads a little longer.
    EXPECT_LT(first.mTimeUsed, 0.8f);
}

// The bars beside the counts are the goals: each bar's full length is its
// kind's goal of the stage, and a won stage leaves all three full.
TEST_F(StagePaceTest, TheGoalBarsFillToTheStagesGoals) {
    ASSERT_NO_FATAL_FAILURE(PlayRestaurant(0, 1));
    const BoardScreen& board = *Board();
    ASSERT_NE(board.mStage, nullptr);
    const int goals[3] = {board.mStage->mDrinkCount, board.mStage->mEatCount, board.mStage->mStuffCount};
    for (int kind = 0; kind < 3; ++kind) {
        ProgressBar& bar = Board()->mGoalBars.mBars[kind];
        EXPECT_EQ(bar.mMaximum, static_cast<float>(goals[kind])) << kind;
        EXPECT_GT(bar.mSourceRect.mWidth, 0) << kind;
        EXPECT_EQ(bar.ComputeFill(), bar.mSourceRect.mWidth) << kind;
    }
}

} // namespace
} // namespace Game
