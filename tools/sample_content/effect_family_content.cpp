#include "tools/sample_content/effect_family_content.h"

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/content_files.h"
#include "tools/sample_content/picture_art.h"
#include "tools/sample_content/placeholder_art.h"
#include "tools/sample_content/thing_art.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Kavo::SampleContent {

namespace {

struct AnimFile {
    const char* mPath;
    const char* mText;
};

// Every animation ends (NeverEnding=0): effects wait for them.
const AnimFile kAnimations[] = {
    // Six frames: the next diagonal starts at frame 5.
    {"data/BlinkColl.anim", R"([Main]
Sprite=BlinkColl
Frames=0,1,2,3,2,1
FrameDelay=3
NeverEnding=0
DrawAdditive=1
[BlinkColl]
ImageFile=images\game\cellblink
Rects=0,0,50,50
ColCount=4
RowCount=1
)"},
    // The item's own picture swells and settles back.
    {"data/scaleitem.anim", R"([Main]
Frames=0,0,0,0,0,0
FrameDelay=4
Scales=1,1.1,1.2,1.2,1.1,1
NeverEnding=0
)"},
    {"data/score3.anim", R"([Main]
Sprite=Score
Frames=0,0,0,0
FrameDelay=10
Scales=0.6,1,1.1,1
NeverEnding=0
[Score]
ImageFile=images\effects\score
Rects=0,0,96,48
ColCount=4
RowCount=1
)"},
    {"data/score4.anim", R"([Main]
Sprite=Score
Frames=1,1,1,1
FrameDelay=10
Scales=0.6,1,1.15,1
NeverEnding=0
[Score]
ImageFile=images\effects\score
Rects=0,0,96,48
ColCount=4
RowCount=1
)"},
    {"data/score5.anim", R"([Main]
Sprite=Score
Frames=2,2,2,2
FrameDelay=10
Scales=0.6,1,1.2,1
NeverEnding=0
[Score]
ImageFile=images\effects\score
Rects=0,0,96,48
ColCount=4
RowCount=1
)"},
    {"data/score6.anim", R"([Main]
Sprite=Score
Frames=3,3,3,3,3
FrameDelay=10
Scales=0.6,1,1.3,1.1,1
NeverEnding=0
[Score]
ImageFile=images\effects\score
Rects=0,0,96,48
ColCount=4
RowCount=1
)"},
    // The item's dust picture takes the place of this one.
    {"data/dust.anim", R"([Main]
Sprite=Dust
Frames=0,1,2,3
FrameDelay=5
Scales=1,1.2,1.4,1.6
NeverEnding=0
[Dust]
ImageFile=images\effects\dust
Rects=0,0,64,64
ColCount=4
RowCount=1
)"},
    // Shown in IMAGE_PARTICLES.
    {"data/chaindust.anim", R"([Main]
Sprite=ChainDust
Frames=0,1,2,3,4,5
FrameDelay=4
Scales=1,1.2,1.4,1.6,1.8,2
NeverEnding=0
[ChainDust]
ImageFile=images\game\particles
Rects=0,0,32,32
ColCount=4
RowCount=4
)"},
    {"data/bonushint.anim", R"([Main]
Sprite=BonusHint
Frames=0
FrameDelay=20
NeverEnding=0
[BonusHint]
ImageFile=images\game\bonus_hint
Rects=0,0,80,80
)"},
    {"data/probka.anim", R"([Main]
Sprite=Probe
Frames=0,1,2,3
FrameDelay=4
NeverEnding=0
DrawAdditive=1
[Probe]
ImageFile=images\game\lightning
Rects=0,0,50,200
ColCount=4
RowCount=1
)"},
};

struct Picture {
    const char* mPath;
    int mCelWidth;
    int mCelHeight;
    int mCols;
    uint32_t mColor;
};

const Picture kPictures[] = {
    {"images/change/ringblue.png", 96, 96, 1, 0xFF4080FF},   {"images/change/ringgreen.png", 96, 96, 1, 0xFF40D040},
    {"images/change/ringred.png", 96, 96, 1, 0xFFE04040},    {"images/change/ringpurple.png", 96, 96, 1, 0xFFA040E0},
    {"images/change/ringyellow.png", 96, 96, 1, 0xFFF0E040}, {"images/tips/horz.png", 100, 50, 1, 0xFFF0A030},
    {"images/tips/vert.png", 50, 100, 1, 0xFFF0A030},        {"images/bonuses/hinthorz.png", 100, 50, 1, 0xFF60E0F0},
    {"images/bonuses/hintvert.png", 50, 100, 1, 0xFF60E0F0}, {"images/bonuses/timerlock.png", 146, 112, 1, 0xFF80C0FF},
    {"images/effects/score.png", 96, 48, 4, 0xFFFFD040},     {"images/effects/dust.png", 64, 64, 4, 0xFFC0B090},
};

} // namespace

bool WriteEffectFamilyContent(const std::string& root) {
    for (const AnimFile& file : kAnimations)
        if (!WriteContentFile(root + "/" + file.mPath, WithCrLf(file.mText)))
            return false;
    for (const Picture& picture : kPictures) {
        const Placeholder art{picture.mCelWidth, picture.mCelHeight, picture.mCols, 1, picture.mColor, ""};
        // The first tip's arrow points at a move between two cells, drawn
        // over the items: an arrow, not a box that hides them. The hint
        // bonus's marks are drawn beneath the items: a ring shows around
        // them where an arrow would show only in the gap between them.
        const std::string path = picture.mPath;
        // The recolouring's rings grow to several cells over the board: a
        // ring, clear inside, not a square that hides what it turns.
        const int width = picture.mCelWidth, height = picture.mCelHeight;
        const Pixels pixels = path.starts_with("images/tips/")          ? SwapArrow(width, height, picture.mColor)
                              : path.starts_with("images/bonuses/hint") ? PairRing(width, height, picture.mColor)
                              : path.starts_with("images/change/")      ? ColourRing(width, picture.mColor)
                              : path == "images/effects/dust.png" ? DustStrip(width, picture.mCols, picture.mColor)
                              : path == "images/effects/score.png"
                                  ? ScoreBurstStrip(width, height, picture.mCols, picture.mColor)
                              : path == "images/bonuses/timerlock.png" ? Padlock(width, height, picture.mColor)
                                                                       : DrawPlaceholder(art, nullptr);
        if (!WriteContentFile(root + "/" + path,
                              ImageEncoders::EncodePngArgb(picture.mCelWidth * picture.mCols, height, pixels)))
            return false;
    }
    return true;
}

} // namespace Kavo::SampleContent
