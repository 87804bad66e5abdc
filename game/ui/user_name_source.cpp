#include "game/ui/user_name_source.h"

#include "game/ui/user_manager.h"

namespace Game {

platform::ProcessSlot<UserNameSource>& UserNameSourceSlot() {
    static platform::ProcessSlot<UserNameSource> slot;
    return slot;
}

std::string ProfileUserNameSource::CurrentUserName() const {
    const auto users = UserManagerSlot().Get();
    const User* user = users != nullptr ? users->GetCurrentUser() : nullptr;
    return user != nullptr ? user->mName : std::string();
}

std::string CurrentUserName() {
    const auto source = UserNameSourceSlot().Get();
    return source != nullptr ? source->CurrentUserName() : std::string();
}

} // namespace Game
