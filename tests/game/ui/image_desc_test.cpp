#include "game/ui/background_set.h"
#include "game/ui/game_resource_manager.h"
#include "game/ui/image_desc.h"
#include "game/ui/image_desc_cache.h"
#include "game/ui/image_sprite.h"
#include "game/ui/ini_document.h"
#include "game/ui/named_image.h"

#include "framework/graphics/graphics.h"
#include "platform/file_system.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Game {
namespace {

using Kavo::IntRect;

IniSection SectionOf(const std::string& text) {
    IniDocument doc;
    doc.Parse(text.data(), text.size(), true);
    return *doc.GetSection("Main");
}

TEST(ImageDescTest, AGridKeepsOnlyTheFramesThatFitTheLargestPicture) {
    const struct {
        const char* text;
        size_t frames;
        IntRect last;
    } cases[] = {
        // 100000 x 100000 frames of 64: 256 columns and rows fit in 16384.
        {"[Main]\r\nRects=0,0,64,64\r\nColCount=100000\r\nRowCount=100000\r\n", 65536, {16320, 16320, 64, 64}},
        // Columns that would overflow an int are never made.
        {"[Main]\r\nRects=2000000000,0,2000000000,8\r\nColCount=3\r\nRowCount=1\r\n",
         1,
         {2000000000, 0, 2000000000, 8}},
        {"[Main]\r\nRects=16000,0,100,10\r\nColCount=10\r\nRowCount=2\r\n", 6, {16200, 10, 100, 10}},
        // Frames without extent stop at the count.
        {"[Main]\r\nRects=5,5,0,0\r\nColCount=100000\r\nRowCount=100000\r\n",
         size_t(ImageDesc::kMaxFrames),
         {5, 5, 0, 0}},
        {"[Main]\r\nRects=-8,0,8,8\r\nColCount=4\r\nRowCount=4\r\n", 1, {-8, 0, 8, 8}},
        {"[Main]\r\nRects=0,0,8,8\r\nColCount=-4\r\nRowCount=4\r\n", 1, {0, 0, 8, 8}},
    };
    for (const auto& c : cases) {
        ImageDesc desc;
        EXPECT_TRUE(desc.LoadFromSection(SectionOf(c.text)));
        ASSERT_EQ(desc.mRects.size(), c.frames) << c.text;
        EXPECT_EQ(desc.mRects.back(), c.last) << c.text;
    }
}

TEST(ImageDescTest, RectsGridAndActiveRect) {
    struct Case {
        const char* text;
        std::vector<IntRect> rects;
        IntRect current;
    } cases[] = {
        {"[Main]\r\nRects=0,0,64,64\r\nColCount=4\r\nRowCount=2\r\nActiveRect=5\r\n",
         {{0, 0, 64, 64},
          {64, 0, 64, 64},
          {128, 0, 64, 64},
          {192, 0, 64, 64},
          {0, 64, 64, 64},
          {64, 64, 64, 64},
          {128, 64, 64, 64},
          {192, 64, 64, 64}},
         {64, 64, 64, 64}},
        // A piece that is not four numbers keeps its place; the grid grows from the first.
        {"[Main]\r\nRects=1,2,3,4; 5,6 ;x;\r\n", {{1, 2, 3, 4}, {5, 6, 0, 0}, {0, 0, 0, 0}}, {1, 2, 3, 4}},
        // No first rectangle: the grid adds nothing and the current rectangle is empty.
        {"[Main]\r\nColCount=3\r\nRowCount=3\r\n", {}, {}},
        {"[Main]\r\nRects=0,0,8,8\r\nActiveRect=4\r\n", {{0, 0, 8, 8}}, {}},
        {"[Main]\r\nRects=0,0,8,8\r\nActiveRect=-1\r\n", {{0, 0, 8, 8}}, {}},
    };
    for (const Case& c : cases) {
        ImageDesc desc;
        EXPECT_TRUE(desc.LoadFromSection(SectionOf(c.text)));
        EXPECT_EQ(desc.mRects, c.rects) << c.text;
        EXPECT_EQ(desc.mCurrentRect, c.current) << c.text;
    }
}

class ImageDescCacheTest : public Kavo::HeadlessEnvironment {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        std::string path = Platform().Folder() + "/" + name;
        EXPECT_TRUE(platform::WriteWholeFile(path, text));
        return path;
    }

    std::shared_ptr<ImageDescCache> mCache = std::make_shared<ImageDescCache>();
    platform::Installed<ImageDescCache> mCacheSlot{ImageDescCacheSlot(), mCache};
    std::shared_ptr<GameResourceManager> mManager = std::make_shared<GameResourceManager>(nullptr);
    platform::Installed<GameResourceManager> mManagerSlot{GameResourceManagerSlot(), mManager};
};

TEST_F(ImageDescCacheTest, SecondLookupReusesTheDescription) {
    const std::string path =
        Write("item.anim", "[Main]\r\nImageFile=images\\items\r\nAttributes=nopal a8r8g8b8\r\nRects=0,0,50,50\r\n");
    EXPECT_EQ(FindImageDesc(path), nullptr);
    ImageDesc* first = GetImageDescByName(path, false, true);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->mName, path);
    EXPECT_TRUE(mManager->HasImage("images\\items"));
    ASSERT_TRUE(platform::RemoveFile(path));
    EXPECT_EQ(GetImageDescByName(path, false, false), first);
    EXPECT_EQ(FindImageDesc(path), first);

    // This manager has no application services: the image is registered, never loaded.
    EXPECT_EQ(GetImageDescByName(path, true, false)->mImage, nullptr);
    EXPECT_EQ(mManager->GetErrorText(), "Failed to load image: images\\items");

    EXPECT_EQ(GetImageDescByName(Platform().Folder() + "/missing.anim", false, true), nullptr);
    EXPECT_EQ(mCache->GetCount(), 1u);
}

TEST_F(ImageDescCacheTest, BackgroundFilesKeyedByPathOrSection) {
    const std::string one = Write("backs.spr", "[Sky]\r\nImageFile=images\\sky\r\nRects=0,0,800,600\r\n");
    BackgroundSet single;
    single.Load(one);
    EXPECT_NE(FindImageDesc(one), nullptr);
    EXPECT_EQ(FindImageDesc("Sky"), nullptr);
    EXPECT_EQ(single.mDescs.size(), 1u);
    EXPECT_EQ(single.Get("Sky"), nullptr);

    const std::string two = Write("two.spr", "[Sky]\r\nImageFile=images\\sky\r\n[Sea]\r\nImageFile=images\\sea\r\n");
    BackgroundSet both;
    both.Load(two);
    ASSERT_NE(both.Get("Sea"), nullptr);
    EXPECT_EQ(both.Get("Sea")->mImageFile, "images\\sea");
    EXPECT_EQ(both.Get("Sky"), FindImageDesc("Sky"));
    // Nothing was registered: the background set neither applies flags nor loads.
    EXPECT_FALSE(mManager->HasImage("images\\sea"));
}

TEST(ImageDrawTest, DescriptionSpriteAndNamedImage) {
    Kavo::RecordingImage dest(200, 200);
    Kavo::RecordingImage picture(40, 20);
    Kavo::Graphics g(&dest);

    ImageDesc desc;
    desc.mImage = &picture;
    desc.mRects = {{0, 0, 10, 6}};
    desc.SetCurrentRect(0);
    desc.Draw(&g, 50.7f, 50.2f, true);
    desc.SetCurrentRect(3); // outside the list: nothing
    desc.Draw(&g, 50, 50, true);

    ImageSprite sprite;
    sprite.SetImage(&picture);
    sprite.mX = 100;
    sprite.mY = 100;
    sprite.mCentered = true;
    sprite.Draw(&g, 255.0f); // opaque colour: no tint
    sprite.mColor = Kavo::Color(255, 255, 255, 128);
    sprite.mSourceRect = IntRect(5, 5, 8, 4);
    sprite.Draw(&g, 127.5f);

    NamedImage named;
    named.SetImage(&picture);
    named.mX = 10;
    named.mY = 10;
    named.Draw(&g); // value 0: nothing
    named.mValue = 200.9f;
    named.Draw(&g, 128);

    EXPECT_EQ(dest.mCalls, (std::vector<std::string>{
                               "Blt 45,47 [0,0,10,6] (255,255,255,255) m0",
                               "Blt 80,90 [0,0,40,20] (255,255,255,255) m0",
                               "Blt 96,98 [5,5,8,4] (255,255,255,64) m0",
                               "Blt 10,10 [0,0,40,20] (255,255,255,100) m0",
                           }));
    EXPECT_FALSE(g.GetColorizeImages());
}

TEST(NamedImageTest, StepValueStopsAtTarget) {
    NamedImage up;
    up.mStep = 100;
    EXPECT_FALSE(up.StepValue());
    EXPECT_FALSE(up.StepValue());
    EXPECT_TRUE(up.StepValue());
    EXPECT_EQ(up.mValue, 255.0f);

    NamedImage down;
    down.mValue = 10;
    down.mTarget = 0;
    down.mStep = -6;
    EXPECT_FALSE(down.StepValue());
    EXPECT_TRUE(down.StepValue());
    EXPECT_EQ(down.mValue, 0.0f);
}

} // namespace
} // namespace Game
