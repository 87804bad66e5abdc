// A new player's first board as the program builds it on the sample
// content. The new bonus's notice and the tips come one after the other,
// never one over the other: the notice is modal, so a tip beneath it could
// be neither read to its end nor closed, and one above it covers the
// notice's text. A bonus button with no charge shows none of its face, so
// its place on the screen must show where it will stand.
#include "game/board/bonus.h"
#include "game/ui/timer_dial.h"
#include "game/ui/user_manager.h"
#include "tests/game/main/new_player_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace Game {
namespace {

constexpr int kFirstMoveTip = 0;
constexpr int kItemsTip = 14;

class FirstBoardTest : public NewPlayerRunTest {
protected:
    LayoutDialog* Notice() { return dynamic_cast<LayoutDialog*>(App().GetDialog(BonusUnlockDialog::kDialogId)); }
    bool TipOpen() { return App().GetDialog(TipWindow::kDialogId) != nullptr; }
    bool TimerHeld() { return Board()->mTimer.mState != TimerDial::kMoving; }
};

int Contrast(uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8)
        sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return sum;
}

TEST_F(FirstBoardTest, TheNewBonusNoticeComesFirstThenTheFirstTipAndATipOpenBeforeWaitsUnseen) {
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

// A tip holds the clock for as long as it is open, whatever the board does
// meanwhile: the items tip that the first break of three opens stays while
// it is young, and a further break under it (a cascade, or the player
// swapping on) leaves the clock held; it runs once the tip is closed.
TEST_F(FirstBoardTest, TheItemsTipHoldsTheClockThroughTheBreaksUnderIt) {
    Start();
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Holder"));
    ASSERT_TRUE(StepUntil([&] { return Notice() != nullptr; }, 3000));
    Click(FindButton(Notice(), 1));
    ASSERT_TRUE(StepUntil([&] { return Notice() == nullptr; }, 500));
    ASSERT_TRUE(StepUntil([&] { return App().GetOpenTipId() == kFirstMoveTip; }, 500));
    ASSERT_NO_FATAL_FAILURE(CloseTips());
    ASSERT_FALSE(TimerHeld());

    // A move of the board's list whose cells the open tip (if any) leaves
    // free, once the board is still; false when there is none yet.
    auto play = [&] {
        BoardScreen* screen = Board();
        const Game::Board& board = screen->mBoard;
        if (screen->mFallPending || board.mState != kBoardIdle || !board.IsStill() || !board.mSwaps.empty())
            return false;
        const Kavo::Dialog* tip = App().GetDialog(TipWindow::kDialogId);
        auto free = [&](int x, int y) {
            return tip == nullptr || x < tip->mX || x >= tip->mX + tip->mWidth || y < tip->mY ||
                   y >= tip->mY + tip->mHeight;
        };
        for (const Move& move : board.mMoves)
            if (free(move.mX1, move.mY1) && free(move.mX2, move.mY2)) {
                ClickAt(move.mX1, move.mY1);
                ClickAt(move.mX2, move.mY2);
                return true;
            }
        return false;
    };
    // The player swaps until a break of three opens the items tip.
    ASSERT_TRUE(StepUntil(
        [&] {
            play();
            return App().GetOpenTipId() == kItemsTip;
        },
        6000));
    ASSERT_TRUE(TimerHeld());

    // Breaks under the young tip: the clock stays held while it is open.
    const size_t breaksBefore = Board()->mGoalStats.mScores.size();
    bool held = true;
    ASSERT_TRUE(StepUntil(
        [&] {
            if (App().GetOpenTipId() == kItemsTip)
                held = held && TimerHeld();
            play();
            return Board()->mGoalStats.mScores.size() >= breaksBefore + 2 || App().GetOpenTipId() != kItemsTip;
        },
        3000));
    ASSERT_EQ(App().GetOpenTipId(), kItemsTip) << "the tip went before two more breaks";
    EXPECT_TRUE(held) << "the clock ran under the open tip";
    EXPECT_TRUE(TimerHeld());

    // Its "Ok" closes it, and the clock runs.
    auto* tip = dynamic_cast<TipWindow*>(App().GetDialog(TipWindow::kDialogId));
    ASSERT_NE(tip, nullptr);
    Click(FirstButton(tip));
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(TipWindow::kDialogId) == nullptr; }, 100));
    EXPECT_FALSE(TimerHeld());

    CloseWindow();
    ASSERT_TRUE(RunToShutdown(200));
    Finish();
}

// Every button of the row, none charged yet (the most are not even in play
// on the first board), stands in a place the screen marks: along each of
// its four edges the pixels just outside differ plainly from those just
// inside, and no two places overlap.
TEST_F(FirstBoardTest, EveryUnchargedBonusButtonStandsInAPlaceTheScreenShows) {
    Start();
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Looker"));
    ASSERT_TRUE(StepUntil([&] { return Notice() != nullptr; }, 3000));
    Click(FindButton(Notice(), 1));
    ASSERT_TRUE(StepUntil([&] { return Notice() == nullptr && !TipOpen(); }, 500));
    Step();
    int width = 0;
    int height = 0;
    std::vector<uint32_t> frame;
    ASSERT_TRUE(platform::GetVideoDriver()->ReadWindowPixels(App().mHWnd, width, height, frame));
    ASSERT_EQ(width, 1024);
    auto at = [&](int x, int y) { return frame[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; };

    std::vector<Kavo::IntRect> places;
    for (int index = 0; index < 8; ++index) {
        Bonus* bonus = Board()->FindBonusByIndex(index);
        ASSERT_NE(bonus, nullptr) << index;
        EXPECT_EQ(bonus->mPercent, 0) << index;
        const Kavo::IntRect face(static_cast<int>(bonus->mX), static_cast<int>(bonus->mY), bonus->mCellRects[0].mWidth,
                                 bonus->mCellRects[0].mHeight);
        ASSERT_TRUE(face.mX >= 2 && face.mY >= 2 && face.mX + face.mWidth + 2 <= width &&
                    face.mY + face.mHeight + 2 <= height)
            << index;
        // The bottom edge is left to the charge line, which stands there.
        int marked = 0;
        int checked = 0;
        for (int y = face.mY + 4; y < face.mY + face.mHeight - 4; ++y) {
            marked += Contrast(at(face.mX - 2, y), at(face.mX + 3, y)) > 60 ? 1 : 0;
            marked += Contrast(at(face.mX + face.mWidth + 1, y), at(face.mX + face.mWidth - 4, y)) > 60 ? 1 : 0;
            checked += 2;
        }
        for (int x = face.mX + 4; x < face.mX + face.mWidth - 4; ++x) {
            marked += Contrast(at(x, face.mY - 2), at(x, face.mY + 3)) > 60 ? 1 : 0;
            ++checked;
        }
        EXPECT_GT(marked * 10, checked * 9)
            << "button " << index << ": " << marked << " of " << checked << " edge pixels stand out";
        for (const Kavo::IntRect& other : places)
            EXPECT_FALSE(face.mX < other.mX + other.mWidth && other.mX < face.mX + face.mWidth) << index;
        places.push_back(face);
    }

    CloseWindow();
    ASSERT_TRUE(RunToShutdown(200));
    Finish();
}

} // namespace
} // namespace Game
