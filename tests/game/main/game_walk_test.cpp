// The game walked through its real screens, headless on the generated
// sample content, through the application's own loop with input posted to
// the window, and recorded as a demo that becomes the regression demo: a
// replay on the folder as it stood before the run must end on the same
// frame with the same files.
#include "framework/graphics/memory_image.h"
#include "framework/widget/button_widget.h"
#include "framework/widget/edit_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/app/game_menu_dialog.h"
#include "game/app/title_screen.h"
#include "game/bonus/bonus_unlock_dialog.h"
#include "game/main/board_screen_setup.h"
#include "game/main/game_tables.h"
#include "game/meta/comics_scene.h"
#include "game/meta/main_menu_screen.h"
#include "game/meta/map_screen.h"
#include "game/meta/menu_cell.h"
#include "game/meta/menu_entry.h"
#include "game/meta/room_screen.h"
#include "game/meta/shop_item.h"
#include "game/meta/shop_screen.h"
#include "game/meta/stuff_cell.h"
#include "game/screens/board_screen.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/timer_dial.h"
#include "game/ui/tip_window.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace Game {
namespace {

// The player's name, in the game's single-byte encoding (cp1251).
const std::string kPlayerName = "\xC0\xED\xFF";

// Where tiles are left, for a board that was not cleared.
std::string LeftCellsOf(const Board& board);

class GameWalkTest : public ScriptedGameRunTest {
protected:
    // Run 1 from a fresh folder and run 2 on what it left, each recorded
    // as a demo (see the test).
    void FirstRun();
    void SecondRun();
    // The room's picture of the item is on the last frame where the room
    // draws it: most of its opaque pixels show there unchanged.
    void ExpectItemDrawn(const std::string& name) {
        const ShopItem* item = nullptr;
        for (const ShopItem* placed : Room()->mRoom.mItems)
            if (placed->mName == name)
                item = placed;
        ASSERT_NE(item, nullptr);
        auto* picture = dynamic_cast<Kavo::MemoryImage*>(item->mRoomImage);
        ASSERT_NE(picture, nullptr);
        const auto frame = Platform().Video().LastFrame(App().mHWnd);
        ASSERT_TRUE(frame);
        int opaque = 0;
        int shown = 0;
        for (const ShopDrawInfo& piece : item->mDrawInfo)
            for (int y = 0; y < piece.mSrcH; y += 3)
                for (int x = 0; x < piece.mSrcW; x += 3) {
                    const uint32_t pixel =
                        picture->GetBits()[(piece.mSrcY + y) * picture->GetWidth() + piece.mSrcX + x];
                    if ((pixel >> 24) != 0xFF)
                        continue;
                    ++opaque;
                    const uint32_t drawn =
                        frame->PixelAt(static_cast<int>(piece.mX) + x, static_cast<int>(piece.mY) + y);
                    shown += (drawn & 0xFFFFFF) == (pixel & 0xFFFFFF) ? 1 : 0;
                }
        ASSERT_GT(opaque, 0);
        EXPECT_GT(shown * 10, opaque * 8) << shown << " of " << opaque << " pixels of " << name;
    }

    // Plays the stage on the board screen to its end: every board the
    // scripted player clears, and the stage-complete screen's "Ok" leads to
    // the stage's next board until the goals are met; then "Ok" leads to
    // the map, which plays the stage's star.
    void PlayStageToMap(int stage);
    // The map's "Next": the next stage's board, through the comics where
    // a restaurant ends.
    void NextStage(int stage);
    std::string PuzzleText();
    // Esc on the board opens the game menu, whose "Quit" asks, and its
    // second answer leaves to the main menu.
    void LeaveToMainMenu();

    // The stage run 2 leaves the game at.
    int mStageAfterRun2 = 1;
    // What run 1 did, for the checks of its files.
    int mEarned = 0;
    int mPrices = 0;
    std::string mItemName;
    std::string mDishName;
    std::string mUsersFile;
    std::string mProfileFile;
    std::vector<std::pair<std::string, bool>> mDecorationNames;
};

// Run 1: a fresh folder, logos, title, a new player with a Cyrillic name,
// Play, comics 1 skipped, stage 0 won by the scripted player, the
// stage-complete screen, the map's first star, restaurant 0's room where
// one decoration item and one dish are bought, back to the map, and the
// window closed.
void GameWalkTest::FirstRun() {
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    UserManager* users = UserManager::GetInstance();
    ASSERT_NE(users, nullptr);

    // No player yet: the menu asks for one; a Cyrillic name makes it.
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayer(kPlayerName));
    ASSERT_EQ(users->GetUserCount(), 1);
    EXPECT_EQ(users->GetCurrentUser()->mName, kPlayerName);

    // Play starts a new game with the first comics; "Skip" leads to the board.
    Click(Menu()->GetButton(MainMenuScreen::Play));
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Comics1(); }, 10));
    ASSERT_TRUE(StepUntil([&] { return Comics1()->GetSkip() != nullptr && Comics1()->GetSkip()->mVisible; }, 50));
    Click(Comics1()->GetSkip());
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Board(); }, 300));
    ASSERT_TRUE(PlayUntil([&] { return Board()->mState == BoardScreen::kPlaying; }, 1000)) << Board()->mState;
    EXPECT_FALSE(Board()->mBoard.mMoves.empty());

    // The scripted player takes the moves the board lists until every tile
    // is gone, within the stage's time; the goals are met with the board.
    const int tilesAtStart = TilesLeft();
    ASSERT_GT(tilesAtStart, 0);
    ASSERT_TRUE(PlayUntil([&] { return Board()->mState == BoardScreen::kStageComplete; }, 4000))
        << TilesLeft() << " of " << tilesAtStart << " tiles left after " << mMovesMade << " moves, state "
        << Board()->mState;
    EXPECT_EQ(Board()->mOutcome, 0);
    EXPECT_GT(users->GetStatC(0) + users->GetStatC(1) + users->GetStatC(2), 0.0f);

    // The stage-complete screen flies in without "Shop" on this first win
    // and counts the money label up by the booked gain and time bonus.
    ASSERT_TRUE(PlayUntil([&] { return StageComplete() != nullptr; }, 2000));
    ShopScreen* complete = StageComplete();
    ASSERT_NE(complete->GetShop(), nullptr);
    EXPECT_FALSE(complete->GetShop()->mVisible);
    ASSERT_TRUE(PlayUntil([&] { return complete->GetPhase() == ShopScreen::kCounting; }, 500));
    ASSERT_NE(complete->GetMoneyLabel(), nullptr);
    const float moneyAtStart = complete->GetMoneyLabel()->mCurrent;
    EXPECT_GT(complete->GetRatingGain(), 0);
    mEarned = complete->GetRatingGain() + complete->GetTimeBonus();
    ASSERT_TRUE(PlayUntil([&] { return complete->GetPhase() == ShopScreen::kFinished; }, 3000)) << complete->GetPhase();
    EXPECT_EQ(complete->GetMoneyLabel()->mCurrent, moneyAtStart + static_cast<float>(mEarned));

    // "Ok" leads to the map, which plays star 0 and then counts it; entered
    // after a win it offers no way back to the main menu.
    ASSERT_TRUE(PlayUntil([&] { return complete->mState == LayoutDialog::Resting; }, 500));
    Click(complete->GetOk());
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 500));
    ASSERT_NE(Map()->GetStarEffect(), nullptr);
    EXPECT_EQ(Map()->GetStarCount(), 0);
    ASSERT_NE(Map()->GetBackButton(), nullptr);
    EXPECT_FALSE(Map()->GetBackButton()->mVisible);
    ASSERT_TRUE(PlayUntil([&] { return Map()->GetStarCount() == 1; }, 1000));
    EXPECT_NE(Map()->GetStarScene(), nullptr);
    EXPECT_EQ(users->GetCurrentRecord()->mStageIndex, 0);

    // Restaurant 0 leads to the room (21). A click on the cheapest offer
    // the rating pays for buys it and places it in the room.
    const Kavo::IntRect restaurant = Map()->GetRestaurant(0).mHitRect;
    ClickAt(restaurant.mX + restaurant.mWidth / 2, restaurant.mY + restaurant.mHeight / 2);
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Room(); }, 500));
    CloseTips();
    const int ratingBefore = users->GetRating();
    StuffCell* offer = nullptr;
    Kavo::Point at;
    for (int y = 0; y < 768; y += 10)
        for (int x = 0; x < 1024; x += 10)
            if (StuffCell* cell = Room()->mStuff.HitTest(float(x), float(y));
                cell != nullptr && cell->mAffordable && !cell->mOwned &&
                (offer == nullptr || cell->mItem->TotalPrice() < offer->mItem->TotalPrice())) {
                offer = cell;
                at = Kavo::Point(x + 20, y + 20);
            }
    ASSERT_NE(offer, nullptr) << "nothing affordable for a rating of " << ratingBefore;
    ShopItem* bought = offer->mItem;
    mItemName = bought->mName;
    ClickAt(at.mX, at.mY);
    EXPECT_EQ(users->GetRating(), ratingBefore - bought->TotalPrice());
    EXPECT_GE(Room()->mRoom.IndexOf(bought), 0);
    const ItemEntry* owned = users->FindItem(bought->mName, MapScreen::kDecorationList);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(owned->mState, 1);
    mPrices = bought->TotalPrice();

    // Menu mode: a click on the first dish the rest of the rating pays for
    // buys it onto the menu.
    CloseTips();
    Click(FindButton(Room(), RoomScreen::kMenuButton));
    ASSERT_EQ(Room()->GetMode(), RoomScreen::kMenuMode);
    CloseTips();
    const int ratingBeforeDish = users->GetRating();
    MenuCell* dish = nullptr;
    for (int y = 0; y < 768 && dish == nullptr; y += 10)
        for (int x = 0; x < 1024 && dish == nullptr; x += 10)
            if (MenuCell* cell = Room()->mDishes.HitTest(float(x), float(y));
                cell != nullptr && cell->mAffordable && !cell->mOwned) {
                dish = cell;
                at = Kavo::Point(x + 10, y + 10);
            }
    ASSERT_NE(dish, nullptr) << "no dish affordable for a rating of " << ratingBeforeDish;
    mDishName = dish->mEntry->mName;
    const int dishPrice = dish->mEntry->mPrice;
    ClickAt(at.mX, at.mY);
    EXPECT_EQ(users->GetRating(), ratingBeforeDish - dishPrice);
    ASSERT_NE(users->FindItem(mDishName, 1), nullptr);
    mPrices += dishPrice;

    // "Back" (42) returns to the map, which keeps its star count.
    CloseTips();
    Click(FindButton(Room(), RoomScreen::kBackButton));
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 500));
    EXPECT_EQ(Map()->GetStarCount(), 1);
    EXPECT_EQ(Map()->GetStarEffect(), nullptr);

    // The window's close box ends the game from the map, once the map has
    // been drawn a while: the last frame shows the settled map.
    for (int i = 0; i < 30; ++i)
        Step();
    CloseWindow();
    ASSERT_TRUE(RunToShutdown(100));
    mUsersFile = users->GetUsersFilePath();
    mProfileFile = users->ProfilePath(kPlayerName);
    mDecorationNames.clear();
    for (const char* name : {"wall100", "table102", "stoika100"})
        mDecorationNames.emplace_back(name, Room()->mRoom.IndexOfName(name) >= 0);
    mDecorationNames.emplace_back(mItemName, Room()->mRoom.IndexOfName(mItemName) >= 0);
}

// The game walked from a fresh folder and recorded as a demo; the demo
// replayed on a fresh folder shows the same last frame and leaves the same
// files.
TEST_F(GameWalkTest, TwoRunsRecordedFromAFreshFolderReplayToTheSameFilesAndFrames) {
    const std::filesystem::path before = WorkFolder() + "/before-run-1";
    Start({"-record", "-demofile=" + DemoPath("run1")});
    SaveUserData(before);
    ASSERT_NO_FATAL_FAILURE(FirstRun());
    Finish();
    const std::map<std::string, std::string> files = UserFiles();

    // What the next run reads: the player current at stage 0 with a game to
    // continue, the rating earned less the prices, the default decoration
    // and the new item owned and placed (`State` 1) exactly as the room
    // showed them, the dish on the menu with its column, and no file left
    // half written.
    UserManager again;
    ASSERT_TRUE(again.LoadAll(mUsersFile));
    ASSERT_NE(again.GetCurrentUser(), nullptr);
    EXPECT_EQ(again.GetCurrentUser()->mName, kPlayerName);
    EXPECT_EQ(again.GetCurrentRecord()->mStageIndex, 0);
    EXPECT_TRUE(again.GetSecondGameFlag());
    EXPECT_EQ(again.GetRating(), mEarned - mPrices);
    for (const auto& [name, placed] : mDecorationNames) {
        const ItemEntry* item = again.FindItem(name, MapScreen::kDecorationList);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->mState, placed ? 1 : 0) << name;
    }
    EXPECT_EQ(again.FindItem(mItemName, MapScreen::kDecorationList)->mState, 1);
    const ItemEntry* dish = again.FindItem(mDishName, 1);
    ASSERT_NE(dish, nullptr);
    EXPECT_EQ(dish->mState, 1);
    EXPECT_GE(dish->mOrigin, 0); // its column on the menu
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;

    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAsRecorded("run1", before, UserFiles(), 30000));

    // Run 2 on the folder run 1 left (the replay left the same).
    const std::filesystem::path beforeSecond = WorkFolder() + "/before-run-2";
    SaveUserData(beforeSecond);
    Start({"-record", "-demofile=" + DemoPath("run2")});
    ASSERT_NO_FATAL_FAILURE(SecondRun());
    Finish();

    // A game in progress at the stage run 2 left, its board saved.
    UserManager after;
    ASSERT_TRUE(after.LoadAll(mUsersFile));
    ASSERT_NE(after.GetCurrentUser(), nullptr);
    EXPECT_EQ(after.GetCurrentUser()->mName, kPlayerName);
    EXPECT_EQ(after.GetCurrentRecord()->mStageIndex, mStageAfterRun2);
    EXPECT_TRUE(after.IsGameInProgress());
    EXPECT_TRUE(after.GetSecondGameFlag());
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAsRecorded("run2", beforeSecond, UserFiles(), 30000));
}

// Run 2: the player continues from the main menu through the map's "Next"
// into stage 1, clears its first board, visits the room through "Shop",
// comes back to the stage's next board, leaves to the main menu through
// the game menu and exits.
void GameWalkTest::SecondRun() {
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    UserManager* users = UserManager::GetInstance();
    ASSERT_NE(users->GetCurrentUser(), nullptr);
    EXPECT_EQ(users->GetCurrentUser()->mName, kPlayerName);
    EXPECT_EQ(App().GetNewUserDialog(), nullptr);
    Kavo::ButtonWidget* mapButton = Menu()->GetButton(MainMenuScreen::Map);
    ASSERT_NE(mapButton, nullptr);
    EXPECT_FALSE(mapButton->mDisabled);

    // The map, entered from the menu: no star plays (the record's stage
    // counter stays 0 until the next stage starts), and "Next" starts stage 1.
    Click(mapButton);
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 100));
    EXPECT_EQ(Map()->GetStarEffect(), nullptr);
    CloseTips();
    Click(Map()->GetNextButton());
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Board(); }, 300));
    ASSERT_TRUE(PlayUntil([&] { return Board()->mState == BoardScreen::kPlaying; }, 1000)) << Board()->mState;
    EXPECT_EQ(Board()->mStageIndex, 1);

    // The board cleared; the stage asks for more: the stage-complete screen
    // offers "Shop", which leads to the room.
    ASSERT_TRUE(PlayUntil([&] { return Board()->mState == BoardScreen::kStageComplete; }, 8000))
        << TilesLeft() << " tiles left after " << mMovesMade << " moves, state " << Board()->mState << " dialogs "
        << App().mDialogList.size() << " "
        << (App().mDialogList.empty() ? "" : typeid(*App().mDialogList.front()).name()) << " id "
        << (App().mDialogList.empty() ? 0 : App().mDialogList.front()->mId) << " pause " << Board()->mPauseCount
        << " fall " << Board()->mFallPending << " reshuffle " << (Board()->mReshuffle != nullptr) << " board "
        << Board()->mBoard.mState << " moves " << Board()->mBoard.mMoves.size() << " timer " << Board()->mTimer.mValue
        << "," << LeftCellsOf(Board()->mBoard) << ", knife used " << mKnivesUsed << " times"
        << " entering " << (App().mEnteringScreen == Board());
    // What run 1 bought adds to every line's score, so one board may meet
    // the stage's goals: then "Ok" leads to the map, whose restaurant 0
    // opens the room, and the room's "Back" the map, whose "Next" starts
    // stage 2.
    mStageAfterRun2 = Board()->mOutcome == 1 ? 1 : 2;
    ASSERT_TRUE(PlayUntil([&] { return StageComplete() != nullptr; }, 2000));
    ShopScreen* complete = StageComplete();
    ASSERT_NE(complete->GetShop(), nullptr);
    EXPECT_EQ(complete->GetShop()->mVisible, Board()->mOutcome == 1);
    ASSERT_TRUE(PlayUntil([&] { return complete->GetPhase() == ShopScreen::kFinished; }, 3000));
    ASSERT_TRUE(PlayUntil([&] { return complete->mState == LayoutDialog::Resting; }, 500));
    if (mStageAfterRun2 == 1) {
        Click(complete->GetShop());
    } else {
        Click(complete->GetOk());
        ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 500));
        ASSERT_TRUE(PlayUntil([&] { return Map()->GetStarCount() == 2; }, 1000));
        CloseTips();
        const Kavo::IntRect restaurant = Map()->GetRestaurant(0).mHitRect;
        ClickAt(restaurant.mX + restaurant.mWidth / 2, restaurant.mY + restaurant.mHeight / 2);
    }
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Room(); }, 500));
    CloseTips();

    // The room shows what run 1 placed and lists the dish it bought.
    const int placed = Room()->mRoom.IndexOfName(mItemName);
    ASSERT_GE(placed, 0) << mItemName;
    EXPECT_NE(Room()->mDishes.FindCell(mDishName), nullptr) << mDishName;
    for (int i = 0; i < 5; ++i)
        Step();
    ASSERT_NO_FATAL_FAILURE(ExpectItemDrawn(mItemName));

    // "Back" (42) leads to the stage's next board; once it has settled
    // (the game flags are saved then), Esc opens the game menu, whose
    // "Quit" asks, and its second answer leaves to the main menu.
    CloseTips();
    Click(FindButton(Room(), RoomScreen::kBackButton));
    if (mStageAfterRun2 == 2) {
        ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 500));
        CloseTips();
        Click(Map()->GetNextButton());
    }
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Board(); }, 500));
    ASSERT_TRUE(PlayUntil(
        [&] {
            return Board()->mState == BoardScreen::kPlaying && App().mDialogList.empty() && !Board()->mTimer.mReverse &&
                   Board()->mTimer.mState == TimerDial::kMoving;
        },
        1500))
        << Board()->mState;
    EXPECT_TRUE(users->IsGameInProgress()) << "state " << Board()->mState << " stage " << Board()->mStageIndex
                                           << " board " << users->GetCurrentRecord()->mBoardIndex << " playing "
                                           << Board()->mPlaying << " timer " << Board()->mTimer.mValue;
    ASSERT_NO_FATAL_FAILURE(LeaveToMainMenu());

    // "Exit" asks whether to leave; "yes" closes the game.
    for (int i = 0; i < 30; ++i)
        Step();
    AnswerMessageBoxes(1);
    Click(Menu()->GetButton(MainMenuScreen::Exit));
    ASSERT_TRUE(RunToShutdown(100));
}

std::string LeftCellsOf(const Board& board) {
    std::string text;
    for (int i = 0; i < kBoardCellCount; ++i) {
        const BoardCell& cell = board.mCells[static_cast<size_t>(i)];
        if (cell.mExists && cell.mTiles > 0)
            text += " (" + std::to_string(i % kBoardColumns) + "," + std::to_string(i / kBoardColumns) + " item " +
                    std::to_string(cell.mItem) + " chain " + std::to_string(cell.mChain) + ")";
    }
    return text + ", " + std::to_string(board.mMoves.size()) + " moves listed";
}

void GameWalkTest::LeaveToMainMenu() {
    LayoutDialog* menu = nullptr;
    LayoutDialog* quit = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenQuitQuestion(menu, quit));
    Click(FindButton(quit, 2));
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Menu(); }, 1000));
    CloseTips();
}

// The open puzzle's tiles by cell, its selection and state.
std::string GameWalkTest::PuzzleText() {
    auto* puzzle = dynamic_cast<PuzzleDialog*>(App().GetDialog(BoardScreen::kPuzzleDialog));
    if (puzzle == nullptr)
        return "";
    std::string text = " (tiles";
    for (const PuzzleTile& tile : puzzle->mBoard.mTiles)
        text += " " + std::to_string(tile.mIndex);
    return text + ", selected " + std::to_string(puzzle->mBoard.mSelectedCol) + "," +
           std::to_string(puzzle->mBoard.mSelectedRow) + ", board state " + std::to_string(puzzle->mBoard.mState) +
           ", puzzle state " + std::to_string(puzzle->mState) + ")";
}

void GameWalkTest::PlayStageToMap(int stage) {
    UserManager* users = UserManager::GetInstance();
    for (int board = 0;; ++board) {
        ASSERT_LT(board, 4) << "stage " << stage << " asks for more than three boards";
        ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Board(); }, 500));
        ASSERT_TRUE(PlayUntil([&] { return Board()->mState == BoardScreen::kPlaying; }, 1500)) << Board()->mState;
        EXPECT_EQ(Board()->mStageIndex, stage);
        ASSERT_TRUE(PlayUntil([&] { return Board()->mState == BoardScreen::kStageComplete; }, 12000))
            << "stage " << stage << " board " << board << ": " << TilesLeft() << " tiles left after " << mMovesMade
            << " moves, state " << Board()->mState << ", penalties " << mPenaltiesPaid << LeftCellsOf(Board()->mBoard)
            << "; puzzles " << mPuzzlesOpened << " after " << mPuzzleMoves << " exchanges" << PuzzleText()
            << ", dialogs " << App().mDialogList.size() << " "
            << (App().mDialogList.empty() ? "" : typeid(*App().mDialogList.front()).name());
        ASSERT_TRUE(PlayUntil([&] { return StageComplete() != nullptr; }, 2000));
        ShopScreen* complete = StageComplete();
        ASSERT_TRUE(PlayUntil([&] { return complete->GetPhase() == ShopScreen::kFinished; }, 3000));
        ASSERT_TRUE(PlayUntil([&] { return complete->mState == LayoutDialog::Resting; }, 500));
        const int outcome = Board()->mOutcome;
        std::printf("stage %d board %d: outcome %d, counts %.0f %.0f %.0f, %d moves, %d penalties, %d puzzles\n", stage,
                    board, outcome, users->GetStatB(0), users->GetStatB(1), users->GetStatB(2), mMovesMade,
                    mPenaltiesPaid, mPuzzlesOpened);
        Click(complete->GetOk());
        if (outcome == 0)
            break;
        ASSERT_EQ(outcome, 1);
    }
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 500));
    ASSERT_TRUE(PlayUntil([&] { return Map()->GetStarCount() == stage + 1; }, 1000)) << Map()->GetStarCount();
    CloseTips();
}

void GameWalkTest::NextStage(int stage) {
    CloseTips();
    Click(Map()->GetNextButton());
    if (stage == 5) {
        auto* comics = dynamic_cast<ComicsScene*>(App().mComicsScene2);
        ASSERT_TRUE(StepUntil(
            [&] { return comics != nullptr || (comics = dynamic_cast<ComicsScene*>(App().mComicsScene2)); }, 50));
        ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == comics; }, 100));
        ASSERT_TRUE(StepUntil([&] { return comics->GetSkip() != nullptr && comics->GetSkip()->mVisible; }, 50));
        Click(comics->GetSkip());
    }
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Board(); }, 500));
    ASSERT_TRUE(PlayUntil([&] { return Board()->mState == BoardScreen::kPlaying; }, 1500)) << Board()->mState;
    EXPECT_EQ(Board()->mStageIndex, stage);
}

// The whole first restaurant played from a fresh folder: five stages on
// boards of seven and eight cells a side, each stage's goals met in a few
// boards; restaurant 0's room visited from the map; the secret pieces the
// boards hide make the first postcard, whose puzzle the player solves; the
// second restaurant's comics lead to stage 5, and its room opens from the
// map. Recorded, it replays on a fresh folder to the same frame and files.
TEST_F(GameWalkTest, FiveStagesASolvedPostcardAndTheSecondRestaurant) {
    const std::filesystem::path before = WorkFolder() + "/before-walk";
    Start({"-record", "-demofile=" + DemoPath("walk")});
    SaveUserData(before);
    mSolvePuzzles = true;
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayer(kPlayerName));
    UserManager* users = UserManager::GetInstance();
    Click(Menu()->GetButton(MainMenuScreen::Play));
    ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Comics1(); }, 10));
    ASSERT_TRUE(StepUntil([&] { return Comics1()->GetSkip() != nullptr && Comics1()->GetSkip()->mVisible; }, 50));
    Click(Comics1()->GetSkip());

    // Stage 0, then restaurant 0's room from the map and back.
    ASSERT_NO_FATAL_FAILURE(PlayStageToMap(0));
    const Kavo::IntRect first = Map()->GetRestaurant(0).mHitRect;
    ClickAt(first.mX + first.mWidth / 2, first.mY + first.mHeight / 2);
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Room(); }, 500));
    EXPECT_EQ(App().CurrentRestaurantIndex(), 0);
    CloseTips();
    Click(FindButton(Room(), RoomScreen::kBackButton));
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 500));

    // Stages 1 to 4; the first postcard's pieces turn up on the way.
    for (int stage = 1; stage <= 4; ++stage) {
        ASSERT_NO_FATAL_FAILURE(NextStage(stage));
        ASSERT_NO_FATAL_FAILURE(PlayStageToMap(stage));
    }
    EXPECT_GE(mPuzzlesOpened, 1);
    EXPECT_GT(mPuzzleMoves, 0);
    const ItemEntry* postcard = users->FindItem("Recipe01", PuzzleDialog::kPostcardList);
    ASSERT_NE(postcard, nullptr);
    EXPECT_EQ(postcard->mState, 1); // solved
    EXPECT_GE(users->GetCurrentRecord()->mSecretMapIndex, 1);

    // The second restaurant: its comics, stage 5's board; the game menu
    // leaves to the main menu, whose map opens restaurant 1's room.
    ASSERT_NO_FATAL_FAILURE(NextStage(5));
    ASSERT_TRUE(PlayUntil(
        [&] {
            return App().mDialogList.empty() && !Board()->mTimer.mReverse &&
                   Board()->mTimer.mState == TimerDial::kMoving;
        },
        1500));
    ASSERT_NO_FATAL_FAILURE(LeaveToMainMenu());
    for (int i = 0; i < 30; ++i)
        Step();
    Click(Menu()->GetButton(MainMenuScreen::Map));
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 500));
    CloseTips();
    const Kavo::IntRect second = Map()->GetRestaurant(1).mHitRect;
    ClickAt(second.mX + second.mWidth / 2, second.mY + second.mHeight / 2);
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Room(); }, 500));
    EXPECT_EQ(App().CurrentRestaurantIndex(), 1);
    CloseTips();
    for (int i = 0; i < 30; ++i)
        Step();
    CloseWindow();
    ASSERT_TRUE(RunToShutdown(100));
    Finish();
    // The puzzle opens from a click whose handler reads the recipe file:
    // the replay must take that read in its place among the recorded events.
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAsRecorded("walk", before, UserFiles(), 60000));
}

} // namespace
} // namespace Game
