#pragma once
// The main menu and the three comics scenes, made into the application's
// slots by the loading thread.

#include "game/app/startup_steps.h"

namespace Game {

void RegisterMenuScreens(StartupSteps& steps);

} // namespace Game
