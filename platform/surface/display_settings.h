#pragma once
// What the display behind the surface layer is: the desktop's size and
// format, the modes it accepts, its monitor and its memory. The layer has no
// hardware of its own to ask, so these come in through the environment
// (display_environment.h); tests choose them per test.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/display_mode.h"
#include "platform/surface/pixel_format.h"

namespace platform {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
    bool operator==(const Guid&) const = default;
};

struct DeviceIdentifier {
    // Stable from run to run, so stored per-device decisions stay valid.
    Guid deviceIdentifier{0x6B61766F, 0x5346, 0x4449, {0x8A, 0x31, 0x53, 0x55, 0x52, 0x46, 0x41, 0x43}};
    std::string driver = "kavo-surface";
    std::string description = "Kavo software display";
};

struct DisplaySettings {
    bool available = true;
    int desktopWidth = 1280;
    int desktopHeight = 1024;
    PixelFormat desktopFormat = PixelFormat::Xrgb8888();
    // The modes SetDisplayMode accepts; empty accepts any positive size at
    // 16, 24 or 32 bits.
    std::vector<DisplayMode> modes;
    // The monitor's refresh rate as GetMonitorFrequency reports it (0 is a
    // monitor that answers nonsense); unknown makes the call fail.
    bool monitorFrequencyKnown = true;
    std::uint32_t monitorFrequencyHz = 60;
    // Video memory for surfaces (primary and back buffer included).
    std::uint32_t videoMemoryBytes = 64u << 20;
    // Bytes added to every surface row beyond its 4-byte-aligned width, so
    // that code which assumes pitch == width * bytes shows its fault.
    int extraPitchBytes = 0;
    DeviceIdentifier identifier;
};

// Settings matching the desktop services' display (size, depth, refresh
// rate), so the display and the system metrics tell the same story.
DisplaySettings DesktopDisplaySettings();

} // namespace platform
