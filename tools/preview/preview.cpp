// kavo-preview: a small application on the framework that opens a window
// and shows a sample board from "main.pak", animated by the main loop, until
// Escape or the close button; Alt+Enter toggles full screen. Without a
// display it draws one frame headless and writes it as a PNG. Run with
// --help for the options.

#include <cstdio>
#include <filesystem>
#include <string>

#include "framework/pak/pak_interface.h"
#include "platform/clock.h"
#include "platform/drivers.h"
#include "platform/file_system.h"
#include "platform/process_slot.h"
#include "platform/registry.h"
#include "platform/text_encoding.h"
#include "tools/preview/preview_app.h"
#include "tools/preview/preview_options.h"

namespace {

void PrintStatistics(const Kavo::KavoAppBase& app, uint32_t elapsedMs) {
    const int32_t draws = app.mDrawCount.load();
    const int32_t busyMs = app.mDrawTime + app.mScreenBltTime;
    std::printf("Loop statistics: %.2f s, %d updates, %d draws, %d sleeps, drawing %d ms, presenting %d ms",
                elapsedMs * 0.001, app.mUpdateCount, draws, app.mSleepCount, app.mDrawTime, app.mScreenBltTime);
    if (busyMs > 0)
        std::printf(", %d frames a second of drawing time", draws * 1000 / busyMs);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    using namespace Kavo;
    const std::string startFolder = platform::GetCurrentFolder();
    PreviewOptions options;
    std::string error;
    switch (ParsePreviewOptions(argc, argv, startFolder, options, error)) {
    case PreviewCommand::Help:
        std::fputs(PreviewUsage().c_str(), stdout);
        return 0;
    case PreviewCommand::Error:
        std::fprintf(stderr, "kavo-preview: %s\n\n%s", error.c_str(), PreviewUsage().c_str());
        return 2;
    case PreviewCommand::Run:
        break;
    }

    platform::Drivers drivers;
    if (!platform::SelectDrivers(platform::DefaultDriverNames(), drivers, error)) {
        std::fprintf(stderr, "kavo-preview: %s\n", error.c_str());
        return 1;
    }
    const platform::InstalledDrivers installedDrivers(drivers);
    const bool headless = std::string(drivers.video->Name()) == "headless";
    std::string status;
    if (headless) {
        std::printf("No display: running headless, one frame drawn into a picture and no window.\n");
        if (options.frames == 0)
            options.frames = 1;
        status = "Drawn headless: bitmap font above, system font here.";
    } else {
        status = "Escape or closing the window ends; Alt+Enter toggles full screen.";
    }
    if (options.out.empty() && options.frames > 0)
        options.out = (std::filesystem::path(startFolder) / "preview.png").lexically_normal().string();

    // The preview keeps no settings: a store in memory, not the user's file.
    const platform::Installed<platform::RegistryStore> settings(platform::RegistryStoreSlot(),
                                                                platform::NewRegistryStore());
    const platform::Installed<PakInterfaceBase> reader(PakReaderSlot(), *gPakInterface);
    if (!gPakInterface->MountArchive(options.pak)) {
        std::fprintf(stderr, "kavo-preview: cannot mount %s\n", options.pak.c_str());
        return 1;
    }

    PreviewApp app(options, status);
    app.Initialize();
    if (!headless)
        std::printf("%s: a %dx%d window on the %s drivers\n", platform::Cp1251ToUtf8(app.mTitle).c_str(),
                    app.GetWidth(), app.GetHeight(), drivers.video->Name());
    const uint32_t start = platform::GetTickMs();
    app.Run();
    PrintStatistics(app, platform::GetTickMs() - start);

    int code = 0;
    if (!app.MissingArt().empty()) {
        std::fprintf(stderr, "kavo-preview: cannot load %s\n", app.MissingArt().c_str());
        code = 1;
    }
    if (!app.Failure().empty()) {
        std::fprintf(stderr, "kavo-preview: %s\n", app.Failure().c_str());
        return 1;
    }
    if (!app.Written().empty())
        std::printf("Wrote %s (%zu of %zu pictures from %s)\n", app.Written().c_str(), app.Art().Loaded(),
                    app.Art().Named(), options.pak.c_str());
    return code;
}
