// The move finder: every pattern, the exclusions, the order of the list,
// the hints, and agreement with a brute force over all swaps.

#include "game/board/board.h"
#include "platform/crt_random.h"
#include "tests/game/board/ascii_board.h"
#include "tests/game/board/board_play_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace Game::Test {
namespace {

using MoveFinderTest = BoardPlayFixture;
using Swap = std::pair<std::pair<int, int>, std::pair<int, int>>;

// Each token starting with 'x' gets its own item id from 10 up, so that
// the fillers take part in no run and no move.
std::vector<std::string> WithFillers(const std::vector<std::string>& rows) {
    int next = 10;
    std::vector<std::string> out;
    for (const std::string& row : rows) {
        std::istringstream in(row);
        std::string line;
        for (std::string token; in >> token;)
            line += (token[0] == 'x' ? std::to_string(next++) + token.substr(1) : token) + " ";
        out.push_back(line);
    }
    return out;
}

Swap Unordered(int c1, int r1, int c2, int r2) {
    return std::minmax(std::pair(c1, r1), std::pair(c2, r2));
}

std::set<Swap> DistinctSwaps(const std::vector<Move>& moves) {
    std::set<Swap> swaps;
    for (const Move& move : moves)
        swaps.insert(Unordered(move.mColumn1, move.mRow1, move.mColumn2, move.mRow2));
    return swaps;
}

TEST_F(MoveFinderTest, EveryPatternListsItsSwap) {
    struct Case {
        int pattern;
        std::vector<std::string> board;
        CellPos s1;
        CellPos s2;
    } cases[] = {
        {0, {"0 x 0", "x 0 x"}, {1, 0}, {1, 1}},     {1, {"x 0 x", "0 x 0"}, {1, 1}, {1, 0}},
        {2, {"0 x", "x 0", "0 x"}, {0, 1}, {1, 1}},  {3, {"x 0", "0 x", "x 0"}, {1, 1}, {0, 1}},
        {4, {"x x 0", "0 0 x"}, {2, 1}, {2, 0}},     {5, {"0 0 x", "x x 0"}, {2, 0}, {2, 1}},
        {6, {"0 x x", "x 0 0"}, {0, 0}, {0, 1}},     {7, {"x 0 0", "0 x x"}, {0, 1}, {0, 0}},
        {8, {"x 0", "x 0", "0 x"}, {0, 2}, {1, 2}},  {9, {"0 x", "0 x", "x 0"}, {1, 2}, {0, 2}},
        {10, {"0 x", "x 0", "x 0"}, {0, 0}, {1, 0}}, {11, {"x 0", "0 x", "0 x"}, {1, 0}, {0, 0}},
        {12, {"0 0 x 0"}, {2, 0}, {3, 0}},           {13, {"0 x 0 0"}, {1, 0}, {0, 0}},
        {14, {"0", "0", "x", "0"}, {0, 3}, {0, 2}},  {15, {"0", "x", "0", "0"}, {0, 0}, {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("pattern " + std::to_string(c.pattern));
        SetBoardFromAscii(mBoard, WithFillers(c.board));
        ASSERT_EQ(CountRuns(mBoard), 0);
        mBoard.FindMoves(false);
        EXPECT_EQ(DistinctSwaps(mBoard.mMoves),
                  (std::set<Swap>{Unordered(c.s1.mColumn, c.s1.mRow, c.s2.mColumn, c.s2.mRow)}));
        const bool asWritten = std::any_of(mBoard.mMoves.begin(), mBoard.mMoves.end(), [&](const Move& m) {
            return CellPos{m.mColumn1, m.mRow1} == c.s1 && CellPos{m.mColumn2, m.mRow2} == c.s2;
        });
        EXPECT_TRUE(asWritten);
        for (const Move& m : mBoard.mMoves) {
            EXPECT_EQ(m.mX1, X(m.mColumn1));
            EXPECT_EQ(m.mY1, Y(m.mRow1));
            EXPECT_EQ(m.mX2, X(m.mColumn2));
            EXPECT_EQ(m.mY2, Y(m.mRow2));
        }
    }
}

TEST_F(MoveFinderTest, GapMoveNeedsEveryCellUnchained) {
    SetBoardFromAscii(mBoard, WithFillers({"0 x 0 0"}));
    mBoard.FindMoves(false);
    ASSERT_EQ(mBoard.mMoves.size(), 1u);
    EXPECT_EQ((CellPos{mBoard.mMoves[0].mColumn1, mBoard.mMoves[0].mRow1}), (CellPos{1, 0}));
    EXPECT_EQ((CellPos{mBoard.mMoves[0].mColumn2, mBoard.mMoves[0].mRow2}), (CellPos{0, 0}));
    // The single X (partner and swap cell), the gap, the anchor, the partner.
    for (int chained = 0; chained < 4; ++chained) {
        SCOPED_TRACE(chained);
        SetBoardFromAscii(mBoard, WithFillers({"0 x 0 0"}));
        mBoard.Cell(chained, 0).mChain = 1;
        mBoard.FindMoves(false);
        EXPECT_TRUE(mBoard.mMoves.empty());
    }
}

TEST_F(MoveFinderTest, SameSwapFromTwoAnchorsIsListedTwice) {
    SetBoardFromAscii(mBoard, WithFillers({"0 0 x 0", "x x 0 x"}));
    mBoard.FindMoves(false);
    EXPECT_EQ(std::count_if(mBoard.mMoves.begin(), mBoard.mMoves.end(),
                            [](const Move& m) {
                                return Unordered(m.mColumn1, m.mRow1, m.mColumn2, m.mRow2) == Unordered(2, 0, 2, 1);
                            }),
              2);
}

TEST_F(MoveFinderTest, SortedBestFirstAndHintsCycle) {
    for (unsigned seed = 1; seed <= 10; ++seed) {
        SCOPED_TRACE(seed);
        platform::CrtSrand(seed);
        SetBoardFromAscii(mBoard, WithFillers({"0 x 0 0 x 1t1 xt1 1 1"}));
        mBoard.FindMoves(true);
        ASSERT_EQ(mBoard.mMoves.size(), 2u);
        EXPECT_EQ(mBoard.mMoves[0].mValue, 2);
        EXPECT_EQ(mBoard.mMoves[1].mValue, 0);
    }

    // Equal values: the order depends on the generator alone.
    const std::vector<std::string> three = WithFillers({"0 x 0 0 x 1 x 1 1 x 2 x 2 2"});
    std::set<int> firstColumns;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SetBoardFromAscii(mBoard, three);
        platform::CrtSrand(seed);
        mBoard.FindMoves(true);
        const std::vector<Move> first = mBoard.mMoves;
        platform::CrtSrand(seed);
        mBoard.FindMoves(true);
        ASSERT_EQ(mBoard.mMoves.size(), 3u);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(mBoard.mMoves[i].mColumn1, first[i].mColumn1);
        firstColumns.insert(first[0].mColumn1);
    }
    EXPECT_GT(firstColumns.size(), 1u);

    const std::vector<Move> moves = mBoard.mMoves;
    for (size_t expected : {0u, 1u, 2u, 0u}) {
        const std::optional<Move> hint = mBoard.NextHint();
        ASSERT_TRUE(hint.has_value());
        EXPECT_EQ(hint->mColumn1, moves[expected].mColumn1);
    }
    mBoard.FindMoves(false); // starts the hints again
    EXPECT_EQ(mBoard.NextHint()->mColumn1, mBoard.mMoves[0].mColumn1);
}

TEST_F(MoveFinderTest, EmptyListGivesNoHintButIsReported) {
    SetBoardFromAscii(mBoard, {"0 1 2"});
    mBoard.FindMoves(true);
    EXPECT_TRUE(mBoard.mMoves.empty());
    EXPECT_FALSE(mBoard.NextHint().has_value());
    EXPECT_EQ(mListener.mEvents, (std::vector<std::string>{"MovesFound"}));
}

// A random board without runs: cells missing, empty or chained at random.
void RandomBoard(Board& board, std::mt19937& random, bool full) {
    std::vector<std::string> rows;
    std::vector<std::vector<int>> items(7, std::vector<int>(8, -1));
    for (int row = 0; row < 7; ++row) {
        std::string line;
        for (int column = 0; column < 8; ++column) {
            const int roll = static_cast<int>(random() % 20);
            if (!full && roll == 0) {
                line += "# ";
                continue;
            }
            if (!full && roll == 1) {
                line += ". ";
                continue;
            }
            int item = 0;
            do {
                item = static_cast<int>(random() % 4);
            } while ((column >= 2 && items[row][column - 1] == item && items[row][column - 2] == item) ||
                     (row >= 2 && items[row - 1][column] == item && items[row - 2][column] == item));
            items[row][column] = item;
            line += std::to_string(item);
            if (!full && roll < 5)
                line += "c" + std::to_string(1 + roll % 3);
            line += " ";
        }
        rows.push_back(line);
    }
    SetBoardFromAscii(board, rows);
}

// Every neighbour swap of two movable cells after which a swapped cell lies
// in three equal unchained items in line.
std::set<Swap> BruteForceSwaps(const Board& board) {
    auto movable = [&](int c, int r) { return Board::IsInGrid(c, r) && Board::IsMovable(board.Cell(c, r)); };
    std::set<Swap> swaps;
    for (int row = 0; row < kBoardRows; ++row) {
        for (int column = 0; column < kBoardColumns; ++column) {
            for (auto [dc, dr] : {std::pair(1, 0), std::pair(0, 1)}) {
                const int c2 = column + dc;
                const int r2 = row + dr;
                if (!movable(column, row) || !movable(c2, r2))
                    continue;
                auto item = [&](int c, int r) {
                    if (!movable(c, r))
                        return -1;
                    if (c == column && r == row)
                        return board.Cell(c2, r2).mItem;
                    if (c == c2 && r == r2)
                        return board.Cell(column, row).mItem;
                    return board.Cell(c, r).mItem;
                };
                auto inRun = [&](int c, int r) {
                    const int t = item(c, r);
                    for (auto [ac, ar] : {std::pair(1, 0), std::pair(0, 1)}) {
                        for (int start = -2; start <= 0; ++start) {
                            int same = 0;
                            for (int k = start; k < start + 3; ++k)
                                same += item(c + k * ac, r + k * ar) == t ? 1 : 0;
                            if (same == 3)
                                return true;
                        }
                    }
                    return false;
                };
                if (inRun(column, row) || inRun(c2, r2))
                    swaps.insert(Unordered(column, row, c2, r2));
            }
        }
    }
    return swaps;
}

TEST_F(MoveFinderTest, ListsExactlyTheSwapsABruteForceFinds) {
    std::mt19937 random(37);
    int boardsWithMoves = 0;
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const bool full = round % 3 == 0;
        RandomBoard(mBoard, random, full);
        ASSERT_EQ(CountRuns(mBoard), 0);
        mBoard.FindMoves(true);
        const std::set<Swap> expected = BruteForceSwaps(mBoard);
        EXPECT_EQ(DistinctSwaps(mBoard.mMoves), expected);
        boardsWithMoves += expected.empty() ? 0 : 1;
        if (full) {
            // On a full board without chains every listed move has an anchor
            // whose own item the refill test accepts there, and only then.
            bool anyAnchor = false;
            for (int row = mBoard.mRowStart; row < mBoard.mRowStart + mBoard.mHeight; ++row) {
                for (int column = mBoard.mColStart; column < mBoard.mColStart + mBoard.mWidth; ++column)
                    anyAnchor = anyAnchor || mBoard.WouldMakeMove(row, column, mBoard.Cell(column, row).mItem);
            }
            EXPECT_EQ(anyAnchor, !expected.empty());
        }
    }
    EXPECT_GT(boardsWithMoves, 100);
}

} // namespace
} // namespace Game::Test
