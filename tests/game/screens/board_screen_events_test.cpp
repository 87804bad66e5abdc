// The board screen's answers to the board and the bonuses, and the ends of
// a board: direct listener calls on a settled board of the sample stage.
#include "framework/widget/widget_manager.h"
#include "game/board/bonus.h"
#include "game/bonus/reward_dialog.h"
#include "game/screens/fade_overlay.h"
#include "game/screens/penalty_dialog.h"
#include "game/ui/user_manager.h"
#include "tests/game/screens/board_screen_fixture.h"

#include <gtest/gtest.h>

namespace Game::Test {
namespace {

// Sample items of price 3 by kind.
constexpr int kDrink = 12;
constexpr int kFood = 7;

class BoardScreenEventsTest : public BoardScreenFixture {
protected:
    void Settle() {
        MakeScreen();
        Record().mTipShown.fill(1);
        EnterAndSettle();
        ASSERT_EQ(mScreen->mState, BoardScreen::kPlaying);
    }
    Board& TheBoard() { return mScreen->mBoard; }
    // The active cell (column offset, row offset) from the rectangle's corner.
    BoardCell& CellAt(int dc, int dr) { return TheBoard().Cell(Column(dc), Row(dr)); }
    int Column(int dc) { return TheBoard().mColStart + dc; }
    int Row(int dr) { return TheBoard().mRowStart + dr; }
    int X(int dc) { return TheBoard().ColumnToX(Column(dc), true); }
    int Y(int dr) { return TheBoard().RowToY(Row(dr), true); }
    Figure Row3(int item, int dr) {
        Figure figure;
        figure.mType = item;
        figure.mLength = 3;
        for (int dc = 0; dc < 3; ++dc)
            figure.mCells.push_back({Column(dc), Row(dr)});
        figure.mCentreColumn = Column(1);
        figure.mCentreRow = Row(dr);
        return figure;
    }
};

TEST_F(BoardScreenEventsTest, BrokenFiguresDustScoreFeedTheFurnishingAndFallLater) {
    Settle();
    mUsers->SetMoney(0.55f);
    mScreen->mEffects[2].Clear();
    mScreen->mEffects[3].Clear();
    TheBoard().mFigures = {Row3(kFood, 0), Row3(kFood, 2)};
    TheBoard().mCascade = 2;
    const float before = mUsers->GetStatB(1);
    mScreen->OnFiguresBroken(true);
    EXPECT_EQ(mScreen->mEffects[2].GetCount(), 6u);
    // Six cells of 3, and 5 per figure from the menu's fraction.
    EXPECT_FLOAT_EQ(mUsers->GetStatB(1) - before, 6 * 3 + 2 * 5);
    EXPECT_FLOAT_EQ(mUsers->GetStatB(0) + mUsers->GetStatB(2), 0.0f);
    EXPECT_EQ(mScreen->mEffects[5].GetCount(), 6u + 2u);
    // The cascade's flash and the combo's twirl.
    EXPECT_EQ(mScreen->mEffects[3].GetCount(), 2u);
    EXPECT_TRUE(mScreen->mFallPending);
    EXPECT_EQ(mScreen->mFallDelay, 30);
    EXPECT_EQ(mScreen->mGoalStats.mMoveFigures.back().second, 2);
    EXPECT_EQ(mScreen->mGoalStats.mScores.back().second, 18);
    EXPECT_EQ(mScreen->mGoalStats.mKindStreak, (std::array<int32_t, 3>{0, 1, 0}));
    EXPECT_EQ(mSounds->Count("breakfigure2"), 1);
}

TEST_F(BoardScreenEventsTest, TheBreakSoundFollowsTheCascade) {
    Settle();
    const struct {
        int cascade;
        const char* sound;
    } cases[] = {{1, "breakfigure1"}, {10, "breakfigure10"}, {11, "megacross"}, {12, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cascade);
        mSounds->mPlayed.clear();
        TheBoard().mFigures = {Row3(kDrink, 0)};
        TheBoard().mCascade = c.cascade;
        mScreen->OnFiguresBroken(false);
        size_t breakSounds = 0;
        for (const std::string& played : mSounds->mPlayed)
            breakSounds += played.rfind("breakfigure", 0) == 0 || played == "megacross" ? 1 : 0;
        EXPECT_EQ(breakSounds, c.sound != nullptr ? 1u : 0u);
        if (c.sound != nullptr) {
            EXPECT_EQ(mSounds->Count(c.sound), 1);
        }
    }
}

TEST_F(BoardScreenEventsTest, TheKnifeCutsAnItemTakesAChainLevelAndStopsWithoutAnItem) {
    AddRegistryBonuses(8, nullptr);
    Settle();
    Bonus& knife = *mScreen->FindBonusByIndex(0);
    auto cutAt = [&](int dc, int dr) {
        knife.mState = Bonus::kUsed;
        knife.mTargetX = X(dc);
        knife.mTargetY = Y(dr);
        mScreen->OnBonusApply(0);
    };

    BoardCell& plain = CellAt(0, 0);
    plain.mItem = kFood;
    plain.mChain = 0;
    plain.mTiles = 1;
    mScreen->mX2Ticks = 100;
    const float before = mUsers->GetStatB(1);
    cutAt(0, 0);
    EXPECT_EQ(plain.mItem, kItemRemoved);
    EXPECT_EQ(plain.mTiles, 0);
    EXPECT_EQ(mScreen->mTiles.Tile(Column(0), Row(0)).mValue, 0);
    EXPECT_EQ(mScreen->mFallDelay, 130);
    EXPECT_FLOAT_EQ(mUsers->GetStatB(1) - before, 6.0f);
    EXPECT_EQ(knife.mState, Bonus::kUsed);

    BoardCell& chained = CellAt(1, 0);
    chained.mItem = kFood;
    chained.mChain = 1;
    cutAt(1, 0);
    EXPECT_EQ(chained.mChain, 0);
    EXPECT_EQ(chained.mItem, kFood);
    EXPECT_EQ(mSounds->Count("unlock"), 1);
    EXPECT_EQ(TheBoard().mState, kBoardSettling);

    // A present cell without an item, and a point off the board.
    BoardCell& empty = CellAt(2, 0);
    empty.mItem = -1;
    empty.mChain = 0;
    for (const auto& [x, y] : {std::pair{X(2), Y(0)}, std::pair{2, 2}}) {
        knife.mState = Bonus::kUsed;
        knife.mTargetX = x;
        knife.mTargetY = y;
        mScreen->OnBonusApply(0);
        EXPECT_EQ(knife.mState, Bonus::kReady);
    }
    EXPECT_EQ(empty.mItem, -1);
    EXPECT_FLOAT_EQ(mUsers->GetStatB(1) - before, 6.0f);
}

TEST_F(BoardScreenEventsTest, BonusBreaksScoreEachItemAndTheX2AndTimerRun) {
    AddRegistryBonuses(8, nullptr);
    Settle();
    for (int dc = 0; dc < 4; ++dc) {
        CellAt(dc, 1).mItem = kDrink;
        CellAt(dc, 1).mChain = 0;
        CellAt(dc, 1).mJustFreed = false;
    }
    CellAt(3, 1).mChain = 1;
    TheBoard().MakeFigure({{Column(0), Row(1)}, {Column(1), Row(1)}, {Column(2), Row(1)}, {Column(3), Row(1)}});
    mScreen->mEffects[5].Clear();
    const float before = mUsers->GetStatB(0);
    mScreen->ScoreBonusBreak(false);
    // Three items of 3; the chained cell scores nothing.
    EXPECT_EQ(mScreen->mEffects[5].GetCount(), 3u);
    EXPECT_FLOAT_EQ(mUsers->GetStatB(0) - before, 9.0f);
    EXPECT_EQ(mScreen->mFallDelay, 100);

    mScreen->OnBonusTaken(5, nullptr, 0, 0, 0);
    EXPECT_GE(mScreen->mLightningTargets.size(), 8u);
    EXPECT_LE(mScreen->mLightningTargets.size(), 10u);

    mScreen->OnBonusApply(7);
    EXPECT_EQ(mScreen->mX2Ticks, 3000);
    EXPECT_NE(mScreen->mX2Label, nullptr);

    // The freeze holds the timer when its probes arrive and lets it go at
    // its end.
    ASSERT_EQ(mScreen->mTimer.mState, TimerDial::kMoving);
    mScreen->mTimerHoldListener.OnEffectMiddle(nullptr, 0, 0);
    EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kFinished);
    mScreen->mTimerHoldListener.OnEffectFinished(nullptr);
    EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kMoving);
}

TEST_F(BoardScreenEventsTest, CanUseAtByBonusArmedRivalCellAndIdleBoard) {
    AddRegistryBonuses(8, nullptr);
    Settle();
    const struct {
        int index;
        bool rivalArmed;
        bool onCell;
        bool idle;
        bool ok;
    } cases[] = {
        {0, true, true, true, false},   {0, false, true, false, true},  {0, false, false, true, false},
        {2, false, true, true, true},   {6, false, false, true, false}, {1, false, false, true, true},
        {1, false, true, false, false}, {5, false, true, false, false}, {3, false, false, false, true},
        {4, false, false, false, true}, {7, false, false, false, true}, {7, true, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        Bonus& rival = *mScreen->FindBonusByIndex(c.index == 4 ? 3 : 4);
        rival.mHidden = false;
        rival.mState = c.rivalArmed ? Bonus::kArmed : Bonus::kReady;
        TheBoard().mState = c.idle ? kBoardIdle : kBoardSettling;
        bool ok = false;
        mScreen->CanUseAt(c.index, ok, c.onCell ? X(1) : 5, c.onCell ? Y(1) : 5);
        EXPECT_EQ(ok, c.ok);
    }
}

TEST_F(BoardScreenEventsTest, TimeUpEmptiesTheBoardAndThePenaltyDealsTheSameLayoutAgain) {
    Settle();
    mScreen->mTimer.mReverse = true;
    mScreen->OnTimeUp();
    EXPECT_EQ(mScreen->mState, BoardScreen::kPlaying);
    mScreen->mTimer.mReverse = false;

    mScreen->mEffects[5].Add(new EffectBase());
    mScreen->OnTimeUp();
    EXPECT_EQ(mScreen->mState, BoardScreen::kTimeUp);
    EXPECT_EQ(Record().mInProgress, 0);
    EXPECT_EQ(mSounds->Count("timeup"), 1);
    EXPECT_TRUE(mScreen->mEffects[5].IsEmpty());
    // The banner holds the drop until it has gone.
    Step();
    EXPECT_FALSE(mScreen->mEndFlag);
    for (int i = 0; i < 2000 && mApp.GetDialog(BoardScreen::kPenaltyDialog) == nullptr; ++i)
        Step();
    EXPECT_TRUE(mScreen->mEndFlag);
    auto* penalty = dynamic_cast<PenaltyDialog*>(mApp.GetDialog(BoardScreen::kPenaltyDialog));
    ASSERT_NE(penalty, nullptr);
    // The application's settings have no "Penalty" section here.
    EXPECT_EQ(penalty->mPenalty, 500);

    mUsers->AddRating(1000 - mUsers->GetRating());
    const int boardIndex = Record().mBoardIndex;
    mScreen->DialogButtonRelease(BoardScreen::kPenaltyDialog, 1);
    EXPECT_EQ(mUsers->GetRating(), 500);
    EXPECT_EQ(Record().mBoardIndex, boardIndex);
    EXPECT_EQ(mScreen->mState, BoardScreen::kPlaying);
    EXPECT_EQ(mScreen->mTileSpread, nullptr);
    EXPECT_EQ(mApp.GetDialog(BoardScreen::kPenaltyDialog), nullptr);
}

TEST_F(BoardScreenEventsTest, NoMovesReshufflesRedealsAndPlaysOn) {
    Settle();
    mScreen->OnNoMoreMoves();
    EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kFinished);
    ASSERT_NE(mScreen->mReshuffle, nullptr);
    EXPECT_FALSE(mScreen->mPlaying);
    EXPECT_EQ(mSounds->Count("nomoremoves"), 2);
    for (int i = 0; i < 3000 && mScreen->mReshuffle != nullptr; ++i) {
        Step();
        EXPECT_EQ(mScreen->mState, BoardScreen::kPlaying);
    }
    EXPECT_EQ(mScreen->mReshuffle, nullptr);
    EXPECT_TRUE(mScreen->mPlaying);
    EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kMoving);
}

TEST_F(BoardScreenEventsTest, CompletionFliesTheItemsThenTheStageCompleteAnswerLeads) {
    Settle();
    int opened = 0;
    mScreen->mHooks.mMakeStageComplete = [&](BoardScreen&) {
        ++opened;
        return nullptr;
    };
    const struct {
        int outcome;
        int32_t state;
    } cases[] = {{1, BoardScreen::kNextBoard}, {0, BoardScreen::kToMapAfterLast}, {2, BoardScreen::kToMap}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.outcome);
        opened = 0;
        Record().mInProgress = 1;
        mScreen->OnLevelComplete(true);
        EXPECT_EQ(mScreen->mState, BoardScreen::kStageComplete);
        EXPECT_EQ(Record().mInProgress, 0);
        ASSERT_NE(mScreen->mFlyList, nullptr);
        for (int i = 0; i < 3000 && mScreen->mFlyList != nullptr; ++i)
            Step();
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(mScreen->mTimer.mSpeed, 0.0f);
        mScreen->mOutcome = c.outcome;
        mScreen->DialogButtonRelease(BoardScreen::kStageCompleteDialog, 1);
        EXPECT_EQ(mScreen->mState, c.state);
        mScreen->mState = BoardScreen::kPlaying;
    }
}

TEST_F(BoardScreenEventsTest, RisenGoalLevelsShowTheRewardDialogInsteadOfTheFlight) {
    Settle();
    StageGoalSlots goals;
    IniDocument settings;
    StageGoals::Register(goals, settings);
    goals[kGoalScoresPerStage]->mLevels = {1, 100, 1000};
    mScreen->mHooks.mGoals = &goals;
    mUsers->AddStatBC(0, 50.0f);
    mScreen->OnLevelComplete(true);
    EXPECT_NE(mApp.GetDialog(RewardDialog::kDialogId), nullptr);
    EXPECT_EQ(mScreen->mFlyList, nullptr);
    EXPECT_EQ(Record().mMetaState[kGoalScoresPerStage], 0);
    mScreen->mHooks.mGoals = nullptr;
}

TEST_F(BoardScreenEventsTest, AFoundSecretDimsStopsTheTimerAndCountsThePiece) {
    Settle();
    Record().mTipShown[3] = 0;
    const int pieces = Record().mSecretPieces;
    mScreen->OnSecretFound(300.0f, 200.0f);
    ASSERT_NE(mScreen->mFadeOverlay, nullptr);
    EXPECT_FLOAT_EQ(mScreen->mFadeOverlay->mTarget, FadeOverlay::kSecretAlpha);
    EXPECT_EQ(Record().mSecretPieces, pieces + 1);
    EXPECT_EQ(mScreen->mPiecesFound, pieces + 1);
    EXPECT_EQ(Record().mTipShown[3], 1);
    EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kFinished);
}

TEST_F(BoardScreenEventsTest, MovesFoundSaveOnlyWhileTheScreenIsShown) {
    Settle();
    mBlock->mLastBlock = -1;
    mApp.mWidgetManager->RemoveWidget(mScreen);
    mScreen->OnMovesFound();
    EXPECT_EQ(mBlock->mLastBlock, -1);
    mApp.mWidgetManager->AddWidget(mScreen);
    mScreen->OnMovesFound();
    EXPECT_EQ(mBlock->mLastBlock, 1130);
}

} // namespace
} // namespace Game::Test
