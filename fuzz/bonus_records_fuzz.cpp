// Reads the eight bonus save records of a saved game out of arbitrary bytes,
// then draws on the loaded values the way the board does with them.
#include "framework/util/buffer.h"
#include "game/board/bonus.h"
#include "game/board/bonus_registry.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Game::BonusRegistry* registry = [] {
        auto* made = new Game::BonusRegistry;
        for (int i = 0; i < 8; ++i)
            made->Add(std::make_unique<Game::Bonus>(nullptr))->mIndex = i;
        return made;
    }();
    Kavo::Buffer buffer;
    buffer.SetData(data, static_cast<int>(size));
    registry->Load(buffer);
    for (size_t i = 0; i < registry->GetCount(); ++i) {
        Game::Bonus* bonus = registry->Get(i);
        bonus->SetCharge(bonus->mCharge);
        bonus->mEnabled = true;
        bonus->Update();
    }
    Kavo::Buffer out;
    registry->Save(out);
    return 0;
}
