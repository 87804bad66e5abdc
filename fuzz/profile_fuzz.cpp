// Reads arbitrary bytes as a user list and as a player's profile, then
// writes the profile back and uses the record the way the game does.
#include "framework/util/buffer.h"
#include "game/ui/user_manager.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Game::UserManager users;
    Kavo::Buffer list;
    list.SetData(data, static_cast<int>(size));
    users.ReadUserList(list);
    for (int i = 0; i < users.GetUserCount(); ++i)
        users.ProfilePath(users.GetUser(i)->mName);

    auto* user = new Game::User;
    users.AddUser(user);
    Kavo::Buffer profile;
    profile.SetData(data, static_cast<int>(size));
    users.ReadProfile(user, profile);
    Kavo::Buffer out;
    users.WriteProfile(user, out);
    std::vector<std::string> names;
    for (int l = 0; l < Game::UserRecord::kItemListCount; ++l)
        users.GetMarkedItemNames(names, l);
    users.AddRating(user->mRecord.mRating);
    users.AdvanceStage();
    users.CheckStageGoals();
    return 0;
}
