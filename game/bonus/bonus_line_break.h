#pragma once
// The line break: armed, it lights the line of items through the cell under
// the mouse, turning between horizontal and vertical every 100 updates; the
// board screen breaks the line shown at the click. When it charges a toast
// pops out of the button and its picture lingers, then fades.

#include "game/bonus/targeting_bonus.h"
#include "game/ui/named_image.h"

#include <memory>

namespace Game {

class EffectLineBreak;

class BonusLineBreak : public TargetingBonus {
public:
    static constexpr int kTurnUpdates = 100;
    static constexpr int kToastHold = 100;

    explicit BonusLineBreak(IniDocument* settings);
    ~BonusLineBreak() override;

    void Draw(Kavo::Graphics* g) override;
    void UpdateF(float fraction) override;
    void Update() override;
    bool HitTest(int x, int y) override;
    void Reset() override;
    void OnArmed(int x, int y) override;
    // Tells the listener without counting a use.
    void Use(int x, int y) override;
    void OnCharged() override;

    // 1: the horizontal line, 0: the vertical one.
    bool IsHorizontal() const { return mVariant == 1; }

    std::unique_ptr<EffectLineBreak> mToaster;
    NamedImage mToast;
    int mToastHold = 0;
    int mVariant = 1;
    Kavo::Image* mCursors[2] = {nullptr, nullptr};
    int mCycle = 0;
};

} // namespace Game
