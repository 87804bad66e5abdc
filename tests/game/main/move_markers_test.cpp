// The markers that point a new player at a move, as the program draws them
// on a known deal: the first tip's arrow, then the frame an idle board
// shows. Each stands on the two cells of a move the board lists; half a
// cell off it straddles four cells and points at none.
#include "game/ui/tip_window.h"
#include "game/ui/user_manager.h"
#include "tests/game/main/move_marker_pixels.h"
#include "tests/game/main/new_player_run.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace Game {
namespace {

class MoveMarkersTest : public NewPlayerRunTest {
protected:
    void ExpectOnAListedMove(const std::vector<MarkerPixel>& pixels, const std::string& what) {
        std::string seen;
        const std::optional<Move> move = ListedMoveUnder(Board()->mBoard, pixels, seen);
        ASSERT_TRUE(move.has_value()) << what << ": " << seen;
        EXPECT_TRUE(SwapMakesRun(Board()->mBoard, *move)) << what << ": the listed move makes no run";
    }
};

TEST_F(MoveMarkersTest, TheFirstTipsArrowAndTheIdleHintStandOnTheCellsOfAListedMove) {
    Start();
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Pointed"));
    // The new bonus's notice comes first; its "Ok" lets the first tip open
    // with its arrow.
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(BonusUnlockDialog::kDialogId) != nullptr; }, 3000));
    Click(FindButton(App().GetDialog(BonusUnlockDialog::kDialogId), 1));
    ASSERT_TRUE(StepUntil([&] { return App().GetOpenTipId() == 0; }, 500));
    ASSERT_NE(Board()->mTipArrow, nullptr);
    StepUntil([] { return false; }, 20);
    ExpectOnAListedMove(MarkerPixels(*Board(), Board()->mTipArrow), "the first tip's arrow");

    // The tip read and closed, the board left alone shows a move.
    auto* tip = dynamic_cast<TipWindow*>(App().GetDialog(TipWindow::kDialogId));
    ASSERT_NE(tip, nullptr);
    Click(FirstButton(tip));
    ASSERT_TRUE(StepUntil([&] { return !App().IsTipOpen() && Board()->mTipArrow == nullptr; }, 100));
    ASSERT_TRUE(StepUntil([&] { return Board()->mHintMarker != nullptr || App().IsTipOpen(); }, 3000));
    ASSERT_FALSE(App().IsTipOpen()) << App().GetOpenTipId();
    StepUntil([] { return false; }, 20);
    ExpectOnAListedMove(MarkerPixels(*Board(), Board()->mHintMarker), "the idle hint");

    CloseWindow();
    ASSERT_TRUE(RunToShutdown(200));
    Finish();
}

} // namespace
} // namespace Game
