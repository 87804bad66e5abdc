#pragma once
// The alpha of an effect: a float in 0 .. 255 to which a signed step is added
// per update.

#include "framework/util/color.h"

namespace Game {

inline constexpr float kOpaqueAlpha = 255.0f;

// alpha + step, held in 0 .. 255; a result that is not a number gives 0.
float FadeAlpha(float alpha, float step);

// White with the truncated alpha: the tint through which effects fade.
Kavo::Color WhiteWithAlpha(float alpha);

} // namespace Game
