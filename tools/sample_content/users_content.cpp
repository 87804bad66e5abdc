#include "tools/sample_content/users_content.h"

#include "tools/sample_content/content_files.h"

namespace Kavo::SampleContent {

namespace {

std::string Button(const char* name, int id, const char* caption, int x, int y) {
    return std::string("[") + name + "]\nType=DialogButton\nID=" + std::to_string(id) +
           "\nDescription=DialogOk\nCaption=" + caption + "\nPosition=" + std::to_string(x) + "," + std::to_string(y) +
           ",120,40\n";
}

// A plain text in the dialog's look; an empty caption leaves the text to the
// dialog (a message box fills its caption and message itself).
std::string Label(const char* name, const char* caption, int x, int y, int width, int height) {
    return std::string("[") + name + "]\nType=Link\nDescription=DialogText\n" +
           (*caption != '\0' ? std::string("Caption=") + caption + "\n" : std::string()) +
           "Position=" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) + "," +
           std::to_string(height) + "\n";
}

std::string MessageBox(int id, bool withCancel) {
    std::string text =
        FlyInDialogMain(id, 400, 260) + Label("Caption", "", 20, 20, 360, 24) + Label("Message", "", 30, 60, 340, 120);
    if (withCancel)
        return text + Button("Ok", 1, "Ok", 60, 200) + Button("Cancel", 2, "Cancel", 220, 200);
    return text + Button("Ok", 1, "Ok", 140, 200);
}

std::string ChangeUser() {
    return FlyInDialogMain(20, 420, 400) + "[LBPos]\nType=Point\nX=30\nY=40\n" +
           "[LBSize]\nType=Point\nX=330\nY=260\n" + Button("Delete", 1, "Delete", 20, 330) +
           Button("Select", 2, "Select", 150, 330) + Button("Cancel", 3, "Cancel", 280, 330);
}

std::string Options() {
    // Each slider and box has its name beside it; a box's name is its own
    // text, not the look's.
    return FlyInDialogMain(21, 400, 320) + "Caption=Options\n" + Label("MusicLabel", "MusicVolume", 30, 50, 120, 24) +
           "[MusicVolume]\nType=Slider\nID=1\nDescription=Volume\nPosition=160,52,200,20\n" +
           Label("EffectLabel", "EffectsVolume", 30, 90, 120, 24) +
           "[EffectVolume]\nType=Slider\nID=2\nDescription=Volume\nPosition=160,92,200,20\n"
           "[3DMode]\nType=CheckBox\nID=1\nDescription=OptionBox\nPosition=30,140,24,24\n" +
           Label("3DLabel", "Hardware3D", 64, 140, 300, 24) +
           "[FullScreen]\nType=CheckBox\nID=2\nDescription=OptionBox\nPosition=30,180,24,24\n" +
           Label("FullScreenLabel", "FullScreenMode", 64, 180, 300, 24) + Button("Ok", 1, "Ok", 140, 250);
}

std::string NewUser() {
    return FlyInDialogMain(101, 360, 200) + Label("Prompt", "EnterYourName", 20, 30, 320, 24) +
           "[Edit]\nType=Edit\nDescription=NameField\nPosition=40,70,280,24\n" + Button("Ok", 1, "Ok", 120, 130);
}

const std::string kTip = "[Main]\nTextColor=0xFF302010\n[Ok]\nType=DialogButton\nID=1\nDescription=DialogOk\n"
                         "Caption=Ok\nPosition=0,0,100,30\n";

const std::string kTitle = "[Back]\nType=Image\nImage=IMAGE_TITLE_BACK\nLevel=0\nPosition=0,0\n"
                           "[Slider]\nType=Point\nX=312\nY=680\n"
                           "[Continue]\nType=DialogButton\nID=0\nDescription=DialogOk\nCaption=Continue\n"
                           "Position=452,600,120,40\n";

} // namespace

bool WriteUsersContent(const std::string& root) {
    const std::string ui = root + "/ui/";
    return WriteContentFile(ui + "messagebox.txt", WithCrLf(MessageBox(30, false))) &&
           WriteContentFile(ui + "messageboxOKC.txt", WithCrLf(MessageBox(31, true))) &&
           WriteContentFile(ui + "ChangeUser.txt", WithCrLf(ChangeUser())) &&
           WriteContentFile(ui + "options.txt", WithCrLf(Options())) &&
           WriteContentFile(ui + "NewUser.txt", WithCrLf(NewUser())) &&
           WriteContentFile(ui + "tip.txt", WithCrLf(kTip)) && WriteContentFile(ui + "Title.txt", WithCrLf(kTitle));
}

} // namespace Kavo::SampleContent
