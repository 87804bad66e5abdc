#pragma once
// The drivers in use: one video driver, one audio driver and one set of
// desktop services per process, each in its own ProcessSlot.
//
// The application picks them by name at start-up with SelectDrivers and
// keeps an InstalledDrivers for its lifetime; tests install headless ones
// (platform/headless/headless_platform.h). A caller holds the shared_ptr it
// got for the length of its call, so a driver swapped out meanwhile stays
// alive until that call returns. With nothing installed, the calls reach a
// headless driver kept for that purpose, so that nothing is shown, played
// or opened by accident.

#include <memory>
#include <string>
#include <vector>

#include "platform/audio_driver.h"
#include "platform/desktop_services.h"
#include "platform/dialog_presenter.h"
#include "platform/process_slot.h"
#include "platform/video_driver.h"

namespace platform {

ProcessSlot<VideoDriver>& VideoDriverSlot();
ProcessSlot<AudioDriver>& AudioDriverSlot();
ProcessSlot<DesktopServices>& DesktopServicesSlot();

// The installed driver, or the headless stand-in; never null.
std::shared_ptr<VideoDriver> GetVideoDriver();
std::shared_ptr<AudioDriver> GetAudioDriver();
std::shared_ptr<DesktopServices> GetDesktopServices();

// Driver names per kind; an empty name means "headless".
struct DriverNames {
    std::string video;
    std::string audio;
    std::string desktop;
};

struct Drivers {
    std::shared_ptr<VideoDriver> video;
    std::shared_ptr<AudioDriver> audio;
    std::shared_ptr<DesktopServices> desktop;
};

// The names SelectDrivers knows for each kind.
std::vector<std::string> KnownVideoDrivers();
std::vector<std::string> KnownAudioDrivers();
std::vector<std::string> KnownDesktopDrivers();

// The drivers to ask for when the user names none: "sdl" for all three
// when a display is available (DISPLAY or WAYLAND_DISPLAY set and SDL's
// video starts), "headless" otherwise. The environment variables below
// still force either.
DriverNames DefaultDriverNames();

// Makes the drivers named, each name replaced by the environment variable
// KAVO_VIDEO_DRIVER, KAVO_AUDIO_DRIVER or KAVO_DESKTOP_DRIVER when that is
// set and not empty. An unknown name fails with a message that names the
// kind, the name and the names known, and a driver that cannot start (the
// sdl video driver without a display) fails with its reason; `out` is then
// left as it was.
bool SelectDrivers(const DriverNames& wanted, Drivers& out, std::string& error);

// Installs all three for its lifetime (a null member leaves that slot as it is).
class InstalledDrivers {
public:
    explicit InstalledDrivers(const Drivers& drivers);
    InstalledDrivers(const InstalledDrivers&) = delete;
    InstalledDrivers& operator=(const InstalledDrivers&) = delete;

private:
    Installed<VideoDriver> mVideo;
    Installed<AudioDriver> mAudio;
    Installed<DesktopServices> mDesktop;
    // The desktop's dialogs go with its services (SDL's with SDL's); other
    // desktops keep the presenter installed before.
    Installed<DialogPresenter> mDialogs;
};

} // namespace platform
