#pragma once
// Where the UI learns the current player's name for texts that greet them:
// the profiles install a source; without one the name is empty.

#include <memory>
#include <string>

#include "platform/process_slot.h"

namespace Game {

class UserNameSource {
public:
    virtual ~UserNameSource() = default;
    // The current user's name; empty when there is none.
    virtual std::string CurrentUserName() const = 0;
};

platform::ProcessSlot<UserNameSource>& UserNameSourceSlot();

std::string CurrentUserName();

} // namespace Game
