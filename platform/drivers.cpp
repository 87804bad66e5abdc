#include "platform/drivers.h"

#include <cstdlib>
#include <functional>

#include "platform/headless/headless_audio_driver.h"
#include "platform/headless/headless_desktop_services.h"
#include "platform/headless/headless_video_driver.h"
#include "platform/sdl/sdl_audio_driver.h"
#include "platform/sdl/sdl_desktop_services.h"
#include "platform/sdl/sdl_dialog_presenter.h"
#include "platform/sdl/sdl_session.h"
#include "platform/sdl/sdl_video_driver.h"

namespace platform {
namespace {

template <typename T>
struct Factory {
    const char* name;
    // Null, with the reason in `error`, when the driver cannot start.
    std::function<std::shared_ptr<T>(std::string& error)> make;
};

template <typename T, typename Headless, typename Sdl>
const std::vector<Factory<T>>& Factories() {
    static const std::vector<Factory<T>> factories = {
        {"headless", [](std::string&) { return std::make_shared<Headless>(); }},
        {"sdl",
         [](std::string& error) -> std::shared_ptr<T> {
             auto driver = std::make_shared<Sdl>();
             if constexpr (requires { driver->Started(); }) {
                 if (!driver->Started()) {
                     error = "the sdl driver cannot start: " + driver->Error();
                     return nullptr;
                 }
             }
             return driver;
         }},
    };
    return factories;
}

const auto& VideoFactories() {
    return Factories<VideoDriver, HeadlessVideoDriver, SdlVideoDriver>();
}
// Without a sound device the sdl audio driver still starts: its Open fails
// and the program goes on silently.
const auto& AudioFactories() {
    return Factories<AudioDriver, HeadlessAudioDriver, SdlAudioDriver>();
}
const auto& DesktopFactories() {
    return Factories<DesktopServices, HeadlessDesktopServices, SdlDesktopServices>();
}

template <typename T>
std::vector<std::string> Names(const std::vector<Factory<T>>& factories) {
    std::vector<std::string> names;
    for (const auto& factory : factories)
        names.emplace_back(factory.name);
    return names;
}

template <typename T>
bool Make(const char* kind, const char* variable, std::string name, const std::vector<Factory<T>>& factories,
          std::shared_ptr<T>& out, std::string& error) {
    if (const char* chosen = std::getenv(variable); chosen && *chosen)
        name = chosen;
    if (name.empty())
        name = "headless";
    for (const auto& factory : factories) {
        if (name == factory.name) {
            std::string reason;
            out = factory.make(reason);
            if (!out && error.empty())
                error = std::string(kind) + " driver \"" + name + "\": " + reason;
            return out != nullptr;
        }
    }
    if (error.empty()) {
        error = std::string("unknown ") + kind + " driver \"" + name + "\" (known:";
        for (const auto& known : Names(factories))
            error += " " + known;
        error += ")";
    }
    return false;
}

// The stand-ins reached when nothing is installed; they live to the end of
// the process so that a late call during shutdown still finds one.
template <typename T, typename Headless>
std::shared_ptr<T> InstalledOrStandIn(ProcessSlot<T>& slot) {
    if (auto installed = slot.Get())
        return installed;
    static const auto* standIn = new std::shared_ptr<T>(std::make_shared<Headless>());
    return *standIn;
}

} // namespace

ProcessSlot<VideoDriver>& VideoDriverSlot() {
    static ProcessSlot<VideoDriver> slot;
    return slot;
}

ProcessSlot<AudioDriver>& AudioDriverSlot() {
    static ProcessSlot<AudioDriver> slot;
    return slot;
}

ProcessSlot<DesktopServices>& DesktopServicesSlot() {
    static ProcessSlot<DesktopServices> slot;
    return slot;
}

std::shared_ptr<VideoDriver> GetVideoDriver() {
    return InstalledOrStandIn<VideoDriver, HeadlessVideoDriver>(VideoDriverSlot());
}

std::shared_ptr<AudioDriver> GetAudioDriver() {
    return InstalledOrStandIn<AudioDriver, HeadlessAudioDriver>(AudioDriverSlot());
}

std::shared_ptr<DesktopServices> GetDesktopServices() {
    return InstalledOrStandIn<DesktopServices, HeadlessDesktopServices>(DesktopServicesSlot());
}

std::vector<std::string> KnownVideoDrivers() {
    return Names(VideoFactories());
}

std::vector<std::string> KnownAudioDrivers() {
    return Names(AudioFactories());
}

std::vector<std::string> KnownDesktopDrivers() {
    return Names(DesktopFactories());
}

DriverNames DefaultDriverNames() {
    if (SdlDisplayAvailable())
        return {"sdl", "sdl", "sdl"};
    return {"headless", "headless", "headless"};
}

bool SelectDrivers(const DriverNames& wanted, Drivers& out, std::string& error) {
    error.clear();
    Drivers made;
    bool ok = Make("video", "KAVO_VIDEO_DRIVER", wanted.video, VideoFactories(), made.video, error);
    ok = Make("audio", "KAVO_AUDIO_DRIVER", wanted.audio, AudioFactories(), made.audio, error) && ok;
    ok = Make("desktop", "KAVO_DESKTOP_DRIVER", wanted.desktop, DesktopFactories(), made.desktop, error) && ok;
    if (ok)
        out = std::move(made);
    return ok;
}

InstalledDrivers::InstalledDrivers(const Drivers& drivers)
    : mVideo(VideoDriverSlot(), drivers.video ? drivers.video : VideoDriverSlot().Get()),
      mAudio(AudioDriverSlot(), drivers.audio ? drivers.audio : AudioDriverSlot().Get()),
      mDesktop(DesktopServicesSlot(), drivers.desktop ? drivers.desktop : DesktopServicesSlot().Get()),
      mDialogs(DialogPresenterSlot(), dynamic_cast<SdlDesktopServices*>(drivers.desktop.get()) != nullptr
                                          ? std::make_shared<SdlDialogPresenter>()
                                          : DialogPresenterSlot().Get()) {}

} // namespace platform
