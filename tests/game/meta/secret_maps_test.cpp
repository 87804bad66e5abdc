#include "game/meta/secret_maps.h"

#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class SecretMapsTest : public Kavo::HeadlessEnvironment {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = Platform().Folder() + "/" + name;
        EXPECT_TRUE(platform::WriteWholeFile(path, text));
        return path;
    }
};

TEST_F(SecretMapsTest, SectionsComeInNameOrderWithTheirFields) {
    SecretMaps maps;
    ASSERT_TRUE(maps.Load(Write("maps.txt", "[b]\r\nRecipe=R1\r\nItems=p,1,2\r\n"
                                            "[a]\r\nFrame=fr\r\nMap=full\r\nPostCard=pc\r\nPuzzle=2\r\nX=300\r\n"
                                            "Y=-40\r\nRecipe=R1\r\nItems=\r\n"
                                            "[c]\r\nRecipe=R3\r\n")));
    ASSERT_EQ(maps.GetMapCount(), 3);
    EXPECT_EQ(maps.mEntries[0].mName, "a");
    EXPECT_EQ(maps.mEntries[1].mName, "b");
    const SecretMapEntry& a = maps.mEntries[0];
    EXPECT_EQ(a.mFrame, "fr");
    EXPECT_EQ(a.mMap, "full");
    EXPECT_EQ(a.mPostCard, "pc");
    EXPECT_EQ(a.mPuzzle, 2);
    EXPECT_FLOAT_EQ(a.mX, 300.0f);
    EXPECT_FLOAT_EQ(a.mY, -40.0f);
    EXPECT_TRUE(a.mItems.empty());
    EXPECT_EQ(maps.mEntries[2].mPuzzle, 0);
    EXPECT_EQ(maps.mEntries[2].mFrame, "");

    // Get wraps both ways; the lookups match exactly and take the first match.
    EXPECT_EQ(maps.Get(4)->mName, "b");
    EXPECT_EQ(maps.Get(-1)->mName, "c");
    EXPECT_EQ(maps.GetPieceCount(1), 1);
    EXPECT_EQ(maps.FindByName("b"), &maps.mEntries[1]);
    EXPECT_EQ(maps.FindByName("B"), nullptr);
    EXPECT_EQ(maps.FindByRecipe("R1"), &maps.mEntries[0]);
    EXPECT_EQ(maps.FindByRecipe("R9"), nullptr);

    // A missing file keeps what is there; a second file appends.
    EXPECT_FALSE(maps.Load(Platform().Folder() + "/missing.txt"));
    EXPECT_FALSE(maps.Load(Write("empty.txt", "\r\n")));
    EXPECT_EQ(maps.GetMapCount(), 3);
    ASSERT_TRUE(maps.Load(Write("more.txt", "[a]\r\nRecipe=R4\r\n")));
    ASSERT_EQ(maps.GetMapCount(), 4);
    EXPECT_EQ(maps.mEntries[3].mRecipe, "R4");
}

TEST_F(SecretMapsTest, AnEmptyTableHasNoEntryAndNoPieces) {
    SecretMaps maps;
    EXPECT_EQ(maps.Get(0), nullptr);
    EXPECT_EQ(maps.Get(-3), nullptr);
    EXPECT_EQ(maps.GetPieceCount(2), 0);
    EXPECT_EQ(SecretMapPieceCount(0), 0); // nothing installed
    platform::Installed<SecretMaps> installed(SecretMapsSlot(), maps);
    maps.mEntries.resize(1);
    maps.mEntries[0].mItems.resize(2);
    EXPECT_EQ(SecretMapPieceCount(5), 2);
}

TEST(SecretMapItemsTest, PiecesTakeThreeOrFiveFields) {
    struct Case {
        const char* value;
        std::vector<SecretMapItem> items;
    };
    const Case cases[] = {
        {"piece1,10,-20;piece2,5,5,1,2",
         {{"piece1", "piece1glow", 10, -20, 0, 0}, {"piece2", "piece2glow", 5, 5, 1, 2}}},
        {" a , 3 , 4 ; b,7;c,1,1,9", {{"a", "aglow", 3, 4, 0, 0}, {"c", "cglow", 1, 1, 0, 0}}},
        {"a,x,-", {{"a", "aglow", 0, 0, 0, 0}}},
        {";;", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const std::vector<SecretMapItem> items = ParseSecretMapItems(c.value);
        ASSERT_EQ(items.size(), c.items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].mName, c.items[i].mName);
            EXPECT_EQ(items[i].mGlowName, c.items[i].mGlowName);
            EXPECT_FLOAT_EQ(items[i].mX, c.items[i].mX);
            EXPECT_FLOAT_EQ(items[i].mY, c.items[i].mY);
            EXPECT_FLOAT_EQ(items[i].mExtraX, c.items[i].mExtraX);
            EXPECT_FLOAT_EQ(items[i].mExtraY, c.items[i].mExtraY);
        }
    }
}

} // namespace
} // namespace Game
