#include "game/board/board_tiles.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "game/board/bevel.h"
#include "game/board/board_borders.h"
#include "game/board/board_tiles_listener.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/ui/cleared_resource_globals.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

constexpr int kOriginX = 177;
constexpr int kOriginY = 103;

class CountingListener : public BoardTilesListener {
public:
    void OnTilesSpread() override { ++mSpread; }
    void OnTilesGone() override { ++mGone; }
    int mSpread = 0;
    int mGone = 0;
};

LayoutCell& At(BoardLayout& layout, int column, int row) {
    return layout.mCells[static_cast<size_t>(row * kBoardColumns + column)];
}

// The deep pictures have sizes that tell them apart in a recording: DEEP0
// 20 x 20 (drawn whole), DEEP1 800 x 500 (50-pixel cels), DEEP2 480 x 300
// (30-pixel cels).
class BoardTilesTest : public Kavo::HeadlessEnvironment {
protected:
    BoardTilesTest() {
        mDeep[0].Create(20, 20);
        mDeep[1].Create(800, 500);
        mDeep[2].Create(480, 300);
        IMAGE_DEEP0 = &mDeep[0];
        IMAGE_DEEP1 = &mDeep[1];
        IMAGE_DEEP2 = &mDeep[2];
        mTiles = std::make_unique<BoardTiles>();
        mTiles->SetOrigin(kOriginX, kOriginY);
        mTiles->mListener = &mListener;
    }

    std::vector<std::string> Draw() {
        Kavo::RecordingImage dest(1024, 768);
        Kavo::Graphics g(&dest);
        mTiles->Draw(&g);
        return dest.mCalls;
    }

    ClearedResourceGlobals mCleared;
    Kavo::MemoryImage mDeep[3];
    std::unique_ptr<BoardTiles> mTiles;
    CountingListener mListener;
};

TEST_F(BoardTilesTest, LevelTakesLowNibbleAndEdges) {
    BoardLayout layout;
    At(layout, 1, 0).mValue = 0x12;
    At(layout, 2, 0).mValue = 0x10;
    At(layout, 3, 4).mValue = 1;
    At(layout, 3, 4).mOutEdges = {{1, 0}};
    At(layout, 3, 4).mInEdges = {{4, 2}, {5, 1}};
    mTiles->mOriginY = -400.0f;
    mTiles->SetLevel(layout);
    EXPECT_EQ(mTiles->Tile(1, 0).mValue, 2);
    EXPECT_TRUE(mTiles->Tile(1, 0).mExists);
    EXPECT_EQ(mTiles->Tile(2, 0).mValue, 0);
    EXPECT_FALSE(mTiles->Tile(2, 0).mExists);
    EXPECT_EQ(mTiles->Tile(3, 4).mOutEdges, (std::vector<EdgePiece>{{1, 0}}));
    EXPECT_EQ(mTiles->Tile(3, 4).mInEdges, (std::vector<EdgePiece>{{4, 2}, {5, 1}}));
    EXPECT_EQ(mTiles->mOriginY, static_cast<float>(kOriginY)); // back at rest

    // A reset empties everything again.
    mTiles->Reset();
    EXPECT_EQ(mTiles->Tile(1, 0).mValue, 0);
    EXPECT_FALSE(mTiles->Tile(1, 0).mExists);
    EXPECT_TRUE(mTiles->Tile(3, 4).mInEdges.empty());
}

TEST_F(BoardTilesTest, OriginPlacesTilesAndCoordinates) {
    mTiles->SetOrigin(10.6f, 20.2f);
    EXPECT_EQ(mTiles->mHomeX, 10.6f);
    EXPECT_EQ(mTiles->mHomeY, 20.2f);
    EXPECT_EQ(mTiles->Tile(3, 2).mPixelX, 160);
    EXPECT_EQ(mTiles->Tile(3, 2).mPixelY, 120);
    EXPECT_EQ(mTiles->ColumnToX(3, false), 160);
    EXPECT_EQ(mTiles->ColumnToX(3, true), 185);
    EXPECT_EQ(mTiles->RowToY(2, true), 145);
    EXPECT_EQ(mTiles->ColumnLeft(-1), -39);
    EXPECT_EQ(mTiles->RowTop(9), 470);

    // Reset places the tiles at the current origin, not the resting one.
    mTiles->mOriginX = 30.0f;
    mTiles->Reset();
    EXPECT_EQ(mTiles->Tile(3, 2).mX, 180.0f);
    EXPECT_EQ(mTiles->Tile(3, 2).mPixelX, 180);
    EXPECT_EQ(mTiles->Tile(3, 2).mY, 120.0f);
}

TEST_F(BoardTilesTest, DrawsCelsOfTheDeepPictures) {
    BoardLayout layout;
    At(layout, 0, 0).mValue = 1;
    At(layout, 1, 0).mValue = 2;
    At(layout, 2, 0).mValue = 5; // no picture of its own: drawn as 2
    At(layout, 3, 1).mValue = 1;
    At(layout, 4, 1).mValue = 1;
    mTiles->SetLevel(layout);
    mTiles->Tile(4, 1).mValue = 0; // cleared: still drawn, whole DEEP0
    EXPECT_EQ(Draw(), (std::vector<std::string>{
                          "Blt 177,103 [0,0,50,50] (255,255,255,255) m0",
                          "Blt 227,103 [30,0,30,30] (255,255,255,255) m0",
                          "Blt 277,103 [60,0,30,30] (255,255,255,255) m0",
                          "Blt 327,153 [150,50,50,50] (255,255,255,255) m0",
                          "Blt 377,153 [0,0,20,20] (255,255,255,255) m0",
                      }));

    // Only the tile rectangle, at the moving origin, faded by alpha.
    mTiles->mColStart = 1;
    mTiles->mWidth = 1;
    mTiles->mOriginY = 3.0f;
    mTiles->mAlpha = 100.0f;
    EXPECT_EQ(Draw(), (std::vector<std::string>{"Blt 227,3 [30,0,30,30] (255,255,255,100) m0"}));

    mTiles->mVisible = false;
    EXPECT_TRUE(Draw().empty());
}

TEST_F(BoardTilesTest, SlidesStopAtRestAndBelowTheWindowReportingOnce) {
    mTiles->mOriginY = -600.0f;
    mTiles->mState = kTilesArriving;
    mTiles->Update(100.0f); // 400 pixels
    EXPECT_EQ(mTiles->mOriginY, -200.0f);
    EXPECT_EQ(mListener.mSpread, 0);
    mTiles->Update(1e6f);
    EXPECT_EQ(mTiles->mOriginY, static_cast<float>(kOriginY));
    EXPECT_EQ(mTiles->mState, kTilesInPlace);
    EXPECT_EQ(mListener.mSpread, 1);
    mTiles->Update(1e6f); // in place: nothing moves
    EXPECT_EQ(mTiles->mOriginY, static_cast<float>(kOriginY));
    EXPECT_EQ(mListener.mSpread, 1);

    // Leaving ends at the window height + 1 (768 + 1 without an application).
    mTiles->mState = kTilesLeaving;
    mTiles->Update(166.0f); // 103 + 664 = 767
    EXPECT_EQ(mTiles->mState, kTilesLeaving);
    mTiles->Update(0.25f); // 768
    EXPECT_EQ(mTiles->mState, kTilesLeaving);
    mTiles->Update(0.25f); // 769
    EXPECT_EQ(mTiles->mState, kTilesHidden);
    EXPECT_EQ(mListener.mGone, 1);
    mTiles->Update(10.0f);
    EXPECT_EQ(mListener.mGone, 1);
    EXPECT_EQ(mListener.mSpread, 1);
}

TEST_F(BoardTilesTest, BordersPlaceBevelPiecesAtTheRestingTile) {
    Kavo::MemoryImage outbox;
    Kavo::MemoryImage inbox;
    IMAGE_OUTBOX1 = &outbox;
    IMAGE_INBOX1 = &inbox;
    IniDocument document;
    const std::string text = "[Set]\r\nTopOut=0,0,50,20\r\nTopOutOff=0,-20\r\nLeftIn=5,5,10,50\r\n";
    document.Parse(text.data(), text.size(), true);
    const Bevel bevel("Set", *document.GetSection("Set"));

    BoardLayout layout;
    LayoutCell& cell = At(layout, 2, 3);
    cell.mValue = 1;
    cell.mOutEdges = {{1, 0}, {12, 0}, {1, 5}, {0, 0}}; // 12 is no direction; 0 has no pieces
    cell.mInEdges = {{10, 0}};
    At(layout, 9, 9).mOutEdges = {{1, 0}};
    mTiles->SetLevel(layout);
    mTiles->mColStart = 0;
    mTiles->mWidth = 8;
    mTiles->mOriginY = -500.0f; // arriving: the pieces still go to the resting place

    BoardBorders borders;
    borders.Build(layout, &bevel, *mTiles);
    const BorderCell& built = borders.Cell(2, 3);
    EXPECT_EQ(built.mOutEdges, cell.mOutEdges);
    EXPECT_EQ(built.mInEdges, cell.mInEdges);
    ASSERT_EQ(built.mPictures.size(), 3u);
    const int left = kOriginX + 100;
    const int top = kOriginY + 150;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(built.mPictures[i].mImage, &outbox);
        EXPECT_EQ(built.mPictures[i].mSource, Kavo::IntRect(0, 0, 50, 20));
        EXPECT_EQ(built.mPictures[i].mX, left);
        EXPECT_EQ(built.mPictures[i].mY, top - 20);
    }
    EXPECT_EQ(built.mPictures[2].mImage, &inbox);
    EXPECT_EQ(built.mPictures[2].mSource, Kavo::IntRect(5, 5, 10, 50));
    EXPECT_EQ(built.mPictures[2].mX, left); // no offsets: at the corner
    EXPECT_EQ(built.mPictures[2].mY, top);
    EXPECT_TRUE(borders.Cell(9, 9).mOutEdges.empty()); // outside the tile rectangle
    EXPECT_TRUE(borders.Cell(9, 9).mPictures.empty());

    // Without a bevel set the table empties.
    borders.Build(layout, nullptr, *mTiles);
    EXPECT_TRUE(borders.Cell(2, 3).mOutEdges.empty());
    EXPECT_TRUE(borders.Cell(2, 3).mPictures.empty());
}

} // namespace
} // namespace Game
