#pragma once
// The installed stage table as the profiles see it: the number of stages
// and each stage's three item goals.

#include "game/ui/profile_services.h"

namespace Game {

class StageTableGoals : public StageGoalTable {
public:
    // 0 while no table is installed.
    int GetStageCount() const override;
    StageItemGoals GetGoals(int stage) const override;
};

} // namespace Game
