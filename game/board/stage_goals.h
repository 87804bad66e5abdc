#pragma once
// The ten goal kinds of the game and their registration: one counter per
// kind, named and rated against the thresholds of the settings document's
// "Rewards" section. The application keeps the counters in its goal slots.

#include "game/board/stage_goal.h"

#include <array>
#include <memory>
#include <string>

namespace Game {

class IniDocument;
class IniSection;

// The goal slots by kind; the board screen feeds them by these indexes.
enum StageGoalKind {
    kGoalLinesCount = 0,
    kGoalBonus = 1,
    kGoalScoresPerTime = 2,
    kGoalLinesPerTime = 3,
    kGoalSameType = 4,
    kGoalScoresPerBoard = 5,
    kGoalSameTypePerBoard = 6,
    kGoalBonusPerBoard = 7,
    kGoalScoresPerStage = 8,
    kGoalPuzzle = 9,
    kStageGoalCount = 10,
};

using StageGoalSlots = std::array<std::unique_ptr<StageGoal>, kStageGoalCount>;

class StageGoals {
public:
    // Fills every slot with a new counter of its kind (the puzzle counts
    // lower as better, the rest higher), names it, switches off the kinds 4
    // to 8 and reads each kind's thresholds from the settings' "Rewards".
    static void Register(StageGoalSlots& slots, IniDocument& settings);
    // `key` fills the levels and `activateKey` as many activation
    // thresholds, each at most three; a missing key keeps the defaults.
    static void ReadThresholds(StageGoal& goal, const IniSection& rewards, const std::string& key,
                               const std::string& activateKey);
};

} // namespace Game
