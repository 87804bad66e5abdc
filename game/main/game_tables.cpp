#include "game/main/game_tables.h"

#include <string>

namespace Game {

void GameTables::Register(StartupSteps& steps) {
    // A missing file leaves its table empty; the start goes on.
    steps.mStartupLoads.push_back([this] { mTrajectories->Load("data/Trajectories.dat", true); });
    steps.mStartupLoads.push_back([this] { mBoards->Load("data/boards.dat"); });
    steps.mCatalogueLoads.push_back([this] { mItems->Load("data/items.txt"); });
    steps.mCatalogueLoads.push_back([this] {
        for (int i = 1; i <= 3; ++i)
            mShops->Load("data/shop." + std::to_string(i));
        for (int i = 1; i <= 3; ++i)
            mMenus->Load("data/menu." + std::to_string(i));
        mShops->BindImages();
        mMenus->BindImages();
    });
}

} // namespace Game
