#include "game/main/bonus_screens.h"

#include "game/app/game_app.h"
#include "game/bonus/reward_dialog.h"

namespace Game {

void RegisterBonusScreens(StartupSteps& steps) {
    // The application owns the screens of its slots and deletes them.
    steps.mScreenMakers.push_back([](GameApp& app) {
        if (app.mRewardDialog == nullptr)
            app.mRewardDialog = new RewardDialog();
    });
}

} // namespace Game
