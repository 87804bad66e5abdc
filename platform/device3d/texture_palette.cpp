#include "platform/device3d/texture_palette.h"

namespace platform {

namespace {

bool RangeValid(int start, int count) {
    return start >= 0 && count >= 0 && start <= TexturePalette::kEntryCount &&
           count <= TexturePalette::kEntryCount - start;
}

} // namespace

TexturePalette::TexturePalette(bool withAlpha, const std::array<PaletteEntry, kEntryCount>& entries)
    : mWithAlpha(withAlpha), mEntries(entries) {}

HResult TexturePalette::SetEntries(int start, int count, const PaletteEntry* entries) {
    if (!RangeValid(start, count) || (count > 0 && entries == nullptr)) {
        return DDERR_INVALIDPARAMS;
    }
    for (int i = 0; i < count; ++i) {
        mEntries[static_cast<std::size_t>(start + i)] = entries[i];
    }
    ++mVersion;
    return DD_OK;
}

HResult TexturePalette::GetEntries(int start, int count, PaletteEntry* out) const {
    if (!RangeValid(start, count) || (count > 0 && out == nullptr)) {
        return DDERR_INVALIDPARAMS;
    }
    for (int i = 0; i < count; ++i) {
        out[i] = mEntries[static_cast<std::size_t>(start + i)];
    }
    return DD_OK;
}

std::uint32_t TexturePalette::Argb(int index) const {
    const PaletteEntry& e = mEntries[static_cast<std::size_t>(index & 0xFF)];
    const std::uint32_t alpha = mWithAlpha ? e.flags : 0xFFu;
    return alpha << 24 | std::uint32_t{e.red} << 16 | std::uint32_t{e.green} << 8 | e.blue;
}

} // namespace platform
