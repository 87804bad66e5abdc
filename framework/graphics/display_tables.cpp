#include "framework/graphics/display_tables.h"

#include <algorithm>
#include <bit>

namespace Kavo {

namespace {

// The shift is the index of the mask's lowest set bit, the width the span
// up to its highest; both 0 for an empty mask.
DisplayChannel DescribeChannel(uint32_t mask) {
    DisplayChannel channel;
    channel.mMask = mask;
    if (mask != 0) {
        channel.mShift = std::countr_zero(mask);
        channel.mBits = 32 - std::countl_zero(mask) - channel.mShift;
    }
    channel.mMax = channel.mBits >= 32 ? 0xFFFFFFFFu : (1u << channel.mBits) - 1;
    return channel;
}

} // namespace

DisplayTables::DisplayTables(const DisplayPixelFormat& format) : mFormat(format) {
    const uint32_t masks[3] = {format.mRedMask, format.mGreenMask, format.mBlueMask};
    for (int c = 0; c < 3; ++c) {
        mChannels[c] = DescribeChannel(masks[c]);
        // Wider than 8 bits never happens for a display; the cap keeps the
        // table small for a malformed mask.
        const uint32_t max = std::min<uint32_t>(mChannels[c].mMax, 0xFFFF);
        mSaturation[c].resize(2 * size_t{max} + 1);
        for (uint32_t i = 0; i <= 2 * max; ++i)
            mSaturation[c][i] = std::min(i, max);
        for (uint32_t i = 0; i < 256; ++i)
            mComponent[c][i] = static_cast<uint32_t>(i * masks[c] / 255) & masks[c];
    }
    mStandardOrder = format.mRedMask > format.mGreenMask && format.mGreenMask > format.mBlueMask;
}

} // namespace Kavo
