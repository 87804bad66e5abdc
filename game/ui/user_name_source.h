#pragma once
// Where the UI learns the current player's name for texts that greet them:
// the program installs a source; without one the name is empty.

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

// The current user of the profiles installed in UserManagerSlot(), asked
// anew each time: the player may change while a text shows.
class ProfileUserNameSource : public UserNameSource {
public:
    std::string CurrentUserName() const override;
};

platform::ProcessSlot<UserNameSource>& UserNameSourceSlot();

std::string CurrentUserName();

} // namespace Game
