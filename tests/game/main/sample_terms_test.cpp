// Every term the game looks up is in the generated term table: a key the
// table lacks shows on the screen as the key itself. The keys come from the
// game's own code (each string handed to the term lookup, read from the
// sources), from the tables the code builds keys from (tips, bonuses,
// awards, message boxes), and from the generated data that names keys (the
// layouts' control captions, the help and comics pages). A dialog's title is
// shown as written, so a title must not be a key with another text. And the
// texts fit the controls that show them.
#include "framework/font/default_font_services.h"
#include "framework/font/image_font.h"
#include "framework/imagelib/image_lib.h"
#include "game/bonus/bonus_identity.h"
#include "game/bonus/reward_dialog.h"
#include "game/ui/ini_document.h"
#include "game/ui/page_set.h"
#include "game/ui/tip_window.h"
#include "platform/file_system.h"
#include "tools/sample_content/placeholder_art.h"
#include "tools/sample_content/sample_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace Game {
namespace {

class SampleTermsTest : public ::testing::Test {
protected:
    SampleTermsTest() : mPreviousFolder(platform::GetCurrentFolder()) {
        platform::SetCurrentFolder(KAVO_SAMPLE_CONTENT);
        // The table as the game reads it: every key of every section.
        IniDocument doc;
        EXPECT_TRUE(doc.Load("data/termins.txt", true));
        for (auto section = doc.Begin(); section != doc.End(); ++section)
            for (auto key = section.Value().Begin(); key != section.Value().End(); ++key)
                mTable[key.Name()] = key.ValueText();
    }
    ~SampleTermsTest() override { platform::SetCurrentFolder(mPreviousFolder); }

    // Records the keys the table lacks, each with where it was asked for.
    void Need(const std::string& key, const std::string& where) {
        if (mTable.count(key) == 0)
            mMissing.insert(key + " (" + where + ")");
    }

    std::string mPreviousFolder;
    std::map<std::string, std::string> mTable;
    std::set<std::string> mMissing;
};

std::string Lower(std::string text) {
    for (char& chr : text)
        chr = static_cast<char>(std::tolower(static_cast<unsigned char>(chr)));
    return text;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The keys written whole as the argument of each `call` in `text`: a string
// literal that is the argument, or one branch of a "?:" choice. A literal
// that is only part of a key ("+") or the argument of a further call is not
// one.
std::set<std::string> LiteralsPassedTo(const std::string& text, const std::string& call) {
    std::set<std::string> found;
    static const std::regex literal("\"([^\"\\\\]*)\"");
    auto neighbour = [](const std::string& arguments, size_t at, int step) {
        for (; at < arguments.size(); at += static_cast<size_t>(step))
            if (arguments[at] != ' ' && arguments[at] != '\n')
                return arguments[at];
        return ')';
    };
    for (size_t at = text.find(call); at != std::string::npos; at = text.find(call, at + 1)) {
        size_t end = at + call.size();
        for (int depth = 1; end < text.size() && depth > 0; ++end)
            depth += text[end] == '(' ? 1 : text[end] == ')' ? -1 : 0;
        const std::string arguments = text.substr(at + call.size(), end - at - call.size());
        for (std::sregex_iterator it(arguments.begin(), arguments.end(), literal), last; it != last; ++it) {
            const size_t start = static_cast<size_t>(it->position(0));
            const char before = start == 0 ? ')' : neighbour(arguments, start - 1, -1);
            const char after = neighbour(arguments, start + static_cast<size_t>(it->length(0)), 1);
            if ((before == ')' || before == '?' || before == ':') && (after == ')' || after == ':'))
                found.insert((*it)[1].str());
        }
    }
    return found;
}

TEST_F(SampleTermsTest, EveryKeyTheCodeAsksForIsInTheTable) {
    ASSERT_GT(mTable.size(), 50u);
    // The calls with a key written in the code, in every source of the game.
    size_t literals = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(KAVO_GAME_SOURCES)) {
        if (entry.path().extension() != ".cpp")
            continue;
        const std::string text = ReadFile(entry.path());
        for (const char* call : {"Termins::Lookup(", "terms->Get("}) {
            for (const std::string& key : LiteralsPassedTo(text, call)) {
                Need(key, entry.path().filename().string());
                ++literals;
            }
        }
    }
    // The help dialog's and the map's buttons, the new-player line and the shop's stage line at least.
    EXPECT_GE(literals, 6u);

    // Keys the code builds or keeps in tables of its own.
    for (int tip = 0; !GetTipName(tip).empty(); ++tip)
        Need(GetTipName(tip), "tip " + std::to_string(tip));
    for (int index = 0; FindBonusIdentity(index) != nullptr; ++index) {
        const BonusIdentity& bonus = *FindBonusIdentity(index);
        Need(std::string(bonus.mName) + "Hint", "bonus unlock dialog");
        if (bonus.mHintKey[0] != '\0')
            Need(bonus.mHintKey, "bonus hint");
    }
    for (const char* award : RewardDialog::kRewardNames)
        for (const char* verb : {"Got", "Get"})
            for (int level = 1; level <= 3; ++level)
                Need(verb + std::string(award) + std::to_string(level), "award dialog");
    // The message boxes' texts and captions and the start-up notices.
    for (const char* key :
         {"SureExit", "Quit", "EnterCorrectName", "Warning", "DeleteWarning", "Error1", "Error2", "Error3",
          "NotSupported", "NoWindowedMode", "UsersListDamaged", "ProfileDamaged", "ProfileKeptAside", "CannotSave",
          "UsersListNotKept", "UsersListKeptAs", "PlayerFoundAgain", "ProfileNotKept"})
        Need(key, "message box");

    // The pages name their texts by key.
    const std::pair<const char*, PageFileKind> pageFiles[] = {{"data/help.txt", PageFileKind::Help},
                                                              {"data/comix.txt", PageFileKind::Comics},
                                                              {"data/comix2.txt", PageFileKind::Comics},
                                                              {"data/comix3.txt", PageFileKind::Comics}};
    for (const auto& [file, kind] : pageFiles) {
        PageSet pages;
        pages.Load(file, kind);
        EXPECT_GT(pages.GetPageCount(), 0u) << file;
        for (size_t page = 0; page < pages.GetPageCount(); ++page)
            for (const PageText& text : pages.GetPage(page).mTexts)
                Need(text.mKey, file);
    }
    EXPECT_TRUE(mMissing.empty()) << ::testing::PrintToString(mMissing);
}

// Each section of each generated layout that has a caption, with its file.
template <typename Visit>
void ForEachCaption(Visit visit) {
    for (const auto& entry : std::filesystem::directory_iterator(std::string(KAVO_SAMPLE_CONTENT) + "/ui")) {
        const std::string file = "ui/" + entry.path().filename().string();
        IniDocument layout;
        ASSERT_TRUE(layout.Load(file, true)) << file;
        for (auto section = layout.Begin(); section != layout.End(); ++section)
            if (section.Value().HasKey("Caption"))
                visit(file, std::string(section.Name()), section.Value());
    }
}

TEST_F(SampleTermsTest, EveryLayoutCaptionIsAKeyAndNoTitleShowsOne) {
    size_t captions = 0;
    std::set<std::string> keyTitles;
    ForEachCaption([&](const std::string& file, const std::string& name, const IniSection& keys) {
        const std::string caption = keys.GetString("Caption");
        if (name == "Main") {
            // The dialog's title, drawn as it stands.
            const auto text = mTable.find(caption);
            if (text != mTable.end() && text->second != caption)
                keyTitles.insert(file + ": " + caption);
        } else {
            // A control's caption goes through the term lookup.
            Need(caption, file + " [" + name + "]");
            ++captions;
        }
    });
    EXPECT_GE(captions, 40u);
    EXPECT_TRUE(mMissing.empty()) << ::testing::PrintToString(mMissing);
    EXPECT_TRUE(keyTitles.empty()) << ::testing::PrintToString(keyTitles);
}

// The lines of `text` wrapped at spaces to `width` in the font.
int WrappedLines(Kavo::Font& font, const std::string& text, int width) {
    int lines = 1;
    std::string line;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.StringWidth(longer) > width) {
            ++lines;
            line = word;
        } else {
            line = longer;
        }
    }
    return lines;
}

// Every caption's text, in the looks' font, fits the control it is drawn in:
// on one line within its width, or wrapped within its height where the control
// wraps; a dialog's title fits across the dialog.
TEST_F(SampleTermsTest, EveryCaptionFitsItsControl) {
    Kavo::DefaultFontServices fontServices;
    platform::Installed<Kavo::FontServices> installed{Kavo::FontServicesSlot(), fontServices};
    Kavo::ImageFont font("fonts/game/default.txt");
    ASSERT_TRUE(font.IsLoaded());
    std::set<std::string> overflowing;
    size_t measured = 0;
    ForEachCaption([&](const std::string& file, const std::string& name, const IniSection& keys) {
        int x = 0, y = 0, width = 0, height = 0;
        std::sscanf(keys.GetString("Position").c_str(), "%d,%d,%d,%d", &x, &y, &width, &height);
        const std::string caption = keys.GetString("Caption");
        const auto term = mTable.find(caption);
        const std::string text = name == "Main" || term == mTable.end() ? caption : term->second;
        const bool fits = keys.GetInt("WrappedDraw", 0) == 1
                              ? WrappedLines(font, text, width) * font.GetLineSpacing() <= height
                              : font.StringWidth(text) <= width;
        if (!fits)
            overflowing.insert(file + " [" + name + "] \"" + text + "\" in " + std::to_string(width) + "x" +
                               std::to_string(height));
        ++measured;
    });
    EXPECT_GE(measured, 40u);
    EXPECT_TRUE(overflowing.empty()) << ::testing::PrintToString(overflowing);
}

// The pictures the game shows where a player reads words: the board's
// banners and captions, the secret piece's title, the room's strip marks,
// the pause and the charged hint's caption.
constexpr const char* kWordPictures[] = {
    "SECRETPART_TEXT", "COMBO1_1",       "COMBO1_2", "COMBO2_1", "COMBO2_2", "GO",      "NO_MORE_MOVES",
    "TIME_IS_OVER",    "LEVEL_COMPLETE", "PAUSED",   "BUY",      "INROOM",   "MENUTEXT"};

// The dark text pixels of a picture.
std::vector<bool> InkOf(const Kavo::ImageLib::Image& picture) {
    std::vector<bool> ink(picture.mBits.size());
    for (size_t i = 0; i < ink.size(); ++i) {
        const uint32_t pixel = picture.mBits[i];
        const uint32_t brightest = std::max({(pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF});
        ink[i] = (pixel >> 24) > 0x80 && brightest < 0x60;
    }
    return ink;
}

// Whether `text`, in the label face and centred in the cel at (left, top),
// stands inked in the picture as a placeholder's label would: inked along
// the letters' strokes and clear between them (a dark patch is no label).
bool LabelledWith(const Kavo::ImageLib::Image& picture, const std::vector<bool>& ink, int left, int top, int celWidth,
                  int celHeight, const std::string& text, const Kavo::SampleContent::GlyphSheet& labels) {
    const int width = picture.mWidth, height = picture.mHeight;
    const int x = left + (celWidth - Kavo::SampleContent::LabelWidth(text, labels)) / 2;
    const int y = top + (celHeight - labels.mHeight) / 2;
    Kavo::SampleContent::Pixels letters(size_t(width) * size_t(height), 0);
    Kavo::SampleContent::DrawLabel(letters, width, height, x, y, text, labels);
    size_t strokes = 0, matched = 0, gaps = 0, filled = 0;
    for (int row = std::max(0, y); row < std::min(height, y + labels.mHeight); ++row)
        for (int col = std::max(0, x); col < std::min(width, x + Kavo::SampleContent::LabelWidth(text, labels));
             ++col) {
            const size_t i = size_t(row) * size_t(width) + size_t(col);
            if ((letters[i] >> 24) >= 0xC0) {
                ++strokes;
                matched += ink[i] ? 1 : 0;
            } else if ((letters[i] >> 24) == 0) {
                ++gaps;
                filled += ink[i] ? 1 : 0;
            }
        }
    return strokes > 0 && matched * 10 >= strokes * 9 && filled * 2 < gaps;
}

// Each picture that stands for words carries words, and not its own
// resource name as the placeholders label themselves (in the label face,
// centred): where the name's letters would stand, the picture is not inked
// as they are.
TEST_F(SampleTermsTest, PicturesThatStandForWordsDoNotShowTheirNames) {
    Kavo::SampleContent::GlyphSheet labels;
    ASSERT_TRUE(Kavo::SampleContent::RenderGlyphSheet(11, &labels));
    std::set<std::string> named;
    std::set<std::string> wordless;
    for (const char* name : kWordPictures) {
        const std::string file = "images/game/" + Lower(name) + ".png";
        const auto picture = Kavo::ImageLib::LoadPng(file);
        ASSERT_NE(picture, nullptr) << file;
        const std::vector<bool> ink = InkOf(*picture);
        size_t inked = 0;
        for (bool dark : ink)
            inked += dark ? 1 : 0;
        if (inked < 20)
            wordless.insert(name);
        if (LabelledWith(*picture, ink, 0, 0, picture->mWidth, picture->mHeight, name, labels))
            named.insert(name);
    }
    EXPECT_TRUE(named.empty()) << "showing their names: " << ::testing::PrintToString(named);
    EXPECT_TRUE(wordless.empty()) << "without words: " << ::testing::PrintToString(wordless);
}

// The pictures that stand for things (every other game picture of the
// resource list, and the room's furniture) show no resource name and no cel
// number: a placeholder labelled each cel "NAME n", or "n" alone where that
// did not fit, and the room's pieces with their file names ("wall100").
TEST_F(SampleTermsTest, PicturesThatStandForThingsDoNotShowTheirNames) {
    Kavo::SampleContent::GlyphSheet labels;
    ASSERT_TRUE(Kavo::SampleContent::RenderGlyphSheet(11, &labels));
    struct Named {
        std::string file;
        std::string name;
        int cols, rows;
    };
    std::vector<Named> pictures;
    const std::string manifest = ReadFile("properties/resources.xml");
    const std::regex image(R"re(<Image id="([A-Z0-9_]+)" path="([a-z0-9_]+)"(?: cols="(\d+)")?(?: rows="(\d+)")?)re");
    const std::set<std::string> words(std::begin(kWordPictures), std::end(kWordPictures));
    for (auto it = std::sregex_iterator(manifest.begin(), manifest.end(), image); it != std::sregex_iterator(); ++it) {
        const std::string file = "images/game/" + (*it)[2].str() + ".png";
        if (words.count((*it)[1].str()) == 0 && std::filesystem::exists(file))
            pictures.push_back({file, (*it)[1].str(), (*it)[3].matched ? std::stoi((*it)[3].str()) : 1,
                                (*it)[4].matched ? std::stoi((*it)[4].str()) : 1});
    }
    ASSERT_GT(pictures.size(), 50u) << "the game's pictures are listed in the manifest";
    for (const auto& entry : std::filesystem::directory_iterator("images/shop"))
        pictures.push_back({"images/shop/" + entry.path().filename().string(), entry.path().stem().string(), 1, 1});

    std::set<std::string> named;
    for (const Named& named_picture : pictures) {
        const auto picture = Kavo::ImageLib::LoadPng(named_picture.file);
        ASSERT_NE(picture, nullptr) << named_picture.file;
        const std::vector<bool> ink = InkOf(*picture);
        const int celWidth = picture->mWidth / named_picture.cols, celHeight = picture->mHeight / named_picture.rows;
        const int cels = named_picture.cols * named_picture.rows;
        for (int cel = 0; cel < cels; ++cel) {
            const int left = cel % named_picture.cols * celWidth, top = cel / named_picture.cols * celHeight;
            const std::string number = std::to_string(cel);
            const std::string full = cels > 1 ? named_picture.name + " " + number : named_picture.name;
            if (LabelledWith(*picture, ink, left, top, celWidth, celHeight, full, labels) ||
                (cels > 1 && LabelledWith(*picture, ink, left, top, celWidth, celHeight, number, labels)))
                named.insert(named_picture.file + " cel " + number);
        }
    }
    EXPECT_TRUE(named.empty()) << "showing their names or cel numbers: " << ::testing::PrintToString(named);
}

} // namespace
} // namespace Game
