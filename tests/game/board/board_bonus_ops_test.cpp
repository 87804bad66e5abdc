// The board operations of the bonuses: shuffle, replace, a figure of
// chosen cells and a line of cells.

#include "game/board/board.h"
#include "platform/crt_random.h"
#include "tests/game/board/ascii_board.h"
#include "tests/game/board/board_play_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Game::Test {
namespace {

using Events = std::vector<std::string>;
using BoardBonusOpsTest = BoardPlayFixture;

TEST_F(BoardBonusOpsTest, ShufflePairsMovableCellsAndDropsTheOddOne) {
    // Five movable cells; the chained, empty and missing ones stay out.
    SetBoardFromAscii(mBoard, {"0 1c1 2 .", "3 4 # 5"});
    for (unsigned seed = 1; seed <= 10; ++seed) {
        platform::CrtSrand(seed);
        mBoard.PlanShuffle();
        ASSERT_EQ(mBoard.mShuffle.size(), 2u);
        std::set<std::pair<int, int>> cells;
        for (const ShufflePair& pair : mBoard.mShuffle) {
            cells.insert({pair.mC1, pair.mR1});
            cells.insert({pair.mC2, pair.mR2});
        }
        EXPECT_EQ(cells.size(), 4u);
        for (auto [column, row] : cells)
            EXPECT_TRUE(Board::IsMovable(mBoard.Cell(column, row))) << column << "," << row;
    }
}

TEST_F(BoardBonusOpsTest, ApplyShuffleReportsOnlyARunItMakes) {
    SetBoardFromAscii(mBoard, {"0 0 1 0 2", "3 4 5 3 4"});
    mBoard.mShuffle = {{0, 1, 1, 1}};
    mBoard.ApplyShuffle();
    EXPECT_EQ(mBoard.Cell(0, 1).mItem, 4);
    EXPECT_EQ(mBoard.Cell(1, 1).mItem, 3);
    EXPECT_EQ(mBoard.Cell(0, 1).mItemSprite.GetImage(), mCatalog->Find(4)->mBoardImage);
    EXPECT_TRUE(mListener.Events().empty());

    mBoard.mShuffle = {{2, 0, 3, 0}};
    mBoard.ApplyShuffle();
    EXPECT_EQ(mListener.Events(), (Events{"FiguresBroken(0)"}));
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(mBoard.Cell(column, 0).mItem, kItemRemoved);
    EXPECT_EQ(mBoard.Cell(3, 0).mItem, 1);
    EXPECT_EQ(mBoard.mCascade, 1);
}

// Items changed in place without a run leave other moves than before: the
// hints and the no-more-moves check must see the new ones, and a board left
// with none says so once it has settled.
TEST_F(BoardBonusOpsTest, AShuffleOrReplaceThatMakesNoRunListsTheMovesAnew) {
    struct Case {
        const char* name;
        std::function<void(Board&)> change;
        bool movesLeft;
    };
    // One move before: the 1 and the last 0 of the top row swap. A tile
    // is left to clear, so that the board is not complete.
    const std::vector<std::string> rows = {"0 0 1 0", "2 3 2 3t1"};
    const std::vector<Case> cases = {
        // 0 1 0 0: the first two swap now, the old move makes no run.
        {"shuffle to another move",
         [](Board& b) {
             b.mShuffle = {{1, 0, 2, 0}};
             b.ApplyShuffle();
         },
         true},
        // 2 0 1 0 over 0 3 2 3: no move at all.
        {"shuffle to no move",
         [](Board& b) {
             b.mShuffle = {{0, 0, 0, 1}};
             b.ApplyShuffle();
         },
         false},
        // 0 0 3 0 over 2 3 2 3: the 3 dropping into the row below is new.
        {"replace", [](Board& b) { b.ReplaceItems(1, 3); }, true},
    };
    using Swap = std::array<int, 4>;
    auto swapsOf = [](const std::vector<Move>& moves) {
        std::set<Swap> swaps;
        for (const Move& move : moves)
            swaps.insert({move.mColumn1, move.mRow1, move.mColumn2, move.mRow2});
        return swaps;
    };
    for (const Case& c : cases) {
        SetBoardFromAscii(mBoard, rows);
        mBoard.FindMoves(false);
        ASSERT_EQ(swapsOf(mBoard.mMoves), (std::set<Swap>{{2, 0, 3, 0}})) << c.name;
        mListener.mEvents.clear();
        c.change(mBoard);
        ASSERT_TRUE(mListener.Events().empty()) << c.name << ": a run was made";
        const std::set<Swap> listed = swapsOf(mBoard.mMoves);
        Settle();
        EXPECT_EQ(mListener.Events(), c.movesLeft ? Events{} : Events{"NoMoreMoves"}) << c.name;
        // Nothing moved since: a search now finds what the list should hold.
        mBoard.FindMoves(false);
        EXPECT_EQ(listed, swapsOf(mBoard.mMoves)) << c.name;
        EXPECT_EQ(!listed.empty(), c.movesLeft) << c.name;
    }
}

TEST_F(BoardBonusOpsTest, ReplaceTurnsOneKindIntoAnotherAndBreaksTheRun) {
    SetBoardFromAscii(mBoard, {"4 4 2 1", "2 3 5 2"});
    mBoard.ReplaceItems(2, 4);
    EXPECT_EQ(mBoard.Cell(0, 1).mItem, 4);
    EXPECT_EQ(mBoard.Cell(3, 1).mItem, 4);
    EXPECT_EQ(mBoard.Cell(3, 1).mItemSprite.GetImage(), mCatalog->Find(4)->mBoardImage);
    EXPECT_EQ(mListener.Events(), (Events{"FiguresBroken(0)"}));
    ASSERT_EQ(mBoard.mFigures.size(), 1u);
    EXPECT_EQ(mBoard.mFigures[0].mLength, 3);
    EXPECT_EQ(mBoard.Cell(2, 0).mItem, kItemRemoved);
}

TEST_F(BoardBonusOpsTest, FigureOfChosenCellsHitsThemWithoutCollectingSecrets) {
    SetBoardFromAscii(mBoard, {"0t1s0 1c3 2t2", "3 4 5"});
    const std::vector<CellPos> cells = {{2, 0}, {0, 0}, {1, 0}};
    mBoard.MakeFigure(cells);
    ASSERT_EQ(mBoard.mFigures.size(), 1u);
    const Figure& figure = mBoard.mFigures[0];
    EXPECT_EQ(figure.mType, -1);
    EXPECT_EQ(figure.mLength, 3);
    EXPECT_EQ(figure.mCentreColumn, 2);
    EXPECT_EQ(figure.mSwap1, (CellPos{2, 0}));
    EXPECT_EQ(figure.mSwap2, (CellPos{2, 0}));
    EXPECT_EQ(figure.mCells, cells);
    EXPECT_EQ(AsciiFromBoard(mBoard)[0].substr(0, 15), "0s0 1c1 2t1 # #");
    EXPECT_EQ(mListener.Events(), (Events{"ChainBroken(1,0)"}));

    mBoard.RemoveFigures();
    EXPECT_EQ(mBoard.Cell(0, 0).mItem, kItemRemoved);
    EXPECT_EQ(mBoard.Cell(1, 0).mItem, 1);

    mBoard.MakeFigure({});
    EXPECT_TRUE(mBoard.mFigures.empty());
}

TEST_F(BoardBonusOpsTest, LineStopsAtTheFirstCellWithoutAnItem) {
    SetBoardFromAscii(mBoard, {
                                  "0 1 2 3 4",
                                  "1 2 . 4 0",
                                  "2 3 4 0 1",
                                  "# 4 0 1 2",
                              });
    struct Case {
        int column;
        int row;
        bool horizontal;
        std::vector<CellPos> cells;
    } cases[] = {
        {1, 1, true, {{1, 1}, {0, 1}}},          {3, 1, true, {{3, 1}, {4, 1}}}, {2, 2, false, {{2, 2}, {2, 3}}},
        {0, 1, false, {{0, 1}, {0, 0}, {0, 2}}}, {2, 1, true, {{3, 1}, {4, 1}}}, // the empty cell itself is not listed
    };
    std::vector<CellPos> cells;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.column) + "," + std::to_string(c.row));
        EXPECT_TRUE(mBoard.CollectLine(X(c.column), Y(c.row), c.horizontal, cells));
        EXPECT_EQ(cells, c.cells);
    }
    EXPECT_FALSE(mBoard.CollectLine(X(0), Y(3), true, cells));
    EXPECT_TRUE(cells.empty());
    EXPECT_FALSE(mBoard.CollectLine(kOriginX - 1, Y(0), true, cells));
    EXPECT_FALSE(mBoard.CollectLine(X(0), kOriginY + 500, false, cells));
}

} // namespace
} // namespace Game::Test
