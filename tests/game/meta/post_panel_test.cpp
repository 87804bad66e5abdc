// The map's post panel over the map fixture: where the thumbnails sit and
// take the pointer, the postcard's flight and card, sending it back, the
// puzzle of a greyed postcard and its two results, and the postcards it
// cannot show.
#include "game/meta/post_panel.h"

#include "game/effects/flip_card.h"
#include "game/meta/puzzle_dialog.h"
#include "tests/game/meta/map_screen_fixture.h"

#include <gtest/gtest.h>

namespace Game::Test {
namespace {

class PostPanelTest : public MapScreenFixture {
protected:
    PostPanelTest() {
        for (const char* recipe : {"Recipe01", "Recipe02"}) {
            SecretMapEntry map;
            map.mName = std::string("Map") + recipe;
            map.mPostCard = std::string("images/post/") + recipe;
            map.mRecipe = recipe;
            mMaps.mEntries.push_back(map);
        }
        mApp.mSizes["images/post/Recipe01"] = {400, 300};
    }
    // The panel of the map entered with these postcards (name, state).
    PostPanel& Enter(std::vector<std::pair<std::string, int>> postcards) {
        for (const auto& [name, state] : postcards)
            Record().mItems[3].push_back(ItemEntry{name, 1, 0, state, -1});
        EnterAt(3, true);
        return mMap->GetPosts();
    }
    PostThumb& Thumb(PostPanel& panel, size_t index) { return *panel.GetThumbs().at(index); }
    void PointerAt(int x, int y) {
        mApp.mWidgetManager->mLastMouseX = x;
        mApp.mWidgetManager->mLastMouseY = y;
    }
};

TEST_F(PostPanelTest, AThumbnailSitsByItsRectangleFromThePanelOriginAndIsGreyedUntilSolved) {
    PostPanel& panel = Enter({{"Recipe01", 0}, {"Recipe02", 1}});
    ASSERT_EQ(panel.GetThumbs().size(), 2u);
    PostThumb& first = Thumb(panel, 0);
    EXPECT_EQ(first.mX, 140);
    EXPECT_EQ(first.mY, 620);
    EXPECT_TRUE(first.mGreyed);
    EXPECT_FALSE(Thumb(panel, 1).mGreyed);
    struct Case {
        int x, y;
        bool inside;
    };
    for (const Case c : {Case{110, 600, true}, Case{169, 639, true}, Case{109, 620, false}, Case{170, 620, false},
                         Case{140, 599, false}, Case{140, 640, false}})
        EXPECT_EQ(first.Contains(c.x, c.y), c.inside) << c.x << "," << c.y;
    EXPECT_TRUE(panel.MouseMove(110, 600));
    EXPECT_TRUE(first.mHovered);
    EXPECT_EQ(Cursor(), &mHand);
    EXPECT_FALSE(panel.MouseMove(10, 10));
    EXPECT_EQ(Cursor(), &mPointer);
}

TEST_F(PostPanelTest, ASolvedPostcardFliesToTheCentreAndShowsACardThatGoesAfterThePointerLeft) {
    PostPanel& panel = Enter({{"Recipe01", 1}});
    PostThumb& thumb = Thumb(panel, 0);
    EXPECT_TRUE(mMap->GetPosts().MouseDown(140, 620, 1));
    EXPECT_EQ(mSounds->Count("MouseDown"), 1);
    ASSERT_EQ(thumb.mState, PostThumb::kToCentre);
    EXPECT_FLOAT_EQ(thumb.mStartScale, 0.1f);
    EXPECT_FLOAT_EQ(thumb.mScaleStep, 0.018f);
    ASSERT_NE(thumb.GetBack(), nullptr);
    for (int i = 1; i < 50; ++i)
        mMap->Update();
    EXPECT_EQ(thumb.mState, PostThumb::kToCentre);
    EXPECT_EQ(panel.GetCard(), nullptr);
    mMap->Update();
    EXPECT_EQ(thumb.mState, PostThumb::kAtRest);
    EXPECT_FLOAT_EQ(thumb.mCurrent.x, 512.0f);
    EXPECT_FLOAT_EQ(thumb.mCurrent.y, 384.0f);
    ASSERT_NE(panel.GetCard(), nullptr);
    EXPECT_EQ(mSounds->Count("turnrecipe"), 1);

    // A click on the card turns it again.
    EXPECT_TRUE(panel.MouseDown(512, 384, 1));
    EXPECT_EQ(mSounds->Count("turnrecipe"), 2);
    EXPECT_TRUE(panel.MouseMove(512, 384));

    // The pointer never on it: the card stays.
    for (int i = 0; i < 100; ++i)
        mMap->Update();
    ASSERT_NE(panel.GetCard(), nullptr);
    // Once on it, the card goes in the 29th update after.
    PointerAt(512, 384);
    mMap->Update();
    EXPECT_EQ(panel.GetCountdown(), 29);
    PointerAt(0, 0);
    for (int i = 1; i < 29; ++i)
        mMap->Update();
    EXPECT_NE(panel.GetCard(), nullptr);
    mMap->Update();
    EXPECT_EQ(panel.GetCard(), nullptr);
}

TEST_F(PostPanelTest, AClickElsewhereSendsAFlyingPostcardBackAndFreesItsPictures) {
    PostPanel& panel = Enter({{"Recipe01", 1}});
    PostThumb& thumb = Thumb(panel, 0);
    panel.MouseDown(140, 620, 1);
    for (int i = 0; i < 20; ++i)
        mMap->Update();
    EXPECT_FALSE(panel.MouseDown(900, 100, 1));
    ASSERT_EQ(thumb.mState, PostThumb::kBack);
    int updates = 0;
    while (thumb.mState == PostThumb::kBack && updates < 200) {
        mMap->Update();
        DrawMap();
        ++updates;
    }
    EXPECT_EQ(thumb.mState, PostThumb::kAtRest);
    EXPECT_LE(updates, 51);
    EXPECT_EQ(thumb.GetFront(), nullptr);
    EXPECT_EQ(thumb.GetBack(), nullptr);
    EXPECT_EQ(panel.GetCard(), nullptr);
}

TEST_F(PostPanelTest, AGreyedPostcardOpensItsPuzzleInPlaceOfTheMapAndTakesItsResult) {
    PostPanel& panel = Enter({{"Recipe01", 0}, {"Recipe02", 1}});
    struct Case {
        int32_t button;
        bool greyed;
        int state;
    };
    for (const Case c : {Case{PuzzleDialog::kDone, false, 1}, Case{PuzzleDialog::kSkip, true, 0}}) {
        Thumb(panel, 0).mGreyed = true;
        EXPECT_TRUE(panel.MouseDown(140, 620, 1));
        ASSERT_NE(dynamic_cast<PuzzleDialog*>(mApp.GetDialog(PostPanel::kPuzzleDialog)), nullptr);
        EXPECT_EQ(panel.GetSelected(), &Thumb(panel, 0));
        EXPECT_FALSE(MapShown());
        panel.DialogButtonRelease(PostPanel::kPuzzleDialog, c.button);
        EXPECT_EQ(mApp.GetDialog(PostPanel::kPuzzleDialog), nullptr);
        EXPECT_EQ(Thumb(panel, 0).mGreyed, c.greyed) << c.button;
        EXPECT_EQ(Record().mItems[3][0].mState, c.state) << c.button;
        // Saved at once: Back and Exit from here keep it.
        UserManager disk;
        disk.LoadAll(UsersFolder() + "/users.dat");
        ASSERT_NE(disk.FindItem("Recipe01", 3), nullptr);
        EXPECT_EQ(disk.FindItem("Recipe01", 3)->mState, c.state) << c.button;
        EXPECT_TRUE(MapShown());
        EXPECT_EQ(mApp.mWidgetManager->mFocusWidget, mMap);
    }
    // A rebuild forgets the selection; a result then only brings the map back.
    panel.MouseDown(140, 620, 1);
    mMap->OnEnter();
    EXPECT_EQ(panel.GetSelected(), nullptr);
    panel.DialogButtonRelease(PostPanel::kPuzzleDialog, PuzzleDialog::kDone);
    EXPECT_EQ(Record().mItems[3][0].mState, 0);
    EXPECT_TRUE(MapShown());
}

TEST_F(PostPanelTest, PostcardsItCannotShowTakeNoClick) {
    // None at all: nothing to take.
    PostPanel& panel = Enter({});
    EXPECT_TRUE(panel.GetThumbs().empty());
    EXPECT_FALSE(panel.MouseMove(140, 620));
    EXPECT_FALSE(panel.MouseDown(140, 620, 1));

    // A recipe no secret map gives is greyed and deaf; a solved one without
    // its picture only sounds.
    Record().mItems[3].push_back(ItemEntry{"Recipe99", 1, 0, 1, -1});
    Record().mItems[3].push_back(ItemEntry{"Recipe02", 1, 0, 1, -1});
    mMap->OnEnter();
    ASSERT_EQ(panel.GetThumbs().size(), 2u);
    EXPECT_TRUE(Thumb(panel, 0).mGreyed);
    EXPECT_FALSE(panel.MouseDown(140, 620, 1));
    EXPECT_EQ(mApp.GetDialog(PostPanel::kPuzzleDialog), nullptr);
    EXPECT_TRUE(panel.MouseDown(210, 620, 1));
    EXPECT_EQ(mSounds->Count("MouseDown"), 1);
    EXPECT_EQ(Thumb(panel, 1).mState, PostThumb::kAtRest);
    for (int i = 0; i < 60; ++i)
        mMap->Update();
    EXPECT_EQ(panel.GetCard(), nullptr);
}

} // namespace
} // namespace Game::Test
