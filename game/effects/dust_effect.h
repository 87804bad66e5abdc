#pragma once
// Dust over an item that vanished: the item's dust picture played by the dust
// animation, with the item's board picture fading out over it in 30 updates.

#include "game/effects/effect_event.h"
#include "game/ui/animation.h"
#include "game/ui/effect_base.h"
#include "game/ui/named_image.h"

namespace Game {

class DustEffect : public EffectBase {
public:
    // The event's first value is the item id; an id without a catalogue
    // record shows no pictures.
    explicit DustEffect(const EffectEvent& event);

    void DrawOverlay(Kavo::Graphics* g) override;
    void Update() override;
    void Update(float t) override;

    Animation mDust;
    NamedImage mItem;
    float mDustAlpha = 200.0f;
    float mDustAlphaStep = -5.0f;
};

// A dust burst on a chained cell, in IMAGE_PARTICLES.
class ChainDustEffect : public EffectBase {
public:
    ChainDustEffect(int x, int y);

    void DrawOverlay(Kavo::Graphics* g) override;
    void Update() override;
    void Update(float t) override;

    Animation mDust;
    float mAlpha = 200.0f;
    float mAlphaStep = -5.0f;
};

} // namespace Game
