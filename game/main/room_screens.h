#pragma once
// The room screen among the screens the loading thread makes.

namespace Game {

struct StartupSteps;

void RegisterRoomScreen(StartupSteps& steps);

} // namespace Game
