#pragma once
// What the program asks about the machine: desktop size and depth, the work
// area, system metrics and the operating-system version answers.

#include "platform/geometry.h"

namespace platform {

struct DisplayInfo {
    int width = 1280;
    int height = 1024;
    int bitsPerPixel = 32;
    int refreshRate = 60;
    Rect workArea{0, 0, 1280, 984}; // the desktop less a 40-pixel task bar
    // Decoration of a captioned window: border on each side, caption height.
    int frameWidth = 3;
    int captionHeight = 22;
};

DisplayInfo GetDisplayInfo(); // from the desktop services in use
Rect GetWorkArea();

// System metric indices (the system's numbers).
inline constexpr int kMetricScreenWidth = 0;
inline constexpr int kMetricScreenHeight = 1;
inline constexpr int kMetricCaptionHeight = 4;
inline constexpr int kMetricFullScreenWidth = 16; // client area of a maximised window
inline constexpr int kMetricFullScreenHeight = 17;
inline constexpr int kMetricFrameWidth = 32;
inline constexpr int kMetricFrameHeight = 33;
// 0 for an index not listed above.
int GetSystemMetric(int index);

// Linux is neither of the old family nor older than the one that brought
// the per-machine user-data folder.
inline constexpr bool IsWindows9x() {
    return false;
}
inline constexpr bool IsWindowsVistaOrLater() {
    return true;
}
inline constexpr int kOsMajorVersion = 6;
inline constexpr int kOsMinorVersion = 1;

} // namespace platform
