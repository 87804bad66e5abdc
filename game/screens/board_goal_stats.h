#pragma once
// What the board screen counts while a board is played, for the stage
// goals: quick breaks, crossing figures, per-kind streaks and the scores
// and by-move figure counts over time.

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace Game {

struct BoardGoalStats {
    static constexpr int kQuickBreakWindow = 300;
    // Rates are taken per this many play updates.
    static constexpr int kScoresPer = 6000;
    static constexpr int kFiguresPer = 3000;

    int32_t mSinceLastBreak = 0;
    int32_t mQuickStreak = 0;
    int32_t mPlayUpdates = 0;
    int32_t mCrossInRow = 0;
    int32_t mCrossTotal = 0;
    std::array<int32_t, 3> mKindStreak{};
    std::array<int32_t, 3> mKindTotal{};
    // (play updates, value) after every break, and after the player's moves.
    std::vector<std::pair<int32_t, int32_t>> mScores;
    std::vector<std::pair<int32_t, int32_t>> mMoveFigures;

    // The sum of a vector's values per `per` play updates; 0 before any.
    static int Rate(const std::vector<std::pair<int32_t, int32_t>>& values, int32_t total, int per) {
        if (total <= 0)
            return 0;
        int64_t sum = 0;
        for (const auto& entry : values)
            sum += entry.second;
        return static_cast<int>(sum * per / total);
    }
    void Clear() { *this = BoardGoalStats(); }
    // The statistic behind goal `goal` cleared once its level was rewarded.
    void ClearGoal(int goal) {
        switch (goal) {
        case 0:
            mQuickStreak = 0;
            break;
        case 1:
            mCrossInRow = 0;
            break;
        case 2:
            mScores.clear();
            break;
        case 3:
            mMoveFigures.clear();
            break;
        case 4:
            mKindStreak.fill(0);
            break;
        default:
            break;
        }
    }
};

} // namespace Game
