#include "game/board/board.h"

#include "framework/app/kavo_app_base.h"
#include "framework/util/buffer.h"
#include "game/ui/resource_ids.h"
#include "platform/crt_random.h"
#include "tests/game/board/ascii_board.h"
#include "tests/game/board/board_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace Game::Test {
namespace {

// Rows of the grid where columns c0..c1 of rows r0..r1 hold `token` and every
// other cell is absent.
std::vector<std::string> Block(int c0, int c1, int r0, int r1, const std::string& token) {
    std::vector<std::string> rows;
    for (int row = 0; row <= r1; ++row) {
        std::string line;
        for (int column = 0; column < kBoardColumns; ++column)
            line += (row >= r0 && column >= c0 && column <= c1 ? token : std::string("#")) + " ";
        rows.push_back(line);
    }
    return rows;
}

std::vector<std::uint8_t> Bytes(const Kavo::Buffer& buffer) {
    return std::vector<std::uint8_t>(buffer.GetDataPtr(), buffer.GetDataPtr() + buffer.GetDataLen());
}

using BoardTest = BoardFixture;

TEST_F(BoardTest, PixelsMapToCellsAndBack) {
    SetBoardFromAscii(mBoard, {"0 #", "0 0"});
    struct Case {
        int pixel;
        int column;
        int row;
    } cases[] = {{177 - 1, -1, -2}, {177, 0, 1}, {177 + 799, 15, 12}, {177 + 800, 16, 13}};
    for (const Case& c : cases)
        EXPECT_EQ(mBoard.XToColumn(c.pixel), c.column) << c.pixel;
    for (auto [pixel, row] : {std::pair(102, -1), std::pair(103, 0), std::pair(602, 9), std::pair(603, 10)})
        EXPECT_EQ(mBoard.YToRow(pixel), row) << pixel;
    EXPECT_EQ(mBoard.ColumnToX(3, true), 352);
    EXPECT_EQ(mBoard.ColumnToX(3, false), 327);
    EXPECT_EQ(mBoard.RowToY(2, true), 228);

    EXPECT_TRUE(mBoard.IsCellAt(177, 103));
    EXPECT_TRUE(mBoard.IsCellAt(226, 152));  // cell (0, 0)'s last pixel
    EXPECT_FALSE(mBoard.IsCellAt(227, 103)); // (1, 0) has no cell
    EXPECT_EQ(mBoard.CellAt(227, 103), nullptr);
    EXPECT_EQ(mBoard.CellAt(227, 153), &mBoard.Cell(1, 1));
    for (auto [x, y] : {std::pair(176, 103), std::pair(177, 102), std::pair(977, 103), std::pair(177, 603)}) {
        EXPECT_FALSE(mBoard.IsCellAt(x, y)) << x << "," << y;
        EXPECT_EQ(mBoard.CellAt(x, y), nullptr);
    }
}

TEST_F(BoardTest, ScansStayInsideTheActiveRectangle) {
    SetBoardFromAscii(mBoard, Block(3, 12, 1, 8, "0"));
    EXPECT_EQ(mBoard.mColStart, 3);
    EXPECT_EQ(mBoard.mRowStart, 1);
    EXPECT_EQ(mBoard.mWidth, 10);
    EXPECT_EQ(mBoard.mHeight, 8);
    EXPECT_EQ(mBoard.mColumnTopY[3], 103 + 50 + 25);

    // A sentinel outside the rectangle carries everything the scans look for.
    BoardCell& sentinel = mBoard.Cell(0, 0);
    sentinel.mExists = true;
    sentinel.mItem = 2;
    sentinel.mTiles = 2;
    sentinel.mSecretItem = 1;
    sentinel.mChain = 1;
    sentinel.mDx = 1;
    sentinel.mTargetX = 1000;
    const float sentinelY = sentinel.mY;

    EXPECT_TRUE(mBoard.IsStill());
    EXPECT_TRUE(mBoard.AllTilesCleared());
    int x = 0;
    int y = 0;
    mBoard.FirstSecretCell(x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(-1, -1));
    mBoard.FirstDoubleTileCell(x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(-1, -1));
    mBoard.FirstChainedCell(x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(-1, -1));
    std::vector<CellPos> cells;
    mBoard.CollectTileCells(cells);
    mBoard.CollectChainedCells(cells);
    EXPECT_TRUE(cells.empty());
    mBoard.CollectCellsOfItem(2, cells);
    EXPECT_TRUE(cells.empty());
    mBoard.MoveItems(100.0f);
    mBoard.ShowItems(false);
    mBoard.DropAll();
    EXPECT_EQ(sentinel.mX, static_cast<float>(mBoard.ColumnToX(0, true)));
    EXPECT_EQ(sentinel.mY, sentinelY);
    EXPECT_EQ(sentinel.mDx, 1);
    EXPECT_EQ(sentinel.mDy, 0);
    EXPECT_EQ(sentinel.mSpeed, 4.0f);
    EXPECT_TRUE(sentinel.mVisible);
    EXPECT_FALSE(mBoard.Cell(3, 1).mVisible);
}

TEST_F(BoardTest, QueriesFindTheFirstCellRowByRow) {
    SetBoardFromAscii(mBoard, {"0 1 2 3 4", "0 1s3 2t2 3c1 4", "0s2 1t2 2c2 3 4t1"});
    int x = 0;
    int y = 0;
    mBoard.FirstSecretCell(x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(mBoard.ColumnToX(1, true), mBoard.RowToY(1, true)));
    mBoard.FirstDoubleTileCell(x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(mBoard.ColumnToX(2, true), mBoard.RowToY(1, true)));
    mBoard.FirstChainedCell(x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(mBoard.ColumnToX(3, true), mBoard.RowToY(1, true)));

    std::vector<CellPos> cells;
    mBoard.CollectTileCells(cells);
    EXPECT_EQ(cells, (std::vector<CellPos>{{2, 1}, {1, 2}, {4, 2}}));
    mBoard.CollectChainedCells(cells); // appends
    EXPECT_EQ(cells.size(), 5u);
    mBoard.CollectCellsOfItem(1, cells); // clears first
    EXPECT_EQ(cells, (std::vector<CellPos>{{1, 0}, {1, 1}, {1, 2}}));

    EXPECT_TRUE(Board::IsMovable(mBoard.Cell(0, 0)));
    EXPECT_FALSE(Board::IsMovable(mBoard.Cell(3, 1))); // chained
    mBoard.Cell(0, 0).mItem = kItemRemoved;
    EXPECT_FALSE(Board::IsMovable(mBoard.Cell(0, 0)));
    EXPECT_FALSE(mBoard.AllTilesCleared());
    mBoard.Cell(4, 4).mDy = 1; // outside the rectangle
    EXPECT_TRUE(mBoard.IsStill());
    mBoard.Cell(4, 2).mDy = -1;
    EXPECT_FALSE(mBoard.IsStill());
}

TEST_F(BoardTest, NewBoardTakesTilesChainsAndOneSecret) {
    BoardLayout layout = LayoutFromAscii({
        ". .c1 .c2 .c3 .c3S .c1S . .",
        ". . . . . . . .",
        ". . . . .t2 . . .",
        ". . . . . . . .",
        ". . . . . . . .",
    });
    layout.mCells[16 * 3].mValue = 0x12; // low four bits: 2 tiles
    layout.mCells[16 * 4].mValue = 0x10; // low four bits 0: no cell
    mBoard.mItemSet = {4};
    platform::CrtSrand(1);
    ASSERT_TRUE(mBoard.NewBoard(layout, true));

    EXPECT_EQ(mBoard.mFeaturedItem, 4);
    EXPECT_EQ(mBoard.mState, kBoardIdle);
    EXPECT_EQ(mBoard.mColStart, 0);
    EXPECT_EQ(mBoard.mWidth, 8);
    EXPECT_EQ(mBoard.mHeight, 5);
    EXPECT_TRUE(mBoard.Cell(0, 0).mExists);
    EXPECT_EQ(mBoard.Cell(0, 0).mTiles, 1);
    EXPECT_EQ(mBoard.Cell(4, 2).mTiles, 2);
    EXPECT_EQ(mBoard.Cell(0, 3).mTiles, 2);
    EXPECT_TRUE(mBoard.Cell(0, 3).mExists);
    EXPECT_FALSE(mBoard.Cell(0, 4).mExists);
    EXPECT_FALSE(mBoard.Cell(8, 0).mExists);
    EXPECT_EQ(mBoard.Cell(0, 0).mItem, 4); // the only kind of the item set

    // Chain pictures by chain + 3 * style over the six-entry list; a double
    // chain shows IMAGE_CHAIN in both styles.
    struct Case {
        int column;
        int chain;
        Kavo::Image* picture;
    } cases[] = {{0, 0, nullptr},     {1, 1, IMAGE_CHAIN1}, {2, 2, IMAGE_CHAIN2},
                 {3, 3, IMAGE_CHAIN}, {4, 3, IMAGE_CHAIN},  {5, 1, IMAGE_CHAIN1}};
    for (const Case& c : cases) {
        const BoardCell& cell = mBoard.Cell(c.column, 0);
        EXPECT_EQ(cell.mChain, c.chain) << c.column;
        EXPECT_EQ(cell.mChainSprite.GetImage(), c.picture) << c.column;
    }
    const BoardCell& chained = mBoard.Cell(3, 0);
    EXPECT_TRUE(chained.mChainSprite.mCentered);
    EXPECT_EQ(chained.mChainSprite.mX, static_cast<float>(chained.mTargetX));
    EXPECT_EQ(chained.mChainSprite.mY, static_cast<float>(chained.mTargetY));
    EXPECT_EQ(mBoard.Cell(4, 0).mChainStyle, 1);

    std::vector<const BoardCell*> secrets;
    for (const BoardCell& cell : mBoard.mCells) {
        if (cell.mSecretItem >= 0)
            secrets.push_back(&cell);
    }
    ASSERT_EQ(secrets.size(), 1u);
    EXPECT_TRUE(secrets[0]->mExists);
    EXPECT_EQ(secrets[0]->mSecretItem, 4);
    EXPECT_EQ(secrets[0]->mSecretSprite.GetImage(), mCatalog->Find(4)->mSecretImage);
}

TEST_F(BoardTest, NewBoardRefusesAnEmptyLayoutOrItemSet) {
    SetBoardFromAscii(mBoard, {"3t1 3"});
    mBoard.mFeaturedItem = 2;
    const std::vector<std::string> before = AsciiFromBoard(mBoard);

    mBoard.mItemSet = {1, 2};
    EXPECT_FALSE(mBoard.NewBoard(LayoutFromAscii({}), true));
    BoardLayout highBitsOnly;
    highBitsOnly.mCells[0].mValue = 0x20;
    EXPECT_FALSE(mBoard.NewBoard(highBitsOnly, false));
    mBoard.mItemSet.clear();
    EXPECT_FALSE(mBoard.NewBoard(LayoutFromAscii({". ."}), true));

    EXPECT_EQ(AsciiFromBoard(mBoard), before);
    EXPECT_EQ(mBoard.mFeaturedItem, 2);
}

TEST_F(BoardTest, SecretsGoOnlyToFreeCells) {
    // Every cell already carries a secret: nothing more is placed.
    SetBoardFromAscii(mBoard, {"0s1 0s1", "0s1 0s1"});
    mBoard.mItemSet = {3};
    mBoard.PlaceSecrets(2);
    EXPECT_EQ(AsciiFromBoard(mBoard)[0].substr(0, 11), "0s1 0s1 # #");

    // One free cell takes the one secret that fits; a second finds none.
    SetBoardFromAscii(mBoard, {"0s1 0 0s1"});
    mBoard.PlaceSecrets(3);
    EXPECT_EQ(mBoard.Cell(1, 0).mSecretItem, 3);

    // A board without cells places nothing.
    SetBoardFromAscii(mBoard, {});
    mBoard.PlaceSecrets(1);
    EXPECT_EQ(mBoard.mColStart, -1);
}

TEST_F(BoardTest, SecretPrefersCellsWithFreeNeighbours) {
    // Only the middle of this cross has all eight cells at distance 1 and 2.
    const std::vector<std::string> cross = {
        "# # 0 # #", "# # 0 # #", "0 0 0 0 0", "# # 0 # #", "# # 0 # #",
    };
    mBoard.mItemSet = {5};
    for (std::uint32_t seed : {1u, 2u, 3u, 77u}) {
        platform::CrtSrand(seed);
        SetBoardFromAscii(mBoard, cross);
        mBoard.PlaceSecrets(1);
        EXPECT_EQ(mBoard.Cell(2, 2).mSecretItem, 5) << seed;
    }
}

TEST_F(BoardTest, PickTargetsListsDistinctExistingCells) {
    // Fewer cells than asked for: all of them, once each.
    SetBoardFromAscii(mBoard, {"0 # 0", "# 0 #", "0 # 0"});
    std::vector<CellPos> points;
    mBoard.PickTargets(points, 8);
    std::set<std::pair<int, int>> distinct;
    for (const CellPos& p : points)
        distinct.insert({p.mColumn, p.mRow});
    EXPECT_EQ(points.size(), 5u);
    EXPECT_EQ(distinct, (std::set<std::pair<int, int>>{{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}}));

    // 20 cells, 10 of them tiled: int(10 * 0.7) = 7 tiled ones first.
    SetBoardFromAscii(mBoard, {"1t1 1t1 1t1 1t1 1t1 1 1 1 1 1", "1t1 1t1 1t1 1t1 1t1 1 1 1 1 1"});
    for (std::uint32_t seed : {1u, 5u, 9u}) {
        platform::CrtSrand(seed);
        mBoard.PickTargets(points, 10);
        ASSERT_EQ(points.size(), 10u);
        distinct.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            distinct.insert({points[i].mColumn, points[i].mRow});
            EXPECT_TRUE(mBoard.Cell(points[i].mColumn, points[i].mRow).mExists);
            if (i < 7) {
                EXPECT_EQ(mBoard.Cell(points[i].mColumn, points[i].mRow).mTiles, 1) << i;
            }
        }
        EXPECT_EQ(distinct.size(), 10u) << seed;
    }

    SetBoardFromAscii(mBoard, {});
    mBoard.PickTargets(points, 3);
    EXPECT_TRUE(points.empty());
}

TEST_F(BoardTest, SaveWritesTheProfileBlock) {
    SetBoardFromAscii(mBoard, Block(3, 12, 1, 8, "0"));
    mBoard.Cell(3, 1).mItem = 5;
    mBoard.Cell(3, 1).mTiles = 2;
    mBoard.Cell(3, 1).mChain = 3;
    mBoard.Cell(4, 1).mItem = kItemRemoved;
    mBoard.Cell(4, 1).mSecretItem = 258;
    mBoard.mFeaturedItem = 4;
    Kavo::Buffer buffer;
    mBoard.Save(buffer);
    const std::vector<std::uint8_t> bytes = Bytes(buffer);
    ASSERT_EQ(bytes.size(), 1130u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 10),
              (std::vector<std::uint8_t>{3, 0, 1, 0, 10, 0, 8, 0, 4, 0}));
    auto cellBytes = [&](int column, int row) {
        const size_t at = 10 + static_cast<size_t>(row * 16 + column) * 7;
        return std::vector<std::uint8_t>(bytes.begin() + static_cast<long>(at),
                                         bytes.begin() + static_cast<long>(at + 7));
    };
    EXPECT_EQ(cellBytes(3, 1), (std::vector<std::uint8_t>{1, 2, 0xFF, 0xFF, 5, 0, 3}));
    EXPECT_EQ(cellBytes(4, 1), (std::vector<std::uint8_t>{1, 0, 2, 1, 0xFE, 0xFF, 0}));
    EXPECT_EQ(cellBytes(0, 0), (std::vector<std::uint8_t>{0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0}));
}

TEST_F(BoardTest, LoadRestoresWhatSaveWrote) {
    SetBoardFromAscii(mBoard, {
                                  "# # # # #",
                                  "# 0t1c3S -2 1s4 #",
                                  "# -1t2 2c1s0 3 #",
                              });
    mBoard.mFeaturedItem = 2;
    Kavo::Buffer buffer;
    mBoard.Save(buffer);
    // A stored rectangle that does not fit the cells is replaced.
    std::vector<std::uint8_t> bytes = Bytes(buffer);
    std::fill(bytes.begin(), bytes.begin() + 8, 0);

    Board loaded;
    loaded.SetOrigin(kOriginX, kOriginY);
    Kavo::Buffer in;
    in.SetData(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_TRUE(loaded.Load(in));
    EXPECT_EQ(AsciiFromBoard(loaded), AsciiFromBoard(mBoard));
    EXPECT_EQ(loaded.Cell(1, 1).mItem, 0);
    EXPECT_EQ(loaded.Cell(2, 1).mItem, kItemRemoved);
    EXPECT_EQ(loaded.Cell(1, 2).mItem, kItemEmpty);
    EXPECT_EQ(loaded.mFeaturedItem, 2);
    EXPECT_EQ(loaded.mColStart, 1);
    EXPECT_EQ(loaded.mRowStart, 1);
    EXPECT_EQ(loaded.mWidth, 3);
    EXPECT_EQ(loaded.mHeight, 2);

    const BoardCell& chained = loaded.Cell(1, 1);
    EXPECT_EQ(chained.mChainStyle, 0);
    EXPECT_EQ(chained.mChainSprite.GetImage(), IMAGE_CHAIN);
    EXPECT_EQ(chained.mItemSprite.GetImage(), mCatalog->Find(0)->mBoardImage);
    EXPECT_EQ(chained.mItemSprite.mX, static_cast<float>(loaded.ColumnToX(1, true)));
    EXPECT_EQ(loaded.Cell(2, 1).mItemSprite.GetImage(), nullptr);
    EXPECT_EQ(loaded.Cell(3, 1).mSecretSprite.GetImage(), mCatalog->Find(4)->mSecretImage);

    // A short block still loads, reading zeros for the rest.
    Kavo::Buffer cut;
    cut.SetData(bytes.data(), 10 + 18 * 7 + 3); // through cell (1, 1), into (2, 1)
    EXPECT_FALSE(loaded.Load(cut));
    EXPECT_EQ(loaded.Cell(1, 1).mChain, 3);
    EXPECT_FALSE(loaded.Cell(0, 9).mExists);
}

TEST_F(BoardTest, MotionStopsExactlyOnTheTarget) {
    SetBoardFromAscii(mBoard, {"0 1 -2", "0 1 2"});
    BoardCell& falling = mBoard.Cell(0, 0);
    falling.mDy = 1;
    falling.mTargetY = mBoard.RowToY(1, true);
    BoardCell& sliding = mBoard.Cell(1, 0);
    sliding.mDx = -1;
    sliding.mTargetX = mBoard.ColumnToX(0, true);
    BoardCell& removed = mBoard.Cell(2, 0);
    removed.mDy = 1;

    mBoard.MoveItems(2.0f);
    EXPECT_EQ(falling.mY, static_cast<float>(mBoard.RowToY(0, true) + 8));
    EXPECT_EQ(falling.mItemSprite.mY, falling.mY);
    EXPECT_EQ(sliding.mX, static_cast<float>(mBoard.ColumnToX(1, true) - 8));

    mBoard.MoveItems(1e6f);
    EXPECT_EQ(falling.mY, static_cast<float>(mBoard.RowToY(1, true)));
    EXPECT_EQ(falling.mDy, 0);
    EXPECT_EQ(falling.mTargetY, mBoard.RowToY(0, true)); // back to its own centre
    EXPECT_EQ(falling.mItemSprite.mY, falling.mY);
    EXPECT_EQ(sliding.mX, static_cast<float>(mBoard.ColumnToX(0, true)));
    EXPECT_EQ(sliding.mDx, 0);
    EXPECT_EQ(sliding.mTargetX, mBoard.ColumnToX(1, true));
    EXPECT_EQ(removed.mY, static_cast<float>(mBoard.RowToY(0, true)));
    EXPECT_EQ(removed.mDy, 1);
    EXPECT_TRUE(mBoard.IsStill() == false);
}

TEST_F(BoardTest, DropAllSendsEveryItemBelowTheWindow) {
    Kavo::KavoAppBase app;
    app.mHeight = 600;
    SetBoardFromAscii(mBoard, {"0 -2", "1 2"});
    mBoard.mSelected = {0, 0};
    mBoard.mHover = {1, 1};
    mBoard.Cell(1, 1).mY = 10;
    mBoard.mFigures.push_back(Figure{});
    mBoard.DropAll();
    EXPECT_EQ(mBoard.mState, kBoardClearing);
    EXPECT_TRUE(mBoard.mFigures.empty());
    EXPECT_EQ(mBoard.mSelected, CellPos());
    EXPECT_EQ(mBoard.mHover, CellPos());
    EXPECT_EQ(mBoard.Cell(1, 0).mItem, kItemEmpty);
    for (const BoardCell* cell : {&mBoard.Cell(0, 0), &mBoard.Cell(1, 1)}) {
        EXPECT_EQ(cell->mDy, 1);
        EXPECT_EQ(cell->mDx, 0);
        EXPECT_EQ(cell->mTargetY, 700);
        EXPECT_EQ(cell->mSpeed, 6.0f);
    }
    EXPECT_EQ(mBoard.Cell(1, 1).mY, static_cast<float>(mBoard.RowToY(1, true)));
    mBoard.MoveItems(1e6f);
    EXPECT_EQ(mBoard.Cell(1, 1).mY, 700.0f);
}

} // namespace
} // namespace Game::Test
