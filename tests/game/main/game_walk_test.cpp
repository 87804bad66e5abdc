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
#include "game/ui/tip_window.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Game {
namespace {

// The player's name, in the game's single-byte encoding (cp1251).
const std::string kPlayerName = "\xC0\xED\xFF";

class GameWalkTest : public ScriptedGameRunTest {
protected:
    // Run 1 from a fresh folder, recorded as a demo (see the test).
    void FirstRun();

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

    // Restaurant 0 leads to the room (21). A click on the first offer the
    // rating pays for buys it and places it in the room.
    const Kavo::IntRect restaurant = Map()->GetRestaurant(0).mHitRect;
    ClickAt(restaurant.mX + restaurant.mWidth / 2, restaurant.mY + restaurant.mHeight / 2);
    ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Room(); }, 500));
    CloseTips();
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
TEST_F(GameWalkTest, TheFirstRunRecordedFromAFreshFolderReplaysToTheSameFilesAndFrame) {
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

    // The replay on the folder as it stood before the run.
    RestoreUserData(before);
    Start({"-play", "-demofile=" + DemoPath("run1")});
    const bool ended = RunToShutdown(3000);
    ASSERT_TRUE(ended) << "the replay did not end; update " << App().mUpdateCount;
    const uint64_t recordedFrame = mLastFrameHash;
    Finish();
    EXPECT_NE(recordedFrame, 0u);
    EXPECT_EQ(mLastFrameHash, recordedFrame);
    EXPECT_EQ(UserFiles(), files);
}

} // namespace
} // namespace Game
