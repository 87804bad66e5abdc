#pragma once
// The score pop-up of a broken run: one animation per run length.

#include "game/effects/effect_event.h"
#include "game/ui/animation.h"
#include "game/ui/effect_base.h"

#include <string>

namespace Game {

class ScoreEffect : public EffectBase {
public:
    // The event's first value is the run length: 3, 4 and 5 have their own
    // animations, every other length shows that of 6.
    explicit ScoreEffect(const EffectEvent& event);

    // The animation file shown for a run length.
    static std::string AnimationFile(int runLength);

    void DrawOverlay(Kavo::Graphics* g) override;
    void Update() override;
    void Update(float t) override;

    Animation mAnimation;
};

} // namespace Game
