#pragma once
// The hint: used at once, the board screen shows a possible move. When it
// charges a text plate rises over the button.

#include "game/board/bonus.h"
#include "game/ui/named_image.h"

namespace Game {

class BonusHint : public Bonus {
public:
    explicit BonusHint(IniDocument* settings);

    void Draw(Kavo::Graphics* g) override;
    void Update() override;
    void Reset() override;
    void OnCharged() override;

    NamedImage mOverlay;
    bool mOverlayShown = false;
};

} // namespace Game
