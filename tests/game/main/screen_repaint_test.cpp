// Every screen the game runs is painted again after each update: the
// board while its items fall and swap, the stage-complete screen, the
// picture puzzle, the room and the reward screen, each built as the
// program builds it and run by the application's own loop.
#include "framework/widget/widget_manager.h"
#include "game/meta/puzzle_dialog.h"
#include "game/meta/secret_maps.h"
#include "game/screens/board_stage_complete.h"
#include "tests/game/main/new_player_run.h"

#include <gtest/gtest.h>

#include <string>

namespace Game {
namespace {

class ScreenRepaintTest : public NewPlayerRunTest {
protected:
    // Lets the loop draw what the last update dirtied, then clears the
    // screen's mark, so that only the next update can set it again.
    void DrawAndClear(Kavo::Widget& screen) {
        for (int i = 0; i < 100 && App().mHasPendingDraw && !App().mShutdown; ++i) {
            const int32_t before = App().mUpdateCount;
            App().RunLoopStep(nullptr);
            if (App().mUpdateCount != before)
                break;
        }
        screen.mDirty = false;
    }
    // `updates` updates of a screen in the widget manager, each of which
    // must leave it marked for the next draw; `each` runs before each.
    template <typename Each>
    void ExpectRepaintedEachUpdate(Kavo::Widget& screen, const std::string& name, int updates, Each each) {
        ASSERT_TRUE(App().mWidgetManager->HasWidget(&screen)) << name;
        int missed = 0;
        for (int i = 0; i < updates && !App().mShutdown; ++i) {
            each();
            DrawAndClear(screen);
            Step();
            if (!screen.mDirty)
                ++missed;
        }
        EXPECT_EQ(missed, 0) << name << ": updates after which the screen was not to be painted";
    }
};

TEST_F(ScreenRepaintTest, EveryScreenIsPaintedAgainAfterEachUpdate) {
    Start();
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Painter"));

    // The board from its entry through the tiles spreading in, the items
    // scaling in, and the scripted player's swaps with the falls after.
    const int moves = mMovesMade;
    ExpectRepaintedEachUpdate(*Board(), "board", 1500, [&] { PlayStep(); });
    EXPECT_GT(mMovesMade, moves) << "no swap was made, state " << Board()->mState;

    // The stage-complete screen over the board, as the board opens it.
    BoardStageCompleteView view(*Board());
    GameDialog* complete = MakeStageCompleteScreen(*Board(), view);
    ASSERT_NE(complete, nullptr);
    App().AddDialog(ShopScreen::kDialogId, complete);
    ExpectRepaintedEachUpdate(*complete, "stage complete", 200, [] {});
    App().KillDialog(ShopScreen::kDialogId);

    // The picture puzzle of the first secret map, as the board opens it.
    const auto maps = SecretMapsSlot().Get();
    ASSERT_NE(maps, nullptr);
    auto* puzzle = new PuzzleDialog();
    puzzle->Start(maps->Get(0), true);
    App().AddDialog(PuzzleDialog::kId, puzzle);
    ExpectRepaintedEachUpdate(*puzzle, "puzzle", 200, [] {});
    App().KillDialog(PuzzleDialog::kId);

    // The room, entered from the board; the reward screen, entered as from
    // the main menu.
    App().SwitchScreen(31);
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Room(); }, 10));
    ExpectRepaintedEachUpdate(*Room(), "room", 200, [] {});
    App().SwitchScreen(29);
    ASSERT_NE(App().mRewardDialog, nullptr);
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == App().mRewardDialog; }, 10));
    ExpectRepaintedEachUpdate(*App().mRewardDialog, "reward", 200, [] {});
}

} // namespace
} // namespace Game
