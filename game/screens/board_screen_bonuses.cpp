// The board screen's walks over the bonus row, in registry order.
#include "framework/app/kavo_app_base.h"
#include "game/board/bonus.h"
#include "game/board/bonus_registry.h"
#include "game/screens/board_screen.h"
#include "game/ui/resource_ids.h"

namespace Game {

namespace {

template <typename Visit>
void ForEachBonus(Visit visit) {
    auto registry = BonusRegistrySlot().Get();
    if (registry == nullptr)
        return;
    for (size_t i = 0; i < registry->GetCount(); ++i)
        visit(*registry->Get(i));
}

template <typename Visit>
void ForEachShownBonus(Visit visit) {
    ForEachBonus([&](Bonus& bonus) {
        if (!bonus.mHidden)
            visit(bonus);
    });
}

} // namespace

void BoardScreen::DrawBonuses(Kavo::Graphics* g) {
    ForEachShownBonus([&](Bonus& bonus) {
        bonus.mAlpha = static_cast<float>(static_cast<int>(mPanelAlpha));
        bonus.Draw(g);
    });
    ForEachShownBonus([&](Bonus& bonus) { bonus.DrawHint(g); });
}

void BoardScreen::UpdateBonuses() {
    ForEachShownBonus([](Bonus& bonus) { bonus.Update(); });
}

void BoardScreen::UpdateFBonuses(float fraction) {
    ForEachShownBonus([&](Bonus& bonus) { bonus.UpdateF(fraction); });
}

void BoardScreen::BonusesHitTest(int x, int y) {
    bool hit = false;
    bool armed = false;
    ForEachShownBonus([&](Bonus& bonus) {
        if (!hit)
            hit = bonus.HitTest(x, y);
        armed = armed || (bonus.mEnabled && bonus.mState == Bonus::kArmed);
    });
    if (!armed && Kavo::gAppBase != nullptr)
        Kavo::gAppBase->SetCursorSlotImage(0, hit ? IMAGE_CUSTOM_HAND : IMAGE_CUSTOM_POINTER);
}

void BoardScreen::BonusesMouseUp(int x, int y, int clicks) {
    ForEachShownBonus([&](Bonus& bonus) { bonus.MouseUp(x, y, clicks); });
}

void BoardScreen::BonusesMouseDown(int x, int y, int clicks) {
    ForEachShownBonus([&](Bonus& bonus) { bonus.MouseDown(x, y, clicks); });
}

void BoardScreen::ChargeBonuses(int kind, float amount) {
    if (kind < 0 || kind > 2)
        return;
    // The row is charged in this fixed order, not in its own.
    for (int position : {3, 2, 5, 1, 6, 7, 0, 4}) {
        auto registry = BonusRegistrySlot().Get();
        Bonus* bonus = registry != nullptr ? registry->Get(static_cast<size_t>(position)) : nullptr;
        if (bonus != nullptr && bonus->mEnabled)
            bonus->AddCharge(amount);
    }
}

bool BoardScreen::NoBonusInUse() const {
    bool inUse = false;
    ForEachShownBonus([&](Bonus& bonus) { inUse = inUse || (bonus.mEnabled && bonus.mState == Bonus::kUsed); });
    return !inUse;
}

void BoardScreen::CancelArmedBonuses() {
    ForEachBonus([](Bonus& bonus) {
        if (bonus.mEnabled && bonus.mState == Bonus::kArmed)
            bonus.Stop();
    });
}

Bonus* BoardScreen::FindBonusByIndex(int index) const {
    Bonus* found = nullptr;
    ForEachBonus([&](Bonus& bonus) {
        if (found == nullptr && bonus.mIndex == index)
            found = &bonus;
    });
    return found;
}

void BoardScreen::EnableAllBonuses() {
    ForEachBonus([](Bonus& bonus) {
        bonus.mEnabled = true;
        bonus.mHidden = false;
    });
}

} // namespace Game
