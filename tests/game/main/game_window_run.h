#pragma once
// The scripted game run in a real window: the drivers the program picks with
// a display (the SDL ones), installed over the headless fixture as main()
// installs them, the program's services (the crash catcher among them), and
// the SDL window under the game's main window. Skips without a display.

#include "game/main/program_services.h"
#include "platform/drivers.h"
#include "platform/sdl/sdl_session.h"
#include "platform/sdl/sdl_video_driver.h"
#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace Game {

class GameWindowRunTest : public ScriptedGameRunTest {
protected:
    void SetUp() override {
        if (!platform::SdlDisplayAvailable())
            GTEST_SKIP() << "no display for SDL windows; run under xvfb-run";
        platform::Drivers drivers;
        std::string error;
        ASSERT_TRUE(platform::SelectDrivers(platform::DefaultDriverNames(), drivers, error)) << error;
        mVideo = std::dynamic_pointer_cast<platform::SdlVideoDriver>(drivers.video);
        ASSERT_NE(mVideo, nullptr) << "the program would not run on the SDL video driver here";
        ASSERT_TRUE(mVideo->Started()) << mVideo->Error();
        mInstalled = std::make_unique<platform::InstalledDrivers>(drivers);
    }
    void TearDown() override {
        // The windows go while the SDL drivers are installed.
        EndProgram();
        mInstalled.reset();
        mVideo.reset();
    }

    SDL_Window* Window() { return mVideo->SdlWindowOf(App().mHWnd); }

    // Steps until `done`, with a little real time for the X server's
    // events to reach SDL's connection.
    template <typename Done>
    bool StepWithServer(Done done, int limit) {
        for (int i = 0; i < limit && !done() && !App().mShutdown; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            Step();
        }
        return done();
    }

    ProgramServices mServices;
    std::shared_ptr<platform::SdlVideoDriver> mVideo;
    std::unique_ptr<platform::InstalledDrivers> mInstalled;
};

} // namespace Game
