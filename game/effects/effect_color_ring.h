#pragma once
// Coloured rings that grow and fade on recoloured cells, one per point.

#include "game/ui/effect_base.h"
#include "game/ui/held_image.h"

#include <array>
#include <utility>
#include <vector>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class EffectListener;

class EffectColorRing : public EffectBase {
public:
    struct Ring {
        float mX = 0;
        float mY = 0;
        float mScale = 0;
        float mScaleStep = 0;
        Kavo::Image* mImage = nullptr;
        float mAlpha = 255.0f;
        float mAlphaStep = 1.0f;
    };

    // One ring per (x, y) point; the listener's first operation once every
    // ring has faded.
    EffectColorRing(const std::vector<std::pair<int, int>>& points, EffectListener* listener);

    void Draw(Kavo::Graphics* g) override;
    void Update() override;

    std::array<HeldImage, 5> mImages;
    std::vector<Ring> mRings;
    EffectListener* mListener;
    int mUpdateCount = 0;
};

} // namespace Game
