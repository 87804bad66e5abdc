#pragma once
// A score number that rises with time, stays opaque for 39 updates and then
// fades out by 4 per update.

#include "game/effects/effect_event.h"
#include "game/ui/effect_base.h"

#include <string>

namespace Game {

class FloatingNumber : public EffectBase {
public:
    // Shows the event's second value at the event's position.
    explicit FloatingNumber(const EffectEvent& event);

    void Draw(Kavo::Graphics* g) override;
    void Update() override;
    void Update(float t) override;

    std::string mText;
    float mX;
    float mY;
    float mAlpha = 255.0f;
    float mAlphaStep = 0;
    int mUpdateCount = 0;
};

} // namespace Game
