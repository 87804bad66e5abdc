#include "game/board/bonus_registry.h"

#include "game/board/bonus.h"

namespace Game {

BonusRegistry::BonusRegistry() = default;
BonusRegistry::~BonusRegistry() = default;

Bonus* BonusRegistry::Add(std::unique_ptr<Bonus> bonus) {
    mBonuses.push_back(std::move(bonus));
    return mBonuses.back().get();
}

Bonus* BonusRegistry::FindByName(const std::string& name) const {
    for (const std::unique_ptr<Bonus>& bonus : mBonuses)
        if (bonus->mName == name)
            return bonus.get();
    return nullptr;
}

void BonusRegistry::Save(Kavo::Buffer& buffer) const {
    for (const std::unique_ptr<Bonus>& bonus : mBonuses)
        bonus->Save(buffer);
}

bool BonusRegistry::Load(Kavo::Buffer& buffer) const {
    bool whole = true;
    for (const std::unique_ptr<Bonus>& bonus : mBonuses)
        whole = bonus->Load(buffer) && whole;
    return whole;
}

void BonusRegistry::ResetForNewGame() const {
    for (const std::unique_ptr<Bonus>& bonus : mBonuses) {
        bonus->Reset();
        bonus->SetCharge(0);
    }
}

platform::ProcessSlot<BonusRegistry>& BonusRegistrySlot() {
    static platform::ProcessSlot<BonusRegistry> slot;
    return slot;
}

Bonus* FindBonusByName(const std::string& name) {
    std::shared_ptr<BonusRegistry> registry = BonusRegistrySlot().Get();
    return registry != nullptr ? registry->FindByName(name) : nullptr;
}

} // namespace Game
