#pragma once
// What the profiles need of the board and the meta-game, which are built on
// top of this folder: each installs its part here. While a part is missing
// the profile goes without it (no board block, no bonus blocks, no stages,
// no secret maps).

#include "platform/process_slot.h"

namespace Kavo {
class Buffer;
} // namespace Kavo

namespace Game {

// The board screen's board inside a profile.
class ProfileBoard {
public:
    virtual ~ProfileBoard() = default;
    virtual void Save(Kavo::Buffer& buffer) = 0;
    // False when the block runs past the end of the profile.
    virtual bool Load(Kavo::Buffer& buffer) = 0;
    // The number of board layouts, which bounds the profile's board counter.
    virtual int LayoutCount() const = 0;
};

// The bonus list inside a profile: one block per bonus, in list order.
class ProfileBonuses {
public:
    virtual ~ProfileBonuses() = default;
    virtual void Save(Kavo::Buffer& buffer) = 0;
    // False when the blocks run past the end of the profile.
    virtual bool Load(Kavo::Buffer& buffer) = 0;
    // A new game: every bonus shown again and charging from nothing.
    virtual void StartNewGame() = 0;
};

struct StageItemGoals {
    int drink = 100;
    int eat = 100;
    int stuff = 100;
};

class StageGoalTable {
public:
    virtual ~StageGoalTable() = default;
    virtual int GetStageCount() const = 0;
    // Callers pass 0 <= stage < GetStageCount().
    virtual StageItemGoals GetGoals(int stage) const = 0;
};

class SecretMapTable {
public:
    virtual ~SecretMapTable() = default;
    virtual int GetMapCount() const = 0;
    // The pieces of the map at index modulo the number of maps.
    virtual int GetPieceCount(int index) const = 0;
};

platform::ProcessSlot<ProfileBoard>& ProfileBoardSlot();
platform::ProcessSlot<ProfileBonuses>& ProfileBonusesSlot();
platform::ProcessSlot<StageGoalTable>& StageGoalTableSlot();
platform::ProcessSlot<SecretMapTable>& SecretMapTableSlot();

} // namespace Game
