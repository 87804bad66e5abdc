// kavo-game: the game. It runs from its own folder, which holds "main.pak"
// and the sound folders; with a display it opens its window, without one it
// runs headless until loading has finished and says so.

#include <cstdio>
#include <string>

#include "framework/pak/pak_interface.h"
#include "framework/resource/resource_manager.h"
#include "game/app/game_app.h"
#include "game/main/board_screen_setup.h"
#include "game/main/game_tables.h"
#include "game/main/program_services.h"
#include "game/main/program_sound.h"
#include "platform/drivers.h"
#include "platform/file_system.h"
#include "platform/process_slot.h"
#include "platform/text_encoding.h"

namespace {

// Without a display nobody can play: the run ends once loading is done.
class HeadlessGame : public Game::GameApp {
public:
    using GameApp::GameApp;
    void LoadingThreadCompleted() override {
        GameApp::LoadingThreadCompleted();
        if (mLoadingFailed)
            std::printf("Loading finished with a resource error: %s\nThe headless run ends here.\n",
                        mResourceManager->GetErrorText().c_str());
        else
            std::printf("Loading finished (the title screen shows \"Continue\"); the headless run ends here.\n");
        CloseApp();
    }
};

} // namespace

int main(int argc, char** argv) {
    Game::ProgramServices services;
    platform::Drivers drivers;
    std::string error;
    if (!platform::SelectDrivers(platform::DefaultDriverNames(), drivers, error)) {
        std::fprintf(stderr, "kavo-game: %s\n", error.c_str());
        return 1;
    }
    const platform::InstalledDrivers installedDrivers(drivers);
    const bool headless = std::string(drivers.video->Name()) == "headless";

    // The program's folder is where its data lies.
    const std::string folder = platform::GetExecutableFolder();
    platform::SetCurrentFolder(folder);
    const platform::Installed<Kavo::PakInterfaceBase> reader(Kavo::PakReaderSlot(), *Kavo::gPakInterface);
    const Game::ProgramSound sound;

    Game::GameTables tables;
    Game::BoardScreenSetup boardScreen;
    std::unique_ptr<Game::GameApp> app =
        headless ? std::make_unique<HeadlessGame>(folder) : std::make_unique<Game::GameApp>(folder);
    tables.Register(app->mSteps);
    boardScreen.Register(app->mSteps, tables.Goals());
    app->SetCommandLine(argc, argv);
    services.CloseOnTermination(app.get());
    if (headless)
        std::printf("No display: running headless, without a window, until the game has loaded.\n");
    else
        std::printf("%s: a %dx%d window on the %s drivers\n", platform::Cp1251ToUtf8(app->mTitle).c_str(),
                    app->GetWidth(), app->GetHeight(), drivers.video->Name());
    app->Initialize();
    app->Run();
    const bool failed = app->mLoadingFailed || app->mDemoFailed;
    services.CloseOnTermination(nullptr);
    app.reset();
    return failed ? 1 : 0;
}
