#include "tools/sample_content/board_screen_content.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/bonus_slots.h"
#include "tools/sample_content/content_files.h"
#include "tools/sample_content/placeholder_art.h"
#include "tools/sample_content/sound_writers.h"
#include "tools/sound_encoders/sound_encoders.h"

namespace Kavo::SampleContent {

namespace {

// Labels are drawn by the screen at the panels' alpha, so they are kept out
// of its widgets (AddToWidget=0). "EyeLbl" stands below the bonus row, clear
// of the charge lines under the buttons. Under each of the three counts
// lies its goal bar ("StuffValues" places the first, the others follow 60
// pixels apart, as the counts do) in an empty trough: a full bar is the stage's goal met.
constexpr const char* kLayout = R"([Menu]
Type=Button
ID=1
Description=MenuButton
Caption=Menu
Position=900,8,110,32
[HideBoard]
Type=Button
ID=77
Description=MenuButton
Caption=Pause
Position=900,44,110,32
[EyeLbl]
Type=Link
ID=2
Caption=Watch
Position=20,740,140,20
[StuffLbl]
Type=Link
ID=3
AddToWidget=0
Position=830,200,80,20
[FoodLbl]
Type=Link
ID=4
AddToWidget=0
Position=830,260,80,20
[DrinkLbl]
Type=Link
ID=5
AddToWidget=0
Position=830,320,80,20
[MoneyLbl]
Type=Link
ID=6
AddToWidget=0
Position=70,40,90,20
[LevelLbl]
Type=Link
ID=7
AddToWidget=0
Position=440,16,60,20
[Timer]
Type=Point
X=60
Y=120
[Bonuses]
Type=Point
X=100
Y=650
[PlashkaTop]
Type=Point
X=0
Y=0
[PlaceStuff]
Type=Point
X=800
Y=200
[PlaceFood]
Type=Point
X=800
Y=260
[PlaceDrink]
Type=Point
X=800
Y=320
[RewardXY]
Type=Point
X=512
Y=300
[StuffValues]
Type=Point
X=800
Y=233
[StuffTrough]
Type=Image
Image=IMAGE_PROGRESSBARBACK
Level=0
Position=795,229
[FoodTrough]
Type=Image
Image=IMAGE_PROGRESSBARBACK
Level=0
Position=795,289
[DrinkTrough]
Type=Image
Image=IMAGE_PROGRESSBARBACK
Level=0
Position=795,349
[RemoveItems]
Type=Point
X=512
Y=700
[X2Start]
Type=Point
X=740
Y=680
[X2End]
Type=Point
X=512
Y=60
[BonusIndex]
Type=Point
X=60
Y=560
[RoomValue]
Type=Point
X=600
Y=18
[MenuValue]
Type=Point
X=600
Y=38
[RatingBack]
Type=Point
X=530
Y=12
)";

constexpr const char* kShine = R"([Main]
Sprite=Shine
Frames=0,1,2,3
FrameDelay=5
DrawAdditive=1
[Shine]
ImageFile=images/anim/shine
Rects=0,0,64,64
ColCount=4
RowCount=1
)";

// One playlist per restaurant, in key order; the tracks are the program's
// music files, named without extension.
constexpr const char* kMusic = R"([Music]
Restaurant1=mainmenu, shop
Restaurant2=puzzle, mainmenu
Restaurant3=shop, puzzle
)";

uint32_t Argb(double a, int r, int g, int b) {
    const auto alpha = static_cast<uint32_t>(std::lround(std::fmin(std::fmax(a, 0.0), 1.0) * 255));
    return (alpha << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

// A soft streak per cel, moving right from cel to cel.
std::vector<uint32_t> ShineStrip(int cel, int count) {
    std::vector<uint32_t> px(size_t(cel) * count * cel, 0);
    for (int i = 0; i < count; ++i)
        for (int y = 0; y < cel; ++y)
            for (int x = 0; x < cel; ++x) {
                const double centre = cel * (0.2 + 0.6 * i / (count - 1)) + (y - cel / 2.0) * 0.5;
                const double a = std::fmax(0.0, 1.0 - std::fabs(x - centre) / 6.0);
                px[size_t(y) * cel * count + size_t(i) * cel + x] = Argb(a, 255, 255, 230);
            }
    return px;
}

std::string AsText(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

bool WriteWave(const std::string& path, double seconds, double hz) {
    const int frames = static_cast<int>(22050 * seconds);
    const auto samples = SoundWriters::Tone(22050, 1, frames, hz, 0.3);
    return WriteContentFile(path, SoundEncoders::MakeWav(1, 22050, 16, SoundEncoders::PcmBytes(samples)));
}

} // namespace

std::string BoardScreenLayoutText() {
    return kLayout;
}

bool WriteBoardScreenContent(const std::string& root) {
    const Placeholder back3{1024, 768, 1, 1, 0xFF504060, "BACK3"};
    return WriteContentFile(root + "/ui/board.txt", WithCrLf(kLayout)) &&
           WriteContentFile(root + "/data/shine.anim", WithCrLf(kShine)) &&
           WriteContentFile(root + "/images/anim/shine.png",
                            AsText(ImageEncoders::EncodePngArgb(64 * 4, 64, ShineStrip(64, 4)))) &&
           WriteContentFile(root + "/images/backs/back3.png", AsText(BoardBackground(back3, nullptr))) &&
           WriteContentFile(root + "/sounds/music/music.txt", WithCrLf(kMusic));
}

bool WriteBoardScreenSounds(const std::string& folder) {
    const std::string sounds = folder + "/sounds/";
    return WriteWave(sounds + "tiktak1.wav", 0.05, 1800) && WriteWave(sounds + "hint.wav", 0.2, 990) &&
           WriteWave(sounds + "chainappear.wav", 0.25, 330);
}

} // namespace Kavo::SampleContent
