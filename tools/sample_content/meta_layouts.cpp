#include "tools/sample_content/meta_layouts.h"

#include "tools/sample_content/content_files.h"

#include <cstdio>
#include <string>

namespace Kavo::SampleContent {

namespace {

std::string Format(const char* format, int a, int b = 0, int c = 0, int d = 0) {
    char text[160];
    std::snprintf(text, sizeof(text), format, a, b, c, d);
    return text;
}

// One layout file built section by section; the looks come from
// "ui/interf.txt".
class LayoutText {
public:
    // A full-screen screen or dialog; a dialog id of 0 writes none.
    // A pop-up dialog's "Position" names its resting centre; a full-window
    // dialog flies in from above and out below the window.
    enum Kind { kScreen, kModal, kFullWindowDialog };
    explicit LayoutText(int id, Kind kind = kScreen, const char* caption = nullptr) {
        if (kind == kModal) {
            mText = FlyInDialogMain(id, 400, 300);
        } else {
            mText = "[Main]\n";
            if (id != 0)
                mText += Format("ID=%d\n", id);
        }
        if (kind == kFullWindowDialog)
            mText += "BeginX=512\nBeginY=-384\nEndX=512\nEndY=1152\nSpeed=40\nPosition=512,384,1024,768\n";
        else if (kind == kScreen)
            mText += "Position=0,0,1024,768\n";
        if (caption != nullptr)
            mText += std::string("Caption=") + caption + "\n";
    }
    // The lines under a dialog's title, shown as written.
    LayoutText& Lines(const char* text) {
        mText += std::string("Text=") + text + "\n";
        return *this;
    }

    // A button of the shared 120 x 40 look, its caption the term of its name.
    LayoutText& Button(const char* name, int id, int x, int y) {
        return Control(name, "Button", "MenuButton", id, x, y, 120, 40, name);
    }
    // A button of another look, whose picture has this size.
    LayoutText& Button(const char* name, const char* look, const char* caption, int id, int x, int y, int w, int h) {
        return Control(name, "Button", look, id, x, y, w, h, caption);
    }
    LayoutText& DialogButton(const char* name, int id, bool ok, int x, int y) {
        return Control(name, "DialogButton", ok ? "DialogOk" : "DialogCancel", id, x, y, 120, 40, name);
    }
    LayoutText& NumberLabel(const char* name, int x, int y) {
        return Control(name, "NumberLabel", "Score", 0, x, y, 120, 24, nullptr);
    }
    // A number centred in its box, in the look of the scores: set on a plate
    // as wide as the box, it keeps clear of the plate's edges (a number
    // pushed against the box's right edge has its shadow cut there).
    LayoutText& CentredNumber(const char* name, int x, int y, int w, int h) {
        Section(name) += "Type=NumberLabel\nFont=FONT_DEFAULT\nColor=0xFFE040\nOverColor=0xFFE040\n"
                         "ShadowX=1\nShadowY=1\nShadowColor=0x000000\nAlign=1\nDoFinger=0\n" +
                         Format("Position=%d,%d,%d,%d\n", x, y, w, h);
        return *this;
    }
    // A screen's title, the text of a term, centred in its box.
    LayoutText& Title(const char* name, const char* term, int x, int y, int w, int h) {
        Section(name) += std::string("Type=Link\nFont=FONT_DEFAULT_BIG\nColor=0xFFFFFF\nOverColor=0xFFFFFF\n") +
                         "Align=1\nDoFinger=0\nCaption=" + term + "\n" + Format("Position=%d,%d,%d,%d\n", x, y, w, h);
        return *this;
    }
    // A plain text: a link without a look of its own.
    LayoutText& Label(const char* name, int x, int y, int w = 200, int h = 24) {
        Section(name) += "Type=Link\nFont=FONT_DEFAULT\nColor=0xFFFFFF\nOverColor=0xFFFFFF\n" +
                         Format("Position=%d,%d,%d,%d\n", x, y, w, h);
        return *this;
    }
    LayoutText& Slider(const char* name, int x, int y, int w, int h) {
        return Control(name, "Slider", "Volume", 1, x, y, w, h, nullptr);
    }
    LayoutText& Point(const std::string& name, int x, int y) {
        Section(name) += Format("Type=Point\nX=%d\nY=%d\n", x, y);
        return *this;
    }
    LayoutText& Image(const char* name, const char* image, int level, int x, int y) {
        Section(name) +=
            std::string("Type=Image\nImage=") + image + Format("\nLevel=%d\nPosition=%d,%d\n", level, x, y);
        return *this;
    }

    std::string Text() const { return WithCrLf(mText); }

private:
    std::string& Section(const std::string& name) {
        mText += "[" + name + "]\n";
        return mText;
    }
    LayoutText& Control(const char* name, const char* type, const char* look, int id, int x, int y, int w, int h,
                        const char* caption) {
        Section(name) += std::string("Type=") + type + "\n";
        if (id != 0)
            mText += Format("ID=%d\n", id);
        mText += std::string("Description=") + look + "\n";
        if (caption != nullptr)
            mText += std::string("Caption=") + caption + "\n";
        mText += Format("Position=%d,%d,%d,%d\n", x, y, w, h);
        return *this;
    }

    std::string mText;
};

std::string MainMenu() {
    return LayoutText(0)
        .Image("Back", "IMAGE_MAIN_BACK", 0, 0, 0)
        .Label("NameLbl", 360, 20, 300, 30)
        .Button("Play", "PlayButton", "Play", 1, 432, 560, 160, 48)
        .Button("Map", 3, 80, 300)
        .Button("Help", 4, 80, 360)
        .Button("Options", 5, 80, 420)
        .Button("Reward", 6, 80, 480)
        .Button("Exit", 7, 80, 540)
        .Button("ChangeUser", "WideButton", "ChangeUser", 33, 700, 12, 200, 48)
        .Point("ButtonsXY", 80, 300)
        .Point("ButtonsWH", 120, 300)
        .Text();
}

std::string SelectGame() {
    return LayoutText(303, LayoutText::kModal, "Play")
        .Lines("Continue the saved game, or start a new one?")
        .DialogButton("Continue", 1, true, 40, 230)
        .DialogButton("NewGame", 2, false, 240, 230)
        .Text();
}

// The restaurants' points "Rest1" to "Rest3", and their pictures standing
// centred on them, inside the glows that light up around them.
void MapRestaurants(LayoutText& layout) {
    const int centres[3][2] = {{200, 260}, {512, 420}, {820, 260}};
    for (int i = 0; i < 3; ++i)
        layout.Point(Format("Rest%d", i + 1), centres[i][0], centres[i][1])
            .Image(Format("Restaurant%d", i + 1).c_str(), Format("images\\map\\restaurant%d.png", i + 1).c_str(), 0,
                   centres[i][0] - 75, centres[i][1] - 55);
}

// Each star sits where its rank path (data/Trajectories.dat) ends.
std::string Map() {
    LayoutText layout(0);
    layout.Image("Top", "IMAGE_MAIN_PLASHKATOP", 0, 0, 0)
        .Title("Title", "MapTitle", 262, 20, 500, 40)
        .Button("Next", 1, 860, 700)
        .Button("Back", 2, 40, 700)
        .Point("PostTumbs", 300, 600);
    MapRestaurants(layout);
    for (int stage = 0; stage < 15; ++stage) {
        const int rank = stage / 5 + 1, star = stage % 5;
        layout.Point(Format("Star%d", stage + 1), 140 + star * 180 + (rank % 2) * 40,
                     150 + (rank - 1) * 190 + (star % 2) * 30);
    }
    return layout.Text();
}

std::string ShowRest() {
    return LayoutText(18).Button("Close", 1, 880, 710).Text();
}

std::string Room() {
    return LayoutText(111)
        .Button("Back", 1, 20, 20)
        .Button("Menu", 2, 160, 20)
        .Button("Prev", "PrevButton", "PrevArrow", 3, 8, 650, 48, 48)
        .Button("Next", "NextButton", "NextArrow", 4, 968, 650, 48, 48)
        .Slider("StuffHBar", 62, 748, 900, 16)
        .CentredNumber("MoneyLblValue", 848, 24, 144, 24)
        .Point("GridXY", 62, 630)
        .Point("GridWH", 880, 110)
        .Point("MenuGridXY", 62, 120)
        .Point("MenuGridWH", 900, 500)
        .Point("RoomValue", 610, 26)
        .Point("MenuValue", 610, 46)
        .Point("RatingBack", 540, 20)
        .Point("MenuBack", 0, 0)
        .Point("MoneyPlace", 840, 16)
        .Text();
}

// The rows of what the stage brought stand in the lower half, food first:
// the first stage's tip points at the food bar from above it and, pointing
// at a point in the lower half, opens upwards into the free band between
// the money and the food rows, so it hides no result. "Shop" stands at the
// top of that band: the second tip points at it from the upper half and so
// opens downwards into the same band, clear of the rows and the pieces.
std::string LevelComplete() {
    LayoutText layout(15, LayoutText::kFullWindowDialog);
    layout.Image("Back", "IMAGE_LEVEL_COMPLETE_DIALOG", 0, 212, 80)
        .Button("Ok", 1, 300, 680)
        .Button("Shop", 2, 680, 180)
        .NumberLabel("MoneyLblValue", 560, 120)
        .Label("PostcardLbl", 370, 604)
        .Point("MoneyPrev", 330, 116)
        .Point("PoscardPrev", 330, 600);
    // Each row: the kind's icon, its bar, its amount and its share.
    const char* const kinds[] = {"Food", "Drink", "Stuff"};
    for (int row = 0; row < 3; ++row) {
        const std::string kind = kinds[row];
        const int y = 420 + 60 * row;
        layout.NumberLabel((kind + "LblValue").c_str(), 560, y)
            .Label(("Percent" + kind + "Lbl").c_str(), 700, y, 80)
            .Point("ProgressBar" + kind, 330, y + 4)
            .Point("Place" + kind, 300, y);
    }
    return layout.Text();
}

std::string Secret() {
    return LayoutText(5, LayoutText::kFullWindowDialog)
        .Button("Ok", 1, 452, 700)
        .Point("Text", 362, 40)
        .Point("DogEye", 60, 50)
        .Text();
}

std::string Puzzle() {
    return LayoutText(6)
        .Button("Done", 1, 452, 700)
        .Button("Skip", 2, 452, 700)
        .Button("Reshuffle", 3, 820, 700)
        .Label("TimeLbl", 40, 700, 160)
        .Point("Puzzle", 362, 264)
        .Point("Reward", 512, 120)
        .Text();
}

std::string Comics(int scene) {
    LayoutText layout(0);
    layout.Button("Skip", 1, 880, 710);
    if (scene == 1)
        layout.Point("AuntEye", 120, 180).Point("GirlEye", 80, 160);
    if (scene == 2)
        layout.Point("GlassBlink", 640, 300);
    return layout.Text();
}

} // namespace

bool WriteMetaLayouts(const std::string& root) {
    const std::string ui = root + "/ui/";
    return WriteContentFile(ui + "main.txt", MainMenu()) && WriteContentFile(ui + "SelectGame.txt", SelectGame()) &&
           WriteContentFile(ui + "Map.txt", Map()) && WriteContentFile(ui + "showrest.txt", ShowRest()) &&
           WriteContentFile(ui + "Room.txt", Room()) && WriteContentFile(ui + "LevelComplete.txt", LevelComplete()) &&
           WriteContentFile(ui + "Secret.txt", Secret()) && WriteContentFile(ui + "puzzle.txt", Puzzle()) &&
           WriteContentFile(ui + "comix.txt", Comics(1)) && WriteContentFile(ui + "comix2.txt", Comics(2)) &&
           WriteContentFile(ui + "comix3.txt", Comics(3));
}

} // namespace Kavo::SampleContent
