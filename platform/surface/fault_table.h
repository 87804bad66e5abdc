#pragma once
// Failures injected into the surface layer by tests: "the Nth call of this
// operation answers that code". Calls are counted per operation from the
// table's creation (or the last Clear), the first being call 1. An injected
// failure happens before the operation does anything, so it changes nothing.

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/result_codes.h"

namespace platform {

enum class DisplayOperation {
    CreateDisplay,
    SetCooperativeLevel,
    SetDisplayMode,
    RestoreDisplayMode,
    GetDisplayMode,
    CreateSurface,
    CreateClipper,
    CreatePalette,
    GetMonitorFrequency,
    WaitForVerticalBlank,
    GetScanLine,
    GetAvailableVidMem,
    GetDeviceIdentifier,
    FlipToGdiSurface,
    Lock,
    Unlock,
    Blt,
    Flip,
    GetAttachedSurface,
    GetSurfaceDesc,
    SetColorKey,
    SetClipper,
    SetPalette,
    SetClipperWindow,
    SetPaletteEntries,
    Count
};

class FaultTable {
public:
    // Call number `call` (1-based) of `operation` fails with `code`.
    void FailCall(DisplayOperation operation, int call, HResult code);
    // Every call from number `call` on fails with `code`.
    void FailCallsFrom(DisplayOperation operation, int call, HResult code);
    // Forgets the injected failures and the call counts.
    void Clear();

    // Counts one call; DD_OK or the injected failure.
    HResult Check(DisplayOperation operation);
    int Calls(DisplayOperation operation) const;

private:
    struct Fault {
        DisplayOperation operation;
        int firstCall;
        bool onwards;
        HResult code;
    };
    mutable std::mutex mMutex;
    std::array<int, static_cast<std::size_t>(DisplayOperation::Count)> mCalls{};
    std::vector<Fault> mFaults;
};

} // namespace platform
