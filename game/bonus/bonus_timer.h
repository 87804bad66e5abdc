#pragma once
// The timer: used at once, the board screen freezes the stage timer. When it
// charges the button turns backwards once.

#include "game/board/bonus.h"
#include "game/bonus/button_spin.h"

namespace Game {

class BonusTimer : public Bonus {
public:
    explicit BonusTimer(IniDocument* settings);

    void DrawReady(Kavo::Graphics* g) override;
    void Update() override;
    void OnCharged() override;

    ButtonSpin mSpin;
};

} // namespace Game
