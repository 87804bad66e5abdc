#pragma once
// One stage of the game: the board layouts it plays, the seconds a board
// lasts, its background and secret map, the restaurant side's counts and
// prices, and by progress range the item kinds dealt and the bonuses offered.

#include <string>
#include <vector>

namespace Game {

class IniSection;

// Item kinds dealt while the progress lies in from..to.
struct ItemRange {
    int mFrom = 0;
    int mTo = 0;
    std::vector<int> mIds;
};

// Bonuses offered while the progress lies in from..to.
struct BonusRange {
    int mFrom = 0;
    int mTo = 0;
    std::vector<std::string> mNames;
};

class Stage {
public:
    Stage() = default;
    // Reads the keys of one stage section; a missing key gives its default.
    explicit Stage(const IniSection& section);

    // The ids of the first item range holding int(progress), else those of
    // the first range; empty when the stage has no item ranges.
    std::vector<int> ItemsFor(float progress) const;
    // Appends the names of the first bonus range holding int(progress), else
    // those of the first range; nothing when the stage has no bonus ranges.
    void BonusesFor(float progress, std::vector<std::string>& names) const;

    int mFirstBoard = 0;
    int mLastBoard = 0; // never below mFirstBoard
    int mTime = 300;    // seconds per board
    std::string mBack;
    std::string mSecretMap;
    int mDrinkCount = 100;
    int mEatCount = 100;
    int mStuffCount = 100;
    int mStuffPrice = 5;
    int mEatPrice = 5;
    int mDrinkPrice = 5;
    std::string mBonus;
    std::vector<ItemRange> mItems;
    std::vector<BonusRange> mBonuses;
};

// Truncates toward zero, saturating at the int range; NaN gives 0.
int TruncateToInt(float value);

} // namespace Game
