#pragma once
// The knife: takes one item off the board. A gleam runs along the blade of
// the button when it charges; while armed it lights the cell under the mouse.

#include "game/bonus/path_animation.h"
#include "game/bonus/targeting_bonus.h"

#include <memory>

namespace Game {

class BonusKnife : public TargetingBonus {
public:
    static constexpr const char* kGleamFile = "data/knifeblink.anim";

    explicit BonusKnife(IniDocument* settings);

    void DrawReady(Kavo::Graphics* g) override;
    void UpdateF(float fraction) override;
    void Update() override;
    bool HitTest(int x, int y) override;
    void Reset() override;
    void OnCharged() override;

    std::unique_ptr<PathAnimation> mGleam;
    BoardCell* mLastCell = nullptr;
};

} // namespace Game
