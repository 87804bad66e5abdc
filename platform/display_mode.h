#pragma once
// A display mode: size, depth and refresh rate.

namespace platform {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    int refreshRate = 0; // 0: whatever the display chooses
    bool operator==(const DisplayMode&) const = default;
};

} // namespace platform
