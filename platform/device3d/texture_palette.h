#pragma once
// A 256-entry palette for 8-bit textures. An entry's flags byte holds its
// alpha when the palette was made with alpha; otherwise every entry is opaque.

#include <array>
#include <cstdint>

#include "platform/palette_entry.h"
#include "platform/result_codes.h"

namespace platform {

class TexturePalette {
public:
    static constexpr int kEntryCount = 256;

    TexturePalette(bool withAlpha, const std::array<PaletteEntry, kEntryCount>& entries);

    bool HasAlpha() const { return mWithAlpha; }
    // Replaces `count` entries from `start`; fails for a range outside 0..255.
    HResult SetEntries(int start, int count, const PaletteEntry* entries);
    HResult GetEntries(int start, int count, PaletteEntry* out) const;
    // The entry as a packed ARGB colour.
    std::uint32_t Argb(int index) const;
    // Bumped by every change, so textures know when to convert again.
    std::uint32_t Version() const { return mVersion; }

private:
    bool mWithAlpha;
    std::array<PaletteEntry, kEntryCount> mEntries;
    std::uint32_t mVersion = 0;
};

} // namespace platform
