#include "game/board/stage_goals.h"

#include "game/ui/ini_document.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace Game {
namespace {

using Thresholds = std::array<int, kStageGoalLevels>;

TEST(StageGoalTest, HigherIsBetter) {
    StageGoalMax goal;
    goal.mLevels = {10, 20, 30};
    goal.mActivation = {10, 20, 30};
    struct Case {
        int value;
        int level;
    } cases[] = {{25, 1}, {5, -1}, {10, 0}, {30, 2}, {1000, 2}};
    for (const Case& c : cases) {
        goal.SetValue(c.value);
        EXPECT_EQ(goal.Level(), c.level) << c.value;
        EXPECT_EQ(goal.mLevel, -1) << "Level() leaves the field";
    }
    EXPECT_EQ(goal.mBest, 1000);

    goal.SetValue(35);
    EXPECT_EQ(goal.UpdateLevel(), 2);
    EXPECT_EQ(goal.mLevel, 2);
    goal.SetValue(25); // below the granted level's activation: lost
    EXPECT_EQ(goal.mLevel, -1);
    EXPECT_EQ(goal.UpdateLevel(), 1);
    EXPECT_EQ(goal.mLevel, 1);
    goal.SetValue(3);
    EXPECT_EQ(goal.UpdateLevel(), -1);
    EXPECT_EQ(goal.mLevel, -1);
    EXPECT_EQ(goal.mBest, 1000);

    goal.mLevel = 2;
    goal.Reset();
    EXPECT_EQ(goal.mLevel, -1);
    EXPECT_EQ(goal.mValue, 0);
}

TEST(StageGoalTest, LowerIsBetter) {
    StageGoalMin goal;
    goal.mLevels = {60, 90, 120};
    goal.mActivation = {0, 60, 90};
    goal.SetValue(75);
    EXPECT_EQ(goal.Level(), 1);
    EXPECT_EQ(goal.UpdateLevel(), 1);
    EXPECT_EQ(goal.mLevel, 1);
    goal.SetValue(85); // still within level 1's threshold
    EXPECT_EQ(goal.mLevel, 1);
    goal.SetValue(100); // past it: lost
    EXPECT_EQ(goal.mLevel, -1);
    EXPECT_EQ(goal.Level(), 2);
    goal.SetValue(200);
    EXPECT_EQ(goal.Level(), -1);
    EXPECT_EQ(goal.UpdateLevel(), -1);
    goal.SetValue(30);
    EXPECT_EQ(goal.UpdateLevel(), 0);
}

TEST(StageGoalsTest, ThresholdsReadAtMostThreeAndOnlyAsManyActivations) {
    struct Case {
        const char* keys;
        Thresholds levels;
        Thresholds activation;
    } cases[] = {
        {"LinesCount=5,10\r\nLinesCountActivate=1,2\r\n", {5, 10, 1000000}, {1, 2, 1000000}},
        {"LinesCount=1,2,3,4\r\nLinesCountActivate=5,6,7,8\r\n", {1, 2, 3}, {5, 6, 7}},
        {"LinesCount=1,2,3\r\nLinesCountActivate=4\r\n", {1, 2, 3}, {4, 1000000, 1000000}},
        {"LinesCount=1\r\nLinesCountActivate=4,5,6\r\n", {1, 1000000, 1000000}, {4, 1000000, 1000000}},
        {"LinesCountActivate=4,5,6\r\n", {1000000, 1000000, 1000000}, {1000000, 1000000, 1000000}},
    };
    for (const Case& c : cases) {
        IniDocument settings;
        const std::string text = std::string("[Rewards]\r\n") + c.keys;
        settings.Parse(text.data(), text.size(), true);
        StageGoalMax goal;
        StageGoals::ReadThresholds(goal, *settings.GetSection("Rewards"), "LinesCount", "LinesCountActivate");
        EXPECT_EQ(goal.mLevels, c.levels) << c.keys;
        EXPECT_EQ(goal.mActivation, c.activation) << c.keys;
    }
}

TEST(StageGoalsTest, RegisterFillsTheTenSlots) {
    IniDocument settings;
    const std::string text = "[Rewards]\r\nBonus=1,2,3\r\nBonusActivate=0,1,2\r\nPuzzle=60,90,120\r\n"
                             "PuzzleActivate=0,60,90\r\nScoresPerStage=7\r\n";
    settings.Parse(text.data(), text.size(), true);
    StageGoalSlots slots;
    StageGoals::Register(slots, settings);

    const char* const names[kStageGoalCount] = {"linescount",     "bonus",          "scorespertime",    "linespertime",
                                                "sametype",       "scoresperboard", "sametypeperboard", "bonusperboard",
                                                "scoresperstage", "puzzle"};
    for (int i = 0; i < kStageGoalCount; ++i) {
        const StageGoal* goal = slots[static_cast<size_t>(i)].get();
        ASSERT_NE(goal, nullptr) << i;
        EXPECT_EQ(goal->mName, names[i]);
        EXPECT_EQ(goal->mActive, i < 4 || i > 8) << i;
        EXPECT_EQ(goal->mLevel, -1);
        EXPECT_EQ(goal->mValue, 0);
    }
    EXPECT_EQ(slots[kGoalBonus]->mLevels, (Thresholds{1, 2, 3}));
    EXPECT_EQ(slots[kGoalBonus]->mActivation, (Thresholds{0, 1, 2}));
    EXPECT_EQ(slots[kGoalScoresPerStage]->mLevels, (Thresholds{7, 1000000, 1000000}));
    EXPECT_EQ(slots[kGoalLinesCount]->mLevels, (Thresholds{1000000, 1000000, 1000000}));

    // The puzzle counts lower as better.
    StageGoal& puzzle = *slots[kGoalPuzzle];
    puzzle.SetValue(75);
    EXPECT_EQ(puzzle.Level(), 1);
    EXPECT_EQ(puzzle.UpdateLevel(), 1);

    // Without a "Rewards" section every threshold stays unset.
    IniDocument empty;
    StageGoals::Register(slots, empty);
    EXPECT_EQ(slots[kGoalBonus]->mLevels, (Thresholds{1000000, 1000000, 1000000}));
}

} // namespace
} // namespace Game
