#pragma once

#include <cstdint>

namespace Kavo {

// A polygon corner in caller coordinates.
struct Point {
    int32_t mX = 0;
    int32_t mY = 0;

    constexpr Point() = default;
    constexpr Point(int32_t x, int32_t y) : mX(x), mY(y) {}
    constexpr bool operator==(const Point&) const = default;
};

} // namespace Kavo
