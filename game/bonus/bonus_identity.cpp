#include "game/bonus/bonus_identity.h"

#include "game/board/bonus.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"

#include <array>

namespace Game {

namespace {

const std::array<BonusIdentity, kBonusKinds> kIdentities = {{
    {kBonusKnife, "KillOne", "Knife", "KnifeHintShort", &IMAGE_BONUS_KNIFE, &IMAGE_BONUS_KNIFE_CURSOR, false},
    {kBonusShuffle, "Shuffle", "Shuffle", "", &IMAGE_BONUS_SHUFFLE, &IMAGE_CUSTOM_POINTER, true},
    {kBonusLineBreak, "LineBreak", "LineBreak", "LineBreakHintShort", &IMAGE_BONUS_BREAKLINE, &IMAGE_CUSTOM_POINTER,
     false},
    {kBonusHint, "Hint", "Hint", "", &IMAGE_BONUS_HINT, &IMAGE_CUSTOM_POINTER, true},
    {kBonusTimer, "Timer", "Timer", "", &IMAGE_BONUS_TIMER, &IMAGE_CUSTOM_POINTER, true},
    {kBonusPepper, "Lightning", "Pepper", "", &IMAGE_BONUS_PEPPER, &IMAGE_CUSTOM_POINTER, true},
    {kBonusReplace, "Replace", "Replace", "ReplaceHintShort", &IMAGE_BONUS_RECOLOR, &IMAGE_CUSTOM_POINTER, false},
    {kBonusX2, "X2", "X2", "", &IMAGE_BONUS_X2, &IMAGE_CUSTOM_POINTER, true},
}};

} // namespace

const BonusIdentity* FindBonusIdentity(int index) {
    return index >= 0 && index < kBonusKinds ? &kIdentities[static_cast<size_t>(index)] : nullptr;
}

void ApplyBonusIdentity(Bonus& bonus, int index, IniDocument* settings) {
    const BonusIdentity* identity = FindBonusIdentity(index);
    if (identity == nullptr)
        return;
    bonus.mIndex = identity->mIndex;
    bonus.mUseAtOnce = identity->mUseAtOnce;
    bonus.mChargeMax = Bonus::ReadChargeMax(settings, identity->mSettingsKey);
    bonus.mName = identity->mName;
    bonus.mImage = *identity->mButtonImage;
    bonus.mCursorImage = *identity->mCursorImage;
    if (identity->mHintKey[0] != '\0')
        bonus.mHintText = Termins::Lookup(identity->mHintKey);
}

} // namespace Game
