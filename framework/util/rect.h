#pragma once

#include <algorithm>
#include <cstdint>

namespace Kavo {

// Covers x <= px < x + width, y <= py < y + height.
template <typename T>
struct TRect {
    T mX = 0;
    T mY = 0;
    T mWidth = 0;
    T mHeight = 0;

    constexpr TRect() = default;
    constexpr TRect(T x, T y, T w, T h) : mX(x), mY(y), mWidth(w), mHeight(h) {}

    // Rectangles that only touch give width or height 0 at the touching
    // position; rectangles apart give (0, 0, 0, 0).
    constexpr TRect Intersection(const TRect& o) const {
        T left = std::max(mX, o.mX);
        T right = std::min(mX + mWidth, o.mX + o.mWidth);
        T top = std::max(mY, o.mY);
        T bottom = std::min(mY + mHeight, o.mY + o.mHeight);
        if (right - left >= 0 && bottom - top >= 0)
            return TRect(left, top, right - left, bottom - top);
        return TRect();
    }

    constexpr bool Contains(T px, T py) const { return px >= mX && px < mX + mWidth && py >= mY && py < mY + mHeight; }

    constexpr bool operator==(const TRect& o) const {
        return mX == o.mX && mY == o.mY && mWidth == o.mWidth && mHeight == o.mHeight;
    }
    constexpr bool operator!=(const TRect& o) const { return !(*this == o); }
};

using IntRect = TRect<int32_t>;
using DoubleRect = TRect<double>;

} // namespace Kavo
