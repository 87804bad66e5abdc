#pragma once
// Who each of the eight bonus buttons is: its index, name, settings key, hint
// text key, pictures and whether releasing the button uses it at once.

#include <string>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class Bonus;
class IniDocument;

enum BonusIndex {
    kBonusKnife = 0,
    kBonusShuffle = 1,
    kBonusLineBreak = 2,
    kBonusHint = 3,
    kBonusTimer = 4,
    kBonusPepper = 5,
    kBonusReplace = 6,
    kBonusX2 = 7,
    kBonusKinds = 8,
};

struct BonusIdentity {
    int mIndex;
    const char* mSettingsKey; // charge maximum in section "Bonuses"
    const char* mName;
    const char* mHintKey; // empty: no hint text
    Kavo::Image** mButtonImage;
    Kavo::Image** mCursorImage;
    bool mUseAtOnce;
};

// The row of that index; null outside 0..7.
const BonusIdentity* FindBonusIdentity(int index);

// Sets index, useAtOnce, charge maximum, name, pictures and hint text of the
// row `index` on the bonus.
void ApplyBonusIdentity(Bonus& bonus, int index, IniDocument* settings);

} // namespace Game
