#include "platform/headless/headless_platform.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/text_encoding.h"
#include "platform/window.h"

namespace platform {

std::string HeadlessPlatform::MakeFolder() {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        base = "/tmp";
    std::string pattern = (base / "kavo-headless-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder in " + base.string());
    std::filesystem::create_directories(pattern + "/user-data", ec);
    std::filesystem::create_directories(pattern + "/config", ec);
    return pattern;
}

HeadlessPlatform::HeadlessPlatform(std::uint64_t startMilliseconds)
    : mFolder(MakeFolder()), mClock(std::make_shared<VirtualClock>(startMilliseconds)),
      mVideo(std::make_shared<HeadlessVideoDriver>()), mAudio(std::make_shared<HeadlessAudioDriver>()),
      mDesktop(std::make_shared<HeadlessDesktopServices>()), mInstalledClock(ClockSlot(), mClock),
      mInstalledRegistry(RegistryStoreSlot(), NewRegistryStore()),
      mInstalledFolders(UserFoldersSlot(),
                        std::make_shared<UserFolders>(UserFolders{Utf8ToCp1251(UserDataFolder()), ConfigFolder()})),
      mInstalledDrivers(Drivers{mVideo, mAudio, mDesktop}) {
    ResetWindowSystem();
}

HeadlessPlatform::~HeadlessPlatform() {
    ResetWindowSystem();
    std::error_code ec;
    std::filesystem::remove_all(mFolder, ec);
}

} // namespace platform
