#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "framework/graphics/image_host.h"

namespace Kavo {

// One colour channel of the display's pixel format.
struct DisplayChannel {
    uint32_t mMask = 0;
    int32_t mShift = 0;
    int32_t mBits = 0;
    uint32_t mMax = 0; // 2^bits - 1
};

// The tables the display builds for its pixel format and the software
// kernels read: per channel a saturation table (entry i = min(i, max) for i
// up to 2 * max, so that the sum of two channel values indexes it directly)
// and a component table (an 8-bit channel value moved to its bits in the
// display format).
class DisplayTables {
public:
    enum { kRed, kGreen, kBlue };

    explicit DisplayTables(const DisplayPixelFormat& format);

    const DisplayPixelFormat& Format() const { return mFormat; }
    const DisplayChannel& Channel(int channel) const { return mChannels[channel]; }
    const std::vector<uint32_t>& Saturation(int channel) const { return mSaturation[channel]; }
    const std::array<uint32_t, 256>& Component(int channel) const { return mComponent[channel]; }
    // Red mask above green mask above blue mask: red in the high bits.
    bool StandardOrder() const { return mStandardOrder; }

private:
    DisplayPixelFormat mFormat;
    std::array<DisplayChannel, 3> mChannels;
    std::array<std::vector<uint32_t>, 3> mSaturation;
    std::array<std::array<uint32_t, 256>, 3> mComponent{};
    bool mStandardOrder = false;
};

} // namespace Kavo
