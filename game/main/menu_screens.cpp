#include "game/main/menu_screens.h"

#include "game/app/game_app.h"
#include "game/meta/comics_scene.h"
#include "game/meta/main_menu_screen.h"

namespace Game {

void RegisterMenuScreens(StartupSteps& steps) {
    steps.mScreenMakers.push_back([](GameApp& app) {
        app.mMainMenuScreen = new MainMenuScreen(&app);
        app.mComicsScene1 = new ComicsScene1();
        app.mComicsScene2 = new ComicsScene2();
        app.mComicsScene3 = new ComicsScene3();
    });
}

} // namespace Game
