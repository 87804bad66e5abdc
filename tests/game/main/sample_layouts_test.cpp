// The generated layouts keep what they place on the 1024 x 768 screen and
// apart. The rectangles are the controls' ("Position" x, y, w, h; a list
// box also has its scroll bar at its right), the pictures a layout places
// ("Image" sections, as large as the picture), and the pictures the screens
// place at a layout's points (a table below, as the screens' code does).
// A dialog's rectangles are in the dialog, which rests centred on its
// "Position"; a layout without a size covers the screen.
//
// The rules:
//  - every rectangle lies inside the screen, and a dialog's inside the dialog;
//  - two controls do not overlap, except a text (Link, NumberLabel) wholly
//    inside a button: a label on its button;
//  - a picture and a control either do not overlap or the control lies wholly
//    on the picture (a button on its panel, a number on its plate);
//  - two pictures either do not overlap or one lies wholly on the other (a bar
//    on its back);
//  - controls a screen never shows together may share a place (a table).
// Beyond the layouts: a full-window screen's background covers the window
// (else the screen before it shows through); the pictures a shop or dish
// card draws lie inside the card and apart; a recipe's lines fit across
// and down the card they are written on.
#include "framework/font/default_font_services.h"
#include "framework/font/image_font.h"
#include "framework/imagelib/image_lib.h"
#include "game/ui/ini_document.h"
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace Game {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kListScrollbarWidth = 20;

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    bool Contains(const Box& o) const { return o.x >= x && o.y >= y && o.x + o.w <= x + w && o.y + o.h <= y + h; }
    bool Overlaps(const Box& o) const { return o.x < x + w && x < o.x + o.w && o.y < y + h && y < o.y + o.h; }
};

std::string Show(const Box& b) {
    return std::to_string(b.x) + "," + std::to_string(b.y) + " " + std::to_string(b.w) + "x" + std::to_string(b.h);
}

struct Placed {
    std::string name;
    std::string type; // the control type, or "Picture"
    Box box;
};

// A picture placed with its top-left at a layout point by the screen's code.
struct PointPicture {
    const char* layout;
    const char* point;
    const char* picture;
};
constexpr PointPicture kPointPictures[] = {
    {"board.txt", "Bonuses", "IMAGE_MAIN_PLASHKA"},
    {"board.txt", "PlashkaTop", "IMAGE_MAIN_PLASHKATOP"},
    {"board.txt", "RatingBack", "IMAGE_PROGRESSBARRATINGBACK"},
    {"board.txt", "RoomValue", "IMAGE_PROGRESSBARRATING"},
    {"board.txt", "MenuValue", "IMAGE_PROGRESSBARRATING"},
    {"board.txt", "PlaceStuff", "IMAGE_ICON_ITEMS"},
    {"board.txt", "PlaceFood", "IMAGE_ICON_ITEMS"},
    {"board.txt", "PlaceDrink", "IMAGE_ICON_ITEMS"},
    {"Room.txt", "RatingBack", "IMAGE_PROGRESSBARRATINGBACK"},
    {"Room.txt", "RoomValue", "IMAGE_PROGRESSBARRATING"},
    {"Room.txt", "MenuValue", "IMAGE_PROGRESSBARRATING"},
    {"Room.txt", "MoneyPlace", "IMAGE_MONEY_PLACE"},
    {"LevelComplete.txt", "MoneyPrev", "IMAGE_ICON_MONEY"},
    {"LevelComplete.txt", "PoscardPrev", "IMAGE_ICON_POSTCARD"},
    {"LevelComplete.txt", "PlaceStuff", "IMAGE_ICON_ITEMS"},
    {"LevelComplete.txt", "PlaceFood", "IMAGE_ICON_ITEMS"},
    {"LevelComplete.txt", "PlaceDrink", "IMAGE_ICON_ITEMS"},
    {"LevelComplete.txt", "ProgressBarStuff", "IMAGE_PROGRESSBARBACK"},
    {"LevelComplete.txt", "ProgressBarDrink", "IMAGE_PROGRESSBARBACK"},
    {"LevelComplete.txt", "ProgressBarFood", "IMAGE_PROGRESSBARBACK"},
    {"LevelComplete.txt", "ProgressBarStuff", "IMAGE_PROGRESSBARSTUFF"},
    {"LevelComplete.txt", "ProgressBarDrink", "IMAGE_PROGRESSBARDRINK"},
    {"LevelComplete.txt", "ProgressBarFood", "IMAGE_PROGRESSBARFOOD"},
};

// Controls that take turns in one place: the puzzle shows "Done" once solved
// and "Skip" until then.
constexpr const char* kTakingTurns[][3] = {{"puzzle.txt", "Done", "Skip"}};

std::string ReadSampleFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class SampleLayoutsTest : public ::testing::Test {
protected:
    SampleLayoutsTest() : mPreviousFolder(platform::GetCurrentFolder()) {
        platform::SetCurrentFolder(KAVO_SAMPLE_CONTENT);
        ReadPictureSizes();
    }
    ~SampleLayoutsTest() override { platform::SetCurrentFolder(mPreviousFolder); }

    // The size of one cel of each game picture: the manifest names its file
    // and cels, the PNG header its size.
    void ReadPictureSizes() {
        const std::string manifest = ReadSampleFile("properties/resources.xml");
        static const std::regex image(
            "<Image id=\"([A-Z0-9_]+)\" path=\"([a-z0-9_]+)\"(?: cols=\"(\\d+)\")?(?: rows=\"(\\d+)\")?");
        for (std::sregex_iterator it(manifest.begin(), manifest.end(), image), last; it != last; ++it)
            ReadPictureSize("IMAGE_" + (*it)[1].str(), "images/game/" + (*it)[2].str() + ".png",
                            (*it)[3].matched ? std::stoi((*it)[3].str()) : 1,
                            (*it)[4].matched ? std::stoi((*it)[4].str()) : 1);
    }
    void ReadPictureSize(const std::string& name, const std::string& path, int cols, int rows) {
        const std::string png = ReadSampleFile(path);
        if (png.size() < 24)
            return;
        auto be32 = [&](size_t at) {
            return (int(uint8_t(png[at])) << 24) | (int(uint8_t(png[at + 1])) << 16) |
                   (int(uint8_t(png[at + 2])) << 8) | int(uint8_t(png[at + 3]));
        };
        mPictures[name] = {0, 0, be32(16) / cols, be32(20) / rows};
    }

    // Where a layout's window rests, and what it places, in screen
    // coordinates.
    std::vector<Placed> ReadLayout(const std::string& file, Box& window) {
        IniDocument doc;
        EXPECT_TRUE(doc.Load("ui/" + file, true)) << file;
        window = {0, 0, kScreenWidth, kScreenHeight};
        if (doc.HasSection("Main")) {
            const IniSection& main = *doc.GetSection("Main");
            const Box rect = Rect(main.GetString("Position"));
            if (rect.w > 0 && main.HasKey("BeginX"))
                window = {rect.x - rect.w / 2, rect.y - rect.h / 2, rect.w, rect.h};
            else if (rect.w > 0)
                window = rect;
        }
        std::vector<Placed> placed;
        for (auto it = doc.Begin(); it != doc.End(); ++it) {
            const IniSection& section = it.Value();
            const std::string type = section.GetString("Type");
            Box box = Rect(section.GetString("Position"));
            if (type == "Image") {
                const std::string name = section.GetString("Image");
                // A picture by its file name, as the layouts may also name one.
                if (name.rfind("IMAGE_", 0) != 0 && mPictures.count(name) == 0)
                    ReadPictureSize(name, std::regex_replace(name, std::regex("\\\\"), "/"), 1, 1);
                const auto picture = mPictures.find(name);
                if (picture == mPictures.end()) {
                    ADD_FAILURE() << file << " [" << it.Name() << "] places an unknown picture";
                    continue;
                }
                box.w = picture->second.w;
                box.h = picture->second.h;
                placed.push_back({it.Name(), "Picture", box});
            } else if (type == "Point") {
                for (const PointPicture& at : kPointPictures) {
                    if (file != at.layout || std::string(it.Name()) != at.point)
                        continue;
                    const Box& picture = mPictures[at.picture];
                    placed.push_back({std::string(at.point) + " " + at.picture,
                                      "Picture",
                                      {section.GetInt("X", 0), section.GetInt("Y", 0), picture.w, picture.h}});
                }
            } else if (!type.empty()) {
                if (type == "ListBox")
                    box.w += kListScrollbarWidth;
                placed.push_back({it.Name(), type, box});
            }
        }
        for (Placed& item : placed) {
            item.box.x += window.x;
            item.box.y += window.y;
        }
        return placed;
    }

    static Box Rect(const std::string& text) {
        Box box;
        std::sscanf(text.c_str(), "%d,%d,%d,%d", &box.x, &box.y, &box.w, &box.h);
        return box;
    }

    std::string mPreviousFolder;
    std::map<std::string, Box> mPictures;
};

bool IsText(const std::string& type) {
    return type == "Link" || type == "NumberLabel";
}

bool IsButton(const std::string& type) {
    return type == "Button" || type == "DialogButton";
}

bool TakeTurns(const std::string& file, const std::string& a, const std::string& b) {
    for (const auto& turns : kTakingTurns)
        if (file == turns[0] && ((a == turns[1] && b == turns[2]) || (a == turns[2] && b == turns[1])))
            return true;
    return false;
}

// Why the two may not lie where they do, or "" when they may.
std::string Clash(const std::string& file, const Placed& a, const Placed& b) {
    if (!a.box.Overlaps(b.box) || TakeTurns(file, a.name, b.name))
        return "";
    const bool aPicture = a.type == "Picture";
    const bool bPicture = b.type == "Picture";
    if (aPicture && bPicture)
        return a.box.Contains(b.box) || b.box.Contains(a.box) ? "" : "pictures overlap";
    if (aPicture || bPicture)
        return (aPicture ? a.box.Contains(b.box) : b.box.Contains(a.box)) ? "" : "a control lies partly on a picture";
    if ((IsText(a.type) && IsButton(b.type) && b.box.Contains(a.box)) ||
        (IsText(b.type) && IsButton(a.type) && a.box.Contains(b.box)))
        return "";
    return "controls overlap";
}

TEST_F(SampleLayoutsTest, EveryLayoutKeepsItsRectanglesOnTheScreenAndApart) {
    ASSERT_GT(mPictures.size(), 50u);
    const Box screen{0, 0, kScreenWidth, kScreenHeight};
    size_t layouts = 0;
    size_t rectangles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(KAVO_SAMPLE_CONTENT) + "/ui")) {
        const std::string file = entry.path().filename().string();
        // The looks, not a layout.
        if (file == "interf.txt")
            continue;
        Box window;
        const std::vector<Placed> placed = ReadLayout(file, window);
        ++layouts;
        EXPECT_TRUE(screen.Contains(window)) << file << ": the window " << Show(window);
        for (size_t i = 0; i < placed.size(); ++i) {
            const Placed& a = placed[i];
            ++rectangles;
            EXPECT_TRUE(window.Contains(a.box)) << file << " [" << a.name << "] " << Show(a.box) << " leaves the "
                                                << (window.w == kScreenWidth ? "screen" : "dialog");
            for (size_t j = i + 1; j < placed.size(); ++j) {
                const std::string clash = Clash(file, a, placed[j]);
                EXPECT_EQ(clash, "") << file << ": [" << a.name << "] " << Show(a.box) << " and [" << placed[j].name
                                     << "] " << Show(placed[j].box);
            }
        }
    }
    EXPECT_GE(layouts, 25u);
    EXPECT_GE(rectangles, 100u);
}

// The font the cards are written in, read from the content folder.
struct SampleFont {
    Kavo::DefaultFontServices mServices;
    platform::Installed<Kavo::FontServices> mInstalled{Kavo::FontServicesSlot(), mServices};
    Kavo::ImageFont mFont{"fonts/game/default.txt"};
};

// The backgrounds that full-window screens draw at the window's corner.
constexpr const char* kScreenBackgrounds[] = {"IMAGE_REWARD_BACK", "IMAGE_MAP_BACK", "IMAGE_PUZZLE_BACK",
                                              "IMAGE_MAIN_BACK", "IMAGE_MENUBACK"};

TEST_F(SampleLayoutsTest, EveryFullWindowBackgroundCoversTheWindow) {
    for (const char* name : kScreenBackgrounds) {
        const Box& picture = mPictures[name];
        EXPECT_TRUE(picture.Contains({0, 0, kScreenWidth, kScreenHeight})) << name << " " << Show(picture);
    }
}

// A shop or dish card: the frame's cel, and what is drawn on it at the
// offsets the cells use; the price is right-aligned to end at 92, its line
// ending at 98.
TEST_F(SampleLayoutsTest, ThePicturesOfACardLieInsideItAndApart) {
    SampleFont sample;
    Kavo::ImageFont& font = sample.mFont;
    ASSERT_TRUE(font.IsLoaded());
    const Box card = mPictures["IMAGE_SHOPBUTTON"];
    ASSERT_GT(card.w, 0);
    const int priceWidth = font.StringWidth("999");
    const Box price{92 - priceWidth, 98 - font.GetHeight(), priceWidth, font.GetHeight()};
    const Box rank = mPictures["IMAGE_SMALLRANK"];
    const Box buy{2, 2, mPictures["IMAGE_BUY"].w, mPictures["IMAGE_BUY"].h};
    // A decoration card shows the buy mark before buying and the in-room mark
    // after; a dish card its buy mark and its rank.
    const std::map<std::string, std::vector<Placed>> cards = {
        {"decoration", {{"buy mark", "", buy}, {"price", "", price}}},
        {"placed decoration", {{"in-room mark", "", {2, 2, mPictures["IMAGE_INROOM"].w, mPictures["IMAGE_INROOM"].h}}}},
        {"dish", {{"buy mark", "", buy}, {"rank", "", {card.w - rank.w - 7, 2, rank.w, rank.h}}, {"price", "", price}}},
    };
    for (const auto& [kind, onCard] : cards)
        for (size_t i = 0; i < onCard.size(); ++i) {
            EXPECT_TRUE(card.Contains(onCard[i].box))
                << kind << ": " << onCard[i].name << " " << Show(onCard[i].box) << " on " << Show(card);
            for (size_t j = i + 1; j < onCard.size(); ++j)
                EXPECT_FALSE(onCard[i].box.Overlaps(onCard[j].box))
                    << kind << ": " << onCard[i].name << " " << Show(onCard[i].box) << " and " << onCard[j].name << " "
                    << Show(onCard[j].box);
        }
}

// A recipe is written on the back of its postcard: the title centred at 40,
// each further line from x 30 and y 70 down, one font height apart.
TEST_F(SampleLayoutsTest, EveryRecipeFitsItsCard) {
    SampleFont sample;
    Kavo::ImageFont& font = sample.mFont;
    ASSERT_TRUE(font.IsLoaded());
    const Box card = mPictures["IMAGE_POSTBACK"];
    ASSERT_GT(card.w, 0);
    constexpr int kMargin = 30;
    IniDocument recipes;
    ASSERT_TRUE(recipes.Load("data/recipies.txt", true));
    size_t read = 0;
    for (auto it = recipes.Begin(); it != recipes.End(); ++it) {
        std::string file = it.Value().GetString("File");
        std::replace(file.begin(), file.end(), '\\', '/');
        std::istringstream text(ReadSampleFile(file));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);)
            lines.push_back(line.substr(0, line.find('\r')));
        ASSERT_GE(lines.size(), 2u) << file;
        EXPECT_LE(font.StringWidth(lines[0]), card.w - 2 * kMargin) << file << ": " << lines[0];
        for (size_t i = 1; i < lines.size(); ++i)
            EXPECT_LE(kMargin + font.StringWidth(lines[i]), card.w - kMargin) << file << ": " << lines[i];
        EXPECT_LE(70 + static_cast<int>(lines.size() - 1) * font.GetHeight(), card.h - kMargin / 2) << file;
        ++read;
    }
    EXPECT_EQ(read, 15u);
}

// A title names what a screen is: a text whose caption is a term with words
// in the term table, lying on the bar made for it when the screen has one.
TEST_F(SampleLayoutsTest, TheMapAndTheRewardsSayWhatTheyAre) {
    IniDocument terms;
    ASSERT_TRUE(terms.Load("data/termins.txt", true));
    auto termText = [&](const std::string& key) {
        for (auto it = terms.Begin(); it != terms.End(); ++it)
            if (it.Value().HasKey(key))
                return it.Value().GetString(key);
        return std::string();
    };
    const struct {
        const char* layout;
        const char* bar; // the picture the title lies on, or null
    } screens[] = {{"Map.txt", "Top"}, {"reward.txt", nullptr}};
    for (const auto& screen : screens) {
        Box window;
        const std::vector<Placed> placed = ReadLayout(screen.layout, window);
        IniDocument doc;
        ASSERT_TRUE(doc.Load(std::string("ui/") + screen.layout, true));
        int titles = 0;
        for (const Placed& text : placed) {
            if (text.type != "Link" || termText(doc.GetSection(text.name)->GetString("Caption")).empty())
                continue;
            const auto bar = std::find_if(placed.begin(), placed.end(), [&](const Placed& p) {
                return screen.bar != nullptr && p.name == screen.bar;
            });
            if (screen.bar == nullptr || (bar != placed.end() && bar->box.Contains(text.box)))
                ++titles;
        }
        EXPECT_EQ(titles, 1) << screen.layout;
    }
}

// A number set on a plate: the widest sum it shows, placed in its box as its
// look aligns it, with the shadows that follow it (the label's own and the
// font's shadow layer, 2 px right of the face), stays inside its box, where
// nothing is cut, and inside the plate's rim.
TEST_F(SampleLayoutsTest, ANumberOnItsPlateKeepsClearOfTheEdges) {
    SampleFont sample;
    ASSERT_TRUE(sample.mFont.IsLoaded());
    constexpr int kFontShadow = 2;
    IniDocument looks;
    ASSERT_TRUE(looks.Load("ui/interf.txt", true));
    const struct {
        const char* layout;
        const char* label;
        const char* plate; // the plate's name as ReadLayout gives it
    } numbers[] = {{"Room.txt", "MoneyLblValue", "MoneyPlace IMAGE_MONEY_PLACE"}};
    for (const auto& number : numbers) {
        Box window;
        const std::vector<Placed> placed = ReadLayout(number.layout, window);
        IniDocument doc;
        ASSERT_TRUE(doc.Load(std::string("ui/") + number.layout, true));
        const IniSection& section = *doc.GetSection(number.label);
        const IniSection* look =
            section.HasKey("Description") ? looks.GetSection(section.GetString("Description")) : &section;
        ASSERT_NE(look, nullptr) << number.label;
        const auto find = [&](const std::string& name) {
            return *std::find_if(placed.begin(), placed.end(), [&](const Placed& p) { return p.name == name; });
        };
        const Box box = find(number.label).box;
        const Box plate = find(number.plate).box;
        const int width = sample.mFont.StringWidth("99,999");
        const int align = look->GetInt("Align", 0);
        const int x = box.x + (align == 1 ? (box.w - width) / 2 : align == 2 ? box.w - width : 0);
        const int right = x + width + look->GetInt("ShadowX", 0) + kFontShadow;
        const int rim = std::max(1, std::min(plate.w, plate.h) / 16);
        EXPECT_GE(x, std::max(box.x, plate.x + rim)) << number.layout << " " << number.label;
        EXPECT_LE(right, std::min(box.x + box.w, plate.x + plate.w - rim)) << number.layout << " " << number.label;
    }
}

// How bright a pixel looks, 0 to 255.
int Brightness(uint32_t pixel) {
    return static_cast<int>(((pixel >> 16 & 0xFF) * 299 + (pixel >> 8 & 0xFF) * 587 + (pixel & 0xFF) * 114) / 1000);
}

// The room's and the menu's rating bars lie on their plate, on the board's
// top panel and in the room. With nothing earned yet a bar draws nothing:
// the plate must show where each runs (a slot unlike its face) and the bar,
// once it grows, must stand out from that slot.
TEST_F(SampleLayoutsTest, EachRatingBarRunsInASlotOfItsPlate) {
    const std::unique_ptr<Kavo::ImageLib::Image> plate =
        Kavo::ImageLib::LoadImageFile("images/game/progressbarratingback.png", false);
    const std::unique_ptr<Kavo::ImageLib::Image> bars =
        Kavo::ImageLib::LoadImageFile("images/game/progressbarrating.png", false);
    ASSERT_NE(plate, nullptr);
    ASSERT_NE(bars, nullptr);
    const Box bar = mPictures["IMAGE_PROGRESSBARRATING"];
    const auto at = [](const Kavo::ImageLib::Image& image, int x, int y) {
        return image.mBits[static_cast<size_t>(y) * static_cast<size_t>(image.mWidth) + static_cast<size_t>(x)];
    };
    const int face = Brightness(at(*plate, plate->mWidth - 4, plate->mHeight / 2));
    for (const char* file : {"board.txt", "Room.txt"}) {
        IniDocument doc;
        ASSERT_TRUE(doc.Load(std::string("ui/") + file, true));
        const auto point = [&](const char* name) {
            const IniSection& section = *doc.GetSection(name);
            return std::make_pair(section.GetInt("X", 0), section.GetInt("Y", 0));
        };
        const auto [plateX, plateY] = point("RatingBack");
        const char* const names[2] = {"RoomValue", "MenuValue"};
        for (int cel = 0; cel < 2; ++cel) {
            const auto [x, y] = point(names[cel]);
            const int slot = Brightness(at(*plate, x - plateX + bar.w / 2, y - plateY + bar.h / 2));
            const int grown = Brightness(at(*bars, cel * bar.w + bar.w / 2, bar.h / 2));
            EXPECT_GE(std::abs(slot - face), 60) << file << " " << names[cel] << ": no slot on the plate";
            EXPECT_GE(std::abs(grown - slot), 60) << file << " " << names[cel] << ": the bar is lost in its slot";
        }
    }
}

} // namespace
} // namespace Game
