#pragma once
// The mix of two ARGB texels that bilinear sampling is made of: every
// kernel, scalar or vector, gives exactly these values.

#include <cstdint>

namespace platform {

// Weighted mix of two ARGB colours, weight f of 256 on the second, rounded:
// per channel (c0 × (256 − f) + c1 × f + 128) >> 8.
inline std::uint32_t Lerp(std::uint32_t c0, std::uint32_t c1, std::uint32_t f) {
    const std::uint32_t w0 = 256 - f;
    const std::uint32_t rb = (((c0 & 0x00FF00FFu) * w0 + (c1 & 0x00FF00FFu) * f + 0x00800080u) >> 8) & 0x00FF00FFu;
    const std::uint32_t ag =
        ((((c0 >> 8) & 0x00FF00FFu) * w0 + ((c1 >> 8) & 0x00FF00FFu) * f + 0x00800080u)) & 0xFF00FF00u;
    return rb | ag;
}

} // namespace platform
