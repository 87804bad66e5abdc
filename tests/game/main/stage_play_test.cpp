// Stages played end to end, headless on the generated sample content: a new
// user enters the board, waits until the time is up, pays the penalty, then
// a scripted player clears the dealt-again board and the stage is complete;
// on a stage that asks more, the next board is saved with the profile and a
// second run continues it.
#include "framework/widget/hyperlink_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/board/board_profile_adapter.h"
#include "game/board/board_random.h"
#include "game/board/stage.h"
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

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

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

// One run of the game on the sample content: its tables, its board
// screen's setup and the application, which starts on a stand-in title.
struct GameRun {
    GameRun() {
        mApp.mChangeDirTo = KAVO_SAMPLE_CONTENT;
        mApp.mIsWindowed = true;
        mTables.Register(mApp.mSteps);
        mBoardSetup.Register(mApp.mSteps, mTables.Goals());
        mApp.mSteps.mMakeTitleScreen = [this](GameApp&) { return mTitle = new StandInTitle(); };
        mApp.mSteps.mSetTitleLoaded = [](GameDialog& title) { static_cast<StandInTitle&>(title).mLoaded = true; };
    }
    GameTables mTables;
    BoardScreenSetup mBoardSetup;
    GameApp mApp{KAVO_PROGRAM_FOLDER};
    StandInTitle* mTitle = nullptr;
};

// What a board keeps in the profile, cell by cell: exists, tiles, secret
// item, item, chain.
using SavedCells = std::vector<std::array<int, 5>>;

SavedCells Cells(const Board& board) {
    SavedCells cells;
    for (const BoardCell& cell : board.mCells)
        cells.push_back({cell.mExists ? 1 : 0, cell.mTiles, cell.mSecretItem, cell.mItem, cell.mChain});
    return cells;
}

// The profile on disk as the next run reads it, with its board block read
// into `board`; the running game's board and bonuses are left alone.
bool ReadSaved(const std::string& usersFile, UserManager& users, Board& board) {
    const platform::Installed<ProfileBoard> block(ProfileBoardSlot(), std::make_shared<BoardProfileAdapter>(board));
    const platform::Installed<ProfileBonuses> noBonuses(ProfileBonusesSlot(), nullptr);
    return users.LoadAll(usersFile);
}

class StagePlayTest : public app_test::AppTestEnvironment {
protected:
    GameApp& App() { return mRun->mApp; }
    void Step() {
        Platform().Clock().Advance(10'000);
        // Windowed: every screen takes its frame step inside its update.
        App().UpdateApp();
    }
    template <typename Done>
    bool StepUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done(); ++i) {
            Step();
            if (!done() && App().mLoadingThreadStarted && !App().mLoadingThreadCompleted)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
    // Ends this run (its loading thread joined) and makes the next one on
    // the same folders.
    void NewRun() {
        mScreen = nullptr;
        mRun.reset();
        mRun = std::make_unique<GameRun>();
    }
    // Starts the game and waits until it has loaded.
    void Load() {
        App().Initialize();
        ASSERT_TRUE(StepUntil([&] { return mRun->mTitle != nullptr; }, 2000));
        ASSERT_TRUE(StepUntil([&] { return mRun->mTitle->mLoaded; }, 20000));
        mScreen = dynamic_cast<BoardScreen*>(App().mBoardScreen);
        ASSERT_NE(mScreen, nullptr);
    }
    // Loads the game, makes a new player (tips off) before the board of
    // index `board` of `stage`, deals that board from a fixed seed, waits
    // until it is played and closes the bonus it presents.
    void EnterFirstBoard(const std::string& name, unsigned seed, int stage = 0, int board = 0) {
        ASSERT_NO_FATAL_FAILURE(Load());
        UserManager& users = *UserManager::GetInstance();
        auto* user = new User;
        user->mName = name;
        users.AddUser(user);
        users.Save();
        users.GetCurrentRecord()->mTipsEnabled = 0;
        // A player who has won the stages before (and seen the stage-complete
        // screen's first tip) and played the boards before, as the main
        // menu's "continue" finds them; the board screen steps to the next
        // board.
        if (stage > 0 || board > 0) {
            users.GetCurrentRecord()->mStageIndex = stage;
            users.GetCurrentRecord()->mBoardIndex = board - 1;
            users.GetCurrentRecord()->mTipShown[ShopScreen::kFirstTip] = 1;
        }
        platform::CrtSrand(seed);
        App().SwitchScreen(7);
        // A stage's first board shows the bonus the stage unlocks, if any,
        // and holds the clock until the player closes it.
        ASSERT_TRUE(
            StepUntil([&] { return Settled() || App().GetDialog(BonusUnlockDialog::kDialogId) != nullptr; }, 1000))
            << StartState();
        if (App().GetDialog(BonusUnlockDialog::kDialogId) != nullptr) {
            EXPECT_NE(mScreen->mTimer.mState, TimerDial::kMoving);
            mScreen->DialogButtonRelease(BonusUnlockDialog::kDialogId, 1);
        }
        ASSERT_TRUE(StepUntil([&] { return Settled(); }, 1000)) << StartState();
    }
    std::string StartState() {
        std::ostringstream out;
        out << mScreen->mState << " " << mScreen->mStartError << " " << mScreen->mTimer.mReverse << " "
            << mScreen->mTimer.mState << " " << App().mWidgetManager->HasWidget(mScreen) << " pause "
            << mScreen->mPauseCount << " ticks " << mScreen->mStateTicks << " spread "
            << (mScreen->mTileSpread != nullptr) << " tiles " << mScreen->mTiles.mState;
        return out.str();
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
    // The board at rest, waiting for the player's next move (after a
    // reshuffle it stays in its no-more-moves state until one is made).
    bool Idle() {
        const Board& board = mScreen->mBoard;
        return mScreen->mState == BoardScreen::kPlaying && !mScreen->mFallPending &&
               (board.mState == kBoardIdle || board.mState == kBoardNoMoreMoves) && board.IsStill() &&
               board.mSwaps.empty() && !board.mMoves.empty() && mScreen->mReshuffle == nullptr;
    }
    // How far the move's cells are from the nearest cell with tiles left.
    int TileDistance(const Move& move) {
        int nearest = 1000;
        for (int row = 0; row < kBoardRows; ++row)
            for (int column = 0; column < kBoardColumns; ++column) {
                const BoardCell& cell = mScreen->mBoard.Cell(column, row);
                if (!cell.mExists || cell.mTiles == 0)
                    continue;
                for (auto [c, r] : {std::pair(move.mColumn1, move.mRow1), std::pair(move.mColumn2, move.mRow2)})
                    nearest = std::min(nearest, std::abs(c - column) + std::abs(r - row));
            }
        return nearest;
    }
    // Clicks the two cells of the first listed move when the board is idle,
    // or, for a player who goes for the tiles, of the first one nearest to
    // them; true when it did.
    bool PlayOnce(bool forTiles = false) {
        if (!Idle())
            return false;
        const std::vector<Move>& moves = mScreen->mBoard.mMoves;
        const Move move =
            forTiles
                ? *std::min_element(moves.begin(), moves.end(),
                                    [&](const Move& a, const Move& b) { return TileDistance(a) < TileDistance(b); })
                : moves.front();
        mScreen->MouseDown(move.mX1, move.mY1, 1);
        mScreen->MouseUp(move.mX1, move.mY1, 1);
        mScreen->MouseDown(move.mX2, move.mY2, 1);
        mScreen->MouseUp(move.mX2, move.mY2, 1);
        return true;
    }
    // Plays, the time made long enough, until the board is cleared; a
    // secret piece found on the way is closed with its button (the clock
    // holds while it is open) and its puzzle skipped.
    bool PlayUntilCleared(bool forTiles = false) {
        mScreen->mTimer.mDuration = 1e9f;
        return StepUntil(
            [&] {
                if (auto* secret = dynamic_cast<LayoutDialog*>(App().GetDialog(BoardScreen::kSecretDialog))) {
                    if (secret->mState == LayoutDialog::Resting)
                        secret->ButtonDepress(1);
                    return false;
                }
                if (auto* puzzle = dynamic_cast<PuzzleDialog*>(App().GetDialog(BoardScreen::kPuzzleDialog))) {
                    puzzle->ButtonDepress(PuzzleDialog::kSkip);
                    return false;
                }
                PlayOnce(forTiles);
                return mScreen->mState == BoardScreen::kStageComplete;
            },
            60000);
    }

    platform::Installed<SecretMapTable> mMaps{SecretMapTableSlot(), std::make_shared<ThreePieceMap>()};
    std::unique_ptr<GameRun> mRun = std::make_unique<GameRun>();
    BoardScreen* mScreen = nullptr;
};

TEST_F(StagePlayTest, TimeUpPaysThePenaltyThenTheDealtAgainBoardIsClearedToTheStagesEnd) {
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Player", 2024));
    UserManager& users = *UserManager::GetInstance();
    UserRecord& record = *users.GetCurrentRecord();
    EXPECT_EQ(App().GetDialog(BonusUnlockDialog::kDialogId), nullptr);

    // (a) The player waits: time up, the board falls away, the penalty.
    // The stage's time is counted in updates, 100 to the second.
    const int timeLeft = static_cast<int>(mScreen->mTimer.mDuration - mScreen->mTimer.mValue);
    ASSERT_TRUE(StepUntil([&] { return mScreen->mState == BoardScreen::kTimeUp; }, timeLeft + 1000))
        << mScreen->mState << " " << mScreen->mTimer.mValue << "/" << mScreen->mTimer.mDuration << " "
        << mScreen->mTimer.mState << " " << mScreen->mPauseCount << " " << mScreen->mStateTicks;
    EXPECT_EQ(record.mInProgress, 0);
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(PenaltyDialog::kDialogId) != nullptr; }, 3000));
    const std::vector<int> shape = Shape();
    const int boardIndex = record.mBoardIndex;
    users.AddRating(1000 - users.GetRating());
    const int penalty = App().mSettings.GetSection("Penalty")->GetInt("Stage1", 500);
    ASSERT_TRUE(StepUntil(
        [&] { return dynamic_cast<LayoutDialog*>(App().GetDialog(8))->mState == LayoutDialog::Resting; }, 500));
    App().GetDialog(PenaltyDialog::kDialogId)->KeyDown(PenaltyDialog::kEnterKey);
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(PenaltyDialog::kDialogId) == nullptr; }, 500));
    EXPECT_EQ(users.GetRating(), 1000 - penalty);
    EXPECT_EQ(record.mBoardIndex, boardIndex);
    EXPECT_EQ(Shape(), shape);
    ASSERT_TRUE(StepUntil([&] { return Settled(); }, 1000));

    // (b) Played to completion, the time made long enough. The
    // stage-complete screen's first tip counts as seen, so that "Shop"
    // follows the outcome alone.
    record.mTipShown[ShopScreen::kFirstTip] = 1;
    // The rating at the top left stays as the stage began while its lines
    // break; the stage-complete screen books the stage's earnings into it.
    ASSERT_NE(mScreen->mMoneyLabel, nullptr);
    const std::string ratingShown = mScreen->mMoneyLabel->mLabel;
    EXPECT_EQ(ratingShown, std::to_string(users.GetRating()));
    ASSERT_TRUE(PlayUntilCleared());
    const std::array<int32_t, 3>& broken = mScreen->mGoalStats.mKindTotal;
    EXPECT_GT(broken[0] + broken[1] + broken[2], 0);
    EXPECT_EQ(mScreen->mMoneyLabel->mLabel, ratingShown);
    EXPECT_EQ(record.mInProgress, 0);
    // The sample's first stage asks few items: its goals are met by now.
    EXPECT_EQ(mScreen->mOutcome, 0);
    // The items fly away, then the stage-complete screen flies in over the
    // board, without "Shop" for this outcome; its "Ok" leads to the map.
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(BoardScreen::kStageCompleteDialog) != nullptr; }, 2000));
    EXPECT_EQ(mScreen->mFlyList, nullptr);
    auto* complete = dynamic_cast<ShopScreen*>(App().GetDialog(BoardScreen::kStageCompleteDialog));
    ASSERT_NE(complete, nullptr);
    ASSERT_NE(complete->GetShop(), nullptr);
    EXPECT_FALSE(complete->GetShop()->mVisible);
    ASSERT_TRUE(StepUntil([&] { return complete->GetPhase() == ShopScreen::kFinished; }, 3000));
    EXPECT_GT(users.GetRating(), 1000 - penalty);
    EXPECT_EQ(mScreen->mMoneyLabel->mLabel, std::to_string(users.GetRating()));
    ASSERT_TRUE(StepUntil([&] { return complete->mState == LayoutDialog::Resting; }, 500));
    ASSERT_NE(App().mMapScreen, nullptr);
    complete->ButtonDepress(ShopScreen::kOkButton);
    ASSERT_TRUE(StepUntil([&] { return mScreen->mState == BoardScreen::kToMapAfterLast; }, 500));
    EXPECT_EQ(App().GetDialog(BoardScreen::kStageCompleteDialog), nullptr);
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == App().mMapScreen; }, 150)); // switch 14
    EXPECT_EQ(App().mLeavingScreen, mScreen);
}

// A player who leaves the board alone is shown a move a few seconds later,
// and again after each marker has gone; a player with the tips off gets no
// first tip and no tip arrow, which would keep the hints away.
TEST_F(StagePlayTest, AnIdleBoardShowsAMoveEveryFewSeconds) {
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Idler", 7));
    EXPECT_FALSE(App().IsTipOpen());
    EXPECT_EQ(mScreen->mTipArrow, nullptr);
    for (int shown = 0; shown < 2; ++shown) {
        ASSERT_TRUE(StepUntil([&] { return mScreen->mHintMarker != nullptr; }, 600)) << shown;
        ASSERT_TRUE(StepUntil([&] { return mScreen->mHintMarker == nullptr; }, 150)) << shown;
    }
    EXPECT_EQ(mScreen->mState, BoardScreen::kPlaying);
}

// A stage that asks more than one board: its first board cleared, the
// stage-complete screen's "Ok" deals the next board, which the profile
// keeps; a second run on the same folders continues that board cell for
// cell, the timer from the saved value.
TEST_F(StagePlayTest, TheNextBoardOfAStageIsSavedAndASecondRunContinuesIt) {
    // The stage's second board (the sample's stage 1 plays the small
    // layout for every board).
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Keeper", 31, 1, 1));
    UserManager& users = *UserManager::GetInstance();
    UserRecord& record = *users.GetCurrentRecord();
    const std::string usersFile = users.GetUsersFilePath();
    ASSERT_EQ(mScreen->mStageIndex, 1);
    const int firstBoard = record.mBoardIndex;

    // (b) The first board cleared; the stage's goals are not met: outcome 1,
    // and the stage-complete screen offers the shop.
    ASSERT_TRUE(PlayUntilCleared(true));
    EXPECT_EQ(mScreen->mOutcome, 1);
    EXPECT_EQ(record.mInProgress, 0);
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(BoardScreen::kStageCompleteDialog) != nullptr; }, 2000));
    auto* complete = dynamic_cast<ShopScreen*>(App().GetDialog(BoardScreen::kStageCompleteDialog));
    ASSERT_NE(complete, nullptr);
    ASSERT_NE(complete->GetShop(), nullptr);
    EXPECT_TRUE(complete->GetShop()->mVisible);
    ASSERT_TRUE(StepUntil([&] { return complete->mState == LayoutDialog::Resting; }, 500));
    complete->ButtonDepress(ShopScreen::kOkButton);
    ASSERT_TRUE(StepUntil([&] { return mScreen->mState == BoardScreen::kNextBoard; }, 500));
    // The next board 50 updates later, dealt, spread and saved once settled.
    ASSERT_TRUE(StepUntil([&] { return mScreen->mState != BoardScreen::kNextBoard; }, 100));
    ASSERT_TRUE(StepUntil([&] { return Settled(); }, 1000));
    EXPECT_EQ(record.mBoardIndex, firstBoard + 1);
    EXPECT_EQ(mScreen->mStageIndex, 1);
    const SavedCells dealt = Cells(mScreen->mBoard);
    {
        UserManager saved;
        Board board;
        ASSERT_TRUE(ReadSaved(usersFile, saved, board));
        ASSERT_NE(saved.GetCurrentRecord(), nullptr);
        EXPECT_TRUE(saved.IsGameInProgress());
        EXPECT_EQ(saved.GetCurrentRecord()->mStageIndex, 1);
        EXPECT_EQ(saved.GetCurrentRecord()->mBoardIndex, firstBoard + 1);
        EXPECT_EQ(Cells(board), dealt);
        EXPECT_EQ(board.mFeaturedItem, mScreen->mBoard.mFeaturedItem);
    }

    // A few moves and some seconds on the new board, up to a moment of rest
    // (every move ends with a save).
    int moves = 0;
    ASSERT_TRUE(StepUntil(
        [&] {
            if (moves >= 3 && mScreen->mStateTicks > 350 && Idle())
                return true;
            moves += PlayOnce() ? 1 : 0;
            return false;
        },
        5000));
    ASSERT_EQ(mScreen->mState, BoardScreen::kPlaying);
    const SavedCells kept = Cells(mScreen->mBoard);
    const int featured = mScreen->mBoard.mFeaturedItem;

    // (c) The first run ends; what it left on disk is that board.
    NewRun();
    int savedTimer = 0;
    {
        UserManager saved;
        Board board;
        ASSERT_TRUE(ReadSaved(usersFile, saved, board));
        ASSERT_NE(saved.GetCurrentRecord(), nullptr);
        EXPECT_TRUE(saved.IsGameInProgress());
        EXPECT_EQ(Cells(board), kept);
        savedTimer = saved.GetCurrentRecord()->mKept2;
    }
    EXPECT_GT(savedTimer, 0);

    // The second run: "continue" enters the saved board as it was, the
    // timer from the saved value, and play goes on.
    ASSERT_NO_FATAL_FAILURE(Load());
    ASSERT_TRUE(UserManager::GetInstance()->IsGameInProgress());
    platform::CrtSrand(32);
    App().SwitchScreen(7);
    EXPECT_EQ(mScreen->mState, BoardScreen::kPlaying);
    EXPECT_EQ(mScreen->mStageIndex, 1);
    EXPECT_EQ(mScreen->mBoardCounter, firstBoard + 1);
    EXPECT_EQ(Cells(mScreen->mBoard), kept);
    EXPECT_EQ(mScreen->mBoard.mFeaturedItem, featured);
    EXPECT_EQ(mScreen->mTimer.mValue, static_cast<float>(savedTimer));
    EXPECT_FALSE(mScreen->mTimer.mReverse);
    moves = 0;
    ASSERT_TRUE(StepUntil(
        [&] {
            if (moves >= 1 && Idle())
                return true;
            moves += PlayOnce() ? 1 : 0;
            return false;
        },
        2000));
    EXPECT_GT(mScreen->mTimer.mValue, static_cast<float>(savedTimer));
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
    auto* secret = dynamic_cast<SecretDialog*>(App().GetDialog(BoardScreen::kSecretDialog));
    ASSERT_NE(secret, nullptr);
    ASSERT_TRUE(StepUntil([&] { return static_cast<LayoutDialog*>(secret)->mState == LayoutDialog::Resting; }, 500));
    secret->ButtonDepress(1);
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(BoardScreen::kSecretDialog) == nullptr; }, 500));
    EXPECT_EQ(App().GetDialog(BoardScreen::kPuzzleDialog), nullptr);
    ASSERT_TRUE(StepUntil([&] { return mScreen->mFadeOverlay == nullptr; }, 100));
    EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kMoving);

    // The last piece: the dialog's button opens the puzzle; "Skip" brings
    // the board back with the postcard in list 3, unsolved, from this map.
    record.mSecretPieces = 2;
    mScreen->OnSecretFound(300.0f, 300.0f);
    secret = dynamic_cast<SecretDialog*>(App().GetDialog(BoardScreen::kSecretDialog));
    ASSERT_NE(secret, nullptr);
    ASSERT_TRUE(StepUntil([&] { return static_cast<LayoutDialog*>(secret)->mState == LayoutDialog::Resting; }, 500));
    secret->ButtonDepress(1);
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(BoardScreen::kPuzzleDialog) != nullptr; }, 500));
    auto* puzzle = dynamic_cast<PuzzleDialog*>(App().GetDialog(BoardScreen::kPuzzleDialog));
    ASSERT_NE(puzzle, nullptr);
    EXPECT_FALSE(puzzle->mBoard.mTiles.empty()); // a playable puzzle
    for (int i = 0; i < 100; ++i)
        Step();
    puzzle->ButtonDepress(PuzzleDialog::kSkip);
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(BoardScreen::kPuzzleDialog) == nullptr; }, 500));
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

// A board lost on time is dealt again on the same stage, its board and the
// stage's counters kept, whether the lost board had gathered the stage's
// goals or not: only a cleared board ends a stage.
TEST_F(StagePlayTest, ABoardLostOnTimeIsDealtAgainKeepingTheStageAndItsCounters) {
    struct Case {
        const char* name;
        bool goalsMet;
    };
    for (const Case& c : {Case{"Short", false}, Case{"Gatherer", true}}) {
        SCOPED_TRACE(c.name);
        NewRun();
        ASSERT_NO_FATAL_FAILURE(EnterFirstBoard(c.name, 2024));
        UserRecord& record = *UserManager::GetInstance()->GetCurrentRecord();
        ASSERT_NE(mScreen->mStage, nullptr);
        const float goals[3] = {static_cast<float>(mScreen->mStage->mDrinkCount),
                                static_cast<float>(mScreen->mStage->mEatCount),
                                static_cast<float>(mScreen->mStage->mStuffCount)};
        for (int kind = 0; kind < 3; ++kind)
            record.mStageCounts[static_cast<size_t>(kind)] = c.goalsMet ? goals[kind] + 7.0f : goals[kind] / 2.0f;
        const auto counts = record.mStageCounts;
        const int stage = record.mStageIndex;
        const int board = record.mBoardIndex;
        mScreen->mTimer.mValue = mScreen->mTimer.mDuration - 50.0f;
        ASSERT_TRUE(StepUntil([&] { return App().GetDialog(PenaltyDialog::kDialogId) != nullptr; }, 3000));
        ASSERT_TRUE(StepUntil(
            [&] { return dynamic_cast<LayoutDialog*>(App().GetDialog(8))->mState == LayoutDialog::Resting; }, 500));
        App().GetDialog(PenaltyDialog::kDialogId)->KeyDown(PenaltyDialog::kEnterKey);
        ASSERT_TRUE(StepUntil([&] { return App().GetDialog(PenaltyDialog::kDialogId) == nullptr; }, 500));
        ASSERT_TRUE(StepUntil([&] { return Settled(); }, 1000));
        EXPECT_EQ(record.mStageIndex, stage);
        EXPECT_EQ(mScreen->mStageIndex, stage);
        EXPECT_EQ(record.mBoardIndex, board);
        // The counters beside the board show these.
        EXPECT_EQ(record.mStageCounts, counts);
    }
}

// The clock stands still from the secret piece's finding to the end of its
// puzzle: the break of the move that took the piece, and a break under the
// puzzle (as a cascade of that move brings), leave it held.
TEST_F(StagePlayTest, TheClockHoldsUnderTheSecretPieceAndItsPuzzle) {
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Keeper", 7));
    UserRecord& record = *UserManager::GetInstance()->GetCurrentRecord();
    record.mSecretPieces = 2; // the last piece of the map's three
    const auto breaks = [&] { return mScreen->mGoalStats.mScores.size(); };
    const auto held = [&] { return mScreen->mTimer.mState != TimerDial::kMoving; };

    ASSERT_TRUE(StepUntil([&] { return Idle(); }, 1000));
    const size_t before = breaks();
    ASSERT_TRUE(PlayOnce());
    mScreen->OnSecretFound(300.0f, 300.0f);
    const float clock = mScreen->mTimer.mValue;
    ASSERT_TRUE(StepUntil([&] { return breaks() > before; }, 500));
    EXPECT_TRUE(held()) << "the move's break let the clock run under the secret piece";
    auto* secret = dynamic_cast<SecretDialog*>(App().GetDialog(BoardScreen::kSecretDialog));
    ASSERT_NE(secret, nullptr);
    ASSERT_TRUE(StepUntil([&] { return static_cast<LayoutDialog*>(secret)->mState == LayoutDialog::Resting; }, 500));
    EXPECT_EQ(mScreen->mTimer.mValue, clock);
    secret->ButtonDepress(1);
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(BoardScreen::kPuzzleDialog) != nullptr; }, 500));

    ASSERT_TRUE(StepUntil([&] { return Idle(); }, 1000));
    const size_t underPuzzle = breaks();
    ASSERT_TRUE(PlayOnce());
    ASSERT_TRUE(StepUntil([&] { return breaks() > underPuzzle; }, 500));
    for (int i = 0; i < 300; ++i)
        Step();
    EXPECT_TRUE(held()) << "a break let the clock run under the puzzle";
    EXPECT_EQ(mScreen->mTimer.mValue, clock);

    auto* puzzle = dynamic_cast<PuzzleDialog*>(App().GetDialog(BoardScreen::kPuzzleDialog));
    ASSERT_NE(puzzle, nullptr);
    puzzle->ButtonDepress(PuzzleDialog::kSkip);
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(BoardScreen::kPuzzleDialog) == nullptr; }, 500));
    EXPECT_FALSE(held());
}

} // namespace
} // namespace Game
