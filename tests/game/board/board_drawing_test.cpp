#include "game/board/board.h"

#include "framework/graphics/graphics.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/board/ascii_board.h"
#include "tests/game/board/board_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game::Test {
namespace {

// Item pictures are 40 x 40, secrets 30 x 30, the level-1 chain 21 x 21 and
// the white cell 50 x 50, all drawn centred except the white cell.
class BoardDrawingTest : public BoardFixture {
protected:
    BoardDrawingTest() { SetBoardFromAscii(mBoard, {"0 1s2 2c1"}); }

    std::vector<std::string> Draw() {
        Kavo::RecordingImage dest(1024, 768);
        Kavo::Graphics g(&dest);
        mBoard.DrawItems(&g);
        return dest.mCalls;
    }
};

TEST_F(BoardDrawingTest, HoverSelectionSecretsItemsAndChains) {
    mBoard.mHover = {0, 0};
    mBoard.mSelected = {1, 0};
    EXPECT_EQ(Draw(),
              (std::vector<std::string>{
                  "Blt 177,103 [0,0,50,50] (255,255,255,127) m0", // hover, half opacity
                  "FillRect [227,103,50,50] (0,0,255,127) m0",    // selection
                  "Blt 237,113 [0,0,30,30] (255,255,255,255) m0", // secret at the centre of (1, 0)
                  "Blt 182,108 [0,0,40,40] (255,255,255,255) m0", "Blt 232,108 [0,0,40,40] (255,255,255,255) m0",
                  "Blt 282,108 [0,0,40,40] (255,255,255,255) m0",
                  "Blt 292,118 [0,0,21,21] (255,255,255,255) m0", // its chain
              }));

    // The hover is not drawn over the selected cell; alpha scales everything.
    mBoard.mHover = {1, 0};
    mBoard.mAlpha = 100.0f;
    const std::vector<std::string> faded = Draw();
    ASSERT_EQ(faded.size(), 6u);
    EXPECT_EQ(faded[0], "FillRect [227,103,50,50] (0,0,255,49) m0");
    EXPECT_EQ(faded[1], "Blt 237,113 [0,0,30,30] (255,255,255,100) m0");
    EXPECT_EQ(faded[5], "Blt 292,118 [0,0,21,21] (255,255,255,100) m0");
}

TEST_F(BoardDrawingTest, ClearingStatesMoveOrHideSecretsAndChains) {
    mBoard.Cell(1, 0).mY = 300.0f;
    mBoard.mState = kBoardClearing;
    EXPECT_EQ(Draw(), (std::vector<std::string>{
                          "Blt 237,285 [0,0,30,30] (255,255,255,255) m0", // secret with its falling item
                          "Blt 182,108 [0,0,40,40] (255,255,255,255) m0",
                          "Blt 232,108 [0,0,40,40] (255,255,255,255) m0",
                          "Blt 282,108 [0,0,40,40] (255,255,255,255) m0",
                      }));
    mBoard.mState = kBoardCleared;
    EXPECT_EQ(Draw().size(), 3u); // items only
}

TEST_F(BoardDrawingTest, SkipsMovingChainsRemovedAndHiddenItems) {
    mBoard.Cell(2, 0).mDy = 1; // a chained item on its way down shows no chain
    mBoard.Cell(0, 0).mItem = kItemRemoved;
    mBoard.Cell(1, 0).mVisible = false;
    EXPECT_EQ(Draw(), (std::vector<std::string>{
                          "Blt 237,113 [0,0,30,30] (255,255,255,255) m0",
                          "Blt 282,108 [0,0,40,40] (255,255,255,255) m0",
                      }));
    mBoard.mVisible = false;
    EXPECT_TRUE(Draw().empty());
}

TEST_F(BoardDrawingTest, HoverTakesOnlyFreeItemsWhileInputIsOn) {
    struct Case {
        int x;
        int y;
        CellPos hover;
    } cases[] = {
        {180, 110, {0, 0}}, {250, 150, {1, 0}}, {290, 110, {}}, // chained
        {340, 110, {}},                                         // no cell
        {170, 110, {}},                                         // off the grid
    };
    for (const Case& c : cases) {
        mBoard.SetHover(c.x, c.y);
        EXPECT_EQ(mBoard.mHover, c.hover) << c.x << "," << c.y;
    }
    mBoard.mInputEnabled = false;
    mBoard.SetHover(180, 110);
    EXPECT_EQ(mBoard.mHover, CellPos());
}

} // namespace
} // namespace Game::Test
