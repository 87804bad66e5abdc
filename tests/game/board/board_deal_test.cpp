// Dealing a new board and re-dealing it: no run, a move, and nothing but
// the items changed.

#include "framework/util/buffer.h"
#include "game/board/board.h"
#include "game/board/board_defs.h"
#include "platform/crt_random.h"
#include "tests/game/board/ascii_board.h"
#include "tests/game/board/board_play_fixture.h"
#include "tools/sample_content/board_content.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game::Test {
namespace {

using BoardDealTest = BoardPlayFixture;

std::vector<BoardLayout> SampleLayouts() {
    const std::string bytes = Kavo::SampleContent::BoardsDatBytes();
    Kavo::Buffer buffer;
    buffer.SetData(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
    BoardDefs defs;
    EXPECT_TRUE(defs.Read(buffer)) << defs.GetErrorText();
    std::vector<BoardLayout> layouts;
    for (int i = 0; i < defs.GetCount(); ++i)
        layouts.push_back(*defs.GetLayout(i));
    return layouts;
}

// Everything of the cells but their items.
std::vector<std::string> Fixtures(const Board& board) {
    std::vector<std::string> cells;
    for (const BoardCell& cell : board.mCells) {
        cells.push_back(std::to_string(cell.mExists) + "/" + std::to_string(cell.mChain) + "/" +
                        std::to_string(cell.mTiles) + "/" + std::to_string(cell.mSecretItem));
    }
    return cells;
}

TEST_F(BoardDealTest, DealsAndRedealsLeaveNoRunAndAMove) {
    const std::vector<BoardLayout> layouts = SampleLayouts();
    ASSERT_FALSE(layouts.empty());
    for (unsigned seed = 1; seed <= 200; ++seed) {
        const BoardLayout& layout = layouts[seed % layouts.size()];
        SCOPED_TRACE("seed " + std::to_string(seed));
        platform::CrtSrand(seed);
        mBoard.mItemSet.clear();
        for (int id = 0; id < 3 + static_cast<int>(seed % 4); ++id)
            mBoard.mItemSet.push_back(id * 2 % 7);
        mListener.mEvents.clear();
        ASSERT_TRUE(mBoard.NewBoard(layout, true));
        EXPECT_EQ(mListener.mEvents, (std::vector<std::string>{"MovesFound"}));
        EXPECT_EQ(CountRuns(mBoard), 0);
        EXPECT_FALSE(mBoard.mMoves.empty());
        for (const BoardCell& cell : mBoard.mCells) {
            if (!cell.mExists)
                continue;
            ASSERT_GE(cell.mItem, 0);
            EXPECT_EQ(cell.mItemSprite.mX, cell.mX);
            EXPECT_EQ(cell.mX, static_cast<float>(cell.mTargetX));
            EXPECT_EQ(cell.mY, static_cast<float>(cell.mTargetY));
        }

        const std::vector<std::string> before = Fixtures(mBoard);
        mBoard.Refill(true);
        EXPECT_EQ(Fixtures(mBoard), before);
        EXPECT_EQ(CountRuns(mBoard), 0);
        EXPECT_FALSE(mBoard.mMoves.empty());
        for (const BoardCell& cell : mBoard.mCells)
            EXPECT_TRUE(!cell.mExists || cell.mItem >= 0);
    }
}

TEST_F(BoardDealTest, RedealLeavesEmptyCellsAndRedealsChainedItems) {
    SetBoardFromAscii(mBoard, {
                                  "0 1 2 3 4",
                                  "1 2c3 . 4 0",
                                  "2 3 4 0 1",
                              });
    mBoard.mItemSet = {0, 1, 2, 3, 4};
    mBoard.Refill(true);
    EXPECT_EQ(mBoard.Cell(2, 1).mItem, kItemEmpty);
    EXPECT_GE(mBoard.Cell(1, 1).mItem, 0);
    EXPECT_EQ(mBoard.Cell(1, 1).mChain, 3);
    EXPECT_EQ(mListener.mEvents, (std::vector<std::string>{"MovesFound"}));
}

TEST_F(BoardDealTest, DealsThatCannotAvoidRunsOrFindMovesStillEnd) {
    struct Case {
        const char* name;
        std::vector<int> itemSet;
        std::vector<std::string> layout;
        bool runs;
        bool moves;
    } cases[] = {
        {"one kind", {2}, {". . . .", ". . . .", ". . . ."}, true, true},
        {"two cells", {0, 1, 2}, {". ."}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mBoard.mItemSet = c.itemSet;
        ASSERT_TRUE(mBoard.NewBoard(LayoutFromAscii(c.layout), false));
        EXPECT_EQ(CountRuns(mBoard) > 0, c.runs);
        EXPECT_EQ(mBoard.mMoves.empty(), !c.moves);
        EXPECT_GE(mBoard.Cell(0, 0).mItem, 0);
        EXPECT_EQ(mBoard.mState, kBoardIdle);
    }
}

TEST_F(BoardDealTest, RunsOfAForcedDealBreakWhenTheBoardSettles) {
    mBoard.mItemSet = {2};
    ASSERT_TRUE(mBoard.NewBoard(LayoutFromAscii({". . .c1"}), false));
    EXPECT_EQ(mBoard.Cell(2, 0).mChain, 1); // the deal's run test hits nothing
    mBoard.mItemSet = {0, 1, 3};
    mBoard.StartFall();
    Settle();
    const std::vector<std::string> events = mListener.Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0], "ChainBroken(2,0)");
    EXPECT_EQ(events[1], "FiguresBroken(0)");
    EXPECT_EQ(mBoard.Cell(2, 0).mChain, 0);
}

TEST_F(BoardDealTest, LoadFindsTheMovesOfTheRestoredBoard) {
    SetBoardFromAscii(mBoard, {"0 1 0 0", "2 3 4 2"});
    Kavo::Buffer buffer;
    mBoard.Save(buffer);
    mBoard.mMoves.clear();
    mListener.mEvents.clear();
    ASSERT_TRUE(mBoard.Load(buffer));
    ASSERT_EQ(mBoard.mMoves.size(), 1u);
    EXPECT_EQ(mBoard.mMoves[0].mColumn1, 1);
    EXPECT_EQ(mBoard.mMoves[0].mColumn2, 0);
    EXPECT_EQ(mListener.mEvents, (std::vector<std::string>{"MovesFound"}));
}

} // namespace
} // namespace Game::Test
