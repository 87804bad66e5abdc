// A new player's first board as the program builds it: the new bonus's
// notice and the tips come one after the other, never one over the other.
// The notice is modal, so a tip beneath it could be neither read to its end
// nor closed, and one above it covers the notice's text.
#include "game/ui/timer_dial.h"
#include "game/ui/user_manager.h"
#include "tests/game/main/new_player_run.h"

#include <gtest/gtest.h>

#include <string>

namespace Game {
namespace {

constexpr int kFirstMoveTip = 0;
constexpr int kItemsTip = 14;

class FirstBoardTipsTest : public NewPlayerRunTest {
protected:
    LayoutDialog* Notice() { return dynamic_cast<LayoutDialog*>(App().GetDialog(BonusUnlockDialog::kDialogId)); }
    bool TipOpen() { return App().GetDialog(TipWindow::kDialogId) != nullptr; }
    bool TimerHeld() { return Board()->mTimer.mState != TimerDial::kMoving; }
};

TEST_F(FirstBoardTipsTest, TheNewBonusNoticeComesFirstThenTheFirstTipAndATipOpenBeforeWaitsUnseen) {
    Start();
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Reader"));
    UserRecord* record = UserManager::GetInstance()->GetCurrentRecord();
    ASSERT_NE(record, nullptr);
    ASSERT_NE(record->mTipsEnabled, 0);

    // A tip the board's first breaks open while the items still come in,
    // before the notice (a break of three on the first board opens it).
    ASSERT_TRUE(StepUntil([&] { return Board()->mState == BoardScreen::kPlaying; }, 3000));
    ASSERT_EQ(Notice(), nullptr);
    if (!TipOpen())
        Board()->ShowTip(kItemsTip, App().mWidth / 2, App().mHeight / 2, false, true);
    ASSERT_EQ(App().GetOpenTipId(), kItemsTip);

    // The notice opens alone: the tip goes, unread and so not marked seen.
    ASSERT_TRUE(StepUntil([&] { return Notice() != nullptr; }, 3000));
    EXPECT_FALSE(TipOpen());
    EXPECT_EQ(record->mTipShown[kItemsTip], 0);
    // It flies in to rest, and stays alone while the player reads it for
    // longer than the start banner lasts, which asks for the first tip;
    // the clock holds meanwhile.
    bool alone = true;
    bool held = true;
    ASSERT_TRUE(StepUntil(
        [&] {
            alone = alone && !TipOpen();
            held = held && TimerHeld();
            return Notice()->mState == LayoutDialog::Resting;
        },
        500));
    for (int i = 0; i < 600; ++i) {
        Step();
        alone = alone && !TipOpen();
        held = held && TimerHeld();
    }
    EXPECT_TRUE(alone) << "a tip opened over or beneath the notice";
    EXPECT_TRUE(held);

    // Its "Ok" closes it; then the first tip opens, the clock still held.
    LayoutDialog* notice = Notice();
    ASSERT_NE(notice, nullptr);
    Click(FindButton(notice, 1));
    ASSERT_TRUE(StepUntil([&] { return Notice() == nullptr; }, 500));
    EXPECT_EQ(App().GetOpenTipId(), kFirstMoveTip);
    EXPECT_TRUE(TimerHeld());

    // The tip takes the click on its own "Ok" (nothing modal above it), and
    // the clock runs once it is closed.
    auto* tip = dynamic_cast<TipWindow*>(App().GetDialog(TipWindow::kDialogId));
    ASSERT_NE(tip, nullptr);
    Click(FirstButton(tip));
    ASSERT_TRUE(StepUntil([&] { return !TipOpen(); }, 100));
    EXPECT_EQ(record->mTipShown[kFirstMoveTip], 1);
    EXPECT_FALSE(TimerHeld());
    // The tip that waited and was left out by the first tip is still to
    // be read: its moment, a break of three on this board, brings it back.
    EXPECT_EQ(record->mTipShown[kItemsTip], 0);

    CloseWindow();
    ASSERT_TRUE(RunToShutdown(200));
    Finish();
}

} // namespace
} // namespace Game
