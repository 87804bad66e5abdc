#pragma once
// The tables of the board, the effects and the meta-game for one run: each
// installed in its slot while this object lives, and loaded at its place in
// the application's start-up and loading steps.

#include <memory>

#include "game/app/startup_steps.h"
#include "game/board/board_defs.h"
#include "game/board/item_catalog.h"
#include "game/effects/particle_rect_counter.h"
#include "game/effects/trajectories.h"
#include "game/meta/menu_catalog.h"
#include "game/meta/shop_catalog.h"
#include "platform/process_slot.h"

namespace Game {

class GameTables {
public:
    // Adds the loads of these tables to the application's steps.
    void Register(StartupSteps& steps);

    BoardDefs& Boards() { return *mBoards; }
    ItemCatalog& Items() { return *mItems; }
    Trajectories& Paths() { return *mTrajectories; }
    MenuCatalog& Menus() { return *mMenus; }
    ShopCatalog& Shops() { return *mShops; }

private:
    std::shared_ptr<BoardDefs> mBoards = std::make_shared<BoardDefs>();
    std::shared_ptr<ItemCatalog> mItems = std::make_shared<ItemCatalog>();
    std::shared_ptr<Trajectories> mTrajectories = std::make_shared<Trajectories>();
    std::shared_ptr<MenuCatalog> mMenus = std::make_shared<MenuCatalog>();
    std::shared_ptr<ShopCatalog> mShops = std::make_shared<ShopCatalog>();
    platform::Installed<BoardDefs> mBoardsSlot{BoardDefsSlot(), mBoards};
    platform::Installed<ItemCatalog> mItemsSlot{ItemCatalogSlot(), mItems};
    platform::Installed<Trajectories> mTrajectoriesSlot{TrajectoriesSlot(), mTrajectories};
    platform::Installed<MenuCatalog> mMenusSlot{MenuCatalogSlot(), mMenus};
    platform::Installed<ShopCatalog> mShopsSlot{ShopCatalogSlot(), mShops};
    platform::Installed<ParticleRectCounter> mRectCounter{ParticleRectCounterSlot(),
                                                          std::make_shared<ParticleRectCounter>()};
};

} // namespace Game
