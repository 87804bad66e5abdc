// The generated meta-game content reads back through the game's readers,
// and every name one file gives another resolves.
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/imagelib/image_lib.h"
#include "framework/widget/button_widget.h"
#include "game/board/stages.h"
#include "game/effects/tr_move_items.h"
#include "game/effects/trajectories.h"
#include "game/meta/menu_catalog.h"
#include "game/meta/shop_catalog.h"
#include "game/ui/ini_document.h"
#include "game/ui/layout.h"
#include "game/ui/page_set.h"
#include "game/ui/page_view.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"
#include "platform/file_system.h"
#include "tests/game/ui/ui_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace Game {
namespace {

// The content folder's file of a name as the tables give it.
std::string ContentFile(std::string name, const char* extension = "") {
    for (char& c : name)
        c = c == '\\' ? '/' : c;
    return name + extension;
}

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The size in a PNG file's header; zero when there is no such file.
PictureSize PngSize(const std::string& path) {
    std::string bytes;
    if (!platform::ReadWholeFile(ContentFile(path, ".png"), bytes) || bytes.size() < 24)
        return {};
    auto at = [&](size_t i) {
        return int(uint8_t(bytes[i])) << 24 | int(uint8_t(bytes[i + 1])) << 16 | int(uint8_t(bytes[i + 2])) << 8 |
               int(uint8_t(bytes[i + 3]));
    };
    return {at(16), at(20)};
}

bool Inside(int x, int y, int w, int h, PictureSize size) {
    return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= size.width && y + h <= size.height;
}

// A settings rectangle "x,y,w,h".
bool Inside(const std::string& rect, PictureSize size) {
    int x = -1, y = -1, w = 0, h = 0;
    return std::sscanf(rect.c_str(), "%d,%d,%d,%d", &x, &y, &w, &h) == 4 && Inside(x, y, w, h, size);
}

std::vector<std::string> Split(const std::string& text, char at) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t end; (end = text.find(at, start)) != std::string::npos; start = end + 1)
        pieces.push_back(text.substr(start, end - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

class SampleMetaContentTest : public ui_test::UiFixture {
protected:
    SampleMetaContentTest() : mPreviousFolder(platform::GetCurrentFolder()) {
        platform::SetCurrentFolder(KAVO_SAMPLE_CONTENT);
    }
    ~SampleMetaContentTest() override { platform::SetCurrentFolder(mPreviousFolder); }

    static IniDocument Read(const std::string& path) {
        IniDocument document;
        EXPECT_TRUE(document.Load(path, true)) << path;
        return document;
    }

    std::string mPreviousFolder;
};

TEST_F(SampleMetaContentTest, SecretMapsRecipesPuzzlesAndStagesReferToEachOther) {
    IniDocument maps = Read("data/secretmaps.txt");
    IniDocument recipes = Read("data/recipies.txt");
    IniDocument puzzles = Read("data/puzzles.txt");
    ASSERT_EQ(maps.GetSectionCount(), 15u);
    ASSERT_EQ(puzzles.GetSectionCount(), 3u);
    std::set<std::string> recipesUsed;
    for (auto it = maps.Begin(); it != maps.End(); ++it) {
        SCOPED_TRACE(it.Name());
        const IniSection& map = it.Value();
        const std::string recipe = map.GetString("Recipe");
        EXPECT_TRUE(recipesUsed.insert(recipe).second) << "recipe used twice: " << recipe;
        ASSERT_TRUE(recipes.HasSection(recipe)) << recipe;
        std::string text;
        ASSERT_TRUE(platform::ReadWholeFile(ContentFile(recipes.GetSection(recipe)->GetString("File")), text));
        EXPECT_EQ(Split(text, '\n').size(), 6u); // a title, four lines, CR LF ended
        // In the term table's language, which the sample font draws.
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return uint8_t(c) < 0x80; })) << recipe;

        const int puzzle = map.GetInt("Puzzle", -1);
        ASSERT_GE(puzzle, 0);
        ASSERT_LT(puzzle, 3);
        for (const char* picture : {"Frame", "Map", "PostCard"})
            EXPECT_GT(PngSize(map.GetString(picture)).width, 0) << picture;
        const PictureSize postcard = PngSize(map.GetString("PostCard"));
        for (auto p = puzzles.Begin(); p != puzzles.End(); ++p) {
            EXPECT_EQ(postcard.width % p.Value().GetInt("Cols", 4), 0) << p.Name();
            EXPECT_EQ(postcard.height % p.Value().GetInt("Rows", 4), 0) << p.Name();
        }
        // A puzzle that turns its pieces turns each about its centre: only a
        // square piece keeps to its cell when it lies a quarter turned.
        const IniSection* shape = nullptr;
        int index = 0;
        for (auto p = puzzles.Begin(); p != puzzles.End(); ++p, ++index)
            if (index == puzzle)
                shape = &p.Value();
        ASSERT_NE(shape, nullptr);
        if (shape->GetInt("Rotate", 0) == 1) {
            EXPECT_EQ(postcard.width / shape->GetInt("Cols", 4), postcard.height / shape->GetInt("Rows", 4))
                << "the pieces of a turning puzzle are not square";
        }
        const std::vector<std::string> items = Split(map.GetString("Items"), ';');
        EXPECT_EQ(items.size(), 3u);
        for (const std::string& item : items) {
            const std::vector<std::string> fields = Split(item, ',');
            EXPECT_TRUE(fields.size() == 3 || fields.size() == 5) << item;
            EXPECT_GT(PngSize(fields[0]).width, 0) << fields[0];
            EXPECT_GT(PngSize(fields[0] + "glow").width, 0) << fields[0];
        }
    }
    EXPECT_EQ(recipesUsed.size(), recipes.GetSectionCount());

    IniDocument stageText = Read("data/stages.txt");
    Stages stages;
    stages.LoadDocument(stageText);
    ASSERT_EQ(stages.GetCount(), 15);
    for (int i = 0; i < stages.GetCount(); ++i)
        EXPECT_TRUE(maps.HasSection(stages.GetStage(i)->mSecretMap)) << i << " " << stages.GetStage(i)->mSecretMap;

    Trajectories paths;
    ASSERT_TRUE(paths.Load("data/Trajectories.dat", true));
    for (int rank = 1; rank <= 3; ++rank)
        for (int i = 0; i < 5; ++i)
            EXPECT_NE(paths.Find("Rank_" + std::to_string(rank) + "_" + std::to_string(i)), nullptr) << rank << i;
    for (int i = 0; i < 10; ++i)
        EXPECT_NE(paths.Find("Reward" + std::to_string(i)), nullptr) << i;
}

TEST_F(SampleMetaContentTest, ShopAndMenuCataloguesFurnishTheirRooms) {
    ShopCatalog shop;
    MenuCatalog menu;
    for (int r = 1; r <= 3; ++r) {
        ASSERT_TRUE(shop.Load("data/shop." + std::to_string(r))) << r;
        ASSERT_TRUE(menu.Load("data/menu." + std::to_string(r))) << r;
    }
    ASSERT_EQ(shop.GetCategoryCount(), 5u);
    int effects = 0, deleting = 0;
    for (const auto& item : shop.mItems) {
        SCOPED_TRACE(item->mName);
        EXPECT_LT(GetIdByStringId(item->mImageShop), RESOURCE_ID_MAX);
        const Kavo::IntRect& cell = item->mShopRect;
        EXPECT_TRUE(Inside(cell.mX, cell.mY, cell.mWidth, cell.mHeight,
                           PngSize("images/game/shop" + std::to_string(item->mRank + 1))));
        EXPECT_GT(PngSize("images/shop/" + item->mImageRoom.substr(0, item->mImageRoom.rfind('.'))).width, 0);
        EXPECT_GE(item->mPrice, 10);
        EXPECT_LE(item->mPrice, 60);
        effects += item->mEffect == 1 && !item->mEffectRects.empty();
        deleting += !item->mDeleteItems.empty();
        for (const std::string& name : item->mDeleteItems)
            EXPECT_NE(shop.Find(name), nullptr) << name;
    }
    EXPECT_GT(effects, 0);
    EXPECT_GT(deleting, 0);

    // The default rooms, each furnished by its own restaurant; a room with a
    // piece of every kind and both chairs and vases is worth 1.0.
    const std::vector<std::vector<std::string>> defaults = {{"wall100", "table102", "stoika100"},
                                                            {"wall200", "table200", "stoika202"},
                                                            {"wall302", "table302", "stoika302", "vase300"}};
    for (int r = 0; r < 3; ++r) {
        for (const std::string& name : defaults[size_t(r)]) {
            ASSERT_NE(shop.Find(name), nullptr) << name;
            EXPECT_EQ(shop.Find(name)->mRank, r) << name;
        }
        const std::string n = std::to_string(r + 1);
        const ShopCatalog::NameList full = {"wall" + n + "00",  "stoika" + n + "00", "table" + n + "00",
                                            "chair" + n + "00", "chair" + n + "01",  "vase" + n + "00",
                                            "vase" + n + "01"};
        EXPECT_NEAR(shop.ComputeRoomValue(full, r), 1.0f, 0.01f) << r;
    }

    ASSERT_EQ(menu.GetCategoryCount(), 3u);
    int salads = 0, cheapest = 1000;
    for (size_t c = 0; c < menu.GetCategoryCount(); ++c)
        for (const auto& [name, dish] : menu.GetCategory(c)) {
            EXPECT_LT(GetIdByStringId(dish->mImageShop), RESOURCE_ID_MAX) << name;
            salads += dish->mRank == 0 && name.rfind("Salad0", 0) == 0;
            cheapest = std::min(cheapest, dish->mPrice);
        }
    EXPECT_EQ(salads, 7);
    EXPECT_LT(cheapest, 10);
}

TEST_F(SampleMetaContentTest, SettingsRectanglesLieInTheirPicturesAndTheTermsExist) {
    IniDocument settings = Read("data/settings.txt");
    const PictureSize stars = PngSize("images/game/map_rank_stars");
    const PictureSize thumbs = PngSize("images/game/posttumb");
    EXPECT_EQ(thumbs.width, PngSize("images/game/posttumbdisabled").width);
    for (int i = 1; i <= 15; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_TRUE(Inside(settings.GetSection("RankStars")->GetString("Star" + n), stars)) << i;
        EXPECT_TRUE(Inside(settings.GetSection("PostRects")->GetString("Post" + n), thumbs)) << i;
    }
    for (const char* rank : {"Rank0", "Rank1", "Rank2"})
        EXPECT_GT(settings.GetSection("MenuMaxRaiting")->GetInt(rank, 0), 0) << rank;
    for (const char* key : {"Puzzle", "PuzzleActivate"})
        EXPECT_TRUE(settings.GetSection("Rewards")->HasKey(key)) << key;

    // Sections only group the terms: a key may stand in any of them.
    IniDocument termText = Read("data/termins.txt");
    std::set<std::string> keys;
    for (auto it = termText.Begin(); it != termText.End(); ++it)
        for (const char* key : {"MapPlay", "Close", "SureExit", "Quit", "TipLevelComplete1", "TipLevelComplete2",
                                "TipPuzzleRules", "TipPuzzleWrongSwap", "TipRoom1", "TipRoom8", "Comix1_16"})
            if (it.Value().HasKey(key))
                keys.insert(key);
    EXPECT_EQ(keys.size(), 11u);
    Termins terms;
    terms.Load("data/termins.txt");
    EXPECT_EQ(terms.Get("StageComplete"), "%d%%");
}

TEST_F(SampleMetaContentTest, LayoutsHoldEveryControlAndPointTheScreensRead) {
    mDescs->LoadInterface("ui\\interf.txt");
    struct Screen {
        const char* mPath;
        int mId; // of the dialog; 0 when the file gives none
        std::vector<std::pair<const char*, int>> mButtons;
        std::vector<const char*> mOthers; // further controls and points
    };
    const Screen screens[] = {
        {"ui/main.txt",
         0,
         {{"Play", 1}, {"Map", 3}, {"Help", 4}, {"Options", 5}, {"Reward", 6}, {"Exit", 7}, {"ChangeUser", 33}},
         {"NameLbl", "ButtonsXY", "ButtonsWH"}},
        {"UI/SelectGame.txt", 303, {{"Continue", 1}, {"NewGame", 2}}, {}},
        {"ui/Map.txt", 0, {{"Next", 1}, {"Back", 2}}, {"PostTumbs", "Rest1", "Rest2", "Rest3", "Star1", "Star15"}},
        {"ui/showrest.txt", 18, {{"Close", 1}}, {}},
        {"UI/Room.txt",
         111,
         {{"Back", 1}, {"Menu", 2}, {"Prev", 3}, {"Next", 4}},
         {"StuffHBar", "MoneyLblValue", "GridXY", "GridWH", "MenuGridXY", "MenuGridWH", "RoomValue", "MenuValue",
          "RatingBack", "MenuBack", "MoneyPlace"}},
        {"UI/LevelComplete.txt",
         15,
         {{"Ok", 1}, {"Shop", 2}},
         {"MoneyLblValue", "StuffLblValue", "DrinkLblValue", "FoodLblValue", "PostcardLbl", "PercentStuffLbl",
          "PercentDrinkLbl", "PercentFoodLbl", "MoneyPrev", "PoscardPrev", "ProgressBarStuff", "ProgressBarDrink",
          "ProgressBarFood", "PlaceStuff", "PlaceFood", "PlaceDrink"}},
        {"UI/Secret.txt", 5, {{"Ok", 1}}, {"Text", "DogEye"}},
        {"UI/puzzle.txt", 6, {{"Done", 1}, {"Skip", 2}, {"Reshuffle", 3}}, {"Puzzle", "Reward", "TimeLbl"}},
        {"UI/comix.txt", 0, {{"Skip", 1}}, {"AuntEye", "GirlEye"}},
        {"UI/comix2.txt", 0, {{"Skip", 1}}, {"GlassBlink"}},
        {"UI/comix3.txt", 0, {{"Skip", 1}}, {}},
    };
    for (const Screen& screen : screens) {
        SCOPED_TRACE(screen.mPath);
        if (screen.mId != 0) {
            EXPECT_EQ(Read(screen.mPath).GetSection("Main")->GetInt("ID", 0), screen.mId);
        }
        Layout layout(screen.mPath, nullptr);
        for (const auto& [name, id] : screen.mButtons) {
            auto* button = layout.GetControlAs<Kavo::ButtonWidget>(name);
            ASSERT_NE(button, nullptr) << name;
            EXPECT_EQ(button->mId, id) << name;
        }
        for (const char* name : screen.mOthers)
            EXPECT_TRUE(layout.GetPoint(name).has_value()) << name;
    }
}

// The comics' balloon is stretched from 90 x 47 over each caption's
// rectangle: a picture of another size is stretched out of shape, and
// anything drawn in its middle (a label) is smeared through the caption's
// words.
TEST_F(SampleMetaContentTest, TheComicsBalloonIsTheSizeItIsStretchedFromAndBlankInTheMiddle) {
    const std::unique_ptr<Kavo::ImageLib::Image> balloon =
        Kavo::ImageLib::LoadImageFile("images/comix/circle.png", false);
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->mWidth, static_cast<int>(PageView::kBalloonWidth));
    EXPECT_EQ(balloon->mHeight, static_cast<int>(PageView::kBalloonHeight));
    // A label would stand in the middle, where the caption's words run.
    const int w = balloon->mWidth, h = balloon->mHeight;
    const uint32_t inside = balloon->mBits[static_cast<size_t>(h / 2) * w + w / 5];
    int marked = 0;
    for (int y = h / 2 - 3; y <= h / 2 + 3; ++y)
        for (int x = w / 5; x < w - w / 5; ++x)
            marked += balloon->mBits[static_cast<size_t>(y) * w + x] != inside ? 1 : 0;
    EXPECT_EQ(marked, 0) << "pixels drawn inside the balloon";
}

// Pictures laid over the board or the map stand for things with a shape
// (a burst behind a score, a padlock over the clock, drifting clouds): a
// panel filling its cels to the edge covers what lies under it with a box,
// and the clouds, tiled as they drift, show their edges as straight bands.
TEST_F(SampleMetaContentTest, PicturesLaidOverTheScreenAreClearAtTheirEdges) {
    const std::pair<const char*, int> pictures[] = {
        {"images/effects/score.png", 4}, {"images/bonuses/timerlock.png", 1}, {"images/map/cloudsday.png", 1}};
    for (const auto& [path, cels] : pictures) {
        const std::unique_ptr<Kavo::ImageLib::Image> picture = Kavo::ImageLib::LoadImageFile(path, false);
        ASSERT_NE(picture, nullptr) << path;
        const int w = picture->mWidth / cels, h = picture->mHeight;
        int edge = 0, shown = 0;
        for (int cel = 0; cel < cels; ++cel)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint32_t alpha = picture->mBits[static_cast<size_t>(y) * picture->mWidth + cel * w + x] >> 24;
                    shown += alpha != 0 ? 1 : 0;
                    if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                        edge += alpha != 0 ? 1 : 0;
                }
        EXPECT_EQ(edge, 0) << path << ": pixels shown on the cels' edges";
        EXPECT_GT(shown, w * h * cels / 10) << path << ": too little drawn";
    }
}

TEST_F(SampleMetaContentTest, PicturesAnimationsPageSetsAndParticlesAreThere) {
    for (const char* picture :
         {"images/comix/girl", "images/comix/aunt", "images/comix/phone", "images/comix/circle", "images/comix/aunteye",
          "images/comix/girleye", "images/comix2/girl", "images/comix2/aunt", "images/comix3/girl",
          "images/comix3/aunt", "images/map/cloudsday", "images/dog", "images/dogeye"})
        EXPECT_GT(PngSize(picture).width, 0) << picture;
    for (const char* animation : {"cateye", "ringshine", "month", "clouds", "empty", "empty1"}) {
        IniDocument document = Read(std::string("data/") + animation + ".anim");
        const IniSection& main = *document.GetSection("Main");
        EXPECT_FALSE(main.GetString("Frames").empty()) << animation;
        const std::string sprite = main.GetString("Sprite");
        if (!sprite.empty()) {
            EXPECT_GT(PngSize(document.GetSection(sprite)->GetString("ImageFile")).width, 0) << animation;
        }
    }

    const std::pair<const char*, size_t> comics[] = {
        {"data/comix.txt", 16}, {"data/comix2.txt", 4}, {"data/comix3.txt", 4}};
    for (const auto& [path, texts] : comics) {
        PageSet pages;
        pages.Load(path, PageFileKind::Comics);
        ASSERT_GE(pages.GetPageCount(), 1u) << path;
        EXPECT_EQ(pages.GetPage(0).mTexts.size(), texts) << path;
    }

    IniDocument room = Read("particles/addinroom.ini");
    EXPECT_TRUE(room.GetSection("Item1")->HasKey("WIDTH"));
    EXPECT_TRUE(room.GetSection("Item1")->HasKey("HEIGHT"));
    for (const char* system : {"particles/puzzle.ini", "particles/mapready.ini"}) {
        EXPECT_GT(Read(system).GetSection("Default")->GetFloat("fLifetime", -1), 0) << system;
    }
    for (const char* scene :
         {"pieshine2", "reststar0", "reststar1", "reststar2", "RankStarAppear", "rewardappear", "behindreward"})
        EXPECT_TRUE(platform::FileExists(std::string("particles/") + scene + ".ini")) << scene;
}

// The menu's shine starts a little inside the Play button and runs along its
// lines, which give screen points: every pixel it draws must lie on the
// button and brighten what is under it, as a glow does. A line in another
// corner of the screen, a sparkle without a colour (black) or the whole
// strip of sparkle frames drawn per particle each leave a dark smudge.
TEST_F(SampleMetaContentTest, TheMenuShineGlowsOnThePlayButtonOnly) {
    mDescs->LoadInterface("ui\\interf.txt");
    Layout layout("ui/main.txt", nullptr);
    const auto* play = layout.GetControlAs<Kavo::ButtonWidget>("Play");
    ASSERT_NE(play, nullptr);

    const std::unique_ptr<Kavo::ImageLib::Image> strip =
        Kavo::ImageLib::LoadImageFile("images/game/sparkle.png", false);
    ASSERT_NE(strip, nullptr);
    Kavo::MemoryImage sparkle;
    sparkle.Create(strip->mWidth, strip->mHeight);
    std::copy(strip->mBits.begin(), strip->mBits.end(), sparkle.GetBits());
    sparkle.BitsChanged();
    Kavo::Image* const previous = IMAGE_SPARKLE;
    IMAGE_SPARKLE = &sparkle;

    TrMoveItems shine;
    shine.Load("particles/pieshine2.ini");
    shine.Start(static_cast<float>(play->mX + play->mWidth / 2 - 20),
                static_cast<float>(play->mY + play->mHeight / 2 - 20));
    constexpr uint32_t kGround = 0xFF606060;
    Kavo::MemoryImage screen;
    screen.Create(1024, 768);
    int drawn = 0, outside = 0, darker = 0;
    for (int update = 0; update < 1000 && !shine.IsDone(); ++update) {
        shine.Update();
        shine.Update(1.0f);
        std::fill(screen.GetBits(), screen.GetBits() + 1024 * 768, kGround);
        screen.BitsChanged();
        Kavo::Graphics g(&screen);
        shine.Draw(&g);
        const uint32_t* bits = screen.GetBits();
        for (int y = 0; y < 768; ++y)
            for (int x = 0; x < 1024; ++x) {
                const uint32_t pixel = bits[static_cast<size_t>(y) * 1024 + x];
                if (pixel == kGround)
                    continue;
                ++drawn;
                outside += x < play->mX || x >= play->mX + play->mWidth || y < play->mY || y >= play->mY + play->mHeight
                               ? 1
                               : 0;
                // Blending at a sparkle's edge may shift a channel a few
                // levels; a smudge takes it far down.
                darker += (pixel >> 16 & 0xFF) < 0x40 || (pixel >> 8 & 0xFF) < 0x40 || (pixel & 0xFF) < 0x40 ? 1 : 0;
            }
    }
    IMAGE_SPARKLE = previous;
    EXPECT_TRUE(shine.IsDone());
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(outside, 0) << "pixels of the shine off the Play button";
    EXPECT_EQ(darker, 0) << "pixels the shine darkens";
}

} // namespace
} // namespace Game
