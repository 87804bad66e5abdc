#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/util/rect.h"

namespace Kavo {

// A locked display surface as the software kernels see it: its pixels,
// pitch in bytes and size. Only 16 and 32 bits per pixel are drawn; a
// kernel given any other depth leaves the pixels alone.
struct SurfaceTarget {
    uint8_t* mBits = nullptr;
    int32_t mPitch = 0;
    int32_t mBitCount = 0;
    int32_t mWidth = 0;
    int32_t mHeight = 0;

    bool IsDrawable() const { return mBits != nullptr && (mBitCount == 16 || mBitCount == 32); }
    IntRect Bounds() const { return {0, 0, mWidth, mHeight}; }

    template <typename Pixel>
    Pixel* Row(int32_t y) const {
        return reinterpret_cast<Pixel*>(mBits + static_cast<ptrdiff_t>(y) * mPitch);
    }
};

} // namespace Kavo
