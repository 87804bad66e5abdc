#include "game/meta/room_image_source.h"
#include "game/meta/shop_catalog.h"

#include "framework/graphics/graphics.h"
#include "game/meta/room_layout.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/meta/catalog_text.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Game {
namespace {

// Owns the pictures it loads, so a picture deleted while still drawn is a
// use after free that the sanitizer build reports.
class LoggingRoomImages : public RoomImageSource {
public:
    bool HasImage(const std::string& name) override { return mImages.count(name) != 0; }
    Kavo::Image* LoadImageWithFlags(const std::string& name, const std::string& flags) override {
        mLoads.push_back(name + " " + flags);
        mImages[name] = std::make_unique<Kavo::RecordingImage>(200, 200);
        return mImages[name].get();
    }
    Kavo::Image* GetImageById(const std::string& name) override {
        auto it = mImages.find(name);
        return it == mImages.end() ? nullptr : it->second.get();
    }
    void DeleteImage(const std::string& name) override {
        mDeletes.push_back(name);
        mImages.erase(name);
    }

    std::map<std::string, std::unique_ptr<Kavo::RecordingImage>> mImages;
    std::vector<std::string> mLoads;
    std::vector<std::string> mDeletes;
};

const char kFirstShop[] = "[Main]\r\na=wall\r\nb=table\r\nc=vase\r\n"
                          "[wall1]\r\nCategory=wall\r\nRestIndex=1\r\nWeight=0.3\r\nImageRoom=walls.png\r\n"
                          "DrawInfo=0,0,0,0,800,600\r\n"
                          "[table1]\r\nCategory=table\r\nRestIndex=1\r\nWeight=0.2\r\nZOrder=2\r\nImageRoom=t.png\r\n"
                          "DrawInfo=10,20,1,2,30,40;50,60,5,6,70,80;1,1,1,1,1,1\r\nPrice=30\r\n"
                          "[vase1]\r\nCategory=vase\r\nWeight=0.25\r\nReplace=2\r\nRemovable=1\r\nZOrder=3\r\n"
                          "Effect=1\r\nDrawInfo=100,50,10,20,64,32\r\nImageRoom=t.png\r\n"
                          "[vase2]\r\nCategory=vase\r\nReplace=0\r\nRemovable=2\r\nEffect=1\r\n"
                          "EffectRects=0,0,8,8;5,5,4,4\r\nDrawInfo=100,50,10,20,64,32\r\n"
                          "[stray]\r\nCategory=shelf\r\nEffect=3\r\nEffectRects=1,2,3,4\r\n"
                          "[chair1]\r\nCategory=vase\r\nRank=1\r\nWeight=9\r\n";

class ShopCatalogTest : public ::testing::Test {
protected:
    ShopCatalogTest() {
        IniDocument document = Document(kFirstShop);
        EXPECT_TRUE(mCatalog.AddDocument(document));
    }
    ShopItem& Item(const std::string& name) { return *mCatalog.Find(name); }

    ShopCatalog mCatalog;
};

TEST_F(ShopCatalogTest, ReadsEachItemsFlagsPiecesAndEffectAreas) {
    struct Case {
        const char* name;
        bool replace;
        bool removable;
        int pieces;
        std::vector<Kavo::IntRect> effectRects;
    };
    const Case cases[] = {
        {"wall1", true, false, 1, {}},
        {"table1", true, false, 3, {}},
        {"vase1", false, true, 1, {{110, 70, 64, 32}}},
        {"vase2", false, false, 1, {{100, 50, 8, 8}, {105, 55, 4, 4}}},
        // No piece to hang the areas on: no default area, no offset.
        {"stray", true, false, 0, {{1, 2, 3, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(mCatalog.Find(c.name), nullptr);
        const ShopItem& item = Item(c.name);
        EXPECT_EQ(item.mReplace, c.replace);
        EXPECT_EQ(item.mRemovable, c.removable);
        EXPECT_EQ(item.mPieceCount, c.pieces);
        EXPECT_EQ(item.mEffectRects, c.effectRects);
    }
    const ShopDrawInfo& second = Item("table1").mDrawInfo[1];
    EXPECT_EQ(second.mX, 50);
    EXPECT_EQ(second.mSrcH, 80);
    EXPECT_EQ(Item("table1").TotalPrice(), 90);
    // A damaged catalogue's price times the pieces stays at the int range's edge.
    ShopItem dear = Item("table1");
    dear.mPrice = 1'500'000'000;
    EXPECT_EQ(dear.TotalPrice(), INT_MAX);
    dear.mPrice = -1'500'000'000;
    EXPECT_EQ(dear.TotalPrice(), INT_MIN);
    // A category not listed in "Main" files the item in category 0.
    EXPECT_EQ(Item("stray").mCategoryIndex, 0);
}

TEST_F(ShopCatalogTest, LaterFilesContinueSerialsAndFindPrefersTheLowerMap) {
    IniDocument second = Document("[twin]\r\nCategory=vase\r\n[wall9]\r\nCategory=wall\r\n");
    IniDocument third = Document("[Main]\r\na=wall\r\nb=table\r\nc=vase\r\n[twin]\r\nCategory=wall\r\n");
    ASSERT_TRUE(mCatalog.AddDocument(second));
    ASSERT_TRUE(mCatalog.AddDocument(third));
    ASSERT_EQ(mCatalog.mItems.size(), 9u);
    EXPECT_EQ(mCatalog.mItems[8]->mSerial, 8);
    // "twin" is held by the vase map (2) and by the wall map (0).
    EXPECT_EQ(mCatalog.GetCategory(2).at("twin"), mCatalog.mItems[6].get());
    EXPECT_EQ(mCatalog.Find("twin"), mCatalog.mItems[8].get());
    EXPECT_EQ(mCatalog.Find("nothing"), nullptr);

    // A "Main" of two keys drops the vase map with what it held.
    IniDocument fourth = Document("[Main]\r\na=wall\r\nb=table\r\n[late]\r\nCategory=vase\r\n");
    ASSERT_TRUE(mCatalog.AddDocument(fourth));
    ASSERT_EQ(mCatalog.GetCategoryCount(), 2u);
    EXPECT_EQ(mCatalog.Find("vase1"), nullptr);
    EXPECT_EQ(mCatalog.Find("late"), nullptr);
    EXPECT_EQ(mCatalog.mItems.size(), 10u);
    EXPECT_FALSE(mCatalog.Load("no/such/shop.1"));
    EXPECT_EQ(mCatalog.mItems.size(), 10u);
}

TEST_F(ShopCatalogTest, RoomValueCountsTheWallsStyleGroup) {
    // Rank 0: vase1 style 0 (0.25), wall1 style 1 (0.3), table1 style 1 (0.2);
    // chair1 is of rank 1 and "missing" is no item.
    EXPECT_FLOAT_EQ(mCatalog.ComputeRoomValue({"vase1", "wall1", "table1", "chair1", "missing"}, 0), 0.5f);
    EXPECT_FLOAT_EQ(mCatalog.ComputeRoomValue({"vase1", "table1", "chair1"}, 0), 0.25f);
    const size_t categories = mCatalog.mCategoryIndex.size();
    mCatalog.ComputeRoomValue({"vase1"}, 0);
    EXPECT_EQ(mCatalog.mCategoryIndex.size(), categories);
}

class RoomImagesTest : public Kavo::HeadlessEnvironment {
protected:
    RoomImagesTest() {
        IniDocument document = Document(kFirstShop);
        EXPECT_TRUE(mCatalog.AddDocument(document));
    }
    ShopCatalog mCatalog;
    LoggingRoomImages mImages;
};

TEST_F(RoomImagesTest, LoadsBackgroundsWithoutAlphaAndKeepsASharedPictureForTheKeptItem) {
    mCatalog.LoadRoomImages({"wall1", "vase1", "table1"}, mImages);
    // table1 and vase1 share one picture, loaded once; the wall (ZOrder 0)
    // is drawn without alpha.
    EXPECT_EQ(mImages.mLoads,
              (std::vector<std::string>{"images/shop/t.png a8r8g8b8", "images/shop/walls.png a8r8g8b8 noalpha"}));
    ShopItem* vase = mCatalog.Find("vase1");
    ASSERT_NE(vase->mRoomImage, nullptr);
    EXPECT_EQ(vase->mRoomImage, mCatalog.Find("table1")->mRoomImage);

    mCatalog.ReleaseRoomImages({"vase1"}, mImages);
    EXPECT_EQ(mImages.mDeletes, (std::vector<std::string>{"images/shop/walls.png"}));
    EXPECT_EQ(mCatalog.Find("wall1")->mRoomImage, nullptr);
    EXPECT_EQ(mCatalog.Find("table1")->mRoomImage, nullptr);
    ASSERT_NE(vase->mRoomImage, nullptr);

    // The kept item still draws its picture.
    RoomLayout room;
    room.Place(vase);
    Kavo::RecordingImage screen(800, 600);
    Kavo::Graphics g(&screen);
    room.Draw(&g);
    ASSERT_EQ(screen.mCalls.size(), 1u);

    mCatalog.ReleaseRoomImages({}, mImages);
    EXPECT_EQ(mImages.mDeletes.back(), "images/shop/t.png");
    EXPECT_TRUE(mImages.mImages.empty());
    EXPECT_EQ(vase->mRoomImage, nullptr);
}

} // namespace
} // namespace Game
