#pragma once
// The board screen of the run: made into the application's board slot by
// the loading thread, with the bonus list, the stage goals and the board
// inside the profiles installed for as long as this object lives.

#include <memory>

#include "game/app/startup_steps.h"
#include "game/board/stage_goals.h"

namespace Game {

class BoardScreenSetup {
public:
    BoardScreenSetup();
    ~BoardScreenSetup();
    BoardScreenSetup(const BoardScreenSetup&) = delete;
    BoardScreenSetup& operator=(const BoardScreenSetup&) = delete;

    // Adds the screen's maker and the pause hook; `goals` are the
    // application's stage-goal counters, reset at every stage start.
    void Register(StartupSteps& steps, StageGoalSlots* goals);

private:
    struct Installed;
    std::unique_ptr<Installed> mInstalled;
};

} // namespace Game
