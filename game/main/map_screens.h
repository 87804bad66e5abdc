#pragma once
// The map between stages, made into the application's slot by the loading
// thread.

#include "game/app/startup_steps.h"

namespace Game {

void RegisterMapScreen(StartupSteps& steps);

} // namespace Game
