#include "game/meta/menu_cell.h"
#include "game/meta/menu_entry.h"
#include "game/meta/shop_item.h"
#include "game/meta/stuff_cell.h"

#include "framework/graphics/graphics.h"
#include "tests/game/meta/cell_pictures.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

class CellDrawingTest : public Kavo::HeadlessEnvironment {
protected:
    CellDrawingTest() {
        mItem.mShopImage = &mPictures.mSheet;
        mItem.mShopRect = Kavo::IntRect(5, 6, 70, 80);
        mItem.mPrice = 30;
        mDish.mImage = &mPictures.mSheet;
        mDish.mShopRect = Kavo::IntRect(5, 6, 70, 80);
        mDish.mPrice = 45;
        mDish.mRank = 2;
    }

    std::vector<std::string> Draw(StuffCell& cell) {
        Kavo::RecordingImage screen(800, 600);
        Kavo::Graphics g(&screen);
        mPictures.mFont.mDrawn.clear();
        cell.Draw(&g);
        return screen.mCalls;
    }
    std::vector<std::string> Draw(MenuCell& cell, bool ranked) {
        Kavo::RecordingImage screen(800, 600);
        Kavo::Graphics g(&screen);
        mPictures.mFont.mDrawn.clear();
        ranked ? cell.DrawRanked(&g) : cell.Draw(&g);
        return screen.mCalls;
    }
    std::vector<std::string> Prices() const {
        std::vector<std::string> prices;
        for (const Kavo::FakeFont::Drawn& drawn : mPictures.mFont.mDrawn)
            prices.push_back(drawn.mText + Kavo::RecordingImage::Fmt(" %d,%d", drawn.mX, drawn.mY));
        return prices;
    }

    CellPictures mPictures;
    ShopItem mItem;
    MenuEntry mDish;
};

TEST_F(CellDrawingTest, StuffCellShowsItsStateAndTheWholePrice) {
    StuffCell cell(&mItem);
    cell.mX = 10.7f;
    cell.mY = 20;

    // Unaffordable: third frame cel, faded picture, price, no buy mark.
    EXPECT_EQ(Draw(cell), (std::vector<std::string>{"Blt 10,20 [220,0,110,110] (255,255,255,255) m0",
                                                    "Blt 11,21 [5,6,70,80] (255,255,255,80) m0"}));
    // Priced once while it has no piece; "30" ends at x + 92, its line placed for a
    // bottom at y + 98 (y - height + ascent + 98).
    EXPECT_EQ(Prices(), (std::vector<std::string>{"30 82,114"}));

    // Affordable, selected, in the room, three pieces: "90" and the buy mark.
    mItem.mPieceCount = 3;
    cell.mAffordable = true;
    cell.mSelected = true;
    cell.mInRoom = true;
    EXPECT_EQ(Draw(cell), (std::vector<std::string>{"Blt 10,20 [110,0,110,110] (255,255,255,255) m0",
                                                    "Blt 11,21 [5,6,70,80] (255,255,255,255) m0",
                                                    "Blt 12,22 [0,0,22,23] (255,255,255,255) m0",
                                                    "Blt 12,22 [0,0,20,21] (255,255,255,255) m0"}));
    EXPECT_EQ(Prices(), (std::vector<std::string>{"90 82,114"}));

    // Owned: neither price nor buy mark.
    cell.mOwned = true;
    cell.mInRoom = false;
    EXPECT_EQ(Draw(cell).size(), 2u);
    EXPECT_TRUE(Prices().empty());
}

TEST_F(CellDrawingTest, MenuCellFramesFollowItsState) {
    MenuCell cell(&mDish);
    cell.mX = 100;
    cell.mY = 200;
    EXPECT_EQ(Draw(cell, false), (std::vector<std::string>{"Blt 100,200 [220,0,110,110] (255,255,255,255) m0",
                                                           "Blt 101,201 [5,6,70,80] (255,255,255,80) m0"}));
    EXPECT_EQ(Prices(), (std::vector<std::string>{"45 172,294"}));

    cell.mAffordable = true;
    cell.mPicked = true;
    cell.mSelected = true;
    EXPECT_EQ(Draw(cell, false), (std::vector<std::string>{"Blt 100,200 [330,0,110,110] (255,255,255,255) m0",
                                                           "Blt 101,201 [5,6,70,80] (255,255,255,255) m0",
                                                           "Blt 102,202 [0,0,20,21] (255,255,255,255) m0"}));
    cell.mOwned = true;
    EXPECT_EQ(Draw(cell, false).size(), 2u);
    EXPECT_TRUE(Prices().empty());

    // Ranked: the rank's cel at the right edge, the price always.
    cell.mAffordable = false;
    EXPECT_EQ(Draw(cell, true), (std::vector<std::string>{"Blt 100,200 [220,0,110,110] (255,255,255,255) m0",
                                                          "Blt 101,201 [5,6,70,80] (255,255,255,255) m0",
                                                          "Blt 183,202 [40,0,20,20] (255,255,255,255) m0"}));
    EXPECT_EQ(Prices(), (std::vector<std::string>{"45 172,294"}));
}

} // namespace
} // namespace Game
