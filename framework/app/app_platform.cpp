#include "framework/app/app_platform.h"

#include <cstdlib>

#include "platform/system_info.h"

namespace Kavo {

platform::ProcessSlot<HeadlessAppPlatform>& HeadlessAppPlatformSlot() {
    static platform::ProcessSlot<HeadlessAppPlatform> slot;
    return slot;
}

platform::ProcessSlot<AppExitHook>& AppExitHookSlot() {
    static platform::ProcessSlot<AppExitHook> slot;
    return slot;
}

bool AppPlatformHasDisplay() {
    auto headless = HeadlessAppPlatformSlot().Get();
    return headless ? headless->hasDisplay : true;
}

bool AppPlatformHasSound() {
    auto headless = HeadlessAppPlatformSlot().Get();
    return headless ? headless->hasSound : true;
}

AppCursorHandle AppPlatformCreateMonoCursor(int32_t hotX, int32_t hotY, const uint8_t* andMask,
                                            const uint8_t* xorMask) {
    auto headless = HeadlessAppPlatformSlot().Get();
    if (!headless || andMask == nullptr || xorMask == nullptr)
        return 0;
    headless->cursors.push_back({hotX, hotY, {andMask, andMask + 128}, {xorMask, xorMask + 128}});
    return headless->cursors.size();
}

void AppPlatformDestroyCursor(AppCursorHandle cursor) {
    auto headless = HeadlessAppPlatformSlot().Get();
    if (headless && cursor != 0)
        headless->destroyedCursors.push_back(cursor);
}

void AppPlatformShowCursor(AppCursorHandle cursor) {
    if (auto headless = HeadlessAppPlatformSlot().Get()) {
        headless->shownCursor = cursor;
        headless->shownSystemCursor.clear();
    }
}

const char* AppSystemCursorName(AppSystemCursor cursor) {
    switch (cursor) {
    case AppSystemCursor::Arrow:
        return "arrow";
    case AppSystemCursor::Hand:
        return "hand";
    case AppSystemCursor::IBeam:
        return "ibeam";
    case AppSystemCursor::Wait:
        return "wait";
    case AppSystemCursor::SizeAll:
        return "sizeall";
    case AppSystemCursor::SizeNwSe:
        return "sizenwse";
    case AppSystemCursor::SizeNeSw:
        return "sizenesw";
    case AppSystemCursor::SizeWe:
        return "sizewe";
    case AppSystemCursor::SizeNs:
        return "sizens";
    case AppSystemCursor::No:
        return "no";
    }
    return "arrow";
}

void AppPlatformShowSystemCursor(AppSystemCursor cursor) {
    if (auto headless = HeadlessAppPlatformSlot().Get()) {
        headless->shownCursor = 0;
        headless->shownSystemCursor = AppSystemCursorName(cursor);
    }
}

bool AppPlatformGetDisplayMode(AppDisplayMode& mode) {
    if (auto headless = HeadlessAppPlatformSlot().Get()) {
        mode = headless->mode;
        return true;
    }
    const platform::DisplayInfo info = platform::GetDisplayInfo();
    mode = {info.width, info.height, info.bitsPerPixel, info.refreshRate};
    return true;
}

bool AppPlatformSetDisplayMode(const AppDisplayMode& mode) {
    auto headless = HeadlessAppPlatformSlot().Get();
    if (!headless)
        return false; // no desktop here changes its mode
    headless->modeRequests.push_back(mode);
    if (headless->refuseModeChange)
        return false;
    headless->mode = mode;
    return true;
}

void AppPlatformRestoreDisplayMode() {
    if (auto headless = HeadlessAppPlatformSlot().Get())
        ++headless->modeRestores;
}

void AppPlatformExit(int code) {
    if (auto hook = AppExitHookSlot().Get(); hook && *hook)
        (*hook)(code);
    std::exit(code);
}

void AppPlatformUseSettingsStore() {
    // The registry picks its store when first used; a test has chosen the
    // in-memory one before the application exists.
}

} // namespace Kavo
