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

// The display's saturation tables held by value for a kernel's loop. The
// destination pixels have the tables' element type, so a loop reading the
// tables through DisplayTables would load them again after every store.
struct Saturator {
    uint32_t mMask[3];
    uint32_t mShift[3];
    const uint32_t* mTable[3];
    uint32_t mLast[3];

    explicit Saturator(const DisplayTables& tables) {
        for (int c = 0; c < 3; ++c) {
            mMask[c] = tables.Channel(c).mMask;
            mShift[c] = static_cast<uint32_t>(tables.Channel(c).mShift);
            mTable[c] = tables.Saturation(c).data();
            mLast[c] = static_cast<uint32_t>(tables.Saturation(c).size() - 1);
        }
    }

    // T[index] << shift; the sums of the kernels stay within 2 * max, and a
    // mask wider than the table is capped rather than overrun.
    uint32_t Field(int c, uint32_t index) const { return mTable[c][index < mLast[c] ? index : mLast[c]] << mShift[c]; }

    // The channel of display word v, shifted down.
    uint32_t Value(int c, uint32_t v) const { return (v & mMask[c]) >> mShift[c]; }

    // add[c] (already at the channel's width) added to each channel of d.
    uint32_t AddValues(uint32_t d, const uint32_t add[3]) const {
        return Field(0, Value(0, d) + add[0]) | Field(1, Value(1, d) + add[1]) | Field(2, Value(2, d) + add[2]);
    }

    // Display word s added to d.
    uint32_t AddWords(uint32_t d, uint32_t s) const {
        auto sum = [&](int c) { return Field(c, ((d & mMask[c]) + (s & mMask[c])) >> mShift[c]); };
        return sum(0) | sum(1) | sum(2);
    }

    // True when every channel is 8 bits wide on a byte boundary and below
    // the top byte: then a saturating add of bytes is the table lookup.
    bool BytesAdd() const {
        uint32_t masks = 0;
        for (int c = 0; c < 3; ++c) {
            if (mShift[c] % 8 != 0 || mMask[c] != 0xFFu << mShift[c] || mShift[c] > 16)
                return false;
            masks |= mMask[c];
        }
        return masks == 0xFFFFFF;
    }

    // Display word s scaled by the colour's tints and added to d.
    uint32_t AddTinted(uint32_t d, uint32_t s, const KernelColor& color) const {
        const uint32_t add[3] = {Value(0, s) * color.mTintRed >> 8, Value(1, s) * color.mTintGreen >> 8,
                                 Value(2, s) * color.mTintBlue >> 8};
        return AddValues(d, add);
    }
};

// The colour as the additive fills and lines add it: c * a / 255 per
// channel narrowed to the channel's width, saturated through the tables.
struct AdditiveColor {
    Saturator mSaturator;
    uint32_t mAdd[3];

    AdditiveColor(const DisplayTables& tables, const KernelColor& color) : mSaturator(tables) {
        for (int c = 0; c < 3; ++c) {
            const int32_t bits = tables.Channel(c).mBits;
            mAdd[c] = bits >= 8 ? color.Tint(c) : color.Tint(c) >> (8 - bits);
        }
    }

    uint32_t Over(uint32_t d) const { return mSaturator.AddValues(d, mAdd); }
};

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
