#include "game/ui/profile_services.h"

namespace Game {

platform::ProcessSlot<ProfileBoard>& ProfileBoardSlot() {
    static platform::ProcessSlot<ProfileBoard> slot;
    return slot;
}

platform::ProcessSlot<ProfileBonuses>& ProfileBonusesSlot() {
    static platform::ProcessSlot<ProfileBonuses> slot;
    return slot;
}

platform::ProcessSlot<StageGoalTable>& StageGoalTableSlot() {
    static platform::ProcessSlot<StageGoalTable> slot;
    return slot;
}

platform::ProcessSlot<SecretMapTable>& SecretMapTableSlot() {
    static platform::ProcessSlot<SecretMapTable> slot;
    return slot;
}

} // namespace Game
