#include "tools/sample_content/app_content.h"

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/content_files.h"

#include "tools/sample_content/placeholder_art.h"
#include "tools/sample_content/shop_content.h"
#include <string>

namespace Kavo::SampleContent {

namespace {

// Two logos; their sections sort "Logo1" before "Logo2".
constexpr const char* kLogos = R"([Logo2]
Image=logos\logo2
Delay=1
[Logo1]
Image=logos\logo1
Delay=0.5
)";

// Page 1: a text in a resource font that greets the player by name; page 2:
// a picture by resource id, one by file and a text in the default font. The
// texts are light: they lie on the dark help panel (IMAGE_HELP).
constexpr const char* kHelpPages = R"([Main]
PagesCount=2
[Page1]
Text1=40,60,560,120,HelpWelcome,0xFFFFFF,-1,FONT_DEFAULT
[Page2]
Text1=40,300,560,60,HelpPictures,0xFFE080,0
Image1=40,60,IMAGE_BONUS_HINT
Image2=200,60,images\help\page2,0;0;200;160
)";

const std::string kHelpLayout = FlyInDialogMain(102, 640, 480) + R"([Back]
Type=Image
Image=IMAGE_HELP
Level=0
Position=0,0
[Next]
Type=DialogButton
ID=1
Description=DialogOk
Caption=HelpNext
Position=500,420,120,40
)";

const std::string kGameMenuLayout = FlyInDialogMain(55, 300, 400) + R"([Options]
Type=Button
ID=1
Description=MenuButton
Caption=Options
Position=90,40,120,40
[Help]
Type=Button
ID=2
Description=MenuButton
Caption=Help
Position=90,120,120,40
[Quit]
Type=Button
ID=3
Description=MenuButton
Caption=Quit
Position=90,200,120,40
[Back2Game]
Type=Button
ID=4
Description=MenuButton
Caption=Back
Position=90,280,120,40
)";

// A dialog's title is shown as written, not looked up. The question opens
// over the in-game menu, which stays open beneath it: it is larger than the
// menu and its shadow, so none of the menu's buttons shows around it.
const std::string kQuitLayout = FlyInDialogMain(301, 340, 440) + R"(Caption=Quit the game?
Text=Or leave the stage for the main menu.
[Yes]
Type=DialogButton
ID=1
Description=DialogOk
Caption=Quit
Position=40,370,120,40
[MainMenu]
Type=DialogButton
ID=2
Description=DialogCancel
Caption=MainMenu
Position=180,370,120,40
)";

constexpr const char* kGameOverLayout = R"([Main]
ID=7
Position=0,0,1024,768
)";

// What the board and its dialogs read; the meta-game's sections are added
// by its own content.
constexpr const char* kSettings = R"([Bonuses]
KillOne=3
Shuffle=3
LineBreak=3
Hint=5
Timer=3
Lightning=3
Replace=3
X2=3
HintColor=0x80FFFF00
[Rewards]
Score=100
Items=50
)";

bool WritePicture(const std::string& path, const Placeholder& art, const GlyphSheet* labels) {
    const Pixels pixels = DrawPlaceholder(art, labels);
    const auto png = ImageEncoders::EncodePngArgb(art.mCelWidth * art.mCols, art.mCelHeight * art.mRows, pixels);
    return WriteContentFile(path, png);
}

} // namespace

bool WriteAppContent(const std::string& root) {
    GlyphSheet labels;
    const GlyphSheet* glyphs = RenderGlyphSheet(11, &labels) ? &labels : nullptr;
    return WriteContentFile(root + "/logos/logos.txt", WithCrLf(kLogos)) &&
           WritePicture(root + "/logos/logo1.png", {1024, 768, 1, 1, 0xFF2050A0, "LOGO 1"}, glyphs) &&
           WritePicture(root + "/logos/logo2.png", {1024, 768, 1, 1, 0xFFA05020, "LOGO 2"}, glyphs) &&
           WriteContentFile(root + "/data/help.txt", WithCrLf(kHelpPages)) &&
           WritePicture(root + "/images/help/page2.png", {200, 160, 1, 1, 0xFF60A0A0, "HELP PAGE 2"}, glyphs) &&
           WriteContentFile(root + "/ui/help.txt", WithCrLf(kHelpLayout)) &&
           WriteContentFile(root + "/ui/GameMenu.txt", WithCrLf(kGameMenuLayout)) &&
           WriteContentFile(root + "/ui/QuitGame.txt", WithCrLf(kQuitLayout)) &&
           WriteContentFile(root + "/ui/gameover.txt", WithCrLf(kGameOverLayout)) &&
           WritePicture(root + "/images/gameover.png", {1024, 768, 1, 1, 0xFF402020, "GAME OVER"}, glyphs) &&
           WriteContentFile(root + "/data/settings.txt", WithCrLf(kSettings) + kMenuMaxRatingSection);
}

} // namespace Kavo::SampleContent
