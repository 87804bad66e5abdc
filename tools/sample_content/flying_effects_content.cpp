#include "tools/sample_content/flying_effects_content.h"

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/content_files.h"
#include "tools/sample_content/placeholder_art.h"
#include "tools/sample_content/thing_art.h"

namespace Kavo::SampleContent {

namespace {

// One animation: its file, picture (its cel size and count, and what it
// shows) and frames. Every one ends after its frames (flyers restart theirs
// while they fly).
struct FlyingAnimation {
    const char* mFile;
    const char* mSprite;
    Placeholder mArt;
    int mDelay;
    Pixels (*mDraw)(const Placeholder& art);
};

std::string AnimationText(const FlyingAnimation& anim) {
    const Placeholder& art = anim.mArt;
    std::string frames;
    for (int i = 0; i < art.mCols; ++i)
        frames += (i == 0 ? "" : ",") + std::to_string(i);
    return "[Main]\n"
           "Sprite=" +
           std::string(anim.mSprite) +
           "\n"
           "Frames=" +
           frames + "\nFrameDelay=" + std::to_string(anim.mDelay) +
           "\nNeverEnding=0\n"
           "\n[" +
           anim.mSprite + "]\nImageFile=images/effects/" + anim.mSprite + "\nRects=0,0," +
           std::to_string(art.mCelWidth) + "," + std::to_string(art.mCelHeight) +
           "\nColCount=" + std::to_string(art.mCols) + "\nRowCount=1\n";
}

bool WritePicture(const std::string& path, const Placeholder& art, const Pixels& pixels) {
    return WriteContentFile(
        path, ImageEncoders::EncodePngArgb(art.mCelWidth * art.mCols, art.mCelHeight * art.mRows, pixels));
}

} // namespace

bool WriteFlyingEffectsContent(const std::string& root) {
    const FlyingAnimation animations[] = {
        {"data/coin.anim",
         "coin",
         {24, 24, 4, 1, 0xFFE0C040, ""},
         4,
         [](const Placeholder& art) { return CoinStrip(art.mCelWidth, art.mCols); }},
        {"data/ratingstar.anim",
         "ratingstar",
         {32, 32, 4, 1, 0xFFFFF0A0, ""},
         5,
         [](const Placeholder& art) { return StarStrip(art.mCelWidth, art.mCols, art.mColor, false); }},
        {"data/starappear.anim",
         "starappear",
         {24, 24, 4, 1, 0xFFFFE080, ""},
         5,
         [](const Placeholder& art) { return StarStrip(art.mCelWidth, art.mCols, art.mColor, true); }},
        {"data/reward.anim",
         "reward",
         {64, 64, 2, 1, 0xFF80C0FF, ""},
         8,
         [](const Placeholder& art) { return GiftStrip(art.mCelWidth, art.mCols, art.mColor); }},
        {"data/knife.anim",
         "knife",
         {16, 56, 2, 1, 0xFFC0C0D0, ""},
         4,
         [](const Placeholder& art) { return KnifeStrip(art.mCelWidth, art.mCelHeight, art.mCols); }},
        // The burn plays over the item's own picture; its frames are short.
        {"data/pepper.anim",
         "flame",
         {44, 44, 6, 1, 0xFFFF6020, ""},
         5,
         [](const Placeholder& art) { return FlameStrip(art.mCelWidth, art.mCols); }},
    };
    for (const FlyingAnimation& anim : animations) {
        if (!WriteContentFile(root + "/" + anim.mFile, WithCrLf(AnimationText(anim))) ||
            !WritePicture(root + "/images/effects/" + anim.mSprite + ".png", anim.mArt, anim.mDraw(anim.mArt)))
            return false;
    }
    const Placeholder x2{100, 40, 1, 1, 0xFFFFD040, ""};
    return WritePicture(root + "/images/bonuses/x2label.png", x2, DrawPlaceholder(x2, nullptr));
}

} // namespace Kavo::SampleContent
