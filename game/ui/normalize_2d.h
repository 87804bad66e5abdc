#pragma once

#include <cmath>

namespace Game {

struct Vector2F {
    float x = 0;
    float y = 0;
};

// The pair divided by its length; a zero pair stays zero.
inline Vector2F Normalize2D(float x, float y) {
    const float length = std::sqrt(x * x + y * y);
    if (length == 0)
        return {x, y};
    return {x / length, y / length};
}

} // namespace Game
