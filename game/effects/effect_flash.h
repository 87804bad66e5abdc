#pragma once
// A coloured particle flash: a trajectory scene chosen by colour, fading out
// from its 30th update.

#include "game/effects/effect_event.h"
#include "game/effects/tr_move_items.h"
#include "game/ui/effect_base.h"

#include <string>

namespace Game {

class EffectFlash : public EffectBase {
public:
    // The event's first value is the colour: 2 blue, 3 red, 4 green, any
    // other yellow.
    explicit EffectFlash(const EffectEvent& event);

    static std::string SceneFile(int colour);

    void Draw(Kavo::Graphics* g) override;
    void Update() override;
    void Update(float t) override;

    float mAlphaStep = 0;
    float mAlpha = 255.0f;
    int mUpdateCount = 0;
    TrMoveItems mScene;
};

} // namespace Game
