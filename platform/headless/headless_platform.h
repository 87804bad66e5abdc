#pragma once
// A fresh platform for a test, installed for the lifetime of this object:
// a virtual clock, an empty in-memory registry store, a temporary folder
// that stands in for the user-data and configuration folders, and the
// headless video, audio and desktop drivers. The window system is reset on
// the way in and on the way out (no window outlives the drivers it was
// mirrored to). The destructor puts back whatever was installed before and
// removes the temporary folder.

#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/drivers.h"
#include "platform/file_system.h"
#include "platform/headless/headless_audio_driver.h"
#include "platform/headless/headless_desktop_services.h"
#include "platform/headless/headless_video_driver.h"
#include "platform/process_slot.h"
#include "platform/registry.h"

namespace platform {

class HeadlessPlatform {
public:
    explicit HeadlessPlatform(std::uint64_t startMilliseconds = 0);
    ~HeadlessPlatform();
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    VirtualClock& Clock() { return *mClock; }
    HeadlessVideoDriver& Video() { return *mVideo; }
    HeadlessAudioDriver& Audio() { return *mAudio; }
    HeadlessDesktopServices& Desktop() { return *mDesktop; }
    // The temporary folder (disk path) and the two folders inside it that
    // GetUserDataRoot and GetConfigFolder return while installed.
    const std::string& Folder() const { return mFolder; }
    std::string UserDataFolder() const { return mFolder + "/user-data"; }
    std::string ConfigFolder() const { return mFolder + "/config"; }

private:
    static std::string MakeFolder();

    std::string mFolder;
    std::shared_ptr<VirtualClock> mClock;
    std::shared_ptr<HeadlessVideoDriver> mVideo;
    std::shared_ptr<HeadlessAudioDriver> mAudio;
    std::shared_ptr<HeadlessDesktopServices> mDesktop;
    Installed<platform::Clock> mInstalledClock;
    Installed<RegistryStore> mInstalledRegistry;
    Installed<UserFolders> mInstalledFolders;
    InstalledDrivers mInstalledDrivers;
};

} // namespace platform
