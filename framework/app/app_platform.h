#pragma once
// What the application needs of the desktop beyond windows, messages and
// boxes: which services exist, cursors, the desktop's display mode and the
// way out of the process. Everything here goes through these functions so
// that one place decides how each need is met.
//
// Without a HeadlessAppPlatform installed the answers are those of a
// desktop that has a display and sound, cannot change its display mode and
// has no cursors of its own; tests install one to script and read them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/process_slot.h"

namespace Kavo {

using AppCursorHandle = std::uintptr_t; // 0: none

// The desktop's cursors that the application shows by name.
enum class AppSystemCursor { Arrow, Hand, IBeam, Wait, SizeAll, SizeNwSe, SizeNeSw, SizeWe, SizeNs, No };

struct AppDisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t frequency = 0;
    bool operator==(const AppDisplayMode&) const = default;
};

// A scripted desktop for tests: what exists, what the desktop's mode is,
// and a record of every cursor and mode request.
struct HeadlessAppPlatform {
    struct MonoCursor {
        int32_t hotX = 0;
        int32_t hotY = 0;
        std::vector<uint8_t> andMask; // 128 bytes: 32 rows of 4
        std::vector<uint8_t> xorMask; // 128 bytes
    };

    bool hasDisplay = true;
    bool hasSound = true;
    AppDisplayMode mode{1280, 1024, 32, 60};
    bool refuseModeChange = false;
    std::vector<AppDisplayMode> modeRequests; // accepted or refused, in order
    int32_t modeRestores = 0;
    std::vector<MonoCursor> cursors; // handle n is cursors[n - 1]
    std::vector<AppCursorHandle> destroyedCursors;
    AppCursorHandle shownCursor = 0;
    std::string shownSystemCursor; // name of the last system cursor shown
};
platform::ProcessSlot<HeadlessAppPlatform>& HeadlessAppPlatformSlot();

// Called with the exit code instead of ending at once; a hook that returns
// lets the process end. Tests install one that throws.
using AppExitHook = std::function<void(int code)>;
platform::ProcessSlot<AppExitHook>& AppExitHookSlot();

// Display and sound output; without both the application refuses to start.
bool AppPlatformHasDisplay();
bool AppPlatformHasSound();

// A cursor from 32 x 32 monochrome masks (128 bytes each, rows of 4 bytes,
// most significant bit leftmost); 0 when the desktop cannot make one.
AppCursorHandle AppPlatformCreateMonoCursor(int32_t hotX, int32_t hotY, const uint8_t* andMask, const uint8_t* xorMask);
void AppPlatformDestroyCursor(AppCursorHandle cursor);
void AppPlatformShowCursor(AppCursorHandle cursor);
void AppPlatformShowSystemCursor(AppSystemCursor cursor);
const char* AppSystemCursorName(AppSystemCursor cursor);

// The desktop's current mode; false when it cannot be read.
bool AppPlatformGetDisplayMode(AppDisplayMode& mode);
// A full-screen change of the desktop's mode; false when refused.
bool AppPlatformSetDisplayMode(const AppDisplayMode& mode);
// Back to the mode the user chose.
void AppPlatformRestoreDisplayMode();

// Ends the process with the code (after the exit hook, when one is set).
[[noreturn]] void AppPlatformExit(int code);

// Chooses the store the settings are read from and written to.
void AppPlatformUseSettingsStore();

} // namespace Kavo
