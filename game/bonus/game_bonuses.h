#pragma once
// Makes the eight bonus buttons.

#include <memory>

namespace Game {

class Bonus;
class BonusRegistry;
class IniDocument;

// The bonus of that index (0..7), or null; charge maxima from `settings`.
std::unique_ptr<Bonus> CreateGameBonus(int index, IniDocument* settings);
// Appends the eight in index order, so that a bonus's place is its index.
void CreateGameBonuses(BonusRegistry& registry, IniDocument* settings);

} // namespace Game
