#pragma once
// The installed bonus list as the profile sees it: one block per bonus and
// the reset of a new game. Without an installed list it does nothing.

#include "game/ui/profile_services.h"

namespace Game {

class BonusProfileAdapter : public ProfileBonuses {
public:
    void Save(Kavo::Buffer& buffer) override;
    bool Load(Kavo::Buffer& buffer) override;
    // Every bonus hidden and disabled again, charging from nothing.
    void StartNewGame() override;
};

} // namespace Game
