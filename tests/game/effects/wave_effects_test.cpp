// The board-wide waves: blink wave, tile spread, reshuffle, settling pulse
// and the fade of a finished board.
#include "game/board/board_tiles.h"
#include "game/effects/blink_coll_effect.h"
#include "game/effects/effect_scale_item.h"
#include "game/effects/item_fade_list.h"
#include "game/effects/reshuffle_effect.h"
#include "game/effects/tile_spread.h"
#include "tests/game/effects/effect_family_fixture.h"

#include <memory>

namespace Game {
namespace {

using WaveEffectsTest = EffectFamilyTest;

// Plays the spread as the board screen does: Update, then Move with 1.0.
// The update on which it was first done, 0 when not within `bound`.
int RunSpread(TileSpread& spread, int bound, const std::function<void(int)>& afterUpdate = nullptr) {
    for (int update = 1; update <= bound; ++update) {
        spread.Update();
        if (spread.IsDone())
            return update;
        spread.Move(1.0f);
        if (afterUpdate)
            afterUpdate(update);
    }
    return 0;
}

TEST_F(WaveEffectsTest, TileSpreadFadesInItsStartThenSlidesTheNeighbours) {
    BoardTiles tiles;
    tiles.Tile(8, 5).mExists = true;
    {
        TileSpread lone(tiles);
        ASSERT_EQ(lone.mPieces.size(), 1u);
        EXPECT_EQ(RunSpread(lone, 100), 43);
    }
    tiles.Tile(9, 5).mExists = true;
    TileSpread pair(tiles);
    ASSERT_EQ(pair.mPieces.size(), 2u);
    const SpreadPiece& neighbour = *pair.mPieces[1];
    EXPECT_EQ(neighbour.mColumn, 9);
    int firstMove = 0;
    int arrived = 0;
    const float start = neighbour.mX;
    const int doneAt = RunSpread(pair, 200, [&](int update) {
        if (firstMove == 0 && neighbour.mX != start)
            firstMove = update;
        if (arrived == 0 && !neighbour.HasOffset())
            arrived = update;
    });
    EXPECT_EQ(firstMove, 44);
    EXPECT_EQ(arrived, 52);
    EXPECT_EQ(neighbour.mX, neighbour.mTargetX);
    EXPECT_EQ(doneAt, 53);
}

TEST_F(WaveEffectsTest, TileSpreadFindsAStartOutsideAnEmptyMiddleRow) {
    BoardTiles tiles;
    // Rows 4 and 6 hold tiles, the middle row 5 none: row 6 comes first.
    tiles.Tile(3, 4).mExists = true;
    tiles.Tile(2, 6).mExists = true;
    TileSpread spread(tiles);
    ASSERT_EQ(spread.mPieces.size(), 1u);
    EXPECT_EQ(spread.mPieces[0]->mColumn, 2);
    EXPECT_EQ(spread.mPieces[0]->mRow, 6);
    EXPECT_EQ(RunSpread(spread, 100), 43);

    BoardTiles empty;
    TileSpread none(empty);
    EXPECT_TRUE(none.mPieces.empty());
    EXPECT_EQ(RunSpread(none, 10), 1);
}

TEST_F(WaveEffectsTest, ScaleItemTellsTheListenerOnceAfterTheLastPulse) {
    SetBoard({"0 1 2", "3 4 5"});
    EffectScaleItem pulse(mBoard, &mListener);
    ASSERT_EQ(pulse.mAnimations.size(), 6u);
    const int latest = *std::max_element(pulse.mDelays.begin(), pulse.mDelays.end());
    int doneAt = 0;
    for (int update = 1; update <= 500 && doneAt == 0; ++update) {
        Step(pulse, update, &mListener);
        if (pulse.IsDone())
            doneAt = update;
    }
    // The sample pulse plays six frames of four updates.
    EXPECT_GT(doneAt, latest);
    EXPECT_EQ(mListener.mCalls, (std::vector<std::pair<char, int>>{{'F', doneAt}}));
    Step(pulse, doneAt + 1, &mListener);
    EXPECT_EQ(mListener.mCalls.size(), 1u);

    mListener.mCalls.clear();
    SetBoard({". . ."});
    EffectScaleItem empty(mBoard, &mListener);
    Step(empty, 1, &mListener);
    EXPECT_TRUE(empty.IsDone());
    EXPECT_EQ(mListener.mCalls, (std::vector<std::pair<char, int>>{{'F', 1}}));
}

TEST_F(WaveEffectsTest, ReshuffleShowsTheNewDealAfterItsMiddle) {
    SetBoard({"0 1 2 3", "4 5 0 1", "2 3 4 5"});
    Kavo::MemoryImage dealt;
    dealt.Create(40, 40);
    mListener.mOnMiddle = [&] {
        for (BoardCell& cell : mBoard.mCells)
            if (cell.mItem >= 0)
                cell.mItemSprite.SetImage(&dealt);
    };
    ReshuffleEffect reshuffle(mBoard, &mListener);
    ASSERT_EQ(reshuffle.mRecords.size(), 12u);
    int update = 0;
    while (!reshuffle.IsDone() && update < 1000) {
        mListener.mUpdate = ++update;
        reshuffle.Update();
    }
    ASSERT_TRUE(reshuffle.IsDone());
    ASSERT_EQ(mListener.mCalls.size(), 2u);
    EXPECT_EQ(mListener.mCalls[0].first, 'M');
    EXPECT_EQ(mListener.mCalls[1], std::make_pair('F', update));
    for (const ReshuffleEffect::Record& record : reshuffle.mRecords) {
        EXPECT_EQ(record.mImage, &dealt);
        EXPECT_EQ(record.mAlpha, 255.0f);
    }

    mListener.mCalls.clear();
    mListener.mOnMiddle = nullptr;
    SetBoard({". . ."});
    ReshuffleEffect empty(mBoard, &mListener);
    for (int u = 1; u <= 3; ++u) {
        mListener.mUpdate = u;
        empty.Update();
    }
    EXPECT_EQ(mListener.mCalls, (std::vector<std::pair<char, int>>{{'M', 1}, {'F', 2}}));
}

TEST_F(WaveEffectsTest, ReshuffleRecordAtTheCentreFadesOnTheFirstUpdate) {
    SetBoard({"0"});
    ReshuffleEffect reshuffle(mBoard, nullptr);
    ASSERT_EQ(reshuffle.mRecords.size(), 1u);
    // The centre of the only cell is 35 px from its corner.
    reshuffle.mRecords[0].mDistance = 0;
    reshuffle.Update();
    EXPECT_EQ(reshuffle.mRecords[0].mAlpha, 245.0f);
    int update = 1;
    while (!reshuffle.IsDone() && update < 200) {
        reshuffle.Update();
        ++update;
    }
    EXPECT_TRUE(reshuffle.IsDone());
}

TEST_F(WaveEffectsTest, ItemFadeListFadesTenAtATimeAndReportsOnceAHundredUpdatesLater) {
    SetBoard({"0 1 2 3 4 5 0 1", "2 3 4 5 0 1 2 3", "4 5 0 1 2 3 4 5"});
    ItemFadeList list;
    list.Add(mBoard, 0, 0, &mListener);
    ASSERT_EQ(list.mRecords.size(), 24u);
    int lastGone = 0;
    for (int update = 1; update <= 1000 && mListener.mCalls.empty(); ++update) {
        mListener.mUpdate = update;
        list.Update();
        const auto fading = std::count_if(list.mRecords.begin(), list.mRecords.end(),
                                          [](const auto& record) { return record->mFlash.mValue < 255.0f; });
        ASSERT_LE(fading, 10) << update;
        if (lastGone == 0 && list.mRecords.empty())
            lastGone = update;
    }
    ASSERT_GT(lastGone, 0);
    EXPECT_EQ(mListener.mCalls, (std::vector<std::pair<char, int>>{{'F', lastGone + 100}}));
    for (int update = 0; update < 200; ++update)
        list.Update();
    EXPECT_EQ(mListener.mCalls.size(), 1u);

    mListener.mCalls.clear();
    SetBoard({"# #"});
    ItemFadeList none;
    none.Add(mBoard, 0, 0, &mListener);
    for (int update = 1; update <= 150; ++update) {
        mListener.mUpdate = update;
        none.Update();
    }
    EXPECT_EQ(mListener.mCalls, (std::vector<std::pair<char, int>>{{'F', 100}}));
}

TEST_F(WaveEffectsTest, BlinkWaveEndsWithAnyNumberOfDiagonals) {
    SetBoard({". . ."});
    BlinkCollEffect empty(mBoard);
    EXPECT_TRUE(empty.IsDone());

    // Every item blinks once, one diagonal (row + column) a group.
    struct Case {
        std::vector<std::string> rows;
        size_t groups;
        size_t items;
    };
    const Case cases[] = {{{"0 . ."}, 1, 1}, {{"0 1 ."}, 2, 2}, {{"0 1 2"}, 3, 3}, {{"0 1 2 3", "4 5 0 1"}, 5, 8}};
    for (const Case& c : cases) {
        SetBoard(c.rows);
        BlinkCollEffect wave(mBoard);
        ASSERT_FALSE(wave.IsDone());
        ASSERT_EQ(wave.mAnimGroups.size(), c.groups);
        size_t cells = 0;
        for (const auto& group : wave.mAnimGroups)
            cells += group.size();
        EXPECT_EQ(cells, c.items);
        EXPECT_GT(RunEffect(wave, 1000), 0) << wave.mAnimGroups.size() << " diagonals";
    }
}

} // namespace
} // namespace Game
