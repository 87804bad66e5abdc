#pragma once
// A table of 256 colours that can be attached to a surface.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/palette_entry.h"
#include "platform/result_codes.h"
#include "platform/surface/ref_counted.h"

namespace platform {

class DisplayCore;

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
