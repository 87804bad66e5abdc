#include "game/meta/room_layout.h"
#include "game/meta/shop_item.h"

#include "framework/graphics/graphics.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

ShopItem Item(const std::string& name, int category, int zOrder, bool replace = true) {
    ShopItem item;
    item.mName = name;
    item.mCategoryIndex = category;
    item.mZOrder = zOrder;
    item.mReplace = replace;
    return item;
}

std::vector<std::string> Names(const RoomLayout& room) {
    std::vector<std::string> names{"stale"};
    room.CollectNames(names);
    return names;
}

TEST(RoomLayoutTest, PlacingAppliesTheReplaceAndDeleteRules) {
    ShopItem wall1 = Item("wall1", 0, 0);
    ShopItem wall2 = Item("wall2", 0, 0);
    ShopItem vase1 = Item("vase1", 2, 5, false);
    ShopItem vase2 = Item("vase2", 2, 5, false);
    ShopItem table = Item("table", 1, 3);
    ShopItem counter = Item("counter", 3, 4);
    counter.mDeleteItems = {"absent", "table"};

    RoomLayout room;
    EXPECT_TRUE(room.Place(&vase1));
    EXPECT_TRUE(room.Place(&wall1));
    EXPECT_TRUE(room.Place(&table));
    room.mDirty = false;
    EXPECT_FALSE(room.Place(&table)); // already placed
    EXPECT_FALSE(room.Place(nullptr));
    EXPECT_FALSE(room.mDirty);
    EXPECT_EQ(Names(room), (std::vector<std::string>{"wall1", "table", "vase1"}));

    EXPECT_TRUE(room.Place(&wall2)); // replaces the wall of its category
    EXPECT_TRUE(room.Place(&vase2)); // beside the other vase
    EXPECT_TRUE(room.mDirty);
    EXPECT_EQ(Names(room), (std::vector<std::string>{"wall2", "table", "vase1", "vase2"}));

    EXPECT_TRUE(room.Place(&counter)); // removes the table, ignores "absent"
    EXPECT_EQ(Names(room), (std::vector<std::string>{"wall2", "counter", "vase1", "vase2"}));
    EXPECT_EQ(room.IndexOfName("vase2"), 3);
    EXPECT_EQ(room.IndexOf(&table), -1);

    room.mDirty = false;
    room.Remove(&wall1, true);
    EXPECT_FALSE(room.mDirty);
    room.Remove(&vase1, true);
    EXPECT_TRUE(room.mDirty);
    EXPECT_EQ(Names(room), (std::vector<std::string>{"wall2", "counter", "vase2"}));
    room.Clear();
    EXPECT_TRUE(Names(room).empty());
}

class RoomDrawingTest : public Kavo::HeadlessEnvironment {};

TEST_F(RoomDrawingTest, DrawsEachPieceOfItemsWithARoomPicture) {
    Kavo::RecordingImage picture(200, 200);
    ShopItem wall = Item("wall", 0, 0);
    wall.mRoomImage = &picture;
    wall.mDrawInfo = {{10, 20, 0, 0, 50, 60}, {300.7f, 40, 50, 0, 25, 30}};
    wall.mPieceCount = 2;
    ShopItem unloaded = Item("chair", 1, 2);
    unloaded.mDrawInfo = {{1, 1, 0, 0, 5, 5}};
    unloaded.mPieceCount = 1;

    RoomLayout room;
    room.Place(&unloaded);
    room.Place(&wall);
    Kavo::RecordingImage screen(800, 600);
    Kavo::Graphics g(&screen);
    g.SetDrawMode(1);
    room.Draw(&g);
    EXPECT_EQ(screen.mCalls, (std::vector<std::string>{"Blt 10,20 [0,0,50,60] (255,255,255,255) m0",
                                                       "Blt 300,40 [50,0,25,30] (255,255,255,255) m0"}));
}

} // namespace
} // namespace Game
