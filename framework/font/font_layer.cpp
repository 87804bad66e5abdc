#include "framework/font/font_layer.h"

#include <algorithm>
#include <cstdint>

namespace Kavo {

void FontLayer::RecomputeImageMapHeight() {
    mImageMapHeight = 0;
    int64_t tallest = 0;
    for (const FontCharData& data : mCharData)
        tallest = std::max(tallest, int64_t{data.mImageRect.mHeight} + data.mOffset.mY);
    mImageMapHeight = static_cast<int32_t>(std::min<int64_t>(tallest, INT32_MAX));
}

} // namespace Kavo
