// The generated sample content as a player meets it: every term the game
// and the sample layouts ask for is in the term table (a missing one shows
// as its raw key), and every layout keeps its controls on the 1024 x 768
// screen and clear of each other.
#include "game/bonus/bonus_identity.h"
#include "game/bonus/reward_dialog.h"
#include "game/screens/board_screen.h"
#include "game/ui/ini_document.h"
#include "game/ui/tip_window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace Game {
namespace {

const std::string kContent = KAVO_SAMPLE_CONTENT;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

IniDocument ReadIni(const std::filesystem::path& path) {
    const std::string text = ReadFile(path);
    IniDocument document;
    document.Parse(text.data(), text.size(), true);
    return document;
}

// The generated layout files, by name.
std::vector<std::filesystem::path> LayoutFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kContent + "/ui"))
        if (entry.path().extension() == ".txt" && entry.path().filename() != "interf.txt")
            files.push_back(entry.path());
    return files;
}

bool IsControl(const std::string& type) {
    for (const char* control :
         {"DialogButton", "Button", "CheckBox", "RadioButton", "Slider", "Link", "NumberLabel", "ListBox", "Edit"})
        if (type == control)
            return true;
    return false;
}

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool Overlaps(const Rect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
    bool OnScreen() const { return x >= 0 && y >= 0 && x + w <= 1024 && y + h <= 768; }
};

Rect ReadRect(const IniSection& section) {
    Rect r;
    std::sscanf(section.GetString("Position").c_str(), "%d,%d,%d,%d", &r.x, &r.y, &r.w, &r.h);
    return r;
}

// The size of a generated PNG picture, from its header.
Rect PictureSize(const std::string& path) {
    const std::string bytes = ReadFile(path);
    auto big = [&](size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    return bytes.size() < 24 ? Rect{} : Rect{0, 0, big(16), big(20)};
}

TEST(SampleTextsTest, EveryTermTheGameAndTheLayoutsAskForIsInTheTable) {
    // Every key of every section of the table (a key that names its own
    // text is there too).
    std::set<std::string> table;
    IniDocument terms = ReadIni(kContent + "/data/termins.txt");
    for (auto section = terms.Begin(); section != terms.End(); ++section)
        for (auto key = section.Value().Begin(); key != section.Value().End(); ++key)
            table.insert(key.Name());
    ASSERT_GT(table.size(), 100u);

    // What the code asks for: the tips, the bonuses' texts, the rewards'
    // level texts, the message boxes and the screens' own keys.
    std::set<std::string> keys = {"HelpNext",         "HelpDone", "CreateNewUser", "StageComplete",
                                  "MapPlay",          "Close",    "SureExit",      "Quit",
                                  "EnterCorrectName", "Warning",  "DeleteWarning", "Error1",
                                  "Error2",           "Error3",   "NotSupported",  "NoWindowedMode"};
    for (int tip = 0; tip < 27; ++tip)
        keys.insert(GetTipName(tip));
    for (int index = 0; index < 8; ++index) {
        const BonusIdentity* bonus = FindBonusIdentity(index);
        ASSERT_NE(bonus, nullptr);
        keys.insert(std::string(bonus->mName) + "Hint");
        if (bonus->mHintKey[0] != '\0')
            keys.insert(bonus->mHintKey);
    }
    for (const char* reward : RewardDialog::kRewardNames)
        for (const char* verb : {"Got", "Get"})
            for (int level = 1; level <= 3; ++level)
                keys.insert(verb + std::string(reward) + std::to_string(level));
    // The help pages' texts: the fifth field of each "Text" entry.
    IniDocument help = ReadIni(kContent + "/data/help.txt");
    for (auto page = help.Begin(); page != help.End(); ++page)
        for (auto key = page.Value().Begin(); key != page.Value().End(); ++key)
            if (std::string(key.Name()).rfind("Text", 0) == 0) {
                std::string value = key.ValueText();
                for (int field = 0; field < 4; ++field)
                    value = value.substr(value.find(',') + 1);
                keys.insert(value.substr(0, value.find(',')));
            }
    // What the layouts ask for: every control's caption is looked up.
    for (const std::filesystem::path& file : LayoutFiles()) {
        IniDocument layout = ReadIni(file);
        for (auto section = layout.Begin(); section != layout.End(); ++section)
            if (IsControl(section.Value().GetString("Type")) && section.Value().HasKey("Caption"))
                keys.insert(section.Value().GetString("Caption"));
    }

    for (const std::string& key : keys) {
        ASSERT_FALSE(key.empty());
        EXPECT_EQ(table.count(key), 1u) << "no text for the term " << key;
    }
}

// A dialog's "Position" names its resting centre; a screen's controls stand
// in window coordinates.
TEST(SampleLayoutsTest, EveryLayoutKeepsItsControlsOnTheScreenAndApart) {
    std::vector<std::filesystem::path> files = LayoutFiles();
    ASSERT_GT(files.size(), 20u);
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        IniDocument layout = ReadIni(file);
        Rect origin;
        if (IniSection* main = layout.GetSection("Main"); main != nullptr && main->HasKey("BeginY")) {
            const Rect dialog = ReadRect(*main);
            origin = {dialog.x - dialog.w / 2, dialog.y - dialog.h / 2, dialog.w, dialog.h};
            EXPECT_TRUE(origin.OnScreen()) << origin.x << "," << origin.y << " " << origin.w << "x" << origin.h;
        }
        std::vector<std::pair<std::string, Rect>> controls;
        for (auto section = layout.Begin(); section != layout.End(); ++section) {
            if (!IsControl(section.Value().GetString("Type")))
                continue;
            Rect r = ReadRect(section.Value());
            r.x += origin.x;
            r.y += origin.y;
            EXPECT_TRUE(r.OnScreen()) << section.Name() << " at " << r.x << "," << r.y << " " << r.w << "x" << r.h;
            for (const auto& [name, other] : controls)
                EXPECT_FALSE(r.Overlaps(other)) << section.Name() << " overlaps " << name;
            controls.emplace_back(section.Name(), r);
        }
    }
}

// The board screen's panel and its row of bonus buttons stand where its
// layout's "Bonuses" point puts them, inside the screen and below the
// buttons of its top-right corner.
TEST(SampleLayoutsTest, TheBoardsPanelAndBonusButtonsStayOnTheScreen) {
    IniDocument layout = ReadIni(kContent + "/ui/board.txt");
    IniSection* point = layout.GetSection("Bonuses");
    const int x = point->GetInt("X", -1000);
    const int y = point->GetInt("Y", -1000);
    Rect plate = PictureSize(kContent + "/images/game/main_plashka.png");
    ASSERT_GT(plate.w, 0);
    plate.x = x;
    plate.y = y;
    EXPECT_TRUE(plate.OnScreen()) << plate.x << "," << plate.y << " " << plate.w << "x" << plate.h;
    for (const char* name : {"bonus_knife", "bonus_shuffle", "bonus_breakline", "bonus_hint", "bonus_timer",
                             "bonus_pepper", "bonus_recolor", "bonus_x2"}) {
        const Rect size = PictureSize(kContent + "/images/game/" + name + ".png");
        ASSERT_GT(size.w, 0) << name;
        for (int i = 0; i < 8; ++i) {
            const Rect button{x + i * BoardScreen::kBonusPitch - size.w / 2 + 28, y - size.h / 2 + 11, size.w, size.h};
            EXPECT_TRUE(button.OnScreen()) << name << " " << i << " at " << button.x << "," << button.y;
        }
    }
}

} // namespace
} // namespace Game
