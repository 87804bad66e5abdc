#pragma once
// A table of 256 colours that can be attached to a surface.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/result_codes.h"
#include "platform/surface/ref_counted.h"

namespace platform {

class DisplayCore;

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;
    bool operator==(const PaletteEntry&) const = default;
};

inline constexpr int kPaletteSize = 256;

class Palette final : public RefCounted {
public:
    Palette(std::shared_ptr<DisplayCore> core, const PaletteEntry* initial);

    // DDERR_INVALIDPARAMS when [start, start + count) leaves the table or
    // entries is null.
    HResult GetEntries(std::uint32_t flags, int start, int count, PaletteEntry* entries) const;
    HResult SetEntries(std::uint32_t flags, int start, int count, const PaletteEntry* entries);

private:
    ~Palette() override;

    std::shared_ptr<DisplayCore> mCore;
    std::array<PaletteEntry, kPaletteSize> mEntries{};
};

} // namespace platform
