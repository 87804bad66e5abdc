#pragma once
// SDL's subsystems, started for as long as a driver needs them. SDL counts
// the starts of each subsystem, so every driver holds its own.

#include <cstdint>
#include <string>

namespace platform {

class SdlSubsystem {
public:
    // `flags` are SDL_INIT_* bits. Video does not start without a display
    // named by DISPLAY or WAYLAND_DISPLAY.
    explicit SdlSubsystem(std::uint32_t flags);
    ~SdlSubsystem();
    SdlSubsystem(const SdlSubsystem&) = delete;
    SdlSubsystem& operator=(const SdlSubsystem&) = delete;

    bool Started() const { return mStarted; }
    // SDL's reason when it did not start.
    const std::string& Error() const { return mError; }

private:
    std::uint32_t mFlags;
    bool mStarted = false;
    std::string mError;
};

// Whether a desktop can show windows: DISPLAY or WAYLAND_DISPLAY is set and
// SDL's video starts.
bool SdlDisplayAvailable();

} // namespace platform
