#include "game/board/bonus_profile_adapter.h"

#include "game/board/bonus.h"
#include "game/board/bonus_registry.h"

namespace Game {

void BonusProfileAdapter::Save(Kavo::Buffer& buffer) {
    if (auto registry = BonusRegistrySlot().Get())
        registry->Save(buffer);
}

bool BonusProfileAdapter::Load(Kavo::Buffer& buffer) {
    auto registry = BonusRegistrySlot().Get();
    return registry == nullptr || registry->Load(buffer);
}

void BonusProfileAdapter::StartNewGame() {
    auto registry = BonusRegistrySlot().Get();
    if (registry == nullptr)
        return;
    for (size_t i = 0; i < registry->GetCount(); ++i)
        registry->Get(i)->mEnabled = false;
    registry->ResetForNewGame();
    for (size_t i = 0; i < registry->GetCount(); ++i)
        registry->Get(i)->mHidden = true;
}

} // namespace Game
