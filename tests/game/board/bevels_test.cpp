#include "game/board/bevels.h"

#include "framework/graphics/memory_image.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"
#include "tests/game/ui/cleared_resource_globals.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>

namespace Game {
namespace {

Bevel FromSection(const std::string& keys) {
    IniDocument document;
    const std::string text = "[Set]\r\n" + keys;
    document.Parse(text.data(), text.size(), true);
    return Bevel("Set", *document.GetSection("Set"));
}

TEST(BevelTest, PiecesWrapToTheFirstAndOffsetsFollow) {
    const Bevel bevel = FromSection("TopOut=1,2,3,4;5,6,7,8\r\nTopOutOff=1,2\r\nLeftIn=9,9,9,9\r\n"
                                    "LeftInOff=-3,4;7,8\r\n");
    ASSERT_EQ(bevel.mOutRects[kBevelTop].size(), 2u);
    struct Case {
        int index;
        Kavo::IntRect rect;
        int dx;
        int dy;
    } cases[] = {
        {0, {1, 2, 3, 4}, 1, 2},
        {1, {5, 6, 7, 8}, 1, 2}, // the offset list is shorter: its first point
        {5, {1, 2, 3, 4}, 1, 2}, // past the end: the first piece
        {-1, {1, 2, 3, 4}, 1, 2},
    };
    for (const Case& c : cases) {
        Kavo::IntRect rect;
        int dx = -99;
        int dy = -99;
        ASSERT_TRUE(bevel.GetOut(kBevelTop, c.index, rect, dx, dy)) << c.index;
        EXPECT_EQ(rect, c.rect) << c.index;
        EXPECT_EQ(dx, c.dx) << c.index;
        EXPECT_EQ(dy, c.dy) << c.index;
    }

    Kavo::IntRect rect(7, 7, 7, 7);
    int dx = -99;
    int dy = -99;
    EXPECT_FALSE(bevel.GetOut(kBevelLeft, 0, rect, dx, dy)); // no outer pieces there
    EXPECT_FALSE(bevel.GetOut(12, 0, rect, dx, dy));
    EXPECT_FALSE(bevel.GetOut(-1, 0, rect, dx, dy));
    EXPECT_EQ(rect, Kavo::IntRect(7, 7, 7, 7));
    EXPECT_EQ(dx, -99);
    ASSERT_TRUE(bevel.GetIn(kBevelLeft, 0, rect, dx, dy));
    EXPECT_EQ(rect, Kavo::IntRect(9, 9, 9, 9));
    EXPECT_EQ(dx, -3);
    EXPECT_EQ(dy, 4);

    // Pieces without offsets leave the offset unwritten.
    const Bevel bare = FromSection("BottomIn=1,1,1,1\r\n");
    dx = dy = -99;
    ASSERT_TRUE(bare.GetIn(kBevelBottom, 0, rect, dx, dy));
    EXPECT_EQ(dx, -99);
    EXPECT_EQ(dy, -99);
}

TEST(BevelTest, PiecesThatDoNotScanKeepZeros) {
    struct Case {
        const char* value;
        Kavo::IntRect rect;
    } cases[] = {
        {"1,2,3", {1, 2, 3, 0}},
        {" 1, 2,3,4", {1, 2, 3, 4}}, // blanks before a number are skipped
        {"1 ,2,3,4", {1, 0, 0, 0}},  // but not before a comma
        {"x,2,3,4", {0, 0, 0, 0}},
        {"1,2,3,4,5", {1, 2, 3, 4}},
        {"99999999999,-99999999999,0,0", {2147483647, -2147483647 - 1, 0, 0}},
    };
    for (const Case& c : cases) {
        const Bevel bevel = FromSection(std::string("RightHalfOut=") + c.value + "\r\n");
        ASSERT_EQ(bevel.mOutRects[kBevelRightHalf].size(), 1u) << c.value;
        EXPECT_EQ(bevel.mOutRects[kBevelRightHalf][0], c.rect) << c.value;
    }
    // Empty pieces are no pieces; a piece "5" gives (5, 0).
    const Bevel bevel = FromSection("TopOut=;1,1,1,1;;\r\nTopOutOff=5\r\n");
    EXPECT_EQ(bevel.mOutRects[kBevelTop].size(), 1u);
    ASSERT_EQ(bevel.mOutOffsets[kBevelTop].size(), 1u);
    EXPECT_EQ(bevel.mOutOffsets[kBevelTop][0].mX, 5);
    EXPECT_EQ(bevel.mOutOffsets[kBevelTop][0].mY, 0);
}

TEST(BevelTest, OnlyImageNamesChooseThePictures) {
    ClearedResourceGlobals cleared;
    Kavo::MemoryImage outbox2;
    Kavo::MemoryImage inbox1;
    IMAGE_OUTBOX2 = &outbox2;
    IMAGE_INBOX1 = &inbox1;
    FONT_DEFAULT = reinterpret_cast<Kavo::Font*>(&outbox2);
    struct Case {
        const char* keys;
        int outId;
        int inId;
    } cases[] = {
        {"", IMAGE_OUTBOX1_ID, IMAGE_INBOX1_ID},
        {"ImageOut=IMAGE_OUTBOX2\r\nImageIn=IMAGE_INBOX3\r\n", IMAGE_OUTBOX2_ID, IMAGE_INBOX3_ID},
        {"ImageIn=FONT_DEFAULT\r\n", IMAGE_OUTBOX1_ID, IMAGE_INBOX1_ID},
        {"ImageIn=IMAGE_NOSUCH\r\nImageOut=image_outbox2\r\n", IMAGE_OUTBOX1_ID, IMAGE_INBOX1_ID},
    };
    for (const Case& c : cases) {
        const Bevel bevel = FromSection(c.keys);
        EXPECT_EQ(bevel.mImageOutId, c.outId) << c.keys;
        EXPECT_EQ(bevel.mImageInId, c.inId) << c.keys;
    }
    const Bevel bound = FromSection("ImageOut=IMAGE_OUTBOX2\r\nImageIn=FONT_DEFAULT\r\n");
    EXPECT_EQ(bound.mImageOut, &outbox2);
    EXPECT_EQ(bound.mImageIn, &inbox1);
}

class BevelsTest : public Kavo::HeadlessEnvironment {};

TEST_F(BevelsTest, LoadsSetsInOrderAndPicksByRestaurant) {
    Bevels bevels;
    IniDocument nothing;
    EXPECT_FALSE(bevels.LoadDocument(nothing));
    EXPECT_EQ(bevels.ForRestaurant(0), nullptr); // an empty table gives no set
    EXPECT_FALSE(LoadBevels(Platform().Folder() + "/missing.txt", bevels));

    const std::string path = Platform().Folder() + "/bevels.txt";
    ASSERT_TRUE(platform::WriteWholeFile(path, "[C]\r\nTopOut=3,3,3,3\r\n[a]\r\n[B]\r\n"));
    ASSERT_TRUE(LoadBevels(path, bevels));
    ASSERT_EQ(bevels.GetCount(), 3);
    EXPECT_EQ(bevels.GetSet(0)->mName, "a");
    EXPECT_EQ(bevels.GetSet(2)->mName, "C");
    EXPECT_EQ(bevels.GetSet(3), nullptr);
    struct Case {
        int restaurant;
        const char* name;
    } cases[] = {{0, "a"}, {2, "C"}, {4, "B"}, {-1, "C"}};
    for (const Case& c : cases)
        EXPECT_EQ(bevels.ForRestaurant(c.restaurant)->mName, c.name) << c.restaurant;

    EXPECT_EQ(bevels.GetSet(2)->mOutRects[kBevelTop].size(), 1u);

    // A file without sections leaves the table as it was.
    ASSERT_TRUE(platform::WriteWholeFile(path, "TopOut=1,1,1,1\r\n"));
    EXPECT_FALSE(LoadBevels(path, bevels));
    EXPECT_EQ(bevels.GetCount(), 3);
}

} // namespace
} // namespace Game
