// A stage played with its bonus, recorded as a demo: a new player enters
// the first board, the scripted player breaks lines until the bonus the
// stage unlocks has charged, uses it (on a cell when it aims), plays the
// stage to its end (paying the penalty when the time runs out first) and
// goes on to the map. A replay on the folder as it stood before the run
// must end on the same frame with the same files.
#include "game/board/bonus.h"
#include "game/meta/map_screen.h"
#include "game/meta/shop_screen.h"
#include "game/screens/board_screen.h"
#include "game/screens/penalty_dialog.h"
#include "game/ui/layout_dialog.h"
#include "platform/messages.h"
#include "tests/game/main/new_player_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace Game {
namespace {

class BonusDemoTest : public NewPlayerRunTest {
protected:
    // The scripted player, who also pays a penalty with Enter once it rests.
    template <typename Done>
    bool PlayOn(Done done, int limit) {
        for (int i = 0; i < limit && !done() && !App().mShutdown; ++i) {
            if (auto* penalty = dynamic_cast<LayoutDialog*>(App().GetDialog(PenaltyDialog::kDialogId))) {
                if (penalty->mState == LayoutDialog::Resting)
                    PressKey(platform::kVkReturn);
            } else {
                PlayStep();
            }
            Step();
        }
        return done();
    }
    // The bonus the stage has unlocked for this board.
    Bonus* StageBonus() {
        for (int index = 0; index < 8; ++index) {
            Bonus* bonus = Board()->FindBonusByIndex(index);
            if (bonus != nullptr && bonus->mEnabled && !bonus->mHidden)
                return bonus;
        }
        return nullptr;
    }
    bool BoardAtRest() {
        BoardScreen* board = Board();
        return board->mState == BoardScreen::kPlaying && App().mDialogList.empty() && !board->mFallPending &&
               board->mBoard.mState == kBoardIdle && board->mBoard.IsStill() && board->mBoard.mSwaps.empty();
    }
    void Run();

    int mUsesBefore = 0;
    Bonus* mBonus = nullptr;
};

void BonusDemoTest::Run() {
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Chef"));
    ASSERT_TRUE(PlayOn([&] { return Board()->mState == BoardScreen::kPlaying && StageBonus() != nullptr; }, 2000));

    // Lines broken until the bonus lights, then the bonus used.
    mBonus = StageBonus();
    ASSERT_NE(mBonus, nullptr) << "the stage unlocks no bonus";
    auto ready = [&] { return mBonus->mState == Bonus::kReady || mBonus->mState == Bonus::kHover; };
    ASSERT_TRUE(PlayOn([&] { return ready() && BoardAtRest(); }, 20000))
        << "bonus " << mBonus->mIndex << " charge " << mBonus->mCharge << "/" << mBonus->mChargeMax << " after "
        << mMovesMade << " moves";
    mUsesBefore = mBonus->mUseCount;
    const int charge = static_cast<int>(mBonus->mCharge);
    ClickAt(static_cast<int>(mBonus->mX + mBonus->mWidth / 2), static_cast<int>(mBonus->mY + mBonus->mHeight / 2));
    if (mBonus->mState == Bonus::kArmed) {
        // An aiming bonus goes to the middle cell of the board.
        const Game::Board& board = Board()->mBoard;
        ClickAt(board.ColumnToX(board.mColStart + board.mWidth / 2, true),
                board.RowToY(board.mRowStart + board.mHeight / 2, true));
    }
    EXPECT_NE(mBonus->mState, Bonus::kArmed);
    EXPECT_LT(static_cast<int>(mBonus->mCharge), charge) << "the bonus was not used";

    // The stage played to its end and on to the map.
    ASSERT_TRUE(PlayOn([&] { return StageComplete() != nullptr; }, 30000))
        << TilesLeft() << " tiles left after " << mMovesMade << " moves, state " << Board()->mState;
    ShopScreen* complete = StageComplete();
    ASSERT_TRUE(PlayOn([&] { return complete->GetPhase() == ShopScreen::kFinished; }, 3000)) << complete->GetPhase();
    ASSERT_TRUE(PlayOn([&] { return complete->mState == LayoutDialog::Resting; }, 500));
    CloseTips();
    Click(complete->GetOk());
    ASSERT_TRUE(PlayOn([&] { return App().mEnteringScreen == Map(); }, 500));
    for (int i = 0; i < 30; ++i)
        Step();
    CloseWindow();
    ASSERT_TRUE(RunToShutdown(100));
}

TEST_F(BonusDemoTest, AStageWithItsBonusUsedReplaysToTheSameFilesAndFrame) {
    const std::filesystem::path before = WorkFolder() + "/before-bonus-run";
    Start({"-record", "-demofile=" + DemoPath("bonus")});
    SaveUserData(before);
    ASSERT_NO_FATAL_FAILURE(Run());
    Finish();
    const std::map<std::string, std::string> files = UserFiles();
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAsRecorded("bonus", before, files, 60000));
}

} // namespace
} // namespace Game
