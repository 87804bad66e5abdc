#pragma once

#include <cstdint>

namespace Kavo {

// Four unclamped channels; code that packs a channel into a pixel or uses
// it as a table index clamps it itself.
class Color {
public:
    int32_t mRed = 0;
    int32_t mGreen = 0;
    int32_t mBlue = 0;
    int32_t mAlpha = 255;

    static const Color Black;
    static const Color White;

    constexpr Color() = default;
    constexpr Color(int r, int g, int b) : mRed(r), mGreen(g), mBlue(b), mAlpha(255) {}
    constexpr Color(int r, int g, int b, int a) : mRed(r), mGreen(g), mBlue(b), mAlpha(a) {}
    // Packed 0xAARRGGBB; an alpha byte of 0 means opaque.
    constexpr explicit Color(int packed)
        : mRed((packed >> 16) & 0xFF), mGreen((packed >> 8) & 0xFF), mBlue(packed & 0xFF),
          mAlpha(((static_cast<uint32_t>(packed) >> 24) & 0xFF) == 0
                     ? 255
                     : static_cast<int32_t>((static_cast<uint32_t>(packed) >> 24) & 0xFF)) {}
    // Packed 0xRRGGBB with a separate alpha, taken as given (0 stays 0).
    constexpr Color(int packedRgb, int alpha)
        : mRed((packedRgb >> 16) & 0xFF), mGreen((packedRgb >> 8) & 0xFF), mBlue(packedRgb & 0xFF), mAlpha(alpha) {}

    constexpr int GetRed() const { return mRed; }
    constexpr int GetGreen() const { return mGreen; }
    constexpr int GetBlue() const { return mBlue; }
    constexpr int GetAlpha() const { return mAlpha; }

    // 0xAARRGGBB of the channels as they are (each cut to 8 bits).
    constexpr uint32_t ToInt() const {
        return (static_cast<uint32_t>(mAlpha & 0xFF) << 24) | (static_cast<uint32_t>(mRed & 0xFF) << 16) |
               (static_cast<uint32_t>(mGreen & 0xFF) << 8) | static_cast<uint32_t>(mBlue & 0xFF);
    }

    // 0, 1, 2, 3 for red, green, blue, alpha; any other index reaches a
    // scratch integer that belongs to no colour.
    int32_t& operator[](int index) {
        switch (index) {
        case 0:
            return mRed;
        case 1:
            return mGreen;
        case 2:
            return mBlue;
        case 3:
            return mAlpha;
        default:
            return Scratch();
        }
    }
    int32_t operator[](int index) const { return const_cast<Color&>(*this)[index]; }

private:
    static int32_t& Scratch() {
        thread_local int32_t scratch = 0;
        return scratch;
    }

public:
    constexpr bool operator==(const Color& o) const {
        return mRed == o.mRed && mGreen == o.mGreen && mBlue == o.mBlue && mAlpha == o.mAlpha;
    }
    constexpr bool operator!=(const Color& o) const { return !(*this == o); }
};

inline constexpr Color Color::Black{0, 0, 0, 255};
inline constexpr Color Color::White{255, 255, 255, 255};

// Clamp a channel to 0..255 before it is packed or used as an index.
constexpr int ClampChannel(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

} // namespace Kavo
