#include "tools/sample_content/game_content.h"

#include "framework/sound/wave_file.h"
#include "platform/audio/sound_types.h"
#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/bar_art.h"
#include "tools/sample_content/bonus_slots.h"
#include "tools/sample_content/content_files.h"
#include "tools/sample_content/picture_art.h"
#include "tools/sample_content/placeholder_art.h"
#include "tools/sample_content/rating_art.h"
#include "tools/sample_content/sample_font.h"
#include "tools/sample_content/sample_texts.h"
#include "tools/sample_content/sound_writers.h"
#include "tools/sample_content/thing_art.h"
#include "tools/sample_content/tile_art.h"

#include <cstdio>
#include <vector>

namespace Kavo::SampleContent {

namespace {

// One picture of the manifest: its id without "IMAGE_", the size of one cel
// and the cel grid.
struct GamePicture {
    const char* mName;
    int mWidth;
    int mHeight;
    int mCols = 1;
    int mRows = 1;
};

struct GameGroup {
    const char* mGroup;
    uint32_t mColor;
    std::vector<GamePicture> mPictures;
};

// The game's pictures by the group that loads them, in id order. Sizes are
// those of a 1024 x 768 game area with 50-pixel board cells. A bonus button
// is as tall as its charge line travels (100 pixels, one a percent).
const std::vector<GameGroup>& GameGroups() {
    static const std::vector<GameGroup> groups = {
        {"Init",
         0xFF8090B0,
         {{"CUSTOM_POINTER", 32, 32}, {"CUSTOM_HAND", 32, 32}, {"CUSTOM_DRAGGING", 32, 32}, {"CUSTOM_TEXT", 32, 32}}},
        {"TitleScreen", 0xFF903040, {{"TITLE_BACK", 1024, 768}, {"TITLE_PROGRESS", 400, 24}}},
        {"Bonuses",
         0xFFD08030,
         {{"BONUS_RECOLOR", 80, 100},
          {"BONUS_HINT", 80, 100},
          {"BONUS_X2", 80, 100},
          {"BONUS_TIMER", 80, 100},
          {"BONUS_PEPPER", 80, 100},
          {"BONUS_KNIFE", 80, 100},
          {"BONUS_KNIFE_CURSOR", 48, 48},
          {"BONUS_SHUFFLE", 80, 100},
          {"BONUS_BREAKLINE", 80, 100},
          {"BONUS_BREAKLINECURV", 50, 50, 4},
          {"BONUS_BREAKLINECURH", 50, 50, 4},
          {"BUBBLE", 12, 12, 4},
          {"SHUFFLE_RINGS", 50, 50, 4},
          {"BONUSLINE", 80, 8, 8},
          {"MENUTEXT", 80, 100},
          {"BREAD", 50, 50},
          {"BONUS_BREAKLINE2", 80, 100},
          {"RECOLORARROWS", 50, 50, 4},
          {"BONUS_PEPPER_GOLD", 80, 100}}},
        {"Game",
         0xFF50A070,
         {{"CHECKBOX", 24, 24, 2},
          {"DIALOG_BOX", 96, 96},
          {"DIALOG_BUTTON", 96, 32},
          {"SLIDER_TRACK", 200, 12},
          {"SLIDER_THUMB", 20, 24},
          {"DIALOG_USER", 480, 360},
          {"HELP", 640, 480},
          {"DEEP0", 50, 50},
          {"DEEP1", 50, 50, 16, 10},
          {"DEEP2", 50, 50, 16, 10},
          {"WHITECELL", 50, 50},
          {"TIP", 96, 96},
          {"TIP_ARROW", 24, 24},
          {"LINE", 50, 8},
          {"GLOW", 64, 64},
          {"RANK", 32, 32, 3},
          {"BUY", 64, 28},
          {"INROOM", 88, 28},
          {"SPARKLE", 16, 16, 4},
          {"RANK_DUST", 16, 16, 4},
          {"PROGRESSBARSTUFF", 160, 16},
          {"PROGRESSBARFOOD", 160, 16},
          {"PROGRESSBARDRINK", 160, 16},
          {"PROGRESSBARBACK", 170, 24},
          {"PROGRESSBARRATING", 160, 16, 2},
          {"PROGRESSBARRATINGBACK", 240, 48},
          {"SMALLRANK", 20, 20, 3},
          {"SHOPBUTTON", 110, 110, 4},
          {"POSTTUMB", 340, 156},
          {"POSTTUMBDISABLED", 340, 156},
          {"POSTBACK", 300, 300},
          {"PUZZLE_BACK", 1024, 768},
          {"MAIN_BACK", 1024, 768},
          {"BUTTON_PLAY", 160, 48},
          {"TIMER", 128, 224},
          {"TIMER_ARROW", 46, 36},
          {"TIMER_CIRCLE", 128, 128},
          {"BUTTON_EXIT", 120, 40},
          {"BUTTON_MENU", 120, 40},
          {"MAIN_PLASHKA", 900, 50},
          {"MAIN_PLASHKATOP", 1024, 80},
          {"ICON_ITEMS", 28, 28, 3},
          {"ICON_ITEMSBIG", 64, 64, 3},
          {"ICON_POSTCARD", 32, 32},
          {"ICON_MONEY", 32, 32},
          {"LIGHTNING", 50, 200, 4},
          {"OUTBOX1", 120, 90},
          {"INBOX1", 120, 90},
          {"OUTBOX2", 120, 90},
          {"INBOX2", 120, 90},
          {"OUTBOX3", 120, 90},
          {"INBOX3", 120, 90},
          {"MENUBACK", 1024, 768},
          {"POSTCARD_SHADOW", 320, 320},
          {"MENU", 1000, 300},
          {"SHOP1", 1100, 110},
          {"SHOP2", 1100, 110},
          {"SHOP3", 1100, 110},
          {"MENU_BUTTON", 200, 48},
          {"RATING_BLICK", 64, 24},
          {"CHAIN", 50, 50},
          {"CHAIN1", 50, 50},
          {"CHAIN2", 50, 50},
          {"CELLBLINK", 50, 50, 4},
          {"PARTICLES", 32, 32, 4, 4},
          {"FIREWORK", 32, 32, 8},
          {"MAP_BACK", 1024, 768},
          {"RESTGLOW1", 170, 130},
          {"RESTGLOW2", 170, 130},
          {"RESTGLOW3", 170, 130},
          {"MAP_RANK_STARS", 32, 32, 5, 3},
          {"HINT_VERT", 50, 100},
          {"HINT_HORZ", 100, 50},
          {"SHOPPREV_BUTTON", 48, 48},
          {"SHOPNEXT_BUTTON", 48, 48},
          {"COMBO1_1", 200, 60},
          {"COMBO1_2", 200, 60},
          {"COMBO2_1", 200, 60},
          {"COMBO2_2", 200, 60},
          {"REWARD_BACK", 1024, 768},
          {"SECRETPART_TEXT", 300, 40},
          {"GO", 200, 100},
          {"NO_MORE_MOVES", 400, 80},
          {"TIME_IS_OVER", 400, 80},
          {"LEVEL_COMPLETE", 400, 80},
          {"PAUSED", 300, 80},
          {"PLAY_SHINE", 160, 48},
          {"MONEY_PLACE", 160, 40},
          {"LEVEL_COMPLETE_DIALOG", 600, 650},
          {"REWARD_HINT_WINDOW", 320, 160}}},
    };
    return groups;
}

// The fonts of the "Init" group: an id, its glyph height in pixels, or the
// font it duplicates.
struct GameFont {
    const char* mName;
    int mPixels;
    const char* mRefersTo = nullptr;
};

constexpr GameFont kFonts[] = {{"DEFAULT", 16}, {"DEFAULT_SMALL", 12}, {"DEFAULT_BIG", 26},
                               {"NUMBERS", 22}, {"SCORES", 18},        {"SCORES_DONE", 0, "FONT_SCORES"}};

std::string Lower(std::string text) {
    for (char& chr : text)
        chr = static_cast<char>(chr >= 'A' && chr <= 'Z' ? chr - 'A' + 'a' : chr);
    return text;
}

std::string PicturePath(const GamePicture& picture) {
    return "images/game/" + Lower(picture.mName) + ".png";
}

std::string GameGroupsText() {
    std::string text;
    for (const GameGroup& group : GameGroups()) {
        text += "  <Resources id=\"" + std::string(group.mGroup) + "\">\n";
        if (std::string(group.mGroup) == "Init") {
            text += "    <SetDefaults path=\"fonts/game/\" idprefix=\"FONT_\"/>\n";
            for (const GameFont& font : kFonts) {
                const std::string path =
                    font.mRefersTo ? std::string("!ref:") + font.mRefersTo : Lower(font.mName) + ".txt";
                text += "    <Font id=\"" + std::string(font.mName) + "\" path=\"" + path + "\"/>\n";
            }
        }
        if (std::string(group.mGroup) == "Game") {
            text += "    <SetDefaults path=\"sounds/game/\" idprefix=\"SOUND_\"/>\n"
                    "    <Sound id=\"MUTATOR\" path=\"mutator\"/>\n"
                    "    <Sound id=\"TIMER\" path=\"timer\" volume=\"0.7\"/>\n";
        }
        text += "    <SetDefaults path=\"images/game/\" idprefix=\"IMAGE_\"/>\n";
        for (const GamePicture& picture : group.mPictures) {
            text += "    <Image id=\"" + std::string(picture.mName) + "\" path=\"" + Lower(picture.mName) + "\"";
            if (picture.mCols > 1)
                text += " cols=\"" + std::to_string(picture.mCols) + "\"";
            if (picture.mRows > 1)
                text += " rows=\"" + std::to_string(picture.mRows) + "\"";
            text += "/>\n";
        }
        text += "  </Resources>\n";
    }
    return text;
}

bool WritePicture(const std::string& path, int width, int height, const Pixels& pixels) {
    return WriteContentFile(path, ImageEncoders::EncodePngArgb(width, height, pixels));
}

// The check box's second cel, the ticked one, carries a dark mark that the
// first lacks: the two must be told apart at a glance.
void MarkTicked(Pixels& pixels, const GamePicture& picture) {
    const int width = picture.mWidth * picture.mCols;
    const int inset = picture.mWidth / 4;
    for (int y = inset; y < picture.mHeight - inset; ++y)
        for (int x = picture.mWidth + inset; x < 2 * picture.mWidth - inset; ++x)
            pixels[size_t(y) * width + x] = 0xFF202020;
}

// A restaurant's glow on the map lights up around the restaurant's picture
// under it: a translucent ring, clear inside, so the restaurant stays seen.
void MakeGlowRing(Pixels& pixels, const GamePicture& picture) {
    constexpr int kRing = 8;
    for (int y = 0; y < picture.mHeight; ++y)
        for (int x = 0; x < picture.mWidth; ++x) {
            const bool ring = x < kRing || y < kRing || x >= picture.mWidth - kRing || y >= picture.mHeight - kRing;
            pixels[size_t(y) * picture.mWidth + x] = ring ? 0xC0FFE070 : 0;
        }
}

// A postcard's shadow falls beside the card as a soft dark patch: a panel
// with a rim and a label would read as a second, offset frame.
void MakeShadow(Pixels& pixels) {
    for (uint32_t& pixel : pixels)
        pixel = 0x60000000;
}

bool WriteGamePictures(const std::string& root, const GlyphSheet& labels, const GlyphSheet& words) {
    for (const GameGroup& group : GameGroups()) {
        for (const GamePicture& picture : group.mPictures) {
            const std::string name = picture.mName;
            const Placeholder art{picture.mWidth, picture.mHeight, picture.mCols, picture.mRows, group.mColor, ""};
            Pixels pixels = IsTilePicture(name)
                                ? TilePicture(name, picture.mWidth, picture.mHeight, picture.mCols, picture.mRows)
                            : IsBarPicture(name) ? BarPicture(name, picture.mWidth, picture.mHeight)
                                                 : DrawGamePicture(name, art, labels, words);
            if (name == "CHECKBOX")
                MarkTicked(pixels, picture);
            if (name.rfind("RESTGLOW", 0) == 0)
                MakeGlowRing(pixels, picture);
            if (name == "POSTCARD_SHADOW")
                MakeShadow(pixels);
            if (name == "MAIN_PLASHKA")
                DrawBonusSlots(pixels, picture.mWidth, picture.mHeight, kBonusRowX, kBonusRowY);
            if (IsRatingPicture(name))
                pixels = RatingPicture(name, picture.mWidth, picture.mHeight, picture.mCols, labels);
            if (!WriteContentFile(
                    root + "/" + PicturePath(picture),
                    ImageEncoders::EncodePngArgb(art.mCelWidth * art.mCols, art.mCelHeight * art.mRows, pixels)))
                return false;
        }
    }
    return true;
}

bool WriteGameFonts(const std::string& root) {
    for (const GameFont& font : kFonts) {
        if (font.mRefersTo != nullptr)
            continue;
        GlyphSheet sheet;
        if (!RenderGlyphSheet(font.mPixels, &sheet))
            return false;
        const std::string name = Lower(font.mName);
        if (!WriteContentFile(root + "/fonts/game/" + name + ".png",
                              ImageEncoders::EncodePngArgb(sheet.mWidth, sheet.mHeight, sheet.mPixels)) ||
            !WriteContentFile(root + "/fonts/game/" + name + ".txt", FontDescriptorText(sheet, name + ".png")))
            return false;
    }
    return true;
}

// A short tone that fades out, as a 16-bit mono WAVE file.
bool WriteTone(const std::string& path, double hz, int milliseconds) {
    PcmSound sound;
    sound.format = platform::MakePcmFormat(1, 22050, 16);
    std::vector<std::int16_t> samples = SoundWriters::Tone(22050, 1, 22050 * milliseconds / 1000, hz, 0.5);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(samples[i] * (1.0 - double(i) / samples.size()));
    sound.data = SoundWriters::LittleEndian(samples);
    return WriteContentFile(path, MakeWaveBytes(sound, "", 0));
}

// The keys the game's message boxes, tips, user list and help pages show.
constexpr const char* kTermins = R"(; The texts the game shows, by key. Sections only group the keys.
[Messages]
SureExit=Do you really want to quit?
Quit=Quit
EnterCorrectName=Please enter a name.
Warning=Warning
DeleteWarning=Delete this player?
Error1=This display mode is not supported.
Error2=Hardware acceleration is not supported.
Error3=Windowed mode is not available at this colour depth.
NotSupported=Not supported
NoWindowedMode=No windowed mode
UsersListDamaged=The list of players could not be read. It was kept as %s, and the players were found again from their saved games.
ProfileDamaged=The saved game of %s was damaged: what could be read is kept, and the file was copied to %s.
ProfileKeptAside=An earlier saved game of %s was found and kept as %s.
CannotSave=Your progress cannot be saved: the folder %s cannot be written.
UsersListNotKept=The list of players %s was damaged, and it could not be copied aside: it is left as it is, and your progress cannot be saved.
UsersListKeptAs=The list was kept as %s.
PlayerFoundAgain=The list of players named "%s", who has no saved game, in place of %s, whose saved game is offered again.
ProfileNotKept=The saved game of %s was damaged, and it could not be copied aside: it is left as it is, and your progress cannot be saved.
[Tips]
TipGame1=Swap two neighbouring items to line up three or more. A line clears the raised tiles under it: clear the marked cells before the clock runs out.
TipGameTimer=The clock runs down: clear every marked cell before it runs out, or the board is dealt again.
TipGameBonusItem=Collect this item to charge a bonus.
TipSecret=A secret piece lies under this cell.
TipLockedField=A locked cell opens when a line is made on it.
TipDoubleField=A dark double tile needs two lines: the first leaves a light tile.
TipKnifeComplete=The knife is charged: click it, then a cell.
TipShuffleComplete=The shuffle is charged.
TipTimeFreezeComplete=The time freeze is charged.
TipBreakLineComplete=The line breaker is charged.
TipHintComplete=The hint is charged.
TipLightningComplete=The lightning is charged.
TipReplaceComplete=The recolouring is charged.
TipX2Complete=The double score is charged.
TipGameItems=Every line fills a bar beside the board. When the board is cleared with all three bars full, the stage is complete; else its next board follows.
TipPuzzleRules=Put the pieces of the picture in their places.
TipPuzzleWrongSwap=These pieces do not belong there.
TipLevelComplete1=Stage complete!
TipLevelComplete2=Choose the next stage on the map.
TipRoom1=This is your room.
TipRoom2=Buy things in the shop.
TipRoom3=Drag a thing to place it.
TipRoom4=Things raise your rating.
TipRoom5=Your rating opens new stages.
TipRoom6=Postcards arrive in the mailbox.
TipRoom7=Collect every postcard.
TipRoom8=Have fun!
[Dialogs]
CreateNewUser=Create a new player
HelpNext=Next
HelpDone=Done
HelpWelcome=Welcome, %s! Swap two neighbouring items to make a line of three. Lines score 100%%.
HelpPictures=The bonuses charge as you play.
QuitQuestion=Leave the game?
EnterYourName=Type your name:
MusicVolume=Music
EffectsVolume=Sound effects
Hardware3D=3D acceleration
FullScreenMode=Full screen
PenaltyNote=The stage starts again, and these points come off your rating.
; The controls' captions: a layout's control names its caption by key (the
; meta-game's section adds those of its screens).
[Captions]
Cancel=Cancel
Delete=Delete
Select=Select
Next=Next
MainMenu=Main menu
PrevArrow=<
NextArrow=>
Pause=Pause
Watch=Your move
)";

// Two full-window backgrounds.
constexpr const char* kBacks = R"([Back1]
ImageFile=images\backs\back1
Attributes=nopal
Rects=0,0,1024,768
[Back2]
ImageFile=images\backs\back2
Attributes=nopal ddsurface
Rects=0,0,1024,768
)";

// The board's items: one row of 50-pixel cels per item state.
constexpr const char* kItemDescription = R"([Main]
ImageFile=images\items\items
Attributes=nopal
Rects=0,0,50,50
ColCount=7
RowCount=2
)";

// The selection at the board's chosen cell: four frames that swell and
// shrink while the colour fades between two tints.
constexpr const char* kSelectedAnimation = R"([Main]
Sprite=Selection
Frames=0,1,2,3
FrameDelay=6
Scales=1,1.1,1.2,1.1
StartColor=FFFFFFFF
EndColor=80FFE080
ColorDelay=60
[Selection]
ImageFile=images\anim\selected
Attributes=nopal
Rects=0,0,56,56
ColCount=4
RowCount=1
)";

// The board's backgrounds lie under the board: no name on them.
bool WriteGameData(const std::string& root) {
    const Placeholder back1{1024, 768, 1, 1, 0xFF406080, ""};
    const Placeholder back2{1024, 768, 1, 1, 0xFF605040, ""};
    return WriteContentFile(root + "/data/termins.txt", WithCrLf(kTermins)) &&
           WriteContentFile(root + "/data/backs.spr", WithCrLf(kBacks)) &&
           WriteContentFile(root + "/data/item.anim", WithCrLf(kItemDescription)) &&
           WriteContentFile(root + "/data/selected.anim", WithCrLf(kSelectedAnimation)) &&
           WriteContentFile(root + "/images/backs/back1.png", BoardBackground(back1, nullptr)) &&
           WriteContentFile(root + "/images/backs/back2.png", BoardBackground(back2, nullptr)) &&
           WritePicture(root + "/images/items/items.png", 50 * 7, 50 * 2, ChipSheet(50, 7, 2)) &&
           WritePicture(root + "/images/anim/selected.png", 56 * 4, 56, SelectionStrip(56, 4));
}

} // namespace

std::string GameManifest() {
    std::string manifest = kManifest;
    const size_t end = manifest.rfind("</ResourceManifest>");
    return manifest.insert(end, GameGroupsText());
}

bool WriteGameContent(const std::string& root) {
    GlyphSheet labels;
    GlyphSheet words;
    if (!RenderGlyphSheet(11, &labels) || !RenderGlyphSheet(kSampleFontPixels, &words)) {
        std::fprintf(stderr, "make-sample-content: no installed font face opens for the picture labels\n");
        return false;
    }
    return WriteContentFile(root + "/properties/resources.xml", GameManifest()) &&
           WriteGamePictures(root, labels, words) && WriteGameFonts(root) &&
           WriteTone(root + "/sounds/game/mutator.wav", 880, 150) &&
           WriteTone(root + "/sounds/game/timer.wav", 1320, 80) && WriteGameData(root);
}

} // namespace Kavo::SampleContent
