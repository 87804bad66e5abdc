#include "game/main/game_tables.h"

#include <string>

#include "game/app/game_app.h"
#include "game/board/bevels.h"
#include "game/board/board_defs.h"
#include "game/board/comments.h"
#include "game/board/item_catalog.h"
#include "game/board/stage_goals.h"
#include "game/board/stages.h"
#include "game/effects/particle_rect_counter.h"
#include "game/effects/trajectories.h"
#include "game/main/bonus_screens.h"
#include "game/main/map_screens.h"
#include "game/main/menu_screens.h"
#include "game/main/puzzle_loading.h"
#include "game/main/room_screens.h"
#include "game/main/secret_map_loading.h"
#include "game/meta/menu_catalog.h"
#include "game/meta/shop_catalog.h"
#include "game/ui/ini_document.h"
#include "platform/process_slot.h"

namespace Game {

struct GameTables::Installed {
    std::shared_ptr<BoardDefs> mBoards = std::make_shared<BoardDefs>();
    std::shared_ptr<ItemCatalog> mItems = std::make_shared<ItemCatalog>();
    std::shared_ptr<Trajectories> mTrajectories = std::make_shared<Trajectories>();
    std::shared_ptr<MenuCatalog> mMenus = std::make_shared<MenuCatalog>();
    std::shared_ptr<ShopCatalog> mShops = std::make_shared<ShopCatalog>();
    std::shared_ptr<Stages> mStages = std::make_shared<Stages>();
    std::shared_ptr<Bevels> mBevels = std::make_shared<Bevels>();
    std::shared_ptr<Comments> mComments = std::make_shared<Comments>();
    StageGoalSlots mGoals;
    PuzzleLoading mPuzzles;
    SecretMapLoading mSecretMaps;
    platform::Installed<BoardDefs> mBoardsSlot{BoardDefsSlot(), mBoards};
    platform::Installed<ItemCatalog> mItemsSlot{ItemCatalogSlot(), mItems};
    platform::Installed<Trajectories> mTrajectoriesSlot{TrajectoriesSlot(), mTrajectories};
    platform::Installed<MenuCatalog> mMenusSlot{MenuCatalogSlot(), mMenus};
    platform::Installed<ShopCatalog> mShopsSlot{ShopCatalogSlot(), mShops};
    platform::Installed<Stages> mStagesSlot{StagesSlot(), mStages};
    platform::Installed<Bevels> mBevelsSlot{BevelsSlot(), mBevels};
    platform::Installed<Comments> mCommentsSlot{CommentsSlot(), mComments};
    platform::Installed<ParticleRectCounter> mRectCounter{ParticleRectCounterSlot(),
                                                          std::make_shared<ParticleRectCounter>()};
};

GameTables::GameTables() : mInstalled(std::make_unique<Installed>()) {}

GameTables::~GameTables() = default;

StageGoalSlots* GameTables::Goals() {
    return &mInstalled->mGoals;
}

void GameTables::Register(StartupSteps& steps) {
    Installed& t = *mInstalled;
    // A missing file leaves its table empty; the start goes on.
    steps.mStartupLoads.push_back([&t] { t.mTrajectories->Load("data/Trajectories.dat", true); });
    steps.mStartupLoads.push_back([&t] { t.mBoards->Load("data/boards.dat"); });
    steps.mStartupLoads.push_back([&t] {
        IniDocument stages;
        stages.Load("data/stages.txt", true);
        t.mStages->LoadDocument(stages);
    });
    // The bevels before the items, as the board's frame needs them first.
    steps.mCatalogueLoads.push_back([&t] {
        LoadBevels("data/bevels.txt", *t.mBevels);
        LoadComments("data/comments.txt", *t.mComments);
    });
    steps.mCatalogueLoads.push_back([&t] { t.mItems->Load("data/items.txt"); });
    t.mPuzzles.Register(steps);
    t.mSecretMaps.Register(steps);
    steps.mCatalogueLoads.push_back([&t] {
        for (int i = 1; i <= 3; ++i)
            t.mShops->Load("data/shop." + std::to_string(i));
        for (int i = 1; i <= 3; ++i)
            t.mMenus->Load("data/menu." + std::to_string(i));
        t.mShops->BindImages();
        t.mMenus->BindImages();
    });
    RegisterMenuScreens(steps);
    RegisterBonusScreens(steps);
    RegisterRoomScreen(steps);
    RegisterMapScreen(steps);
    // The goal counters, rated against the settings' "Rewards".
    steps.mRegisterGoals = [&t] {
        if (GameApp* app = gGameApp)
            StageGoals::Register(t.mGoals, app->mSettings);
    };
}

} // namespace Game
