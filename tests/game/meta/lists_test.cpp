#include "game/meta/menu_catalog.h"
#include "game/meta/menu_list.h"
#include "game/meta/menu_list_listener.h"
#include "game/meta/shop_catalog.h"
#include "game/meta/stuff_list.h"

#include "framework/graphics/graphics.h"
#include "game/ui/animation.h"
#include "tests/game/meta/catalog_text.h"
#include "tests/game/meta/cell_pictures.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

// Five dishes of rank 0 in category "a" (ranks 1 and 0 mixed in "b"), and
// decoration of two ranks.
const char kMenu[] = "[Main]\r\na=1\r\nb=1\r\nc=1\r\n"
                     "[d5]\r\nCategory=a\r\nPrice=50\r\n[d1]\r\nCategory=a\r\nPrice=10\r\n"
                     "[d2]\r\nCategory=a\r\n[d3]\r\nCategory=a\r\n[d4]\r\nCategory=a\r\n"
                     "[e1]\r\nCategory=b\r\nRank=1\r\n[e2]\r\nCategory=b\r\nValue=1\r\n";
const char kShop[] = "[Main]\r\na=wall\r\nb=vase\r\n"
                     "[w1]\r\nCategory=wall\r\nShopIndex=3\r\nPrice=20\r\nDrawInfo=0,0,0,0,1,1;0,0,0,0,1,1\r\n"
                     "[w2]\r\nCategory=wall\r\nShopIndex=1\r\nPrice=30\r\n"
                     "[v1]\r\nCategory=vase\r\nShopIndex=2\r\n[v9]\r\nCategory=vase\r\nRank=1\r\n";

class ListsTest : public Kavo::HeadlessEnvironment {
protected:
    ListsTest() {
        IniDocument menu = Document(kMenu);
        IniDocument shop = Document(kShop);
        EXPECT_TRUE(mMenu.AddDocument(menu));
        EXPECT_TRUE(mShop.AddDocument(shop));
    }
    template <typename List>
    static void SetView(List& list, float x, float y) {
        list.mViewX = x;
        list.mViewY = y;
        list.mViewW = 330;
        list.mViewH = 220;
    }

    MenuCatalog mMenu;
    ShopCatalog mShop;
};

TEST_F(ListsTest, MenuFillBuildsARowPerCategoryForTheRank) {
    MenuList list;
    SetView(list, 100, 200);
    list.Fill(mMenu, 0, 40);
    ASSERT_EQ(list.mRows.size(), 3u);
    std::vector<std::string> names;
    EXPECT_EQ(list.CollectNames(names), 6);
    EXPECT_EQ(names, (std::vector<std::string>{"d1", "d2", "d3", "d4", "d5", "e2"}));
    EXPECT_TRUE(list.mRows[2].mCells.empty()); // a row without dishes stays
    EXPECT_EQ(list.mContentH, 332);
    EXPECT_EQ(list.mContentW, 550);
    EXPECT_EQ(list.mRows[1].mY, 311);
    EXPECT_EQ(list.mRows[0].mCells[3].mX, 430);
    EXPECT_TRUE(list.mRows[0].mCells[0].mAffordable);
    EXPECT_FALSE(list.FindCell("d5")->mAffordable);
    EXPECT_EQ(list.ColumnOf(list.FindCell("d4")->mEntry), 3);
    EXPECT_EQ(list.FindCell("e1"), nullptr);

    list.HitTest(110, 210);
    MenuCatalog empty;
    list.Fill(empty, 0, 40);
    EXPECT_TRUE(list.mRows.empty());
    EXPECT_EQ(list.mContentH, -1);
    EXPECT_EQ(list.mHovered, nullptr);
}

template <typename List>
void ExpectHits(List& list) {
    struct Case {
        float x, y;
        int row, column; // -1: nothing
    };
    const Case cases[] = {
        {100, 200, 0, 0},   {429, 210, 0, 2},   {430, 210, -1, -1}, {99, 210, -1, -1},
        {150, 420, -1, -1}, {150, 199, -1, -1}, {209, 309, 0, 0},   {209, 419, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        auto* hit = list.HitTest(c.x, c.y);
        EXPECT_EQ(list.mHovered, hit);
        if (c.row < 0)
            EXPECT_EQ(hit, nullptr);
        else
            EXPECT_EQ(hit, &list.mRows[static_cast<size_t>(c.row)].mCells[static_cast<size_t>(c.column)]);
    }
}

TEST_F(ListsTest, HitTestsFindTheCellDrawnUnderThePoint) {
    MenuList menu;
    SetView(menu, 100, 200);
    menu.Fill(mMenu, 0, 0);
    ExpectHits(menu);

    StuffList stuff;
    SetView(stuff, 100, 200);
    stuff.Fill(mShop, 0, 0);
    stuff.mRows.push_back(stuff.mRows[0]);
    ExpectHits(stuff);

    // Content narrower than the view is drawn unscrolled, so it is hit so too.
    stuff.Fill(mShop, 0, 0);
    stuff.mViewW = 400;
    stuff.mScrollX = 0.5f;
    EXPECT_EQ(stuff.HitTest(215, 210), stuff.CellAt(0, 1));
    EXPECT_EQ(stuff.HitTest(430, 210), nullptr);
}

TEST_F(ListsTest, StuffListOffersTheRanksItemsInShopOrderAndPagesByCells) {
    StuffList list;
    SetView(list, 100, 600);
    list.Fill(mShop, 0, 39);
    list.SortRows();
    ASSERT_EQ(list.RowCellCount(0), 3);
    EXPECT_EQ(list.RowCellCount(1), 0);
    EXPECT_EQ(list.CellAt(0, 0)->mItem->mName, "w2");
    EXPECT_EQ(list.CellAt(0, 2)->mItem->mName, "w1");
    EXPECT_TRUE(list.CellAt(0, 0)->mAffordable);
    EXPECT_FALSE(list.CellAt(0, 2)->mAffordable); // two pieces of 20 cost 40
    EXPECT_EQ(list.CellAt(0, 3), nullptr);
    EXPECT_EQ(list.mContentH, 221);

    list.CellAt(0, 0)->mInRoom = true;
    list.CellAt(0, 1)->mInRoom = true;
    EXPECT_EQ(list.FirstPendingCellCentre(), Kavo::Point(375, 655));
    list.CellAt(0, 2)->mInRoom = true;
    EXPECT_EQ(list.FirstPendingCellCentre(), Kavo::Point(155, 655));

    list.Select(list.CellAt(0, 1));
    EXPECT_TRUE(list.CellAt(0, 1)->mSelected);
    list.Select(list.CellAt(0, 2));
    EXPECT_FALSE(list.CellAt(0, 1)->mSelected);

    // The content fits: the page buttons leave the strip where it is.
    list.PageNext();
    EXPECT_EQ(list.mScrollX, 0);
    list.PagePrev();
    EXPECT_EQ(list.mScrollX, 0);

    list.mContentW = 660; // a range of 330
    list.PagePrev();
    EXPECT_EQ(list.mScrollX, 0);
    list.PageNext();
    EXPECT_FLOAT_EQ(list.mScrollX, 1.0f / 3);
    list.mScrollX = 1;
    list.PageNext();
    EXPECT_EQ(list.mScrollX, 1);
    list.PagePrev();
    EXPECT_FLOAT_EQ(list.mScrollX, 2.0f / 3);
}

class RecordingListener : public MenuListListener {
public:
    void OnSwap(MenuCell* cell, MenuCell* otherCell) override {
        mCalls.push_back("swap " + cell->mEntry->mName + " " + otherCell->mEntry->mName);
    }
    void OnPicked(MenuCell* cell) override { mCalls.push_back("picked " + cell->mEntry->mName); }
    std::vector<std::string> mCalls;
};

TEST_F(ListsTest, PickMovesThePickOrExchangesDishesOfOneRow) {
    MenuList list;
    RecordingListener listener;
    list.mListener = &listener;
    list.Fill(mMenu, 0, 0);
    MenuCell* d1 = list.FindCell("d1");
    MenuCell* d3 = list.FindCell("d3");
    MenuCell* e2 = list.FindCell("e2");

    EXPECT_FALSE(list.Pick(d1));
    EXPECT_TRUE(d1->mPicked);
    EXPECT_FALSE(list.Pick(d1)); // the same cell again: unpicked, no call
    EXPECT_FALSE(d1->mPicked);
    EXPECT_FALSE(list.Pick(d1));
    EXPECT_FALSE(list.Pick(e2)); // another row: the pick moves
    EXPECT_FALSE(d1->mPicked);
    EXPECT_TRUE(e2->mPicked);
    EXPECT_FALSE(list.Pick(d1));
    EXPECT_TRUE(list.Pick(d3)); // same row: exchanged
    EXPECT_EQ(list.mRows[0].mCells[0].mEntry->mName, "d3");
    EXPECT_EQ(list.mRows[0].mCells[2].mEntry->mName, "d1");
    EXPECT_FALSE(d1->mPicked || d3->mPicked);
    EXPECT_EQ(listener.mCalls,
              (std::vector<std::string>{"picked d1", "picked d1", "picked e2", "picked d1", "swap d3 d1"}));

    list.Pick(d1);
    list.Pick(nullptr);
    EXPECT_FALSE(d1->mPicked);
    EXPECT_EQ(listener.mCalls.size(), 6u);

    // Sorting by the order fields puts the exchanged dishes back.
    list.SortRows();
    EXPECT_EQ(list.mRows[0].mCells[0].mEntry->mName, "d1");
}

TEST_F(ListsTest, ScoreCountsOwnedDishesByColumnAndRank) {
    MenuList list;
    list.Fill(mMenu, 0, 0);
    // e2 (rank 0, mask bit 0) stands in column 0 of its row.
    list.FindCell("e2")->mOwned = true;
    EXPECT_EQ(list.Score(0), 1);
    list.FindCell("d1")->mOwned = true; // mask 0: nothing
    EXPECT_EQ(list.Score(0), 1);
    // Scored for rank 1, the two owned dishes each cost 2: -3 reads 0.
    list.FindCell("e2")->mEntry->mValue = 1;
    list.FindCell("d2")->mOwned = true;
    EXPECT_EQ(list.Score(1), 0);

    // A column past the mask's 32 bits never scores.
    MenuEntry wide;
    wide.mValue = -1;
    list.mRows[2].mCells.assign(40, MenuCell(&wide));
    list.mRows[2].mCells[33].mOwned = true;
    list.mRows[2].mCells[31].mOwned = true;
    EXPECT_EQ(list.Score(0), 2);

    IniDocument settings = Document("[MenuMaxRaiting]\r\nRank0=7\r\nRank1=12\r\n");
    EXPECT_EQ(MenuList::GetMaxMenuRating(settings, 1), 12);
    EXPECT_EQ(MenuList::GetMaxMenuRating(settings, 2), 0);
    IniDocument none;
    EXPECT_EQ(MenuList::GetMaxMenuRating(none, 0), 0);
}

TEST_F(ListsTest, DrawingClipsRowsToTheViewAndKeepsFlyingCellsOnTop) {
    CellPictures pictures;
    MenuList list;
    SetView(list, 100, 200);
    list.mViewH = 150; // the second row shows 39 pixels
    list.Fill(mMenu, 0, 0);
    Animation carrier;
    carrier.mX = 300;
    carrier.mY = -150;
    list.FindCell("d2")->mCarrier = &carrier;
    Kavo::RecordingImage screen(800, 600);
    Kavo::Graphics g(&screen);
    list.Draw(&g, true);
    // Row 0 from x 100 (d4 and d5 lie right of the view), row 1 cut to its
    // 40 visible pixels, row 2 below the view; the carried d2 comes last, at
    // its sprite's place in view coordinates and outside the view.
    EXPECT_EQ(screen.mCalls,
              (std::vector<std::string>{
                  "Blt 100,200 [220,0,110,110] (255,255,255,255) m0", "Blt 320,200 [0,0,110,110] (255,255,255,255) m0",
                  "Blt 322,202 [0,0,20,21] (255,255,255,255) m0", "Blt 100,310 [0,0,110,40] (255,255,255,255) m0",
                  "Blt 102,312 [0,0,20,21] (255,255,255,255) m0", "Blt 400,50 [0,0,110,110] (255,255,255,255) m0",
                  "Blt 402,52 [0,0,20,21] (255,255,255,255) m0"}));
}

} // namespace
} // namespace Game
