#include "game/board/stage_goals.h"

#include "engine/base/string_tools.h"
#include "game/ui/ini_document.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace Game {

namespace {

struct GoalKind {
    const char* mName;
    const char* mKey;
    bool mActive;
};

// By slot index.
constexpr GoalKind kGoalKinds[kStageGoalCount] = {
    {"linescount", "LinesCount", true},
    {"bonus", "Bonus", true},
    {"scorespertime", "ScoresPer1", true},
    {"linespertime", "LinesPer30", true},
    {"sametype", "SameType", false},
    {"scoresperboard", "ScoresPerBoard", false},
    {"sametypeperboard", "SameTypePerBoard", false},
    {"bonusperboard", "BonusPerBoard", false},
    {"scoresperstage", "ScoresPerStage", false},
    {"puzzle", "Puzzle", true},
};

// Fills thresholds from a comma list, at most `limit` of them; returns how
// many were filled.
size_t FillThresholds(const IniSection& rewards, const std::string& key, std::array<int, kStageGoalLevels>& out,
                      size_t limit) {
    std::vector<std::string> parts;
    com_string::Split(rewards.GetString(key).c_str(), ',', parts);
    const size_t count = std::min(parts.size(), limit);
    for (size_t i = 0; i < count; ++i)
        out[i] = std::atoi(parts[i].c_str());
    return count;
}

} // namespace

void StageGoals::Register(StageGoalSlots& slots, IniDocument& settings) {
    const IniSection none;
    const IniSection& rewards = settings.HasSection("Rewards") ? *settings.GetSection("Rewards") : none;
    for (int index = 0; index < kStageGoalCount; ++index) {
        const GoalKind& kind = kGoalKinds[index];
        std::unique_ptr<StageGoal> goal;
        if (index == kGoalPuzzle)
            goal = std::make_unique<StageGoalMin>();
        else
            goal = std::make_unique<StageGoalMax>();
        goal->mName = kind.mName;
        goal->mActive = kind.mActive;
        ReadThresholds(*goal, rewards, kind.mKey, std::string(kind.mKey) + "Activate");
        slots[static_cast<size_t>(index)] = std::move(goal);
    }
}

void StageGoals::ReadThresholds(StageGoal& goal, const IniSection& rewards, const std::string& key,
                                const std::string& activateKey) {
    const size_t levels = FillThresholds(rewards, key, goal.mLevels, kStageGoalLevels);
    FillThresholds(rewards, activateKey, goal.mActivation, levels);
}

} // namespace Game
