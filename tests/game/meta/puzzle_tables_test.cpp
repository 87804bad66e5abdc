#include "game/meta/puzzle_defs.h"
#include "game/meta/recipes.h"

#include "framework/graphics/graphics.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/meta/catalog_text.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>

namespace Game {
namespace {

class PuzzleTablesTest : public Kavo::HeadlessEnvironment {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = Platform().Folder() + "/" + name;
        EXPECT_TRUE(platform::WriteWholeFile(path, text));
        return path;
    }
};

TEST_F(PuzzleTablesTest, PuzzleTableReadsSectionsInOrderAndWraps) {
    PuzzleDefs defs;
    const std::string path = Write("puzzles.txt", "[b]\r\nRows=2\r\nCols=3\r\nRotate=1\r\nFlip=1\r\n"
                                                  "[a]\r\n"
                                                  "[c]\r\nRotate=2\r\nFlip=2\r\n");
    ASSERT_TRUE(defs.Load(path));
    ASSERT_EQ(defs.GetCount(), 3);
    struct Case {
        int index, rows, cols;
        bool turning, flip;
    };
    const Case cases[] = {
        {0, 4, 4, false, false}, {1, 2, 3, true, true}, {5, 4, 4, false, false}, {-2, 2, 3, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        const PuzzleDef* def = defs.Get(c.index);
        ASSERT_NE(def, nullptr);
        EXPECT_EQ(def->mRows, c.rows);
        EXPECT_EQ(def->mCols, c.cols);
        EXPECT_EQ(def->mTurning, c.turning);
        EXPECT_EQ(def->mFlip, c.flip);
    }
    PuzzleDefs empty;
    EXPECT_FALSE(empty.Load(Platform().Folder() + "/missing.txt"));
    IniDocument none = Document("");
    EXPECT_FALSE(empty.LoadDocument(none));
    EXPECT_EQ(empty.Get(5), nullptr);
}

class RecipesTest : public PuzzleTablesTest {
protected:
    RecipesTest() { FONT_DEFAULT = &mFont; }
    ~RecipesTest() override { FONT_DEFAULT = mPreviousFont; }

    Kavo::FakeFont mFont{10, 20, 16};
    Kavo::Font* mPreviousFont = FONT_DEFAULT;
    Recipes mRecipes;
};

TEST_F(RecipesTest, DrawsTheTitleCentredAndTheLinesBelow) {
    const std::string text = Write("pie.txt", "Pie\r\nFlour\r\nEggs\r\nSugar\r\n");
    IniDocument document = Document("[Recipe01]\r\nFile=" + text + "\r\n[Recipe02]\r\n");
    mRecipes.LoadDocument(document);
    const Recipe* pie = mRecipes.Find("Recipe01");
    ASSERT_NE(pie, nullptr);
    EXPECT_EQ(pie->mLines, (std::vector<std::string>{"Pie", "Flour", "Eggs", "Sugar"}));
    Kavo::RecordingImage card(300, 200);
    Kavo::Graphics g(&card);
    Recipes::DrawText(*pie, g, 300);
    ASSERT_EQ(mFont.mDrawn.size(), 4u);
    const int expected[4][2] = {{135, 40}, {30, 70}, {30, 90}, {30, 110}}; // "Pie" is 30 wide
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(mFont.mDrawn[i].mX, expected[i][0]);
        EXPECT_EQ(mFont.mDrawn[i].mY, expected[i][1]);
        EXPECT_EQ(mFont.mDrawn[i].mColor, Kavo::Color(0, 0, 0, 255));
    }
    // Without "File" there is nothing to draw.
    const Recipe* bare = mRecipes.Find("Recipe02");
    ASSERT_NE(bare, nullptr);
    mFont.mDrawn.clear();
    Recipes::DrawText(*bare, g, 300);
    EXPECT_TRUE(mFont.mDrawn.empty());
}

TEST_F(RecipesTest, LooksUpByExactNameAndRereadsAnEmptyText) {
    const std::string text = Write("later.txt", "");
    IniDocument document = Document("[Recipe01]\r\nFile=" + text + "\r\n[Recipe01]\r\n");
    mRecipes.LoadDocument(document);
    EXPECT_EQ(mRecipes.Find("Recipe99"), nullptr);
    EXPECT_EQ(mRecipes.Find("recipe01"), nullptr);
    Recipe* recipe = mRecipes.Find("Recipe01");
    ASSERT_NE(recipe, nullptr);
    EXPECT_TRUE(recipe->mLines.empty());
    Write("later.txt", "Soup\r\nWater\r\n");
    EXPECT_EQ(mRecipes.Find("Recipe01")->mLines, (std::vector<std::string>{"Soup", "Water"}));
    // Read once: a later change of the file is not seen.
    Write("later.txt", "Other\r\n");
    EXPECT_EQ(mRecipes.Find("Recipe01")->mLines.size(), 2u);

    Recipes untouched;
    EXPECT_FALSE(untouched.Load(Platform().Folder() + "/missing.txt"));
    EXPECT_TRUE(untouched.mRecipes.empty());
}

} // namespace
} // namespace Game
