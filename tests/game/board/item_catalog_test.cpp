#include "game/board/item_catalog.h"

#include "platform/file_system.h"
#include "tests/game/board/board_fixture.h"

#include <gtest/gtest.h>

namespace Game::Test {
namespace {

using ItemCatalogTest = BoardFixture;

TEST_F(ItemCatalogTest, RecordsComeInSectionOrderWithDefaults) {
    Kavo::MemoryImage* broke = AddPicture("chip1broke", 41);
    Kavo::MemoryImage* dust = AddPicture("chip1dust", 42);
    std::shared_ptr<ItemCatalog> catalog = InstallCatalog("[Beta]\r\nID=3\r\nPrice=5\r\n"
                                                          "[Alpha]\r\nID=3\r\nPrice=2\r\nType=1\r\n"
                                                          "AnimObj=spin\r\nCursor=chip1\r\nSecret=secret4\r\n"
                                                          "[Gamma]\r\nType=2\r\n");
    ASSERT_EQ(catalog->Size(), 3u);
    // Two sections of one id: the earlier in section order wins.
    const ItemRecord* three = catalog->Find(3);
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->mPrice, 2);
    EXPECT_EQ(three->mType, 1);
    EXPECT_EQ(three->mAnimObj, "spin");
    EXPECT_EQ(three->mCursor, "chip1");
    EXPECT_NE(three->mImage, nullptr);
    EXPECT_EQ(three->mBoardImage, three->mImage);
    EXPECT_EQ(three->mBrokeImage, broke);
    EXPECT_EQ(three->mDustImage, dust);
    EXPECT_NE(three->mSecretImage, nullptr);
    EXPECT_NE(three->mSecretImage, three->mImage);

    // No "ID" gives 0, no "Price" 3.
    const ItemRecord* zero = catalog->Find(0);
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->mType, 2);
    EXPECT_EQ(zero->mPrice, 3);
    EXPECT_EQ(zero->mImage, nullptr);
    EXPECT_EQ(catalog->Find(7), nullptr);
}

TEST_F(ItemCatalogTest, MissingPicturesStayNull) {
    std::shared_ptr<ItemCatalog> catalog = InstallCatalog("[A]\r\nID=1\r\nCursor=nothere\r\nSecret=nothere2\r\n");
    const ItemRecord* item = catalog->Find(1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->mImage, nullptr);
    EXPECT_EQ(item->mBrokeImage, nullptr);
    EXPECT_EQ(item->mDustImage, nullptr);
    EXPECT_EQ(item->mSecretImage, nullptr);

    // Without a resource manager the records load without pictures.
    platform::Installed<GameResourceManager> none(GameResourceManagerSlot(), std::shared_ptr<GameResourceManager>());
    catalog = InstallCatalog("[A]\r\nID=1\r\nCursor=chip1\r\n");
    ASSERT_EQ(catalog->Size(), 1u);
    EXPECT_EQ(catalog->Find(1)->mImage, nullptr);
}

TEST_F(ItemCatalogTest, EmptyOrMissingFileFails) {
    const std::string folder = Platform().Folder();
    ASSERT_TRUE(platform::WriteWholeFile(folder + "/empty.txt", ""));
    ASSERT_TRUE(platform::WriteWholeFile(folder + "/comment.txt", "; only a comment\r\n"));
    for (const char* name : {"/empty.txt", "/comment.txt", "/absent.txt"}) {
        ItemCatalog catalog;
        EXPECT_FALSE(catalog.Load(folder + name)) << name;
        EXPECT_EQ(catalog.Size(), 0u) << name;
        EXPECT_NE(catalog.GetErrorText().find(name + 1), std::string::npos) << name;
    }
}

} // namespace
} // namespace Game::Test
