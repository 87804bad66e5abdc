#include "game/main/map_screens.h"

#include "game/app/game_app.h"
#include "game/meta/map_screen.h"

namespace Game {

void RegisterMapScreen(StartupSteps& steps) {
    steps.mScreenMakers.push_back([](GameApp& app) { app.mMapScreen = new MapScreen(); });
}

} // namespace Game
