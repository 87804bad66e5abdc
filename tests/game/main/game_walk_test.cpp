// The game walked through its real screens, headless on the generated
// sample content: a new player from the main menu, the first comics, stage 0
// won by a scripted player, the stage-complete screen, the map's first star,
// one decoration item bought and placed in the room, and the saved profile. Clicks go through the window
// procedure to the widgets at their layout positions; a tip answers by its
// button id.
#include "framework/graphics/memory_image.h"
#include "framework/widget/button_widget.h"
#include "framework/widget/edit_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/app/title_screen.h"
#include "game/bonus/bonus_unlock_dialog.h"
#include "game/main/board_screen_setup.h"
#include "game/main/game_tables.h"
#include "game/meta/comics_scene.h"
#include "game/meta/main_menu_screen.h"
#include "game/meta/map_screen.h"
#include "game/meta/room_screen.h"
#include "game/meta/shop_item.h"
#include "game/meta/shop_screen.h"
#include "game/meta/stuff_cell.h"
#include "game/screens/board_screen.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/tip_window.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "tests/framework/app/app_test_environment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace Game {
namespace {

// The player's name, in the game's single-byte encoding (cp1251).
const std::string kPlayerName = "\xC0\xED\xFF";

class GameWalkTest : public app_test::AppTestEnvironment {
protected:
    GameWalkTest() {
        mApp.mChangeDirTo = KAVO_SAMPLE_CONTENT;
        mApp.mIsWindowed = true;
        mTables.Register(mApp.mSteps);
        mBoardSetup.Register(mApp.mSteps, mTables.Goals());
    }

    // One update, its smooth part and one redraw, 10 ms later, as the
    // application's loop runs them.
    void Step() {
        Platform().Clock().Advance(10'000);
        mApp.UpdateApp();
        mApp.UpdateFrameF(1.0f);
        mApp.ProcessSafeDeletes();
        // Every update's redraw would cost most of the walk's time.
        if (++mSteps % kRedrawEvery == 0)
            mApp.Redraw(nullptr);
    }
    template <typename Done>
    bool StepUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done(); ++i) {
            Step();
            // The loading thread waits for the lock every redraw takes.
            if (!done() && mApp.mLoadingThreadStarted && !mApp.mLoadingThreadCompleted)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }

    // A press and release at the widget's centre, through the widget manager.
    void Click(Kavo::Widget* widget) {
        ASSERT_NE(widget, nullptr);
        const Kavo::Point at = widget->GetAbsPos();
        ClickAt(at.mX + widget->mWidth / 2, at.mY + widget->mHeight / 2);
    }
    // Through the window procedure, as the window's messages come.
    void ClickAt(int x, int y) {
        const platform::LParam at = platform::MakeLParam(x, y);
        mApp.WindowProc(mApp.mHWnd, platform::kWmMouseMove, 0, at);
        mApp.WindowProc(mApp.mHWnd, platform::kWmLButtonDown, platform::kMkLButton, at);
        mApp.WindowProc(mApp.mHWnd, platform::kWmLButtonUp, 0, at);
        mApp.ProcessDeferredMessages(false);
    }

    // The first widget under `container` that is a button with this id.
    static Kavo::ButtonWidget* FindButton(Kavo::WidgetContainer* container, int32_t id) {
        if (container == nullptr)
            return nullptr;
        for (Kavo::Widget* widget : container->GetWidgets()) {
            if (auto* button = dynamic_cast<Kavo::ButtonWidget*>(widget); button != nullptr && button->mId == id)
                return button;
            if (Kavo::ButtonWidget* found = FindButton(widget, id))
                return found;
        }
        return nullptr;
    }

    // Logos skipped, loading done, "Continue": the main menu is entered.
    void StartToMainMenu() {
        mApp.Initialize();
        // The window is the active one.
        mApp.WindowProc(mApp.mHWnd, platform::kWmActivateApp, 1, 0);
        mApp.ProcessDeferredMessages(false);
        ASSERT_TRUE(StepUntil([&] { return mApp.mLogoScreen != nullptr; }, 10));
        mApp.mLogoScreen->MouseDown(10, 10, 1);
        ASSERT_TRUE(StepUntil(
            [&] {
                auto* title = dynamic_cast<TitleScreen*>(mApp.mTitleScreen);
                return title != nullptr && title->IsLoaded();
            },
            5000));
        ClickAt(500, 400);
        ASSERT_EQ(mApp.mEnteringScreen, Menu());
    }

    // The scripted player: whenever the board is idle, it clicks the two
    // cells of the first listed move; an open tip is closed with its "Ok".
    void PlayStep() {
        if (auto* tip = dynamic_cast<TipWindow*>(mApp.GetDialog(TipWindow::kDialogId))) {
            tip->ButtonDepress(1);
            return;
        }
        // A newly unlocked bonus is shown once; its "Ok" closes it.
        if (auto* unlock = dynamic_cast<LayoutDialog*>(mApp.GetDialog(BonusUnlockDialog::kDialogId))) {
            if (unlock->mState == LayoutDialog::Resting)
                Click(FindButton(unlock, 1));
            return;
        }
        BoardScreen* board = Board();
        if (mApp.mEnteringScreen != board || board->mState != BoardScreen::kPlaying || board->mPauseCount != 0 ||
            !mApp.mDialogList.empty() || board->mFallPending || board->mReshuffle != nullptr ||
            board->mBoard.mState != kBoardIdle || !board->mBoard.IsStill() || !board->mBoard.mSwaps.empty() ||
            board->mBoard.mMoves.empty())
            return;
        const Move move = board->mBoard.mMoves.front();
        ++mMovesMade;
        ClickAt(move.mX1, move.mY1);
        ClickAt(move.mX2, move.mY2);
    }
    template <typename Done>
    bool PlayUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done(); ++i) {
            PlayStep();
            Step();
        }
        return done();
    }

    MainMenuScreen* Menu() { return dynamic_cast<MainMenuScreen*>(mApp.mMainMenuScreen); }
    BoardScreen* Board() { return dynamic_cast<BoardScreen*>(mApp.mBoardScreen); }
    int TilesLeft() {
        int n = 0;
        for (const BoardCell& cell : Board()->mBoard.mCells)
            n += cell.mExists ? cell.mTiles : 0;
        return n;
    }
    ComicsScene* Comics1() { return dynamic_cast<ComicsScene*>(mApp.mComicsScene1); }
    MapScreen* Map() { return dynamic_cast<MapScreen*>(mApp.mMapScreen); }
    RoomScreen* Room() { return dynamic_cast<RoomScreen*>(mApp.mRoomScreen); }
    ShopScreen* StageComplete() { return dynamic_cast<ShopScreen*>(mApp.GetDialog(ShopScreen::kDialogId)); }

    static constexpr int kRedrawEvery = 10;
    int mSteps = 0;
    int mMovesMade = 0;
    GameTables mTables;
    BoardScreenSetup mBoardSetup;
    GameApp mApp{KAVO_PROGRAM_FOLDER};
};

TEST_F(GameWalkTest, ANewPlayerWinsStageZeroSeesTheFirstStarAndFurnishesTheRoom) {
    StartToMainMenu();
    UserManager* users = UserManager::GetInstance();
    ASSERT_NE(users, nullptr);

    // No player yet: the menu asks for one; a Cyrillic name makes it.
    ASSERT_TRUE(StepUntil([&] { return mApp.GetNewUserDialog() != nullptr; }, 10));
    EditDialog* entry = mApp.GetNewUserDialog();
    for (const char c : kPlayerName)
        entry->mEdit->KeyChar(c);
    entry->ButtonDepress(1);
    ASSERT_TRUE(StepUntil([&] { return mApp.GetNewUserDialog() == nullptr && mApp.mDialogList.empty(); }, 300));
    ASSERT_EQ(users->GetUserCount(), 1);
    EXPECT_EQ(users->GetCurrentUser()->mName, kPlayerName);

    // Play starts a new game with the first comics; "Skip" leads to the board.
    Click(Menu()->GetButton(MainMenuScreen::Play));
    ASSERT_EQ(mApp.mEnteringScreen, Comics1());
    ASSERT_TRUE(StepUntil([&] { return Comics1()->GetSkip() != nullptr && Comics1()->GetSkip()->mVisible; }, 50));
    Click(Comics1()->GetSkip());
    ASSERT_TRUE(StepUntil([&] { return mApp.mEnteringScreen == Board(); }, 300));
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
    const int earned = complete->GetRatingGain() + complete->GetTimeBonus();
    ASSERT_TRUE(PlayUntil([&] { return complete->GetPhase() == ShopScreen::kFinished; }, 3000)) << complete->GetPhase();
    EXPECT_EQ(complete->GetMoneyLabel()->mCurrent,
              moneyAtStart + static_cast<float>(complete->GetRatingGain() + complete->GetTimeBonus()));

    // "Ok" leads to the map, which plays star 0 and then counts it; entered
    // after a win it offers no way back to the main menu.
    ASSERT_TRUE(PlayUntil([&] { return complete->mState == LayoutDialog::Resting; }, 500));
    Click(complete->GetOk());
    ASSERT_TRUE(PlayUntil([&] { return mApp.mEnteringScreen == Map(); }, 500));
    ASSERT_NE(Map()->GetStarEffect(), nullptr);
    EXPECT_EQ(Map()->GetStarCount(), 0);
    ASSERT_NE(Map()->GetBackButton(), nullptr);
    EXPECT_FALSE(Map()->GetBackButton()->mVisible);
    ASSERT_TRUE(PlayUntil([&] { return Map()->GetStarCount() == 1; }, 1000));
    EXPECT_NE(Map()->GetStarScene(), nullptr);
    EXPECT_EQ(users->GetCurrentRecord()->mStageIndex, 0);

    // Restaurant 0 leads to the room (21). A click on the first offer the
    // rating pays for buys it and places it in the room.
    const Kavo::IntRect restaurant = Map()->GetRestaurant(0).mHitRect;
    ClickAt(restaurant.mX + restaurant.mWidth / 2, restaurant.mY + restaurant.mHeight / 2);
    ASSERT_TRUE(PlayUntil([&] { return mApp.mEnteringScreen == Room(); }, 500));
    ASSERT_TRUE(PlayUntil([&] { return mApp.GetDialog(TipWindow::kDialogId) == nullptr; }, 100));
    const int ratingBefore = users->GetRating();
    StuffCell* offer = nullptr;
    Kavo::Point at;
    for (int y = 0; y < 768 && offer == nullptr; y += 10)
        for (int x = 0; x < 1024 && offer == nullptr; x += 10)
            if (StuffCell* cell = Room()->mStuff.HitTest(float(x), float(y));
                cell != nullptr && cell->mAffordable && !cell->mOwned) {
                offer = cell;
                at = Kavo::Point(x + 20, y + 20);
            }
    ASSERT_NE(offer, nullptr) << "nothing affordable for a rating of " << ratingBefore;
    ShopItem* bought = offer->mItem;
    ClickAt(at.mX, at.mY);
    EXPECT_EQ(users->GetRating(), ratingBefore - bought->TotalPrice());
    EXPECT_GE(Room()->mRoom.IndexOf(bought), 0);
    const ItemEntry* owned = users->FindItem(bought->mName, MapScreen::kDecorationList);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(owned->mState, 1);

    // "Back" (42) returns to the map, which keeps its star count.
    PlayUntil([&] { return mApp.GetDialog(TipWindow::kDialogId) == nullptr; }, 100);
    Room()->ButtonDepress(RoomScreen::kBackButton);
    ASSERT_TRUE(PlayUntil([&] { return mApp.mEnteringScreen == Map(); }, 500));
    EXPECT_EQ(Map()->GetStarCount(), 1);
    EXPECT_EQ(Map()->GetStarEffect(), nullptr);

    // What the next run reads: the player current at stage 0 with a game to
    // continue, the rating earned less the price, the default decoration
    // and the new item owned, placed (`State` 1) exactly as the room shows
    // them (the new counter took the default one's place), and no file left
    // half written.
    UserManager again;
    ASSERT_TRUE(again.LoadAll(users->GetUsersFilePath()));
    ASSERT_NE(again.GetCurrentUser(), nullptr);
    EXPECT_EQ(again.GetCurrentUser()->mName, kPlayerName);
    EXPECT_EQ(again.GetCurrentRecord()->mStageIndex, 0);
    EXPECT_TRUE(again.GetSecondGameFlag());
    EXPECT_EQ(again.GetRating(), earned - bought->TotalPrice());
    for (const std::string& name :
         {std::string("wall100"), std::string("table102"), std::string("stoika100"), bought->mName}) {
        const ItemEntry* item = again.FindItem(name, MapScreen::kDecorationList);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->mState, Room()->mRoom.IndexOfName(name) >= 0 ? 1 : 0) << name;
    }
    EXPECT_EQ(again.FindItem(bought->mName, MapScreen::kDecorationList)->mState, 1);
    EXPECT_FALSE(platform::FileExists(users->GetUsersFilePath() + ".tmp"));
    EXPECT_FALSE(platform::FileExists(users->ProfilePath(kPlayerName) + ".tmp"));
}

} // namespace
} // namespace Game
