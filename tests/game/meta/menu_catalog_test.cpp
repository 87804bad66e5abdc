#include "game/meta/menu_catalog.h"

#include "tests/game/meta/catalog_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

std::vector<std::string> Names(const MenuCatalog::CategoryMap& category) {
    std::vector<std::string> names;
    for (const auto& [name, entry] : category)
        names.push_back(name);
    return names;
}

TEST(MenuCatalogTest, ReadsDishesIntoTheirCategoriesAndNumbersThemAcrossFiles) {
    MenuCatalog catalog;
    IniDocument first = Document("[Main]\r\nSoup=x\r\nDrinks=x\r\nCakes=x\r\n"
                                 "[Tea]\r\nCategory=Drinks\r\nPrice=12\r\nEffect=2\r\nShopRect=1,2,3\r\n"
                                 "[Borscht]\r\nCategory=Soup\r\nEffect=0\r\nRank=1\r\nValue=5\r\n"
                                 "[Bread]\r\nCategory=Nothing\r\n"
                                 "[Apple]\r\nCategory=Cakes\r\n");
    ASSERT_TRUE(catalog.AddDocument(first));
    // Categories are numbered by key order: Cakes 0, Drinks 1, Soup 2.
    ASSERT_EQ(catalog.GetCategoryCount(), 3u);
    EXPECT_EQ(Names(catalog.GetCategory(0)), (std::vector<std::string>{"Apple", "Bread"}));
    EXPECT_EQ(Names(catalog.GetCategory(1)), (std::vector<std::string>{"Tea"}));
    EXPECT_EQ(Names(catalog.GetCategory(2)), (std::vector<std::string>{"Borscht"}));

    const MenuEntry& apple = *catalog.mEntries[0];
    EXPECT_EQ(apple.mId, 1000);
    EXPECT_TRUE(apple.mNoEffect); // missing
    const MenuEntry& tea = *catalog.GetCategory(1).at("Tea");
    EXPECT_EQ(tea.mPrice, 12);
    EXPECT_FALSE(tea.mNoEffect);
    EXPECT_EQ(tea.mShopRect, Kavo::IntRect(1, 2, 3, 0));
    const MenuEntry& borscht = *catalog.GetCategory(2).at("Borscht");
    EXPECT_TRUE(borscht.mNoEffect);
    EXPECT_EQ(borscht.mRank, 1);
    EXPECT_EQ(borscht.mValue, 5);

    IniDocument second = Document("[Main]\r\nCakes=x\r\n[Zest]\r\nCategory=Cakes\r\n[Fish]\r\nCategory=Soup\r\n");
    ASSERT_TRUE(catalog.AddDocument(second));
    // The second file continues the numbering and keeps one category map.
    EXPECT_EQ(catalog.mEntries.size(), 6u);
    EXPECT_EQ(catalog.mEntries[4]->mName, "Fish");
    EXPECT_EQ(catalog.mEntries[4]->mId, 1004);
    ASSERT_EQ(catalog.GetCategoryCount(), 1u);
    EXPECT_EQ(Names(catalog.GetCategory(0)), (std::vector<std::string>{"Apple", "Bread", "Zest"}));
    // "Soup" still has number 2, which has no map now: the dish is listed only.
    EXPECT_EQ(catalog.mEntries[4]->mCategory, 2);
}

TEST(MenuCatalogTest, AFileWithoutSectionsChangesNothing) {
    MenuCatalog catalog;
    IniDocument empty = Document("");
    EXPECT_FALSE(catalog.AddDocument(empty));
    EXPECT_FALSE(catalog.Load("no/such/menu.1"));
    EXPECT_EQ(catalog.GetCategoryCount(), 0u);
    EXPECT_EQ(catalog.mNextId, 1000);
    // No "Main" yet: the dish has no map to go to but is listed.
    IniDocument dishes = Document("[Tea]\r\nPrice=1\r\n");
    EXPECT_TRUE(catalog.AddDocument(dishes));
    EXPECT_EQ(catalog.mEntries.size(), 1u);
    EXPECT_EQ(catalog.GetCategoryCount(), 0u);
}

} // namespace
} // namespace Game
