#include "game/ui/user_name_source.h"

namespace Game {

platform::ProcessSlot<UserNameSource>& UserNameSourceSlot() {
    static platform::ProcessSlot<UserNameSource> slot;
    return slot;
}

std::string CurrentUserName() {
    const auto source = UserNameSourceSlot().Get();
    return source != nullptr ? source->CurrentUserName() : std::string();
}

} // namespace Game
