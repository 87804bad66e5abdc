// The score of one break's figures, over a small catalogue.
#include "game/board/item_catalog.h"
#include "game/screens/board_scoring.h"

#include <gtest/gtest.h>

#include <map>

namespace Game::Test {
namespace {

constexpr int kItem = 4;
constexpr int kOther = 5;
constexpr int kSpecial = 6;
constexpr int kUnlisted = 9;

// A run along a row (horizontal) or a column from (column, row).
Figure MakeRun(int item, int length, int column, int row, bool horizontal) {
    Figure figure;
    figure.mType = item;
    figure.mLength = length;
    for (int i = 0; i < length; ++i)
        figure.mCells.push_back(horizontal ? CellPos{column + i, row} : CellPos{column, row + i});
    figure.mCentreColumn = figure.mCells[static_cast<size_t>(length / 2)].mColumn;
    figure.mCentreRow = figure.mCells[static_cast<size_t>(length / 2)].mRow;
    return figure;
}

class BoardScoringTest : public ::testing::Test {
protected:
    BoardScoringTest() {
        for (int id : {kItem, kOther, kSpecial}) {
            ItemRecord record;
            record.mId = id;
            record.mType = id == kOther ? 3 : 1;
            record.mPrice = 3;
            mItems[id] = record;
        }
    }
    ItemLookup Lookup() {
        return [this](int id) -> const ItemRecord* {
            auto it = mItems.find(id);
            return it != mItems.end() ? &it->second : nullptr;
        };
    }
    std::map<int, ItemRecord> mItems;
};

TEST_F(BoardScoringTest, EachCellScoresItsFiguresPriceByLengthCrossingAndDoubling) {
    const struct {
        const char* name;
        std::vector<Figure> figures;
        bool doubled;
        size_t records;
        int each;
        bool crossed;
        size_t figuresScored;
    } cases[] = {
        {"3-run", {MakeRun(kItem, 3, 2, 2, true)}, false, 3, 3, false, 1},
        {"4-run", {MakeRun(kItem, 4, 2, 2, true)}, false, 4, 6, false, 1},
        {"5-run", {MakeRun(kItem, 5, 2, 2, true)}, false, 5, 9, false, 1},
        // A row and a column sharing (3, 2): the column is scored with the
        // row and not again.
        {"crossing", {MakeRun(kItem, 3, 2, 2, true), MakeRun(kItem, 3, 3, 1, false)}, false, 5, 6, true, 2},
        {"apart", {MakeRun(kItem, 3, 2, 2, true), MakeRun(kItem, 3, 2, 5, true)}, false, 6, 3, false, 2},
        {"special", {MakeRun(kSpecial, 3, 2, 2, true)}, false, 3, 4, false, 1},
        {"doubled", {MakeRun(kItem, 3, 2, 2, true)}, true, 3, 6, false, 1},
        {"unlisted", {MakeRun(kUnlisted, 3, 2, 2, true)}, false, 3, 0, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BreakScore score = ScoreFigures(c.figures, Lookup(), kSpecial, c.doubled);
        ASSERT_EQ(score.mRecords.size(), c.records);
        for (const ScoreRecord& record : score.mRecords)
            EXPECT_EQ(record.mScore, c.each);
        EXPECT_EQ(score.mCrossed, c.crossed);
        EXPECT_EQ(score.mFigures.size(), c.figuresScored);
        EXPECT_EQ(score.Total(), static_cast<int>(c.records) * c.each);
    }
}

TEST_F(BoardScoringTest, KindsAreMarkedAndAnUnlistedItemChargesNothing) {
    const BreakScore score =
        ScoreFigures({MakeRun(kItem, 3, 0, 0, true), MakeRun(kOther, 3, 0, 1, true), MakeRun(kUnlisted, 3, 0, 2, true)},
                     Lookup(), -1, false);
    ASSERT_EQ(score.mRecords.size(), 9u);
    EXPECT_EQ(score.mRecords[0], (ScoreRecord{1, 3, 0, 0}));
    // Kind 3 scores but is no goal kind; the unlisted item has kind -1.
    EXPECT_EQ(score.mRecords[3].mKind, 3);
    EXPECT_EQ(score.mRecords[8], (ScoreRecord{-1, 0, 2, 2}));
    EXPECT_EQ(score.mKindBroken, (std::array<bool, 3>{false, true, false}));
    EXPECT_FALSE(score.mFigures[0].mSpecial);
}

} // namespace
} // namespace Game::Test
