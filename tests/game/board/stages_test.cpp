#include "game/board/stages.h"

#include "game/ui/ini_document.h"
#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

Stages FromText(const std::string& text) {
    IniDocument document;
    document.Parse(text.data(), text.size(), true);
    Stages stages;
    stages.LoadDocument(document);
    return stages;
}

Stage OneStage(const std::string& keys) {
    const Stages stages = FromText("[S]\r\n" + keys);
    EXPECT_EQ(stages.GetCount(), 1);
    return stages.GetCount() == 1 ? *stages.GetStage(0) : Stage();
}

class StagesFileTest : public Kavo::HeadlessEnvironment {};

TEST_F(StagesFileTest, ReadsSectionsInNameOrderAndAMissingFileGivesNone) {
    const std::string path = Platform().Folder() + "/stages.txt";
    ASSERT_TRUE(platform::WriteWholeFile(path, "[S2]\r\nBoards=1,1\r\n[S10]\r\nBoards=4, 6\r\nTime=12.9\r\n"));
    const Stages stages(path);
    ASSERT_EQ(stages.GetCount(), 2);
    EXPECT_EQ(stages.GetStage(0)->mFirstBoard, 4); // "S10" sorts first
    EXPECT_EQ(stages.GetStage(0)->mLastBoard, 6);
    EXPECT_EQ(stages.GetStage(0)->mTime, 12);
    EXPECT_EQ(stages.GetStage(1)->mFirstBoard, 1);
    EXPECT_EQ(stages.GetStage(2), nullptr);
    EXPECT_EQ(stages.GetStage(-1), nullptr);

    EXPECT_EQ(Stages(Platform().Folder() + "/none.txt").GetCount(), 0);
}

TEST(StageTest, DefaultsAndNamedKeys) {
    const Stage plain = OneStage("");
    EXPECT_EQ(plain.mTime, 300);
    EXPECT_EQ(plain.mDrinkCount, 100);
    EXPECT_EQ(plain.mEatCount, 100);
    EXPECT_EQ(plain.mStuffCount, 100);
    EXPECT_EQ(plain.mStuffPrice, 5);
    EXPECT_EQ(plain.mEatPrice, 5);
    EXPECT_EQ(plain.mDrinkPrice, 5);
    EXPECT_TRUE(plain.mBack.empty() && plain.mSecretMap.empty() && plain.mBonus.empty());
    EXPECT_TRUE(plain.ItemsFor(0).empty()); // no "Items0": an empty set, not a read past the list
    std::vector<std::string> names{"kept"};
    plain.BonusesFor(0, names);
    EXPECT_EQ(names, std::vector<std::string>{"kept"});

    const Stage named = OneStage("Back=images\\back1\r\nSecretMap=map2\r\nBonus=Knife\r\nDrinkCount=7\r\n"
                                 "EatCount=8\r\nStuffCount=9\r\nStuffPrice=1\r\nEatPrice=2\r\nDrinkPrice=3\r\n");
    EXPECT_EQ(named.mBack, "images\\back1");
    EXPECT_EQ(named.mSecretMap, "map2");
    EXPECT_EQ(named.mBonus, "Knife");
    EXPECT_EQ(std::vector<int>({named.mDrinkCount, named.mEatCount, named.mStuffCount, named.mStuffPrice,
                                named.mEatPrice, named.mDrinkPrice}),
              std::vector<int>({7, 8, 9, 1, 2, 3}));
}

TEST(StageTest, BoardRanges) {
    struct Case {
        const char* boards;
        int first;
        int last;
    } cases[] = {
        {"Boards=4, 6\r\n", 4, 6},
        {"Boards=3\r\n", 3, 3},   // one number: a single board
        {"Boards=5,2\r\n", 5, 5}, // last below first: the single board first
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        const Stage stage = OneStage(c.boards);
        EXPECT_EQ(stage.mFirstBoard, c.first) << c.boards;
        EXPECT_EQ(stage.mLastBoard, c.last) << c.boards;
    }
}

TEST(StageTest, ItemsByProgress) {
    const Stage stage = OneStage("Items0=0;2;0,1,2,3\r\nItems1=3;9;0,1,2,3,4\r\n");
    struct Case {
        float progress;
        std::vector<int> ids;
    } cases[] = {
        {2.7f, {0, 1, 2, 3}},  {3.0f, {0, 1, 2, 3, 4}}, {12.0f, {0, 1, 2, 3}}, // no range holds it: the first
        {-1.0f, {0, 1, 2, 3}}, {1e30f, {0, 1, 2, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stage.ItemsFor(c.progress), c.ids) << c.progress;

    // A gap in the numbers ends the list.
    const Stage gap = OneStage("Items0=0;1;5\r\nItems2=2;9;6\r\n");
    ASSERT_EQ(gap.mItems.size(), 1u);
    EXPECT_EQ(gap.ItemsFor(5), std::vector<int>{5});
}

TEST(StageTest, BonusesByProgress) {
    const Stage stage = OneStage("Bonuses0=0;99;Knife,Hint\r\nBonuses1=100;200\r\n");
    ASSERT_EQ(stage.mBonuses.size(), 2u);
    EXPECT_TRUE(stage.mBonuses[1].mNames.empty()); // two parts: no names
    EXPECT_EQ(stage.mBonuses[1].mFrom, 100);
    EXPECT_EQ(stage.mBonuses[1].mTo, 200);

    std::vector<std::string> names{"X2"};
    stage.BonusesFor(50, names); // appends
    EXPECT_EQ(names, (std::vector<std::string>{"X2", "Knife", "Hint"}));
    names.clear();
    stage.BonusesFor(150, names);
    EXPECT_TRUE(names.empty());
    stage.BonusesFor(500, names); // none holds it: the first
    EXPECT_EQ(names, (std::vector<std::string>{"Knife", "Hint"}));
}

} // namespace
} // namespace Game
