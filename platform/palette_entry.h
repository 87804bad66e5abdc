#pragma once
// One entry of a 256-colour palette; flags holds the entry's alpha in a
// palette made with alpha.

#include <cstdint>

namespace platform {

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;
    bool operator==(const PaletteEntry&) const = default;
};

} // namespace platform
