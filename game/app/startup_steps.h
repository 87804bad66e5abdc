#pragma once
// What the game's later subsystems (board, effects, meta-game, profiles)
// add to the application's start-up and loading. The application calls
// these at their places in its load; the program fills them, since only it
// sees every subsystem. An empty step is skipped.

#include <functional>
#include <string>
#include <vector>

namespace Game {

class GameApp;
class GameDialog;

struct StartupSteps {
    using Step = std::function<void()>;
    using ScreenMaker = std::function<void(GameApp&)>;

    // On the main thread after the logos, before the game's own text tables
    // (stage, trajectory and board-layout tables).
    std::vector<Step> mStartupLoads;
    // On the loading thread once the resource groups are loaded: the
    // catalogues, each followed by what binds their pictures.
    std::vector<Step> mCatalogueLoads;
    // On the loading thread after the catalogues: each fills its screen
    // slots of the application (sized to the game area by the application).
    std::vector<ScreenMaker> mScreenMakers;
    // On the main thread when loading has completed.
    Step mRegisterGoals;

    // The title screen and the user profiles.
    std::function<GameDialog*(GameApp&)> mMakeTitleScreen;
    // Shows the title screen's "Continue".
    std::function<void(GameDialog&)> mSetTitleLoaded;
    // Reads the users file at that path (loading thread).
    std::function<void(const std::string&)> mLoadUsers;
    // At shutdown: closes an open tip window, marking it seen.
    Step mCloseTip;
    // Darkens the board screen while the window has lost the focus.
    std::function<void(GameDialog&)> mShadeBoard;
    // The options dialog the in-game menu opens; null when none exists.
    std::function<GameDialog*()> mMakeOptionsDialog;
};

} // namespace Game
