#pragma once
// Every bonus button of the run, in creation order (so a bonus's place is its
// index), and their save records inside the user profile.

#include "platform/process_slot.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace Kavo {
class Buffer;
} // namespace Kavo

namespace Game {

class Bonus;

class BonusRegistry {
public:
    BonusRegistry();
    ~BonusRegistry();
    BonusRegistry(const BonusRegistry&) = delete;
    BonusRegistry& operator=(const BonusRegistry&) = delete;

    // Appends and keeps the bonus; returns it.
    Bonus* Add(std::unique_ptr<Bonus> bonus);
    size_t GetCount() const { return mBonuses.size(); }
    Bonus* Get(size_t index) const { return index < mBonuses.size() ? mBonuses[index].get() : nullptr; }
    // The first bonus whose name equals `name` exactly, or null.
    Bonus* FindByName(const std::string& name) const;

    // One save record per bonus, in registry order.
    void Save(Kavo::Buffer& buffer) const;
    // False when the blocks run past the end of the buffer.
    bool Load(Kavo::Buffer& buffer) const;
    // A new game: every bonus charging from nothing.
    void ResetForNewGame() const;

private:
    std::vector<std::unique_ptr<Bonus>> mBonuses;
};

platform::ProcessSlot<BonusRegistry>& BonusRegistrySlot();

// FindByName on the installed registry; null while none is installed.
Bonus* FindBonusByName(const std::string& name);

} // namespace Game
