#include "tools/sample_content/meta_tables.h"

#include "platform/file_system.h"
#include "tools/sample_content/content_files.h"
#include "tools/sample_content/placeholder_art.h"

#include <cstdio>

namespace Kavo::SampleContent {

namespace {

constexpr int kMapCount = 15;
constexpr int kPieceCount = 3;
constexpr int kPieceWidth = kPostcardWidth / kPieceCount;

std::string Format(const char* format, int a, int b = 0, int c = 0, int d = 0) {
    char text[160];
    std::snprintf(text, sizeof(text), format, a, b, c, d);
    return text;
}

// The picture names of map m (1-based), as the table names them.
std::string MapPicture(const char* kind, int m) {
    return std::string("images\\secret\\") + kind + Format("%02d", m);
}

std::string PieceName(int m, int piece) {
    return MapPicture("piece", m) + static_cast<char>('a' + piece);
}

std::string FilePath(const std::string& root, const std::string& name) {
    std::string path = root + "/" + name + ".png";
    for (char& c : path)
        c = c == '\\' ? '/' : c;
    return path;
}

// Fifteen maps, each with its own recipe; the postcard is cut into three
// upright strips, the middle one with the flash position of its glow.
std::string SecretMapsText() {
    std::string text;
    for (int m = 1; m <= kMapCount; ++m) {
        text += Format("[Map%02d]\n", m);
        text += "Frame=" + MapPicture("frame", m) + "\n";
        text += "Map=" + MapPicture("map", m) + "\n";
        text += "PostCard=" + MapPicture("postcard", m) + "\n";
        text += "Items=";
        for (int piece = 0; piece < kPieceCount; ++piece) {
            const int x = (piece - 1) * kPieceWidth;
            text += (piece == 0 ? "" : ";") + PieceName(m, piece) + Format(",%d,0", x);
            if (piece == 1)
                text += Format(",%d,%d", 512 + x, 340);
        }
        text += Format("\nPuzzle=%d\nX=512\nY=340\nRecipe=Recipe%02d\n", (m - 1) % 3, m);
    }
    return WithCrLf(text);
}

bool WriteSecretMapPictures(const std::string& root, const GlyphSheet& labels) {
    for (int m = 1; m <= kMapCount; ++m) {
        const uint32_t color = 0xFF000000u | uint32_t(0x40 + m * 9) << 16 | 0x7000u | uint32_t(0xC0 - m * 6);
        bool ok =
            WritePlaceholderPng(FilePath(root, MapPicture("frame", m)),
                                {kPostcardWidth + 40, kPostcardHeight + 40, 1, 1, 0xFF806040, Format("FRAME %d", m)},
                                &labels) &&
            WritePlaceholderPng(FilePath(root, MapPicture("map", m)),
                                {kPostcardWidth, kPostcardHeight, 1, 1, color, Format("MAP %d", m)}, &labels) &&
            WritePlaceholderPng(FilePath(root, MapPicture("postcard", m)),
                                {kPostcardWidth, kPostcardHeight, 1, 1, color, Format("POSTCARD %d", m)}, &labels);
        for (int piece = 0; ok && piece < kPieceCount; ++piece) {
            const std::string label = Format("P%d", m) + static_cast<char>('A' + piece);
            ok = WritePlaceholderPng(FilePath(root, PieceName(m, piece)),
                                     {kPieceWidth, kPostcardHeight, 1, 1, color, label}, &labels) &&
                 WritePlaceholderPng(FilePath(root, PieceName(m, piece) + "glow"),
                                     {kPieceWidth + 20, kPostcardHeight + 20, 1, 1, 0x80FFF0A0, label}, nullptr);
        }
        if (!ok)
            return false;
    }
    return true;
}

// A title and four short lines per recipe, in the language of the term
// table: the card draws each line as it is, so each fits across the card.
constexpr const char* kRecipeTitles[kMapCount] = {
    "Pancakes",    "Apple pie", "Fish soup", "Meatballs", "Omelette", "Salad",      "Dumplings",  "Waffles",
    "Tomato soup", "Muffins",   "Stew",      "Fritters",  "Lemonade", "Cheesecake", "Honey cake",
};

std::string RecipeText(int r) {
    std::string text = std::string(kRecipeTitles[r - 1]) + "\n";
    text += Format("Take %d cups of flour\n", 1 + r % 3);
    text += Format("and %d eggs; mix them well.\n", 2 + r % 2);
    text += "Let it rest for an hour,\n";
    text += Format("then cook for %d minutes.\n", 10 + r * 2);
    return WithCrLf(text);
}

std::string RecipesText() {
    std::string text;
    for (int r = 1; r <= kMapCount; ++r)
        text += Format("[Recipe%02d]\nFile=data\\recipes\\recipe%02d.txt\n", r, r);
    return WithCrLf(text);
}

constexpr const char* kPuzzles = "[P0]\nRows=2\nCols=3\n"
                                 "[P1]\nRows=3\nCols=3\nRotate=1\n"
                                 "[P2]\nRows=4\nCols=4\nRotate=1\nFlip=1\n";

// The map's fifteen stars are cels of 32 x 32 in five columns of
// IMAGE_MAP_RANK_STARS; the post panel's thumbnails are 64 x 48 in five
// columns, the same rectangles in IMAGE_POSTTUMB and IMAGE_POSTTUMBDISABLED.
std::string MapSettingsText() {
    std::string text = "[RankStars]\n";
    for (int i = 0; i < kMapCount; ++i)
        text += Format("Star%d=%d,%d,32,32\n", i + 1, i % 5 * 32, i / 5 * 32);
    text += "[PostRects]\n";
    for (int i = 0; i < kMapCount; ++i)
        text += Format("Post%d=%d,%d,64,48\n", i + 1, i % 5 * 68, i / 5 * 52);
    return WithCrLf(text);
}

// The screens' texts; the comics captions are "Comix<scene>_<n>".
std::string MetaTerms() {
    std::string text = "[Meta]\nMapPlay=Play\nClose=Close\nStageComplete=%d%%\nSelectGame=Continue the game?\n"
                       "Continue=Continue\nNewGame=New game\nDone=Done\nSkip=Skip\nReshuffle=Shuffle\n"
                       "Shop=Shop\nMenu=Menu\nOk=Ok\nBack=Back\nMap=Map\nPlay=Play\nReward=Reward\n"
                       "Help=Help\nOptions=Options\nExit=Exit\nChangeUser=Change player\n"
                       "MapTitle=Map of the restaurants\n";
    for (int scene = 1; scene <= 3; ++scene) {
        const int count = scene == 1 ? 16 : 4;
        for (int n = 1; n <= count; ++n)
            text += Format("Comix%d_%d=Scene %d, caption %d.\n", scene, n, scene, n);
    }
    return WithCrLf(text);
}

bool Append(const std::string& path, const std::string& text) {
    std::string before;
    if (platform::FileExists(path) && !platform::ReadWholeFile(path, before))
        return false;
    return WriteContentFile(path, before + text);
}

} // namespace

bool WriteMetaTables(const std::string& root, const GlyphSheet& labels) {
    for (int r = 1; r <= kMapCount; ++r)
        if (!WriteContentFile(root + Format("/data/recipes/recipe%02d.txt", r), RecipeText(r)))
            return false;
    return WriteContentFile(root + "/data/secretmaps.txt", SecretMapsText()) && WriteSecretMapPictures(root, labels) &&
           WriteContentFile(root + "/data/recipies.txt", RecipesText()) &&
           WriteContentFile(root + "/data/puzzles.txt", WithCrLf(kPuzzles)) &&
           Append(root + "/data/settings.txt", MapSettingsText()) && Append(root + "/data/termins.txt", MetaTerms());
}

} // namespace Kavo::SampleContent
