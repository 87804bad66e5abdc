#include "game/main/room_screens.h"

#include "game/app/game_app.h"
#include "game/app/startup_steps.h"
#include "game/meta/room_screen.h"

namespace Game {

void RegisterRoomScreen(StartupSteps& steps) {
    // The application owns the screen from here on.
    steps.mScreenMakers.push_back([](GameApp& app) {
        if (app.mRoomScreen == nullptr)
            app.mRoomScreen = new RoomScreen();
    });
}

} // namespace Game
