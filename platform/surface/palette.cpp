#include "platform/surface/palette.h"

#include <algorithm>

#include "platform/surface/display_core.h"

namespace platform {

namespace {

bool InTable(int start, int count) {
    return start >= 0 && count >= 0 && count <= kPaletteSize - start;
}

} // namespace

Palette::Palette(std::shared_ptr<DisplayCore> core, const PaletteEntry* initial) : mCore(std::move(core)) {
    if (initial) {
        std::copy(initial, initial + kPaletteSize, mEntries.begin());
    }
    ++mCore->Live().palettes;
}

Palette::~Palette() {
    --mCore->Live().palettes;
}

HResult Palette::GetEntries(std::uint32_t, int start, int count, PaletteEntry* entries) const {
    if (!entries || !InTable(start, count)) {
        return DDERR_INVALIDPARAMS;
    }
    std::copy(mEntries.begin() + start, mEntries.begin() + start + count, entries);
    return DD_OK;
}

HResult Palette::SetEntries(std::uint32_t, int start, int count, const PaletteEntry* entries) {
    if (const HResult injected = mCore->Check(DisplayOperation::SetPaletteEntries); Failed(injected)) {
        return injected;
    }
    if (!entries || !InTable(start, count)) {
        return DDERR_INVALIDPARAMS;
    }
    std::copy(entries, entries + count, mEntries.begin() + start);
    return DD_OK;
}

} // namespace platform
