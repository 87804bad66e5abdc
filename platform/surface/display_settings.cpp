#include "platform/surface/display_settings.h"

#include "platform/system_info.h"

namespace platform {

DisplaySettings DesktopDisplaySettings() {
    const DisplayInfo desktop = GetDisplayInfo();
    DisplaySettings settings;
    settings.desktopWidth = desktop.width;
    settings.desktopHeight = desktop.height;
    settings.desktopFormat = FormatForDepth(desktop.bitsPerPixel);
    settings.monitorFrequencyHz = static_cast<std::uint32_t>(desktop.refreshRate > 0 ? desktop.refreshRate : 0);
    return settings;
}

} // namespace platform
