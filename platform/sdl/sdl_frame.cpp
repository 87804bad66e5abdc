#include "platform/sdl/sdl_frame.h"

#include <array>
#include <bit>

namespace platform {
namespace {

// One colour channel of a pixel layout, widened to 8 bits by repeating its
// top bits below (so 5 and 6-bit full values become 0xFF, not 0xF8 or 0xFC).
class Channel {
public:
    explicit Channel(std::uint32_t mask) : mMask(mask) {
        if (mask == 0)
            return;
        mShift = std::countr_zero(mask);
        mBits = std::popcount(mask);
        if (mBits > 8)
            return;
        for (std::uint32_t value = 0; value < (1u << mBits); ++value) {
            std::uint32_t wide = 0;
            for (int filled = 0; filled < 8; filled += mBits)
                wide |= (value << (8 - mBits)) >> filled;
            mTable[value] = static_cast<std::uint8_t>(wide);
        }
    }
    bool Valid() const { return mMask != 0 && (mMask >> mShift) == (1u << mBits) - 1u; }
    std::uint32_t Of(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mMask) >> mShift;
        return mBits > 8 ? value >> (mBits - 8) : mTable[value];
    }

private:
    std::uint32_t mMask;
    int mShift = 0;
    int mBits = 0;
    std::array<std::uint8_t, 256> mTable{};
};

} // namespace

bool FrameToArgb(const FrameView& frame, std::vector<std::uint32_t>& out) {
    if (!IsPresentableFrame(frame))
        return false;
    const Channel red(frame.format.redMask), green(frame.format.greenMask), blue(frame.format.blueMask);
    if (!red.Valid() || !green.Valid() || !blue.Valid())
        return false;
    const int bytesPerPixel = frame.format.BytesPerPixel();
    out.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
    std::uint32_t* to = out.data();
    for (int y = 0; y < frame.height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(frame.pixels) + static_cast<std::size_t>(y) * frame.pitch;
        for (int x = 0; x < frame.width; ++x, row += bytesPerPixel) {
            std::uint32_t pixel = row[0] | std::uint32_t{row[1]} << 8;
            if (bytesPerPixel > 2)
                pixel |= std::uint32_t{row[2]} << 16;
            if (bytesPerPixel > 3)
                pixel |= std::uint32_t{row[3]} << 24;
            // The frame's alpha is not shown: the window is opaque.
            *to++ = 0xFF000000u | red.Of(pixel) << 16 | green.Of(pixel) << 8 | blue.Of(pixel);
        }
    }
    return true;
}

} // namespace platform
