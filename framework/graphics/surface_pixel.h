#pragma once

// Arithmetic shared by the software kernels that draw in the display's own
// pixel format: the drawing colour, per-channel sums over the display's
// masks and the packed form of 16-bit pixels.

#include <cstdint>

#include "framework/graphics/display_tables.h"
#include "framework/util/color.h"

namespace Kavo::SurfacePixel {

// The drawing colour with every channel clamped to 0..255, so that no
// later product or table index leaves its range.
struct KernelColor {
    uint32_t mRed, mGreen, mBlue, mAlpha;
    // Each channel times alpha / 255 (integer division).
    uint32_t mTintRed, mTintGreen, mTintBlue;

    explicit KernelColor(const Color& c)
        : mRed(ClampChannel(c.mRed)), mGreen(ClampChannel(c.mGreen)), mBlue(ClampChannel(c.mBlue)),
          mAlpha(ClampChannel(c.mAlpha)), mTintRed(mRed * mAlpha / 255), mTintGreen(mGreen * mAlpha / 255),
          mTintBlue(mBlue * mAlpha / 255) {}

    bool IsWhite() const { return (mRed & mGreen & mBlue & mAlpha) == 255; }
    bool IsGreyTint() const { return mTintRed == mTintGreen && mTintGreen == mTintBlue; }
    uint32_t Channel(int c) const { return c == 0 ? mRed : c == 1 ? mGreen : mBlue; }
    uint32_t Tint(int c) const { return c == 0 ? mTintRed : c == 1 ? mTintGreen : mTintBlue; }
};

// The sum over red, green and blue of fn(channel index, mask): the kernels'
// per-channel formulas add their masked terms as plain integers.
template <typename Fn>
inline uint32_t SumChannels(const DisplayTables& tables, Fn fn) {
    return fn(0, tables.Channel(0).mMask) + fn(1, tables.Channel(1).mMask) + fn(2, tables.Channel(2).mMask);
}

// c * mask >> 8 & mask per channel: the colour in the display format.
inline uint32_t ToDisplay(const DisplayTables& tables, const KernelColor& color) {
    return SumChannels(tables, [&](int c, uint32_t m) { return (color.Channel(c) * m >> 8) & m; });
}

// The colour as the additive fills and lines add it: c * a / 255 per
// channel narrowed to the channel's width, saturated through the tables.
struct AdditiveColor {
    uint32_t mAdd[3];

    AdditiveColor(const DisplayTables& tables, const KernelColor& color) {
        for (int c = 0; c < 3; ++c) {
            const int32_t bits = tables.Channel(c).mBits;
            mAdd[c] = bits >= 8 ? color.Tint(c) : color.Tint(c) >> (8 - bits);
        }
    }

    uint32_t Over(const DisplayTables& tables, uint32_t d) const {
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) {
            const DisplayChannel& ch = tables.Channel(c);
            out |= tables.SaturatedField(c, ((d & ch.mMask) >> ch.mShift) + mAdd[c]);
        }
        return out;
    }
};

// Display-format word s added to d, saturating per channel.
inline uint32_t AddWords(const DisplayTables& tables, uint32_t d, uint32_t s) {
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
        const DisplayChannel& ch = tables.Channel(c);
        out |= tables.SaturatedField(c, ((d & ch.mMask) + (s & ch.mMask)) >> ch.mShift);
    }
    return out;
}

// Display-format word s scaled by the colour's tint and added to d.
inline uint32_t AddTintedWord(const DisplayTables& tables, const KernelColor& color, uint32_t d, uint32_t s) {
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
        const DisplayChannel& ch = tables.Channel(c);
        const uint32_t add = ((s & ch.mMask) >> ch.mShift) * color.Tint(c) >> 8;
        out |= tables.SaturatedField(c, add + ((d & ch.mMask) >> ch.mShift));
    }
    return out;
}

// The packed 16-bit form: green moved into the upper half word so that one
// multiply scales all three channels.
inline constexpr uint32_t kPacked565 = 0x07E0F81F;
inline constexpr uint32_t kPacked555 = 0x03E07C1F;

inline uint32_t Spread(uint32_t v, uint32_t packedMask) {
    return ((v << 16) | v) & packedMask;
}
inline uint32_t Fold(uint32_t q) {
    return (q >> 16) | (q & 0xFFFF);
}

// The ways of a destination's depth and layout.
enum class DepthWay {
    None,     // neither 16 nor 32 bits: nothing is drawn
    Packed16, // 5:6:5 or 5:5:5 with red and blue at the ends
    Other16,
    Rgb32,
};

inline DepthWay ClassifyDepth(int32_t bitCount, const DisplayPixelFormat& f) {
    if (bitCount == 32)
        return DepthWay::Rgb32;
    if (bitCount != 16)
        return DepthWay::None;
    const uint32_t ends = f.mRedMask | f.mBlueMask;
    if ((f.mGreenMask == 0x7E0 && ends == 0xF81F) || (f.mGreenMask == 0x3E0 && ends == 0x7C1F))
        return DepthWay::Packed16;
    return DepthWay::Other16;
}

// The packed mask of a Packed16 layout.
inline uint32_t PackedMask(const DisplayPixelFormat& f) {
    return f.mGreenMask == 0x7E0 ? kPacked565 : kPacked555;
}

} // namespace Kavo::SurfacePixel
