#pragma once
// The bonus subsystem's part of the loading: the reward dialog that the main
// menu switches to.

#include "game/app/startup_steps.h"

namespace Game {

void RegisterBonusScreens(StartupSteps& steps);

} // namespace Game
