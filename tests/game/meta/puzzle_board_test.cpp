#include "game/meta/puzzle_board.h"
#include "game/meta/puzzle_board_listener.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "platform/crt_random.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

constexpr float kQuarter = -90.0f * 0.017453292f;

class RecordingPuzzleListener : public PuzzleBoardListener {
public:
    void OnWrongPick() override { mEvents.push_back("WrongPick"); }
    void OnMoveStart() override { mEvents.push_back("MoveStart"); }
    void OnFirstSelect() override { mEvents.push_back("FirstSelect"); }
    void OnSolved() override { mEvents.push_back("Solved"); }
    std::vector<std::string> mEvents;
};

class PuzzleBoardTest : public Kavo::HeadlessEnvironment {
protected:
    PuzzleBoardTest() {
        mPicture.Create(200, 150);
        Kavo::Graphics g(&mPicture);
        g.SetColor(Kavo::Color(255, 0, 0));
        g.FillRect(0, 0, 200, 150);
        g.SetColor(Kavo::Color(0, 255, 0));
        g.FillRect(50, 50, 50, 50);
        mBoard.SetListener(&mListener);
        mBoard.SetOrigin(100, 20);
    }

    // Puts the tiles in the given order of their indices.
    void Order(const std::vector<int>& indices) {
        std::vector<PuzzleTile> tiles;
        for (int index : indices)
            for (PuzzleTile& tile : mBoard.mTiles)
                if (tile.mIndex == index)
                    tiles.push_back(std::move(tile));
        mBoard.mTiles = std::move(tiles);
        mBoard.Shuffle(false);
    }
    // The pixel centre of a cell.
    int X(int col) const { return 100 + col * mBoard.mTileWidth + mBoard.mTileWidth / 2; }
    int Y(int row) const { return 20 + row * mBoard.mTileHeight + mBoard.mTileHeight / 2; }
    void Upright() {
        for (PuzzleTile& tile : mBoard.mTiles)
            tile.mAngle = tile.mTargetAngle = 0.0f;
    }
    // Runs float updates and ticks until the move in flight has ended.
    void Slide(int slides) {
        for (int i = 0; i < slides; ++i)
            mBoard.UpdateSlides(1.0f);
        mBoard.Update();
    }

    Kavo::MemoryImage mPicture;
    PuzzleBoard mBoard;
    RecordingPuzzleListener mListener;
};

uint32_t Rgb(Kavo::MemoryImage& image, int x, int y) {
    return image.GetBits()[y * image.mWidth + x] & 0xFFFFFF;
}

TEST_F(PuzzleBoardTest, CutsThePictureIntoOutlinedTiles) {
    mBoard.Setup(&mPicture, 3, 4, false, false);
    ASSERT_EQ(mBoard.mTiles.size(), 12u);
    EXPECT_EQ(mBoard.mTileWidth, 50);
    EXPECT_EQ(mBoard.mTileHeight, 50);
    PuzzleTile& tile = mBoard.mTiles[5];
    EXPECT_EQ(tile.mIndex, 5);
    EXPECT_EQ(tile.mSource, Kavo::IntRect(50, 50, 50, 50));
    ASSERT_NE(tile.mImage, nullptr);
    EXPECT_EQ(tile.mImage->mWidth, 50);
    EXPECT_EQ(Rgb(*tile.mImage, 0, 0), 0x000000u);
    EXPECT_EQ(Rgb(*tile.mImage, 25, 0), 0x000000u);
    EXPECT_EQ(Rgb(*tile.mImage, 25, 25), 0x00FF00u);
    EXPECT_EQ(Rgb(*tile.mImage, 49, 49), 0x00FF00u);
    EXPECT_EQ(Rgb(*mBoard.mTiles[0].mImage, 25, 25), 0xFF0000u);
    // Each tile rests at its cell from the origin.
    EXPECT_EQ(tile.mX, 150.0f);
    EXPECT_EQ(tile.mRestY, 70.0f);
}

TEST_F(PuzzleBoardTest, ClampsTheGridToThePicture) {
    struct Case {
        int rows, cols, wantRows, wantCols, tileWidth, tileHeight;
    };
    const Case cases[] = {
        {0, 0, 1, 1, 200, 150},
        {-3, 4, 1, 4, 50, 150},
        {200, 300, 150, 200, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + "x" + std::to_string(c.cols));
        mBoard.Setup(&mPicture, c.rows, c.cols, false, false);
        EXPECT_EQ(mBoard.mRows, c.wantRows);
        EXPECT_EQ(mBoard.mCols, c.wantCols);
        EXPECT_EQ(mBoard.mTileWidth, c.tileWidth);
        EXPECT_EQ(mBoard.mTileHeight, c.tileHeight);
        EXPECT_EQ(mBoard.mTiles.size(), static_cast<size_t>(c.wantRows * c.wantCols));
    }
    // Without a picture there is nothing to cut or to click.
    mBoard.Setup(nullptr, 3, 4, true, true);
    EXPECT_TRUE(mBoard.mTiles.empty());
    mBoard.Click(110, 30, 1);
    mBoard.SetHover(110, 30);
    EXPECT_EQ(mBoard.mHoverCol, -1);
    EXPECT_TRUE(mListener.mEvents.empty());
}

TEST_F(PuzzleBoardTest, IsSolvedWhenThePiecesRunInOrderUpright) {
    struct Case {
        std::vector<int> order;
        bool turning;
        int turnedTile; // -1 none; else that tile turned by `quarters` quarter turns
        int quarters;
        bool solved;
    };
    const Case cases[] = {
        {{0, 1, 2, 3}, false, -1, 0, true}, {{3, 2, 1, 0}, false, -1, 0, true}, {{0, 2, 1, 3}, false, -1, 0, false},
        {{0, 1, 2, 3}, true, 2, 1, false},  {{0, 1, 2, 3}, true, 2, 4, true},   {{0, 1, 2, 3}, false, 2, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.order) + " turned " + std::to_string(c.quarters));
        mBoard.Setup(&mPicture, 2, 2, c.turning, false);
        Upright();
        Order(c.order);
        if (c.turnedTile >= 0) {
            PuzzleTile& tile = mBoard.mTiles[static_cast<size_t>(c.turnedTile)];
            // Quarter turns added one by one, as the clicks add them.
            for (int i = 0; i < c.quarters; ++i)
                tile.mTargetAngle = (tile.mTargetAngle * 57.29578f - 90.0f) * 0.017453292f;
            tile.mAngle = tile.mTargetAngle;
        }
        EXPECT_EQ(mBoard.IsSolved(), c.solved);
    }
}

TEST_F(PuzzleBoardTest, ShuffleNeverDealsASolvedBoardAndEndsOnTinyBoards) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        platform::CrtSrand(seed);
        mBoard.Setup(&mPicture, 2, 2, false, true);
        ASSERT_FALSE(mBoard.IsSolved()) << "2x2 seed " << seed;
        mBoard.Setup(&mPicture, 3, 3, seed % 2 == 0, true);
        ASSERT_FALSE(mBoard.IsSolved()) << "3x3 seed " << seed;
    }
    mBoard.Setup(&mPicture, 1, 1, false, true);
    EXPECT_EQ(mBoard.mTiles.size(), 1u);
    mBoard.Setup(&mPicture, 1, 2, false, true);
    EXPECT_EQ(mBoard.mTiles.size(), 2u);
}

TEST_F(PuzzleBoardTest, AMoveSelectsSlidesAndExchangesTwoNeighbours) {
    mBoard.Setup(&mPicture, 3, 4, false, false);
    Order({1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}); // one exchange solves it
    mBoard.Click(X(0), Y(0), 1);
    EXPECT_EQ(mListener.mEvents, std::vector<std::string>{"FirstSelect"});
    mBoard.Click(X(1), Y(0), 1);
    EXPECT_EQ(mBoard.mState, PuzzleBoard::kSliding);
    EXPECT_EQ(mListener.mEvents.back(), "MoveStart");
    EXPECT_EQ(mBoard.mTiles[0].mDx, 1);
    EXPECT_EQ(mBoard.mTiles[1].mDx, -1);
    for (int i = 0; i < 6; ++i)
        mBoard.UpdateSlides(1.0f);
    mBoard.Update();
    EXPECT_EQ(mBoard.mState, PuzzleBoard::kSliding) << "48 of 50 px after six slides";
    Slide(1);
    EXPECT_EQ(mBoard.mTiles[0].mIndex, 0);
    EXPECT_EQ(mBoard.mTiles[0].mX, 100.0f);
    EXPECT_EQ(mBoard.mTiles[1].mX, 150.0f);
    EXPECT_EQ(mBoard.mSelectedCol, -1);
    EXPECT_EQ(mBoard.mState, PuzzleBoard::kSolved);
    EXPECT_EQ(mListener.mEvents, (std::vector<std::string>{"FirstSelect", "MoveStart", "Solved"}));
    // Solved is final: no more input, no second report.
    mBoard.Click(X(0), Y(0), 1);
    mBoard.Update();
    EXPECT_EQ(mListener.mEvents.size(), 3u);
}

TEST_F(PuzzleBoardTest, PicksThatCannotMove) {
    mBoard.Setup(&mPicture, 3, 4, false, false);
    Order({1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    mBoard.Click(X(0), Y(0), 1);
    mBoard.Click(X(1), Y(1), 1); // diagonal
    EXPECT_EQ(mListener.mEvents, (std::vector<std::string>{"FirstSelect", "WrongPick"}));
    EXPECT_EQ(mBoard.mSelectedCol, 1);
    EXPECT_EQ(mBoard.mSelectedRow, 1);
    mBoard.Click(X(1), Y(1), 1); // the selected tile itself
    EXPECT_EQ(mListener.mEvents.back(), "WrongPick");
    // Off the board, also just left of the origin, nothing happens.
    mBoard.Click(99, Y(0), 1);
    mBoard.Click(X(4), Y(0), 1);
    EXPECT_EQ(mListener.mEvents.size(), 3u);
    EXPECT_EQ(mBoard.mPresses, 3);

    // A sliding tile cannot be selected first.
    mBoard.Setup(&mPicture, 3, 4, false, false);
    mBoard.mTiles[0].mDx = 1;
    mBoard.Click(X(0), Y(0), 1);
    EXPECT_EQ(mBoard.mSelectedCol, -1);
    // Without turning another button only counts the press.
    mBoard.mPresses = 0;
    mBoard.Click(X(2), Y(0), 3);
    EXPECT_EQ(mBoard.mPresses, 1);
    EXPECT_EQ(mBoard.mTiles[2].mTargetAngle, 0.0f);
    EXPECT_EQ(mListener.mEvents.size(), 3u);
}

TEST_F(PuzzleBoardTest, DraggingOntoANeighbourMovesIt) {
    mBoard.Setup(&mPicture, 2, 2, false, false);
    Order({2, 1, 0, 3});
    mBoard.Click(X(0), Y(0), 1);
    mBoard.Release();
    mBoard.Drag(X(0), Y(1));
    EXPECT_EQ(mBoard.mState, PuzzleBoard::kIdle) << "no press held";
    mBoard.Click(X(0), Y(0), 1); // the selected tile again: a wrong pick, a press held
    mBoard.Drag(X(1), Y(1));     // diagonal: counted, no move
    EXPECT_EQ(mBoard.mDrags, 1);
    mBoard.Drag(X(0), Y(1));
    EXPECT_EQ(mBoard.mState, PuzzleBoard::kSliding);
    EXPECT_EQ(mBoard.mPresses, 0);
    EXPECT_EQ(mBoard.mTiles[0].mDy, 1);
    Slide(10); // 75 px at 8 per slide
    EXPECT_EQ(mBoard.mState, PuzzleBoard::kSolved);
}

TEST_F(PuzzleBoardTest, ARightClickTurnsATileAQuarterInThirtyTwoUpdates) {
    mBoard.Setup(&mPicture, 2, 2, true, false);
    Upright();
    Order({1, 0, 2, 3});
    mBoard.Click(X(1), Y(1), 2);
    EXPECT_FLOAT_EQ(mBoard.mTiles[3].mTargetAngle, kQuarter);
    for (int i = 0; i < 31; ++i)
        mBoard.Update();
    EXPECT_GT(mBoard.mTiles[3].mAngle, kQuarter);
    mBoard.Update();
    EXPECT_EQ(mBoard.mTiles[3].mAngle, mBoard.mTiles[3].mTargetAngle);
    // Three more quarter turns bring it upright; the order still is not.
    for (int i = 0; i < 3; ++i)
        mBoard.Click(X(1), Y(1), 2);
    for (int i = 0; i < 100; ++i)
        mBoard.Update();
    EXPECT_EQ(mBoard.mTiles[3].mAngle, mBoard.mTiles[3].mTargetAngle);
    EXPECT_TRUE(mListener.mEvents.empty());
    // The last turn that completes a solved order reports it.
    Order({0, 1, 2, 3});
    mBoard.mTiles[0].mTargetAngle = mBoard.mTiles[0].mAngle = 0.0f;
    mBoard.Click(X(0), Y(0), 2);
    for (int i = 0; i < 3; ++i)
        mBoard.Click(X(0), Y(0), 2);
    for (int i = 0; i < 130 && mBoard.mState == PuzzleBoard::kIdle; ++i)
        mBoard.Update();
    EXPECT_EQ(mBoard.mState, PuzzleBoard::kSolved);
    EXPECT_EQ(mListener.mEvents, std::vector<std::string>{"Solved"});
}

} // namespace
} // namespace Game
