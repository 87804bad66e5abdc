#include "game/effects/effect_fade.h"

#include <cmath>

namespace Game {

float FadeAlpha(float alpha, float step) {
    const float next = alpha + step;
    if (std::isnan(next) || next < 0.0f)
        return 0.0f;
    return next > kOpaqueAlpha ? kOpaqueAlpha : next;
}

Kavo::Color WhiteWithAlpha(float alpha) {
    return Kavo::Color(255, 255, 255, static_cast<int>(alpha));
}

} // namespace Game
