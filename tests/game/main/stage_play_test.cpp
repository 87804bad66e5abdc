// One stage played end to end, headless on the generated sample content: a
// new user enters the board, waits until the time is up, pays the penalty,
// then a scripted player clears the dealt-again board and the stage is
// complete.
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/board/board_random.h"
#include "game/bonus/bonus_unlock_dialog.h"
#include "game/main/board_screen_setup.h"
#include "game/main/game_tables.h"
#include "game/meta/puzzle_dialog.h"
#include "game/meta/secret_dialog.h"
#include "game/meta/secret_maps.h"
#include "game/meta/shop_screen.h"
#include "game/screens/board_screen.h"
#include "game/screens/fade_overlay.h"
#include "game/screens/penalty_dialog.h"
#include "game/ui/profile_services.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace Game {
namespace {

class StandInTitle : public GameDialog {
public:
    StandInTitle() : GameDialog(0, false) {}
    bool mLoaded = false;
};

class ThreePieceMap : public SecretMapTable {
public:
    int GetMapCount() const override { return 1; }
    int GetPieceCount(int) const override { return 3; }
};

class StagePlayTest : public app_test::AppTestEnvironment {
protected:
    StagePlayTest() {
        mApp.mChangeDirTo = KAVO_SAMPLE_CONTENT;
        mApp.mIsWindowed = true;
        mTables.Register(mApp.mSteps);
        mBoardSetup.Register(mApp.mSteps, mTables.Goals());
        mApp.mSteps.mMakeTitleScreen = [this](GameApp&) { return mTitle = new StandInTitle(); };
        mApp.mSteps.mSetTitleLoaded = [](GameDialog& title) { static_cast<StandInTitle&>(title).mLoaded = true; };
    }
    void Step() {
        Platform().Clock().Advance(10'000);
        // Windowed: every screen takes its frame step inside its update.
        mApp.UpdateApp();
    }
    template <typename Done>
    bool StepUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done(); ++i) {
            Step();
            if (!done() && mApp.mLoadingThreadStarted && !mApp.mLoadingThreadCompleted)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
    // Loads the game, makes a new player (tips off), deals the first board
    // from a fixed seed, waits until it is played and closes the bonus it
    // presents.
    void EnterFirstBoard(const std::string& name, unsigned seed) {
        mApp.Initialize();
        ASSERT_TRUE(StepUntil([&] { return mTitle != nullptr; }, 2000));
        ASSERT_TRUE(StepUntil([&] { return mTitle->mLoaded; }, 20000));
        mScreen = dynamic_cast<BoardScreen*>(mApp.mBoardScreen);
        ASSERT_NE(mScreen, nullptr);
        UserManager& users = *UserManager::GetInstance();
        auto* user = new User;
        user->mName = name;
        users.AddUser(user);
        users.Save();
        users.GetCurrentRecord()->mTipsEnabled = 0;
        platform::CrtSrand(seed);
        mApp.SwitchScreen(7);
        ASSERT_TRUE(StepUntil([&] { return Settled(); }, 1000))
            << mScreen->mState << " " << mScreen->mStartError << " " << mScreen->mTimer.mReverse << " "
            << mScreen->mTimer.mState << " " << mApp.mWidgetManager->HasWidget(mScreen) << " pause "
            << mScreen->mPauseCount << " ticks " << mScreen->mStateTicks << " spread "
            << (mScreen->mTileSpread != nullptr) << " tiles " << mScreen->mTiles.mState;
        // The first board shows its bonus; the player closes it.
        StepUntil([&] { return mApp.GetDialog(BonusUnlockDialog::kDialogId) != nullptr; }, 300);
        if (mApp.GetDialog(BonusUnlockDialog::kDialogId) != nullptr)
            mScreen->DialogButtonRelease(BonusUnlockDialog::kDialogId, 1);
    }
    bool Settled() {
        return mScreen->mState == BoardScreen::kPlaying && !mScreen->mTimer.mReverse &&
               mScreen->mTimer.mState == TimerDial::kMoving;
    }
    // Which cells exist and how many tiles they carry.
    std::vector<int> Shape() {
        std::vector<int> shape;
        for (const BoardCell& cell : mScreen->mBoard.mCells)
            shape.push_back(cell.mExists ? 1 + cell.mTiles : 0);
        return shape;
    }
    // Clicks the two cells of the first listed move when the board is idle.
    void PlayOnce() {
        Board& board = mScreen->mBoard;
        if (mScreen->mState != BoardScreen::kPlaying || mScreen->mFallPending || board.mState != kBoardIdle ||
            !board.IsStill() || !board.mSwaps.empty() || board.mMoves.empty() || mScreen->mReshuffle != nullptr)
            return;
        const Move move = board.mMoves.front();
        mScreen->MouseDown(move.mX1, move.mY1, 1);
        mScreen->MouseUp(move.mX1, move.mY1, 1);
        mScreen->MouseDown(move.mX2, move.mY2, 1);
        mScreen->MouseUp(move.mX2, move.mY2, 1);
    }

    platform::Installed<SecretMapTable> mMaps{SecretMapTableSlot(), std::make_shared<ThreePieceMap>()};
    GameTables mTables;
    BoardScreenSetup mBoardSetup;
    GameApp mApp{KAVO_PROGRAM_FOLDER};
    StandInTitle* mTitle = nullptr;
    BoardScreen* mScreen = nullptr;
};

TEST_F(StagePlayTest, TimeUpPaysThePenaltyThenTheDealtAgainBoardIsClearedToTheStagesEnd) {
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Player", 2024));
    UserManager& users = *UserManager::GetInstance();
    UserRecord& record = *users.GetCurrentRecord();
    EXPECT_EQ(mApp.GetDialog(BonusUnlockDialog::kDialogId), nullptr);

    // (a) The player waits: time up, the board falls away, the penalty.
    ASSERT_TRUE(StepUntil([&] { return mScreen->mState == BoardScreen::kTimeUp; }, 5000))
        << mScreen->mState << " " << mScreen->mTimer.mValue << "/" << mScreen->mTimer.mDuration << " "
        << mScreen->mTimer.mState << " " << mScreen->mPauseCount << " " << mScreen->mStateTicks;
    EXPECT_EQ(record.mInProgress, 0);
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(PenaltyDialog::kDialogId) != nullptr; }, 3000));
    const std::vector<int> shape = Shape();
    const int boardIndex = record.mBoardIndex;
    users.AddRating(1000 - users.GetRating());
    const int penalty = mApp.mSettings.GetSection("Penalty")->GetInt("Stage1", 500);
    ASSERT_TRUE(StepUntil(
        [&] { return dynamic_cast<LayoutDialog*>(mApp.GetDialog(8))->mState == LayoutDialog::Resting; }, 500));
    mApp.GetDialog(PenaltyDialog::kDialogId)->KeyDown(PenaltyDialog::kEnterKey);
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(PenaltyDialog::kDialogId) == nullptr; }, 500));
    EXPECT_EQ(users.GetRating(), 1000 - penalty);
    EXPECT_EQ(record.mBoardIndex, boardIndex);
    EXPECT_EQ(Shape(), shape);
    ASSERT_TRUE(StepUntil([&] { return Settled(); }, 1000));

    // (b) Played to completion, the time made long enough.
    mScreen->mTimer.mDuration = 1e9f;
    ASSERT_TRUE(StepUntil(
        [&] {
            PlayOnce();
            return mScreen->mState == BoardScreen::kStageComplete;
        },
        60000));
    EXPECT_EQ(record.mInProgress, 0);
    // The sample's first stage asks few items: its goals are met by now.
    EXPECT_EQ(mScreen->mOutcome, 0);
    // The items fly away, then the stage-complete screen flies in over the
    // board, without "Shop" for this outcome; its "Ok" leads to the map.
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(BoardScreen::kStageCompleteDialog) != nullptr; }, 2000));
    EXPECT_EQ(mScreen->mFlyList, nullptr);
    auto* complete = dynamic_cast<ShopScreen*>(mApp.GetDialog(BoardScreen::kStageCompleteDialog));
    ASSERT_NE(complete, nullptr);
    ASSERT_NE(complete->GetShop(), nullptr);
    EXPECT_FALSE(complete->GetShop()->mVisible);
    ASSERT_TRUE(StepUntil([&] { return complete->mState == LayoutDialog::Resting; }, 500));
    ASSERT_NE(mApp.mMapScreen, nullptr);
    complete->ButtonDepress(ShopScreen::kOkButton);
    ASSERT_TRUE(StepUntil([&] { return mScreen->mState == BoardScreen::kToMapAfterLast; }, 500));
    EXPECT_EQ(mApp.GetDialog(BoardScreen::kStageCompleteDialog), nullptr);
    ASSERT_TRUE(StepUntil([&] { return mApp.mEnteringScreen == mApp.mMapScreen; }, 150)); // switch 14
    EXPECT_EQ(mApp.mLeavingScreen, mScreen);
}

// A secret piece found on the board: the secret dialog over the darkened
// board; its button gives the board back, running. The last piece of the
// map opens the picture puzzle, whose "Skip" keeps the postcard unsolved.
TEST_F(StagePlayTest, SecretPiecesOpenTheSecretDialogAndTheLastOneThePuzzle) {
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Finder", 7));
    UserRecord& record = *UserManager::GetInstance()->GetCurrentRecord();

    const auto maps = SecretMapsSlot().Get();
    ASSERT_NE(maps, nullptr);
    const SecretMapEntry* map = maps->Get(record.mSecretMapIndex);
    ASSERT_NE(map, nullptr);
    ASSERT_EQ(map->GetPieceCount(), 3);

    // A piece of three: the dialog flies it in; its button closes it.
    record.mSecretPieces = 0;
    mScreen->OnSecretFound(300.0f, 300.0f);
    EXPECT_EQ(record.mSecretPieces, 1);
    ASSERT_NE(mScreen->mFadeOverlay, nullptr);
    EXPECT_EQ(mScreen->mFadeOverlay->mTarget, 150.0f);
    auto* secret = dynamic_cast<SecretDialog*>(mApp.GetDialog(BoardScreen::kSecretDialog));
    ASSERT_NE(secret, nullptr);
    ASSERT_TRUE(StepUntil([&] { return static_cast<LayoutDialog*>(secret)->mState == LayoutDialog::Resting; }, 500));
    secret->ButtonDepress(1);
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(BoardScreen::kSecretDialog) == nullptr; }, 500));
    EXPECT_EQ(mApp.GetDialog(BoardScreen::kPuzzleDialog), nullptr);
    ASSERT_TRUE(StepUntil([&] { return mScreen->mFadeOverlay == nullptr; }, 100));
    EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kMoving);

    // The last piece: the dialog's button opens the puzzle; "Skip" brings
    // the board back with the postcard in list 3, unsolved, from this map.
    record.mSecretPieces = 2;
    mScreen->OnSecretFound(300.0f, 300.0f);
    secret = dynamic_cast<SecretDialog*>(mApp.GetDialog(BoardScreen::kSecretDialog));
    ASSERT_NE(secret, nullptr);
    ASSERT_TRUE(StepUntil([&] { return static_cast<LayoutDialog*>(secret)->mState == LayoutDialog::Resting; }, 500));
    secret->ButtonDepress(1);
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(BoardScreen::kPuzzleDialog) != nullptr; }, 500));
    auto* puzzle = dynamic_cast<PuzzleDialog*>(mApp.GetDialog(BoardScreen::kPuzzleDialog));
    ASSERT_NE(puzzle, nullptr);
    EXPECT_FALSE(puzzle->mBoard.mTiles.empty()); // a playable puzzle
    for (int i = 0; i < 100; ++i)
        Step();
    puzzle->ButtonDepress(PuzzleDialog::kSkip);
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(BoardScreen::kPuzzleDialog) == nullptr; }, 500));
    ASSERT_TRUE(StepUntil([&] { return mScreen->mFadeOverlay == nullptr; }, 100));
    EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kMoving);
    const ItemEntry* postcard = nullptr;
    for (const ItemEntry& entry : record.mItems[3])
        if (entry.mName == map->mRecipe)
            postcard = &entry;
    ASSERT_NE(postcard, nullptr);
    EXPECT_EQ(postcard->mState, 0);
    EXPECT_EQ(postcard->mOrigin, record.mSecretMapIndex);
}

} // namespace
} // namespace Game
