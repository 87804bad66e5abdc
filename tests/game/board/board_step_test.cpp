// Selecting and swapping, the swap's travel and resolution, and the states
// of the per-update step.

#include "game/board/board.h"
#include "tests/game/board/ascii_board.h"
#include "tests/game/board/board_play_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace Game::Test {
namespace {

using Events = std::vector<std::string>;
using BoardStepTest = BoardPlayFixture;

// No run, a chained cell at (3, 1) and an empty cell at (2, 2).
const std::vector<std::string> kQuietBoard = {
    "0 1 2 3",
    "1 2 3 0c1",
    "2 3 . 1",
    "3 0 1 2",
};

TEST_F(BoardStepTest, ClicksAndDragsSelectOrStartOneSwap) {
    enum Kind { kClick, kDrag };
    struct Action {
        Kind kind;
        int column; // a cell, or a pixel when `pixel` is set
        int row;
        bool pixel = false;
    };
    struct Case {
        const char* name;
        std::function<void(Board&)> setup;
        std::vector<Action> actions;
        Events events;
        CellPos selected;
        size_t swaps;
        bool armed = true; // any click on a cell arms the drag
    };
    const Case cases[] = {
        {"click selects", nullptr, {{kClick, 1, 1}}, {"Select"}, {1, 1}, 0},
        {"neighbour swaps", nullptr, {{kClick, 1, 1}, {kClick, 2, 1}}, {"Select", "Move"}, {}, 1},
        {"vertical neighbour swaps", nullptr, {{kClick, 1, 1}, {kClick, 1, 0}}, {"Select", "Move"}, {}, 1},
        {"selected again", nullptr, {{kClick, 1, 1}, {kClick, 1, 1}}, {"Select"}, {1, 1}, 0},
        {"diagonal moves the selection", nullptr, {{kClick, 1, 1}, {kClick, 0, 0}}, {"Select", "Select"}, {0, 0}, 0},
        {"far cell moves the selection", nullptr, {{kClick, 1, 1}, {kClick, 3, 3}}, {"Select", "Select"}, {3, 3}, 0},
        {"chained target", nullptr, {{kClick, 2, 1}, {kClick, 3, 1}}, {"Select"}, {2, 1}, 0},
        {"chained cell not selected", nullptr, {{kClick, 3, 1}}, {}, {}, 0},
        {"empty target", nullptr, {{kClick, 2, 1}, {kClick, 2, 2}}, {"Select"}, {2, 1}, 0},
        {"moving target",
         [](Board& b) { b.Cell(0, 1).mDy = 1; },
         {{kClick, 1, 1}, {kClick, 0, 1}},
         {"Select"},
         {1, 1},
         0},
        {"missing cell", nullptr, {{kClick, 1, 1}, {kClick, 5, 1}}, {"Select"}, {1, 1}, 0},
        {"pixel off the grid",
         nullptr,
         {{kClick, 1, 1}, {kClick, kOriginX - 1, kOriginY + 60, true}},
         {"Select"},
         {1, 1},
         0},
        {"input disabled",
         [](Board& b) { b.mInputEnabled = false; },
         {{kClick, 1, 1}, {kDrag, 2, 1}},
         {},
         {},
         0,
         false},
        {"drag onto a neighbour swaps once",
         nullptr,
         {{kClick, 1, 1}, {kDrag, 2, 1}, {kDrag, 3, 1}, {kDrag, 1, 1}},
         {"Select", "Move"},
         {},
         1,
         false},
        {"diagonal drag moves the selection",
         nullptr,
         {{kClick, 1, 1}, {kDrag, 2, 0}, {kDrag, 1, 0}},
         {"Select", "Select"},
         {2, 0},
         0,
         false},
        {"drag onto the selection itself", nullptr, {{kClick, 1, 1}, {kDrag, 1, 1}}, {"Select"}, {1, 1}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetBoardFromAscii(mBoard, kQuietBoard);
        mBoard.ClearSelection();
        mBoard.mSwaps.clear();
        mBoard.mInputEnabled = true;
        mBoard.mDragArmed = false;
        mBoard.mCascade = 5;
        mListener.mEvents.clear();
        if (c.setup)
            c.setup(mBoard);
        for (const Action& action : c.actions) {
            const int x = action.pixel ? action.column : X(action.column);
            const int y = action.pixel ? action.row : Y(action.row);
            if (action.kind == kClick)
                mBoard.Click(x, y);
            else
                mBoard.Drag(x, y);
        }
        EXPECT_EQ(mListener.Events(), c.events);
        EXPECT_EQ(mBoard.mSelected, c.selected);
        ASSERT_EQ(mBoard.mSwaps.size(), c.swaps);
        if (c.swaps == 1) {
            EXPECT_EQ(mBoard.mCascade, 0);
            EXPECT_EQ(mBoard.mSwaps[0].mPhase, kSwapForth);
            EXPECT_EQ(mBoard.mSwaps[0].mC1, 1);
            EXPECT_EQ(mBoard.mSwaps[0].mR1, 1);
        }
        EXPECT_EQ(mBoard.mDragArmed, c.armed);
    }
}

TEST_F(BoardStepTest, SelectionWhoseItemWasRemovedStartsNoSwap) {
    SetBoardFromAscii(mBoard, kQuietBoard);
    ClickCell(1, 1);
    mBoard.Cell(1, 1).mItem = kItemRemoved;
    ClickCell(2, 1);
    EXPECT_TRUE(mBoard.mSwaps.empty());
    EXPECT_EQ(mBoard.mSelected, (CellPos{2, 1}));
    EXPECT_EQ(mBoard.Cell(1, 1).mItem, kItemRemoved);
}

TEST_F(BoardStepTest, SwapArrivesOnTheThirteenthMoveAndBreaksOnTheNextStep) {
    SetBoardFromAscii(mBoard, {
                                  "0 1 0 0",
                                  "2 0 3 4",
                              });
    mBoard.mItemSet = {3, 4, 5};
    ClickCell(1, 0);
    ClickCell(1, 1);
    for (int move = 1; move <= 12; ++move) {
        mBoard.Step();
        mBoard.MoveItems(1.0f);
    }
    EXPECT_EQ(mBoard.Cell(1, 0).mDy, 1);
    EXPECT_EQ(mBoard.Cell(1, 0).mY, static_cast<float>(Y(0) + 48));
    EXPECT_EQ(mListener.Events(), (Events{"Select", "Move"}));
    mBoard.Step(); // still travelling: nothing resolves
    mBoard.MoveItems(1.0f);
    EXPECT_TRUE(mBoard.IsStill());
    EXPECT_EQ(mBoard.Cell(1, 1).mTargetY, Y(1));
    EXPECT_EQ(mBoard.Cell(1, 0).mTargetY, Y(0));
    EXPECT_EQ(mListener.Events(), (Events{"Select", "Move"}));

    mBoard.Step();
    EXPECT_EQ(mListener.Events(), (Events{"Select", "Move", "FiguresBroken(1)"}));
    EXPECT_TRUE(mBoard.mSwaps.empty());
    EXPECT_EQ(mBoard.mCascade, 1);
    ASSERT_EQ(mBoard.mFigures.size(), 1u);
    EXPECT_EQ(mBoard.mFigures[0].mSwap1, (CellPos{1, 0}));
    EXPECT_EQ(mBoard.mFigures[0].mSwap2, (CellPos{1, 1}));
    EXPECT_EQ(mBoard.mFigures[0].mLength, 4);
    EXPECT_EQ(mBoard.Cell(1, 1).mItem, 1);
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(mBoard.Cell(column, 0).mItem, kItemRemoved) << column;
}

TEST_F(BoardStepTest, WrongSwapTravelsBackAndLeavesTheBoardAsBefore) {
    SetBoardFromAscii(mBoard, kQuietBoard);
    const auto before = AsciiFromBoard(mBoard);
    mBoard.mCascade = 3;
    ClickCell(0, 0);
    ClickCell(1, 0);
    Settle();
    EXPECT_EQ(mListener.Events(), (Events{"Select", "Move", "WrongMove"}));
    EXPECT_EQ(AsciiFromBoard(mBoard), before);
    EXPECT_TRUE(mBoard.mSwaps.empty());
    EXPECT_EQ(mBoard.mCascade, 0);
    for (int column : {0, 1}) {
        const BoardCell& cell = mBoard.Cell(column, 0);
        EXPECT_EQ(cell.mX, static_cast<float>(X(column)));
        EXPECT_EQ(cell.mTargetX, X(column));
        EXPECT_EQ(cell.mItemSprite.GetImage(), mCatalog->Find(cell.mItem)->mBoardImage);
    }
}

TEST_F(BoardStepTest, LastTilesClearedCompleteTheLevelOnce) {
    SetBoardFromAscii(mBoard, {
                                  "0t1 0t1 1 0",
                                  "2 3 4 2",
                              });
    mBoard.mItemSet = {3, 4, 5};
    ClickCell(2, 0);
    ClickCell(3, 0);
    Settle();
    EXPECT_EQ(mBoard.mState, kBoardComplete);
    EXPECT_EQ(mBoard.mStepCount, 0);
    for (int i = 0; i < 5; ++i)
        Update();
    EXPECT_EQ(mBoard.mState, kBoardComplete);
    const Events events = mListener.Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[2], "FiguresBroken(1)");
    EXPECT_EQ(std::count(events.begin(), events.end(), "LevelComplete(1)"), 1);
    EXPECT_EQ(events.back(), "LevelComplete(1)");
    EXPECT_EQ(std::count(events.begin(), events.end(), "NoMoreMoves"), 0);
}

TEST_F(BoardStepTest, NoMoveLeftWaitsInStateSevenUntilASwapSucceeds) {
    SetBoardFromAscii(mBoard, {"0t1 1 2"});
    mBoard.mItemSet = {3, 4, 5};
    mBoard.StartFall();
    EXPECT_EQ(mBoard.mState, kBoardSettling);
    mBoard.Step();
    EXPECT_EQ(mBoard.mState, kBoardNoMoreMoves);
    EXPECT_EQ(mListener.Events(), (Events{"NoMoreMoves"}));
    mBoard.Step();
    EXPECT_EQ(mListener.Events(), (Events{"NoMoreMoves"}));

    // The board changes under the screen (a bonus); a swap still works.
    SetBoardFromAscii(mBoard, {"0t1 1 0 0", "3 4 5 3"});
    ClickCell(0, 0);
    ClickCell(1, 0);
    EXPECT_EQ(mBoard.mState, kBoardNoMoreMoves);
    for (int i = 0; i < 13; ++i) {
        mBoard.Step();
        mBoard.MoveItems(1.0f);
    }
    EXPECT_EQ(mBoard.mState, kBoardNoMoreMoves);
    mBoard.Step();
    EXPECT_EQ(mBoard.mState, kBoardIdle);
    EXPECT_EQ(mListener.Events().back(), "FiguresBroken(1)");
}

TEST_F(BoardStepTest, DropAllClearsTheBoardOnce) {
    SetBoardFromAscii(mBoard, kQuietBoard);
    mBoard.Cell(0, 3).mItem = kItemRemoved;
    mBoard.DropAll();
    EXPECT_EQ(mBoard.mState, kBoardClearing);
    mBoard.StartFall(); // shows the items but lets nothing fall while clearing
    EXPECT_EQ(mBoard.mState, kBoardClearing);
    Settle();
    EXPECT_EQ(mBoard.mState, kBoardCleared);
    EXPECT_FALSE(mBoard.mVisible);
    EXPECT_EQ(mListener.Events(), (Events{"BoardCleared"}));
    mBoard.Step();
    EXPECT_EQ(mListener.Events(), (Events{"BoardCleared"}));
}

TEST_F(BoardStepTest, EventsWithoutAListenerAreSkipped) {
    mBoard.mListener = nullptr;
    SetBoardFromAscii(mBoard, {"0 0c3 0s0 1", "2 3 4 2"});
    mBoard.mItemSet = {3, 4, 5};
    EXPECT_EQ(mBoard.FindLines(false, false, {0, 0}, {0, 0}), 1);
    EXPECT_EQ(mBoard.Cell(1, 0).mChain, 1);
    EXPECT_EQ(mBoard.Cell(2, 0).mSecretItem, -1);
    mBoard.RemoveFigures();
    mBoard.StartFall();
    EXPECT_EQ(mBoard.mState, kBoardSettling);
}

} // namespace
} // namespace Game::Test
