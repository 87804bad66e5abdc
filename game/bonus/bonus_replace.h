#pragma once
// The recolour: armed, it lights every cell holding the item kind under the
// mouse and cycles the cursor through the kinds it can turn them into, one
// every 70 updates; the board screen turns the clicked kind into the kind
// shown. When it charges its arrows turn once and two items circle it.

#include "game/bonus/button_spin.h"
#include "game/bonus/targeting_bonus.h"

#include <memory>
#include <vector>

namespace Game {

class EffectSpin;

class BonusReplace : public TargetingBonus {
public:
    static constexpr int kCycleUpdates = 70;
    // The two items that circle the button when it charges.
    static constexpr int kSpinItem1 = 12;
    static constexpr int kSpinItem2 = 2;

    explicit BonusReplace(IniDocument* settings);
    ~BonusReplace() override;

    void Draw(Kavo::Graphics* g) override;
    void DrawReady(Kavo::Graphics* g) override;
    void Update() override;
    bool HitTest(int x, int y) override;
    void Reset() override;
    void OnArmed(int x, int y) override;
    void OnCharged() override;

    // The item kinds it may turn cells into; filled by the board screen.
    std::vector<int> mTargetItems;
    std::vector<Kavo::Image*> mTargetCursors;
    int mVariant = 0;
    int mCycle = 0;
    BoardCell* mLastCell = nullptr;
    std::unique_ptr<EffectSpin> mSpinEffect;
    ButtonSpin mSpin;

private:
    void ShowPointer();
};

} // namespace Game
