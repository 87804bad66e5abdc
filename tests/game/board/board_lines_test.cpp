// The line search, hits, removal and the fall with its refill.

#include "game/board/board.h"
#include "tests/game/board/ascii_board.h"
#include "tests/game/board/board_play_fixture.h"

#include "platform/crt_random.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace Game::Test {
namespace {

using Events = std::vector<std::string>;
using BoardLinesTest = BoardPlayFixture;

// The grid text with rows and columns exchanged.
std::vector<std::string> Transpose(const std::vector<std::string>& rows) {
    std::vector<std::vector<std::string>> tokens;
    for (const std::string& row : rows) {
        std::istringstream in(row);
        tokens.emplace_back();
        for (std::string token; in >> token;)
            tokens.back().push_back(token);
    }
    std::vector<std::string> out;
    for (size_t column = 0; column < tokens[0].size(); ++column) {
        std::string line;
        for (const auto& row : tokens)
            line += (column < row.size() ? row[column] : "#") + " ";
        out.push_back(line);
    }
    return out;
}

TEST_F(BoardLinesTest, RunsGiveFiguresWithTheirCentreAndCellsLastToFirst) {
    struct Case {
        std::string row;
        int first;
        int last;
        int centre;
    } cases[] = {
        {"1 2 0 0 0 3 4", 2, 4, 3},
        {"1 2 0 0 0 0 3", 2, 5, 3},
        {"1 2 0 0 0 0 0", 2, 6, 4},
        {"0 0 0 1 2 3 4", 0, 2, 1},
    };
    for (const Case& c : cases) {
        for (bool inRow : {true, false}) {
            SCOPED_TRACE(c.row + (inRow ? " in a row" : " in a column"));
            SetBoardFromAscii(mBoard, inRow ? std::vector<std::string>{c.row} : Transpose({c.row}));
            ASSERT_EQ(mBoard.FindLines(false, false, {1, 2}, {3, 4}), 1);
            const Figure& figure = mBoard.mFigures[0];
            EXPECT_EQ(figure.mType, 0);
            EXPECT_EQ(figure.mLength, c.last - c.first + 1);
            EXPECT_EQ(inRow ? figure.mCentreColumn : figure.mCentreRow, c.centre);
            EXPECT_EQ(inRow ? figure.mCentreRow : figure.mCentreColumn, 0);
            EXPECT_EQ(figure.mSwap1, (CellPos{1, 2}));
            EXPECT_EQ(figure.mSwap2, (CellPos{3, 4}));
            std::vector<CellPos> expected;
            for (int i = c.last; i >= c.first; --i)
                expected.push_back(inRow ? CellPos{i, 0} : CellPos{0, i});
            EXPECT_EQ(figure.mCells, expected);
        }
    }
}

TEST_F(BoardLinesTest, RunsNeedExistingRestingItems) {
    struct Case {
        const char* row;
        bool moving; // the item at column 1 travels
        bool ignoreMotion;
        int figures;
    } cases[] = {
        {"0 0 -2 0 0", false, false, 0},  {"0 0 . 0 0", false, false, 0}, {"0 0 # 0 0", false, false, 0},
        {"0 0 0 1 1 1", false, false, 2}, {"0 0 0", true, false, 0},      {"0 0 0", true, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        SetBoardFromAscii(mBoard, {c.row});
        mBoard.Cell(1, 0).mDx = c.moving ? 1 : 0;
        EXPECT_EQ(mBoard.FindLines(c.ignoreMotion, false, {0, 0}, {0, 0}), c.figures);
    }
}

TEST_F(BoardLinesTest, CrossHitsItsDoubleChainTwiceAndKeepsTheItemUntilTheNextFall) {
    SetBoardFromAscii(mBoard, {
                                  "1 0 2",
                                  "0 0c3 0",
                                  "1 0 2",
                              });
    mBoard.mItemSet = {3, 4, 5};
    ASSERT_EQ(mBoard.FindLines(false, false, {1, 0}, {1, 1}), 2);
    for (const Figure& figure : mBoard.mFigures) {
        EXPECT_EQ(figure.mSwap1, (CellPos{1, 0}));
        EXPECT_EQ(figure.mSwap2, (CellPos{1, 1}));
        EXPECT_EQ(figure.mCentreColumn, 1);
        EXPECT_EQ(figure.mCentreRow, 1);
    }
    EXPECT_EQ(mListener.Events(), (Events{"ChainBroken(1,1)", "ChainBroken(1,1)"}));
    const BoardCell& crossing = mBoard.Cell(1, 1);
    EXPECT_EQ(crossing.mChain, 0);
    EXPECT_TRUE(crossing.mJustFreed);
    EXPECT_EQ(crossing.mChainSprite.GetImage(), nullptr);

    mBoard.RemoveFigures();
    EXPECT_EQ(crossing.mItem, 0);
    for (CellPos pos : {CellPos{0, 1}, CellPos{2, 1}, CellPos{1, 0}, CellPos{1, 2}})
        EXPECT_EQ(mBoard.Cell(pos.mColumn, pos.mRow).mItem, kItemRemoved);
    mBoard.ApplyGravity();
    EXPECT_FALSE(crossing.mJustFreed);
}

TEST_F(BoardLinesTest, HitsTakeChainsTilesAndOwnKindSecrets) {
    struct Case {
        const char* cell; // the middle of a run of 0
        bool silent;
        const char* after;
        Events events;
    } cases[] = {
        {"0c2", false, "0", {"ChainBroken(1,0)"}},
        {"0c3t1", false, "0t1c1", {"ChainBroken(1,0)"}},
        {"0c1t1", true, "0t1", {"ChainBroken(1,0)"}},
        {"0t1", false, "0", {}},
        {"0t2", true, "0t2", {}},
        {"0s0", false, "0", {"SecretFound(252,128)"}},
        {"0s1", false, "0s1", {}},
        {"0s0", true, "0s0", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        SetBoardFromAscii(mBoard, {std::string("0 ") + c.cell + " 0"});
        mListener.mEvents.clear();
        ASSERT_EQ(mBoard.FindLines(false, c.silent, {0, 0}, {0, 0}), 1);
        std::string after = AsciiFromBoard(mBoard)[0].substr(2);
        after = after.substr(0, after.find(' '));
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(mListener.Events(), c.events);
    }
}

TEST_F(BoardLinesTest, ItemsFallIntoHolesAndNewOnesEnterAboveTheColumn) {
    SetBoardFromAscii(mBoard, {
                                  "0 -2 2 1",
                                  "3c1 -2 5 #",
                                  "-2 -2 0 1",
                                  "-2 1 -2 1",
                              });
    mBoard.mItemSet = {3, 4, 5};
    const int top = Y(0);
    mBoard.Cell(2, 2).mY = 1000.0f; // the item's current position travels with it
    mBoard.ApplyGravity();
    EXPECT_EQ(mListener.mEvents.back(), "MovesFound");

    // Column 0: nothing passes the chained item; the holes wait, unfilled.
    EXPECT_EQ(mBoard.Cell(0, 0).mItem, 0);
    EXPECT_EQ(mBoard.Cell(0, 1).mItem, 3);
    EXPECT_EQ(mBoard.Cell(0, 2).mItem, kItemEmpty);
    EXPECT_EQ(mBoard.Cell(0, 3).mItem, kItemEmpty);
    EXPECT_EQ(mBoard.Cell(0, 3).mDy, 0);
    // Column 1: three new items, the lowest first, 50 pixels apart.
    for (int row = 0; row < 3; ++row) {
        const BoardCell& cell = mBoard.Cell(1, row);
        EXPECT_TRUE(cell.mItem >= 3 && cell.mItem <= 5) << row;
        EXPECT_EQ(cell.mY, static_cast<float>(top - 50 * (3 - row))) << row;
        EXPECT_EQ(cell.mX, static_cast<float>(X(1)));
        EXPECT_EQ(cell.mDy, 1);
        EXPECT_EQ(cell.mTargetY, Y(row));
    }
    // Column 2: everything drops one cell; the source becomes the refill.
    EXPECT_EQ(mBoard.Cell(2, 3).mItem, 0);
    EXPECT_EQ(mBoard.Cell(2, 3).mY, 1000.0f);
    EXPECT_EQ(mBoard.Cell(2, 3).mItemSprite.GetImage(), mCatalog->Find(0)->mBoardImage);
    EXPECT_EQ(mBoard.Cell(2, 2).mItem, 5);
    EXPECT_EQ(mBoard.Cell(2, 2).mY, static_cast<float>(Y(1)));
    EXPECT_EQ(mBoard.Cell(2, 1).mItem, 2);
    EXPECT_EQ(mBoard.Cell(2, 0).mY, static_cast<float>(top - 50));
    // Column 3 had no hole: untouched.
    EXPECT_EQ(mBoard.Cell(3, 0).mDy, 0);

    // Once the chain is gone a later fall brings its item down.
    Settle();
    mBoard.BreakChain(0, 1);
    mBoard.ApplyGravity();
    EXPECT_EQ(mBoard.Cell(0, 3).mItem, 3);
    EXPECT_EQ(mBoard.Cell(0, 2).mItem, 0);
    EXPECT_GE(mBoard.Cell(0, 1).mItem, 3);
    EXPECT_GE(mBoard.Cell(0, 0).mItem, 3);
}

TEST_F(BoardLinesTest, RefillWithoutItemsLeavesTheHoles) {
    SetBoardFromAscii(mBoard, {"-2 1", "2 -2"});
    mBoard.mItemSet.clear();
    mBoard.ApplyGravity();
    EXPECT_EQ(mBoard.Cell(0, 0).mItem, kItemRemoved);
    EXPECT_EQ(mBoard.Cell(1, 1).mItem, 1);
    EXPECT_EQ(mBoard.Cell(1, 0).mItem, kItemRemoved);
}

TEST_F(BoardLinesTest, RefillHelpsTowardAMoveWhileFewAreLeft) {
    // Of the item set only 4 at (2, 0) completes "4 _ X 4" as a move.
    const std::vector<std::string> board = {"4 1 -2 4", "1 2 3 5", "2 3 5 1"};
    int helpedFours = 0;
    int plainFours = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        for (bool fewMoves : {true, false}) {
            SetBoardFromAscii(mBoard, board);
            platform::CrtSrand(seed);
            mBoard.mItemSet = {0, 1, 4, 5};
            mBoard.mMoves.assign(fewMoves ? 2 : 3, Move{});
            mBoard.ApplyGravity();
            (fewMoves ? helpedFours : plainFours) += mBoard.Cell(2, 0).mItem == 4 ? 1 : 0;
        }
    }
    EXPECT_EQ(helpedFours, 20);
    EXPECT_LT(plainFours, 20);
}

} // namespace
} // namespace Game::Test
