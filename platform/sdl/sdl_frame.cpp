#include "platform/sdl/sdl_frame.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

bool IsXrgb8888(const PixelFormat& format) {
    return format.bitCount == 32 && format.redMask == 0xFF0000u && format.greenMask == 0xFF00u &&
           format.blueMask == 0xFFu;
}

bool FrameToArgb(const FrameView& frame, std::uint32_t* out, int outPitch) {
    if (!IsPresentableFrame(frame) || !out || outPitch < frame.width * 4)
        return false;
    const auto* rows = static_cast<const std::uint8_t*>(frame.pixels);
    auto* outRows = reinterpret_cast<std::uint8_t*>(out);
    if (IsXrgb8888(frame.format)) {
        // The frame's alpha is not shown: the window is opaque.
        const int width = frame.width;
        for (int y = 0; y < frame.height; ++y) {
            const std::uint8_t* from = rows + static_cast<std::size_t>(y) * frame.pitch;
            std::uint8_t* to = outRows + static_cast<std::size_t>(y) * outPitch;
            int x = 0;
#if defined(__SSE2__)
            const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
            for (; x + 4 <= width; x += 4) {
                const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 4 * x));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * x), _mm_or_si128(four, opaque));
            }
#endif
            for (; x < width; ++x) {
                std::uint32_t pixel;
                std::memcpy(&pixel, from + 4 * x, 4);
                pixel |= 0xFF000000u;
                std::memcpy(to + 4 * x, &pixel, 4);
            }
        }
        return true;
    }
    const Channel red(frame.format.redMask), green(frame.format.greenMask), blue(frame.format.blueMask);
    if (!red.Valid() || !green.Valid() || !blue.Valid())
        return false;
    const int bytesPerPixel = frame.format.BytesPerPixel();
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* row = rows + static_cast<std::size_t>(y) * frame.pitch;
        auto* to = reinterpret_cast<std::uint32_t*>(outRows + static_cast<std::size_t>(y) * outPitch);
        for (int x = 0; x < frame.width; ++x, row += bytesPerPixel) {
            std::uint32_t pixel = row[0] | std::uint32_t{row[1]} << 8;
            if (bytesPerPixel > 2)
                pixel |= std::uint32_t{row[2]} << 16;
            if (bytesPerPixel > 3)
                pixel |= std::uint32_t{row[3]} << 24;
            to[x] = 0xFF000000u | red.Of(pixel) << 16 | green.Of(pixel) << 8 | blue.Of(pixel);
        }
    }
    return true;
}

bool FrameToArgb(const FrameView& frame, std::vector<std::uint32_t>& out) {
    if (!IsPresentableFrame(frame))
        return false;
    out.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
    return FrameToArgb(frame, out.data(), frame.width * 4);
}

} // namespace platform
