// The generated sample data reads back through the board's loaders in the
// shapes the game's first stages need.
#include "framework/util/buffer.h"
#include "game/board/board_defs.h"
#include "game/board/item_catalog.h"
#include "game/ui/ini_document.h"
#include "tools/sample_content/board_content.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace Game {
namespace {

TEST(SampleBoardContentTest, LayoutsReadWhole) {
    const std::string bytes = Kavo::SampleContent::BoardsDatBytes();
    Kavo::Buffer buffer;
    buffer.SetData(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
    BoardDefs defs;
    ASSERT_TRUE(defs.Read(buffer)) << defs.GetErrorText();
    ASSERT_EQ(defs.GetCount(), 8);
    EXPECT_TRUE(buffer.AtEnd());

    auto cellsWith = [&](int layout, auto test) {
        int count = 0;
        for (const LayoutCell& cell : defs.GetLayout(layout)->mCells)
            count += test(cell) ? 1 : 0;
        return count;
    };
    EXPECT_EQ(cellsWith(0, [](const LayoutCell& c) { return c.mValue == 1; }), 30);
    EXPECT_EQ(cellsWith(1, [](const LayoutCell& c) { return c.mValue == 0; }), 8);
    // The stages' boards: 7 x 6, 7 x 7, 8 x 7 and 8 x 8, framed.
    EXPECT_EQ(cellsWith(4, [](const LayoutCell& c) { return c.mValue != 0; }), 42);
    EXPECT_EQ(cellsWith(5, [](const LayoutCell& c) { return c.mValue != 0; }), 49);
    EXPECT_EQ(cellsWith(6, [](const LayoutCell& c) { return c.mValue != 0; }), 56);
    EXPECT_EQ(cellsWith(7, [](const LayoutCell& c) { return c.mValue != 0; }), 64);
    for (int layout = 4; layout < 8; ++layout)
        EXPECT_EQ(cellsWith(layout, [](const LayoutCell& c) { return c.mValue != 0 && c.mOutEdges.empty(); }),
                  layout == 4   ? 20
                  : layout == 5 ? 25
                  : layout == 6 ? 30
                                : 36)
            << layout; // every cell but the inner ones carries a frame piece
    EXPECT_GT(cellsWith(2, [](const LayoutCell& c) { return c.mValue == 2; }), 0);
    EXPECT_GT(cellsWith(2, [](const LayoutCell& c) { return c.mChain == 1 && c.mChainStyle == 1; }), 0);
    EXPECT_GT(cellsWith(2, [](const LayoutCell& c) { return c.mChain == 3 && c.mChainStyle == 1; }), 0);
    EXPECT_GT(cellsWith(2, [](const LayoutCell& c) { return !c.mOutEdges.empty(); }), 0);
    EXPECT_GT(cellsWith(2, [](const LayoutCell& c) { return !c.mInEdges.empty(); }), 0);
    // Nothing falls past a chained item: a chain with a cell of the board
    // below it would starve that cell, and a player who follows the hints
    // would drain the board and never finish it. Every chain stands at the
    // bottom of its column.
    for (int layout = 0; layout < defs.GetCount(); ++layout)
        for (int row = 0; row < kBoardRows; ++row)
            for (int column = 0; column < kBoardColumns; ++column) {
                const auto& cells = defs.GetLayout(layout)->mCells;
                if (cells[static_cast<size_t>(row * kBoardColumns + column)].mChain == 0)
                    continue;
                for (int below = row + 1; below < kBoardRows; ++below)
                    EXPECT_EQ(cells[static_cast<size_t>(below * kBoardColumns + column)].mValue, 0)
                        << "layout " << layout << " chain at " << column << "," << row;
            }
    EXPECT_GT(cellsWith(2, [](const LayoutCell& c) { return c.mChain > 0; }), 0);
    const BoardLayout& irregular = *defs.GetLayout(3);
    EXPECT_NE(irregular.mCells[5 * kBoardColumns + 7].mValue, 0);
    for (int column = 8; column < kBoardColumns; ++column)
        EXPECT_EQ(irregular.mCells[static_cast<size_t>(5 * kBoardColumns + column)].mValue, 0) << column;
}

TEST(SampleBoardContentTest, CatalogueHoldsIdsZeroToTwelve) {
    const std::string text = Kavo::SampleContent::ItemsText();
    IniDocument document;
    document.Parse(text.data(), text.size(), true);
    ItemCatalog catalog;
    ASSERT_TRUE(catalog.LoadDocument(document));
    EXPECT_EQ(catalog.Size(), 13u);
    std::set<int> types;
    std::set<int> prices;
    for (int id = 0; id <= 12; ++id) {
        const ItemRecord* item = catalog.Find(id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_EQ(item->mCursor, "images/items/chip" + std::to_string(id));
        EXPECT_FALSE(item->mAnimObj.empty());
        types.insert(item->mType);
        prices.insert(item->mPrice);
    }
    EXPECT_EQ(types, (std::set<int>{0, 1, 2}));
    EXPECT_EQ(prices, (std::set<int>{1, 2, 3, 4, 5}));
}

} // namespace
} // namespace Game
