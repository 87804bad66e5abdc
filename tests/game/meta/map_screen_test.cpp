// The map driven by scripted input over a headless application whose
// screen slots hold stand-ins: the new star, the restaurants shown and their
// glow, where "Next", "Back" and the restaurants lead, the developer keys
// and what leaving frees.
#include "game/meta/map_screen.h"

#include "framework/widget/button_widget.h"
#include "game/effects/effect_rank_star_appear.h"
#include "game/effects/tr_item.h"
#include "game/effects/tr_move_items.h"
#include "game/meta/shop_catalog.h"
#include "game/meta/show_rest_dialog.h"
#include "game/ui/termins.h"
#include "tests/game/meta/fake_room_images.h"
#include "tests/game/meta/map_screen_fixture.h"

#include <gtest/gtest.h>

namespace Game::Test {
namespace {

using MapScreenTest = MapScreenFixture;

TEST_F(MapScreenTest, AWonFirstStageShowsItsStarThenDrawsItWithTheRestaurantBurst) {
    EnterAt(0, true, true);
    EXPECT_EQ(mSounds->Count("newstar"), 1);
    EXPECT_EQ(mMap->GetMode(), MapScreen::kNormal);
    const EffectRankStarAppear* effect = mMap->GetStarEffect();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->mRank, 0);
    EXPECT_TRUE(effect->mHasPath); // "Rank_1_1" is the only path there is
    const Kavo::IntRect rect = mMap->GetStar(0).mSourceRect;
    EXPECT_EQ(rect, Kavo::IntRect(32, 0, 32, 32));
    EXPECT_EQ(mMap->DrawnStars(), 0);

    int updates = 0;
    while (mMap->GetStarEffect() != nullptr && updates < 2000) {
        mMap->Update();
        ++updates;
    }
    ASSERT_EQ(mMap->GetStarEffect(), nullptr);
    EXPECT_EQ(mMap->DrawnStars(), 1);
    const TrMoveItems* scene = mMap->GetStarScene();
    ASSERT_NE(scene, nullptr);
    ASSERT_GT(scene->GetItemCount(), 0);
    const TrItem& item = const_cast<TrMoveItems*>(scene)->GetItem(0);
    EXPECT_FLOAT_EQ(item.mX, mMap->GetStar(0).GetCenterX() - 10.0f);
    EXPECT_FLOAT_EQ(item.mY, mMap->GetStar(0).GetCenterY());
    DrawMap();

    // Entered again from the menu: no new star, the same one drawn.
    mApp.SwitchScreen(16);
    Record().mReachedStage = 1;
    mApp.SwitchScreen(17);
    EXPECT_EQ(mMap->GetStarEffect(), nullptr);
    EXPECT_EQ(mMap->DrawnStars(), 1);
}

TEST_F(MapScreenTest, TheStageCounterDecidesTheRestaurantsShownAndTheNextLabel) {
    struct Case {
        int stage;
        int shown;
        const char* next;
    };
    for (const Case c : {Case{0, 1, "MapPlay"}, Case{5, 2, "MapPlay"}, Case{14, 3, "MapPlay"}, Case{15, 3, "Close"}}) {
        EnterAt(c.stage, false);
        EXPECT_EQ(mMap->GetShownRestaurants(), c.shown) << c.stage;
        EXPECT_EQ(mMap->GetNextButton()->mLabel, Termins::Lookup(c.next)) << c.stage;
    }

    // At 5 the third restaurant neither glows nor takes a click.
    EnterAt(5, false);
    mMap->MouseMove(800, 300);
    EXPECT_FALSE(mMap->GetRestaurant(2).mHovered);
    EXPECT_EQ(Cursor(), &mPointer);
    mMap->MouseDown(800, 300, 1);
    EXPECT_EQ(mApp.GetDialog(ShowRestDialog::kDialogId), nullptr);
    EXPECT_EQ(mSounds->Count("MouseDown"), 0);
    mMap->MouseMove(500, 300);
    EXPECT_TRUE(mMap->GetRestaurant(1).mHovered);
}

TEST_F(MapScreenTest, NextLeadsByTheStageCounterAndBackToTheMenu) {
    struct Case {
        int stage;
        bool continuing;
        StandInScreen* to;
    };
    for (const Case c : {Case{4, true, mComics2}, Case{9, true, mComics3}, Case{14, true, mBoard},
                         Case{14, false, mMenu}, Case{7, true, mBoard}, Case{15, true, mBoard}}) {
        EnterAt(c.stage, c.continuing);
        const int before = c.to->mEntered;
        mMap->ButtonDepress(MapScreen::kNext);
        EXPECT_EQ(c.to->mEntered, before + 1) << c.stage << " " << c.continuing;
    }
    EnterAt(3, true);
    EXPECT_TRUE(mMap->GetBackButton()->mVisible);
    const int menu = mMenu->mEntered;
    mMap->ButtonDepress(MapScreen::kBack);
    EXPECT_EQ(mMenu->mEntered, menu + 1);
    EnterAt(3, true, true);
    EXPECT_FALSE(mMap->GetBackButton()->mVisible);
}

TEST_F(MapScreenTest, TheCurrentRestaurantLeadsToTheRoomAndBackWithTheStarsKept) {
    EnterAt(6, true);
    mMap->MouseMove(500, 300);
    mMap->MouseDown(500, 300, 1);
    EXPECT_EQ(mRoom->mEntered, 1);
    EXPECT_EQ(mSounds->Count("MouseDown"), 1);

    Record().mReachedStage = 9; // changed while in the room: not seen on the way back
    mApp.SwitchScreen(GameApp::kSwitchBack);
    EXPECT_TRUE(MapShown());
    EXPECT_EQ(mMap->GetStarCount(), 6);
    EXPECT_EQ(mMap->GetMode(), MapScreen::kNormal);
    mApp.SwitchScreen(16);
    mApp.SwitchScreen(17);
    EXPECT_EQ(mMap->GetStarCount(), 9);

    // Without the continue flag the current restaurant is only shown.
    EnterAt(6, false);
    mMap->MouseMove(500, 300);
    mMap->MouseDown(500, 300, 1);
    EXPECT_EQ(mRoom->mEntered, 1);
    EXPECT_NE(mApp.GetDialog(ShowRestDialog::kDialogId), nullptr);
}

TEST_F(MapScreenTest, AnotherRestaurantOpensItsRoomViewInPlaceOfTheMapUntilClosed) {
    EnterAt(7, true);
    mMap->MouseMove(200, 300);
    mMap->MouseDown(200, 300, 1);
    auto* view = dynamic_cast<ShowRestDialog*>(mApp.GetDialog(ShowRestDialog::kDialogId));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetRestaurant(), 0);
    EXPECT_EQ(view->mWidth, 1024);
    EXPECT_FALSE(MapShown());
    EXPECT_EQ(mApp.mWidgetManager->mFocusWidget, view);

    view->ButtonDepress(1);
    EXPECT_EQ(mApp.GetDialog(ShowRestDialog::kDialogId), nullptr);
    EXPECT_TRUE(MapShown());
    EXPECT_EQ(mApp.mWidgetManager->mFocusWidget, mMap);
}

TEST_F(MapScreenTest, TheGlowFadesInOverARestaurantAndMovesWithThePointer) {
    EnterAt(14, true);
    const MapRestaurant& first = mMap->GetRestaurant(0);
    const MapRestaurant& second = mMap->GetRestaurant(1);
    EXPECT_EQ(first.mHitRect, Kavo::IntRect(150, 260, 100, 80));
    mMap->MouseMove(150, 260); // the corner is inside
    EXPECT_EQ(Cursor(), &mHand);
    for (int i = 1; i <= 30; ++i) {
        mMap->Update();
        EXPECT_FLOAT_EQ(first.mGlow.mValue, std::min(255.0f, 8.5f * static_cast<float>(i))) << i;
    }

    // Straight from one rectangle into the next.
    mMap->MouseMove(460, 300);
    EXPECT_FALSE(first.mHovered);
    EXPECT_TRUE(second.mHovered);
    EXPECT_FLOAT_EQ(first.mGlow.mTarget, 0.0f);
    EXPECT_FLOAT_EQ(second.mGlow.mTarget, 255.0f);
    mMap->Update();
    EXPECT_FLOAT_EQ(first.mGlow.mValue, 255.0f - 8.5f);
    EXPECT_FLOAT_EQ(second.mGlow.mValue, 8.5f);
    mMap->MouseMove(250, 300); // just right of the first rectangle
    EXPECT_FALSE(first.mHovered);
    EXPECT_EQ(Cursor(), &mPointer);
}

TEST_F(MapScreenTest, ADamagedCounterDrawsFifteenStarsAndShowsEveryRestaurant) {
    for (int stage : {200, -3}) {
        EnterAt(stage, true, true);
        EXPECT_EQ(mMap->GetStarEffect(), nullptr) << stage;
        EXPECT_EQ(mMap->DrawnStars(), stage > 0 ? 15 : 0);
        for (int i = 0; i < 5; ++i)
            mMap->Update();
        DrawMap();
    }
}

TEST_F(MapScreenTest, DeveloperKeysGiveEveryPostcardOnceAndSolved) {
    EnterAt(3, true);
    mMap->KeyUp('R');
    EXPECT_EQ(Record().mItems[3].size(), 0u); // the keys are off
    mApp.mDebugKeysEnabled = true;
    for (int pass = 0; pass < 2; ++pass) {
        mMap->KeyUp('R');
        ASSERT_EQ(Record().mItems[3].size(), 15u);
        EXPECT_EQ(Record().mItems[3][0].mName, "Recipe01");
        EXPECT_EQ(Record().mItems[3][14].mName, "Recipe15");
        EXPECT_EQ(Record().mItems[3][14].mState, 0);
        EXPECT_EQ(mMap->GetPosts().GetThumbs().size(), 15u);
    }
    mMap->KeyUp('U');
    EXPECT_EQ(Record().mItems[3].size(), 15u);
    for (const ItemEntry& entry : Record().mItems[3])
        EXPECT_EQ(entry.mState, 1) << entry.mName;
}

// A catalogue of one wall per restaurant, their room pictures loaded.
class MapLeaveTest : public MapScreenFixture {
protected:
    MapLeaveTest() {
        WriteWorkFile("data/shop.1", "[Main]\r\na=wall\r\n"
                                     "[wall100]\r\nCategory=wall\r\nRestIndex=0\r\nImageRoom=w0.png\r\n"
                                     "[wall200]\r\nCategory=wall\r\nRestIndex=1\r\nImageRoom=w1.png\r\n"
                                     "[wall300]\r\nCategory=wall\r\nRestIndex=2\r\nImageRoom=w2.png\r\n");
        mShops->Load("data/shop.1");
        delete mApp.mMapScreen;
        mMap = new MapScreen("ui/Map.txt", &mImages);
        mApp.mMapScreen = mMap;
    }
    std::shared_ptr<ShopCatalog> mShops = std::make_shared<ShopCatalog>();
    platform::Installed<ShopCatalog> mShopsSlot{ShopCatalogSlot(), mShops};
    FakeRoomImages mImages;
};

TEST_F(MapLeaveTest, LeavingKeepsTheOtherRestaurantsOwnedPicturesAndFreesTheClouds) {
    for (const char* name : {"wall100", "wall200"})
        Record().mItems[0].push_back(ItemEntry{name, 1, 0, 1, -1});
    mShops->LoadRoomImages({"wall100", "wall200", "wall300"}, mImages);
    ASSERT_EQ(mImages.mImages.size(), 3u);
    EnterAt(3, true);
    EXPECT_NE(mMap->GetCloudsImage(), nullptr);
    mApp.SwitchScreen(16);
    EXPECT_EQ(mMap->GetCloudsImage(), nullptr);
    // Restaurant 0's and the unowned third's go; restaurant 1's owned wall stays.
    EXPECT_EQ(mImages.mImages.count("images/shop/w1.png"), 1u);
    EXPECT_EQ(mImages.mImages.size(), 1u);
}

} // namespace
} // namespace Game::Test
