#include "tools/sample_content/penalty_content.h"

#include "tools/sample_content/content_files.h"
#include "tools/sample_content/sound_writers.h"
#include "tools/sound_encoders/sound_encoders.h"

namespace Kavo::SampleContent {

namespace {

// The red number the stage costs lands at "Dest" (in the window), between
// the title and the text that says what it costs.
const std::string kLayout = FlyInDialogMain(8, 400, 300) + R"(Caption=Time is up!
[Dest]
Type=Point
X=512
Y=330
)" + WrappedTextSection("Message", "PenaltyNote", 20, 130, 360, 80) +
                            R"([Close]
Type=Button
ID=1
Description=MenuButton
Caption=Ok
Position=140,230,120,40
)";

// The sounds of the board's events, of the bonuses and of the stage ends.
constexpr const char* kSounds[] = {
    "chipselect",
    "chipmove",
    "chipwrongmove",
    "unlock",
    "megacross",
    "timeup",
    "nomoremoves",
    "LevelComplete",
    "PenaltyDone",
    "bonuses/knife",
    "bonuses/knife2",
    "bonuses/toaster",
    "bonuses/recolor",
    "bonuses/pepper2",
    "bonuses/shufflebonus",
    "bonuses/toasterbonus",
    "bonuses/hintbonus",
    "bonuses/timerbonus",
    "bonuses/pepperbonus",
    "bonuses/recolorbonus",
    "bonuses/x2bonus",
    "bonuses/bonuscomplete",
};

bool WriteWave(const std::string& path, double hz) {
    const int frames = 22050 / 20;
    const auto samples = SoundWriters::Tone(22050, 1, frames, hz, 0.3);
    return WriteContentFile(path, SoundEncoders::MakeWav(1, 22050, 16, SoundEncoders::PcmBytes(samples)));
}

} // namespace

std::string PenaltyLayoutText() {
    return kLayout;
}

bool WritePenaltyContent(const std::string& root) {
    return WriteContentFile(root + "/ui/penalty.txt", WithCrLf(kLayout));
}

bool WriteBoardEventSounds(const std::string& folder) {
    const std::string sounds = folder + "/sounds/";
    double hz = 400.0;
    for (const char* name : kSounds) {
        if (!WriteWave(sounds + name + ".wav", hz))
            return false;
        hz += 40.0;
    }
    for (int cascade = 1; cascade <= 10; ++cascade)
        if (!WriteWave(sounds + "breakfigure" + std::to_string(cascade) + ".wav", 500.0 + 60.0 * cascade))
            return false;
    return true;
}

} // namespace Kavo::SampleContent
