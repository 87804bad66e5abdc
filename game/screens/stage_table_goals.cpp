#include "game/screens/stage_table_goals.h"

#include "game/board/stages.h"

namespace Game {

int StageTableGoals::GetStageCount() const {
    auto stages = StagesSlot().Get();
    return stages != nullptr ? stages->GetCount() : 0;
}

StageItemGoals StageTableGoals::GetGoals(int stage) const {
    auto stages = StagesSlot().Get();
    const Stage* record = stages != nullptr ? stages->GetStage(stage) : nullptr;
    if (record == nullptr)
        return {};
    return {record->mDrinkCount, record->mEatCount, record->mStuffCount};
}

} // namespace Game
