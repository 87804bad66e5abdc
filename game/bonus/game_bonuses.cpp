#include "game/bonus/game_bonuses.h"

#include "game/board/bonus_registry.h"
#include "game/bonus/bonus_hint.h"
#include "game/bonus/bonus_identity.h"
#include "game/bonus/bonus_knife.h"
#include "game/bonus/bonus_lightning.h"
#include "game/bonus/bonus_line_break.h"
#include "game/bonus/bonus_replace.h"
#include "game/bonus/bonus_shuffle.h"
#include "game/bonus/bonus_timer.h"
#include "game/bonus/bonus_x2.h"

namespace Game {

std::unique_ptr<Bonus> CreateGameBonus(int index, IniDocument* settings) {
    switch (index) {
    case kBonusKnife:
        return std::make_unique<BonusKnife>(settings);
    case kBonusShuffle:
        return std::make_unique<BonusShuffle>(settings);
    case kBonusLineBreak:
        return std::make_unique<BonusLineBreak>(settings);
    case kBonusHint:
        return std::make_unique<BonusHint>(settings);
    case kBonusTimer:
        return std::make_unique<BonusTimer>(settings);
    case kBonusPepper:
        return std::make_unique<BonusLightning>(settings);
    case kBonusReplace:
        return std::make_unique<BonusReplace>(settings);
    case kBonusX2:
        return std::make_unique<BonusX2>(settings);
    default:
        return nullptr;
    }
}

void CreateGameBonuses(BonusRegistry& registry, IniDocument* settings) {
    for (int index = 0; index < kBonusKinds; ++index)
        registry.Add(CreateGameBonus(index, settings));
}

} // namespace Game
