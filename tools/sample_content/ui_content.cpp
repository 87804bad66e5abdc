#include "tools/sample_content/ui_content.h"

#include "platform/file_system.h"
#include "tools/image_encoders/image_encoders.h"

#include <initializer_list>

namespace Kavo::SampleContent {

namespace {

// The game's data files end their lines with CR LF.
std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

bool Write(const std::string& path, const std::string& bytes) {
    platform::MakeDirectories(path.substr(0, path.find_last_of('/')));
    return platform::WriteWholeFile(path, bytes);
}

const std::string kInterface = Lines({
    "; Looks shared by the screens' controls",
    "; A button draws its picture whole at its size: each look names a",
    "; picture as large as its buttons, and dark text reads on the light face",
    "; over any background.",
    "[MenuButton]",
    "Type=Button",
    "NormalImage=IMAGE_BUTTON_MENU",
    "OverImage=IMAGE_BUTTON_MENU",
    "DownImage=IMAGE_BUTTON_MENU",
    "COLOR_LABEL=0x000000",
    "COLOR_LABEL_HILITE=0xFFFFFF",
    "Font=FONT_DEFAULT",
    "DoFinger=1",
    "[PlayButton]",
    "Type=Button",
    "NormalImage=IMAGE_BUTTON_PLAY",
    "OverImage=IMAGE_BUTTON_PLAY",
    "DownImage=IMAGE_BUTTON_PLAY",
    "COLOR_LABEL=0x000000",
    "COLOR_LABEL_HILITE=0xFFFFFF",
    "Font=FONT_DEFAULT",
    "DoFinger=1",
    "[WideButton]",
    "Type=Button",
    "NormalImage=IMAGE_MENU_BUTTON",
    "OverImage=IMAGE_MENU_BUTTON",
    "DownImage=IMAGE_MENU_BUTTON",
    "COLOR_LABEL=0x000000",
    "COLOR_LABEL_HILITE=0xFFFFFF",
    "Font=FONT_DEFAULT",
    "DoFinger=1",
    "[PrevButton]",
    "Type=Button",
    "NormalImage=IMAGE_SHOPPREV_BUTTON",
    "OverImage=IMAGE_SHOPPREV_BUTTON",
    "COLOR_LABEL=0x000000",
    "COLOR_LABEL_HILITE=0xFFFFFF",
    "Font=FONT_DEFAULT",
    "DoFinger=1",
    "[NextButton]",
    "Type=Button",
    "NormalImage=IMAGE_SHOPNEXT_BUTTON",
    "OverImage=IMAGE_SHOPNEXT_BUTTON",
    "COLOR_LABEL=0x000000",
    "COLOR_LABEL_HILITE=0xFFFFFF",
    "Font=FONT_DEFAULT",
    "DoFinger=1",
    "[DialogOk]",
    "Type=DialogButton",
    "Image=IMAGE_DIALOG_BUTTON",
    "COLOR_LABEL=0x000000",
    "COLOR_LABEL_HILITE=0x802020",
    "Font=FONT_DEFAULT",
    "; A dialog button stretches its picture over the whole button.",
    "[DialogCancel]",
    "Type=DialogButton",
    "Image=IMAGE_DIALOG_BUTTON",
    "COLOR_LABEL=0x000000",
    "COLOR_LABEL_HILITE=0x802020",
    "Font=FONT_DEFAULT",
    "[Tab]",
    "Type=RadioButton",
    "NormalImage=IMAGE_DIALOG_BUTTON",
    "UncheckedRect=0,0,60,30",
    "CheckedRect=60,0,60,30",
    "Font=FONT_DEFAULT",
    "[OptionBox]",
    "Type=CheckBox",
    "Image=IMAGE_CHECKBOX",
    "DoFinger=1",
    "[Volume]",
    "Type=Slider",
    "ImageTrack=",
    "ImageThumb=",
    "[TitleLink]",
    "Type=Link",
    "Font=FONT_DEFAULT",
    "Color=0xFFFFFF",
    "OverColor=0xFFFF80",
    "UnderLine=1",
    "UnderOffset=2",
    "Align=1",
    "DoFinger=1",
    "[DialogText]",
    "Type=Link",
    "Font=FONT_DEFAULT",
    "Color=0xFFFFFF",
    "OverColor=0xFFFFFF",
    "[Score]",
    "Type=NumberLabel",
    "Font=FONT_DEFAULT",
    "Color=0xFFE040",
    "ShadowX=1",
    "ShadowY=1",
    "ShadowColor=0x000000",
    "Align=2",
    "[Users]",
    "Type=ListBox",
    "Font=FONT_DEFAULT",
    "COLOR_TEXT=0x000000",
    "COLOR_HILITE=0xEF8BA1",
    "[NameField]",
    "Type=Edit",
    "Font=FONT_DEFAULT",
    "COLOR_TEXT=0x000000",
    "COLOR_HILITE=0xC0C0FF",
    "COLOR_BKG=0xFFFFFF",
    "COLOR_OUTLINE=0x404040",
});

const std::string kSampleLayout = Lines({
    "[Main]",
    "BeginX=512",
    "BeginY=-300",
    "EndX=512",
    "EndY=1100",
    "Speed=40",
    "Position=512,384,400,360",
    "Caption=Options",
    "[Ok]",
    "Type=DialogButton",
    "ID=1",
    "Description=DialogOk",
    "Caption=Ok",
    "Position=140,300,120,40",
    "[Play]",
    "Type=Button",
    "ID=2",
    "Description=MenuButton",
    "Position=20,20,120,40",
    "[Easy]",
    "Type=RadioButton",
    "ID=3",
    "Description=Tab",
    "Position=160,20,60,30",
    "[FullScreen]",
    "Type=CheckBox",
    "ID=2",
    "Description=OptionBox",
    "Position=20,80,20,20",
    "[MusicVolume]",
    "Type=Slider",
    "ID=1",
    "Description=Volume",
    "Position=60,80,200,20",
    "[Help]",
    "Type=Link",
    "ID=4",
    "Description=TitleLink",
    "Caption=Help",
    "Position=20,120,100,20",
    "[Points]",
    "Type=NumberLabel",
    "Description=Score",
    "Position=200,120,150,20",
    "[UserList]",
    "Type=ListBox",
    "Font=FONT_DEFAULT",
    "COLOR_TEXT=0x000000",
    "Position=20,150,200,100",
    "[Name]",
    "Type=Edit",
    "Description=NameField",
    "Position=20,260,200,24",
    "[Frame]",
    "Type=Image",
    "Image=IMAGE_DIALOG_BOX",
    "Level=0",
    "Position=280,150",
    "[LBPos]",
    "Type=Point",
    "X=20",
    "Y=150",
});

const std::string kMusic = Lines({
    "[Music]",
    "Day=music\\track1, music\\track2",
    "Night=music\\track3",
});

} // namespace

bool WriteUiContent(const std::string& root, const GlyphSheet& sheet) {
    namespace enc = Kavo::ImageEncoders;
    return Write(root + "/ui/interf.txt", kInterface) && Write(root + "/ui/sample_layout.txt", kSampleLayout) &&
           Write(root + "/sounds/music/music.txt", kMusic) &&
           Write(root + "/fonts/_ContinuumBold12.png",
                 [&] {
                     const auto png = enc::EncodePngArgb(sheet.mWidth, sheet.mHeight, sheet.mPixels);
                     return std::string(png.begin(), png.end());
                 }()) &&
           Write(root + "/fonts/_ContinuumBold12", FontDescriptorText(sheet, "_ContinuumBold12.png"));
}

} // namespace Kavo::SampleContent
