#pragma once
// An item picture that rises (slowing), then falls while it turns and fades.

#include "framework/util/lazy_transform.h"
#include "game/effects/effect_event.h"
#include "game/ui/effect_base.h"

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class EffectTipDrift : public EffectBase {
public:
    // The event's first value is the item id (its board picture; none
    // without a record).
    explicit EffectTipDrift(const EffectEvent& event);

    void DrawOverlay(Kavo::Graphics* g) override;
    void Update() override;
    void Update(float t) override;

    int mState = 0; // 0 rising, 1 falling
    Kavo::LazyTransform mTransform;
    float mX;
    float mY;
    float mStartY;
    float mAccel = 2.0f;
    float mRiseSpeed;
    float mAngle = 0;
    float mSpin;
    Kavo::Image* mImage;
    float mAlpha = 255.0f;
    float mFade = 3.0f;
    float mRiseDistance;
};

} // namespace Game
