#pragma once
// The colours a flying star or sparkle trail takes one of at random.

#include "framework/util/color.h"

namespace Game {

inline constexpr int kFlyerColorCount = 5;
// Red, green, blue, magenta, cyan.
inline constexpr Kavo::Color kFlyerColors[kFlyerColorCount] = {
    {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 0, 255, 255}, {0, 255, 255, 255}};

} // namespace Game
