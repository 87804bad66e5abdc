#include "game/board/board_defs.h"

#include "framework/app/kavo_app_base.h"
#include "framework/util/buffer.h"
#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Game {
namespace {

std::string U32(std::uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

// One layout's bytes: every cell's tile byte, its outer and inner lists and
// its chain byte, all zero unless set.
struct LayoutBytes {
    std::array<std::uint8_t, kBoardCellCount> tiles{};
    std::map<int, std::vector<EdgePiece>> outEdges;
    std::map<int, std::vector<EdgePiece>> inEdges;
    std::array<std::uint8_t, kBoardCellCount> chains{};

    std::string Bytes() const {
        std::string bytes(tiles.begin(), tiles.end());
        for (const auto* lists : {&outEdges, &inEdges}) {
            for (int cell = 0; cell < kBoardCellCount; ++cell) {
                auto it = lists->find(cell);
                if (it == lists->end()) {
                    bytes += U32(0);
                    continue;
                }
                bytes += U32(static_cast<std::uint32_t>(it->second.size()));
                for (const EdgePiece& piece : it->second)
                    bytes += {static_cast<char>(piece.first), static_cast<char>(piece.second)};
            }
        }
        return bytes + std::string(chains.begin(), chains.end());
    }
};

bool ReadBytes(BoardDefs& defs, const std::string& bytes) {
    Kavo::Buffer buffer;
    buffer.SetData(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
    return defs.Read(buffer);
}

TEST(BoardDefsTest, LayoutsInFileOrderWithTheirSections) {
    LayoutBytes first;
    first.tiles[0] = 1;
    first.tiles[17] = 2; // column 1, row 1
    first.outEdges[17] = {{3, 4}, {5, 6}, {7, 8}};
    first.inEdges[159] = {{11, 2}};
    first.chains[17] = 0x13;
    first.chains[18] = 0x01;
    first.chains[19] = 0xF7; // out of range both ways: clamped
    LayoutBytes second;
    second.tiles[5] = 0x12;

    BoardDefs defs;
    ASSERT_TRUE(ReadBytes(defs, U32(2) + first.Bytes() + second.Bytes()));
    ASSERT_EQ(defs.GetCount(), 2);
    const BoardLayout& a = *defs.GetLayout(0);
    EXPECT_EQ(a.mCells[0].mValue, 1);
    EXPECT_EQ(a.mCells[1].mValue, 0); // not part of the board
    EXPECT_EQ(a.mCells[17].mValue, 2);
    EXPECT_EQ(a.mCells[17].mOutEdges, (std::vector<EdgePiece>{{3, 4}, {5, 6}, {7, 8}}));
    EXPECT_TRUE(a.mCells[17].mInEdges.empty());
    EXPECT_EQ(a.mCells[159].mInEdges, (std::vector<EdgePiece>{{11, 2}}));
    EXPECT_EQ(a.mCells[17].mChain, 3);
    EXPECT_EQ(a.mCells[17].mChainStyle, 1);
    EXPECT_EQ(a.mCells[18].mChain, 1);
    EXPECT_EQ(a.mCells[18].mChainStyle, 0);
    EXPECT_EQ(a.mCells[19].mChain, 3);
    EXPECT_EQ(a.mCells[19].mChainStyle, 1);
    EXPECT_EQ(defs.GetLayout(1)->mCells[5].mValue, 0x12);
    EXPECT_EQ(defs.GetLayout(2), nullptr);
    EXPECT_EQ(defs.GetLayout(-1), nullptr);

    // A second read replaces the table.
    ASSERT_TRUE(ReadBytes(defs, U32(1) + second.Bytes()));
    EXPECT_EQ(defs.GetCount(), 1);
}

TEST(BoardDefsTest, ShortDataIsPaddedAndCountsAreCut) {
    LayoutBytes full;
    full.tiles[0] = 1;
    full.chains[159] = 0x02;
    LayoutBytes cut;
    cut.tiles[0] = 2;
    cut.tiles[159] = 3;
    cut.chains[0] = 0x01;

    // Cut inside layout 1 (after its tile bytes): padded with zeros.
    BoardDefs defs;
    EXPECT_FALSE(ReadBytes(defs, U32(2) + full.Bytes() + cut.Bytes().substr(0, 200)));
    ASSERT_EQ(defs.GetCount(), 2);
    EXPECT_EQ(defs.GetLayout(0)->mCells[159].mChain, 2);
    EXPECT_EQ(defs.GetLayout(1)->mCells[159].mValue, 3);
    EXPECT_EQ(defs.GetLayout(1)->mCells[0].mChain, 0);
    EXPECT_NE(defs.GetErrorText().find("layout 1"), std::string::npos);

    // A count far beyond the data gives the layouts the data holds.
    BoardDefs huge;
    EXPECT_FALSE(ReadBytes(huge, U32(0xFFFFFFFFu) + full.Bytes()));
    EXPECT_EQ(huge.GetCount(), 1);

    // An edge count beyond the remaining bytes is cut to the pairs they hold.
    std::string bytes = U32(1) + std::string(kBoardCellCount, '\1') + U32(0x7FFFFFFF) + std::string(10, '\5');
    BoardDefs edges;
    EXPECT_FALSE(ReadBytes(edges, bytes));
    ASSERT_EQ(edges.GetCount(), 1);
    EXPECT_LE(edges.GetLayout(0)->mCells[0].mOutEdges.size(), 5u);
    EXPECT_TRUE(edges.GetLayout(0)->mCells[1].mOutEdges.empty());

    // No data: an empty table.
    BoardDefs none;
    EXPECT_TRUE(ReadBytes(none, ""));
    EXPECT_EQ(none.GetCount(), 0);
}

class BoardDefsFileTest : public app_test::AppTestEnvironment {};

TEST_F(BoardDefsFileTest, LoadsThroughTheApplication) {
    LayoutBytes layout;
    layout.tiles[3] = 1;
    ASSERT_TRUE(platform::WriteWholeFile(WorkFolder() + "/boards.dat", U32(1) + layout.Bytes()));
    BoardDefs defs;
    // Without an application nothing is read.
    EXPECT_TRUE(defs.Load("boards.dat"));
    EXPECT_EQ(defs.GetCount(), 0);

    Kavo::KavoAppBase app;
    EXPECT_TRUE(defs.Load("boards.dat"));
    ASSERT_EQ(defs.GetCount(), 1);
    EXPECT_EQ(defs.GetLayout(0)->mCells[3].mValue, 1);

    platform::Installed<BoardDefs> installed(BoardDefsSlot(), defs);
    EXPECT_EQ(InstalledBoardLayoutCount(), 1);
}

} // namespace
} // namespace Game
