#include "framework/graphics/surface_color_key.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace Kavo {

namespace {

// Shifts left for a positive count and right for a negative one.
inline uint32_t ShiftBy(uint32_t value, int count) {
    return count >= 0 ? value << count : value >> -count;
}

inline bool IsOpaque(uint32_t pixel) {
    return (pixel >> 24) == 0xFF;
}

// The lowest value below `limit` that no visible pixel converts to.
std::optional<uint32_t> LowestFreeValue(const uint32_t* pixels, size_t count, uint32_t limit,
                                        const SurfacePixelConverter& converter) {
    std::vector<uint64_t> used((limit + 63) / 64, 0);
    for (size_t i = 0; i < count; ++i) {
        if ((pixels[i] >> 24) == 0)
            continue;
        const uint32_t value = converter.Convert(pixels[i]) & (limit - 1);
        used[value / 64] |= uint64_t{1} << (value % 64);
    }
    for (size_t word = 0; word < used.size(); ++word) {
        if (used[word] != ~uint64_t{0})
            return static_cast<uint32_t>(word * 64 + std::countr_one(used[word]));
    }
    return std::nullopt;
}

} // namespace

uint32_t SurfacePixelConverter::Convert(uint32_t pixel) const {
    const DisplayPixelFormat& f = mDisplay;
    return (ShiftBy(pixel, f.mBlueShift - (8 - f.mBlueBits)) & mBlueMask) |
           (ShiftBy(pixel, f.mGreenShift - (16 - f.mGreenBits)) & mGreenMask) |
           (ShiftBy(pixel, f.mRedShift - (24 - f.mRedBits)) & mRedMask);
}

std::optional<uint32_t> ChooseColorKey(const uint32_t* pixels, size_t count, int bitCount,
                                       const SurfacePixelConverter& converter) {
    const uint32_t* first = std::find_if(pixels, pixels + count, [](uint32_t p) { return !IsOpaque(p); });
    if (first == pixels + count)
        return std::nullopt;
    const bool sixteen = bitCount == 16;
    const uint32_t candidate = sixteen ? converter.Convert(*first) & 0xFFFF : *first;
    const bool collides = std::any_of(pixels, pixels + count, [&](uint32_t p) {
        return IsOpaque(p) && (sixteen ? converter.Convert(p) & 0xFFFF : converter.Convert(p)) == candidate;
    });
    if (!collides)
        return candidate;
    return LowestFreeValue(pixels, count, sixteen ? 0x10000u : 0x1000000u, converter);
}

} // namespace Kavo
