#include "framework/graphics/display_color_tables.h"

#include <algorithm>
#include <bit>

namespace Kavo {

namespace {

void MaskLayout(uint32_t mask, uint32_t& outMask, int32_t& bits, int32_t& shift) {
    outMask = mask;
    if (mask == 0) {
        bits = 0;
        shift = 0;
        return;
    }
    shift = std::countr_zero(mask);
    bits = 32 - std::countl_zero(mask) - shift;
}

std::vector<int32_t> SaturationTable(int32_t bits) {
    // No display channel is wider than 16 bits; the cap keeps a wrong mask from asking for gigabytes.
    const int32_t max = (1 << std::clamp(bits, 0, 16)) - 1;
    std::vector<int32_t> table(static_cast<size_t>(2 * max + 1));
    for (int32_t i = 0; i < static_cast<int32_t>(table.size()); ++i)
        table[static_cast<size_t>(i)] = std::min(i, max);
    return table;
}

std::array<uint32_t, 256> ComponentTable(uint32_t mask) {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i)
        table[i] = (i * mask / 255) & mask; // the product wraps at 32 bits for masks above bit 23
    return table;
}

} // namespace

DisplayPixelFormat PixelFormatFromMasks(uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
    DisplayPixelFormat format;
    MaskLayout(redMask, format.mRedMask, format.mRedBits, format.mRedShift);
    MaskLayout(greenMask, format.mGreenMask, format.mGreenBits, format.mGreenShift);
    MaskLayout(blueMask, format.mBlueMask, format.mBlueBits, format.mBlueShift);
    return format;
}

bool IsRgbOrder(uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
    return blueMask < greenMask && greenMask < redMask;
}

void DisplayColorTables::Build(const DisplayPixelFormat& format) {
    mRedSaturation = SaturationTable(format.mRedBits);
    mGreenSaturation = SaturationTable(format.mGreenBits);
    mBlueSaturation = SaturationTable(format.mBlueBits);
    mRedComponent = ComponentTable(format.mRedMask);
    mGreenComponent = ComponentTable(format.mGreenMask);
    mBlueComponent = ComponentTable(format.mBlueMask);
}

} // namespace Kavo
