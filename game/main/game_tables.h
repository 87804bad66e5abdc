#pragma once
// The tables of the board, the effects and the meta-game for one run: each
// installed in its slot while this object lives, and loaded at its place in
// the application's start-up and loading steps.

#include <memory>

#include "game/app/startup_steps.h"
#include "game/board/stage_goals.h"

namespace Game {

class GameTables {
public:
    GameTables();
    ~GameTables();
    GameTables(const GameTables&) = delete;
    GameTables& operator=(const GameTables&) = delete;

    // Adds the loads of these tables to the application's steps.
    void Register(StartupSteps& steps);
    // The stage-goal counters the board screen feeds.
    StageGoalSlots* Goals();

private:
    struct Installed;
    std::unique_ptr<Installed> mInstalled;
};

} // namespace Game
