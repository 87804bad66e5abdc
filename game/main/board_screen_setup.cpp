#include "game/main/board_screen_setup.h"

#include <optional>

#include "game/app/game_app.h"
#include "game/board/board_profile_adapter.h"
#include "game/board/bonus.h"
#include "game/board/bonus_profile_adapter.h"
#include "game/board/bonus_registry.h"
#include "game/bonus/bonus_unlock_dialog.h"
#include "game/bonus/game_bonuses.h"
#include "game/meta/puzzle_dialog.h"
#include "game/meta/secret_dialog.h"
#include "game/meta/secret_maps.h"
#include "game/screens/board_screen.h"
#include "game/screens/board_stage_complete.h"
#include "game/screens/stage_table_goals.h"
#include "platform/process_slot.h"

namespace Game {

namespace {

static_assert(BoardScreen::kBonusUnlockDialog == BonusUnlockDialog::kDialogId,
              "the board screen answers the bonus notice by its id");

const SecretMapEntry* SecretMap(int mapIndex) {
    const auto maps = SecretMapsSlot().Get();
    return maps != nullptr ? maps->Get(mapIndex) : nullptr;
}

} // namespace

struct BoardScreenSetup::Installed {
    platform::Installed<BonusRegistry> mBonuses{BonusRegistrySlot(), std::make_shared<BonusRegistry>()};
    platform::Installed<ProfileBonuses> mBonusBlocks{ProfileBonusesSlot(), std::make_shared<BonusProfileAdapter>()};
    platform::Installed<StageGoalTable> mStageGoals{StageGoalTableSlot(), std::make_shared<StageTableGoals>()};
    // The board's block once the screen exists.
    std::optional<platform::Installed<ProfileBoard>> mBoardBlock;
};

BoardScreenSetup::BoardScreenSetup() : mInstalled(std::make_unique<Installed>()) {}

BoardScreenSetup::~BoardScreenSetup() = default;

void BoardScreenSetup::Register(StartupSteps& steps, StageGoalSlots* goals) {
    Installed& installed = *mInstalled;
    steps.mScreenMakers.push_back([&installed, goals](GameApp& app) {
        BoardScreenHooks hooks;
        hooks.mGoals = goals;
        hooks.mMakeBonuses = [&app](BonusRegistry& registry) { CreateGameBonuses(registry, &app.mSettings); };
        hooks.mMakeBonusUnlockDialog = [&app](int index) -> GameDialog* {
            auto* dialog = new BonusUnlockDialog();
            dialog->SetBonus(CreateGameBonus(index, &app.mSettings));
            return dialog;
        };
        hooks.mSecretMapName = [](int mapIndex) {
            const SecretMapEntry* entry = SecretMap(mapIndex);
            return entry != nullptr ? entry->mRecipe : std::string();
        };
        hooks.mMakeSecretDialog = [](int piecesFound, int mapIndex, float x, float y) -> GameDialog* {
            const SecretMapEntry* entry = SecretMap(mapIndex);
            return new SecretDialog(piecesFound, entry != nullptr ? entry->mName : std::string(), x, y);
        };
        hooks.mMakePuzzleDialog = [](int mapIndex) -> GameDialog* {
            auto* puzzle = new PuzzleDialog();
            puzzle->Start(SecretMap(mapIndex), true);
            return puzzle;
        };
        // The stage-complete screen reads the board through one view kept
        // with the hook.
        hooks.mMakeStageComplete =
            [view = std::shared_ptr<BoardStageCompleteView>()](BoardScreen& board) mutable -> GameDialog* {
            if (view == nullptr)
                view = std::make_shared<BoardStageCompleteView>(board);
            return MakeStageCompleteScreen(board, *view);
        };
        hooks.mStageCompleteAskedForRoom = StageCompleteAskedForRoom;
        auto* screen = new BoardScreen(std::move(hooks));
        app.mBoardScreen = screen;
        installed.mBoardBlock.emplace(ProfileBoardSlot(), std::make_shared<BoardProfileAdapter>(screen->mBoard));
    });
    steps.mShadeBoard = [](GameDialog& board) {
        if (auto* screen = dynamic_cast<BoardScreen*>(&board))
            screen->SetShaded(true);
    };
}

} // namespace Game
