#pragma once
// A glint (IMAGE_RATING_BLICK) over a progress bar's filled part that fades
// in over 25 updates, out over 26, and ends; drawn additive.

#include "framework/util/rect.h"
#include "game/ui/effect_base.h"
#include "game/ui/named_image.h"

namespace Game {

class EffectAnimFade : public EffectBase {
public:
    // `rect` gives the rows of the glint: its y and height; the glint spans
    // the picture's whole width.
    EffectAnimFade(int x, int y, const Kavo::IntRect& rect);

    using EffectBase::Update;
    void Update() override;
    void Draw(Kavo::Graphics* g) override;

    NamedImage mImage;
    int mDuration = 25; // updates of the fade out
};

} // namespace Game
