#include "tools/sample_content/bonus_dialogs_content.h"

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/content_files.h"
#include "tools/sample_content/picture_art.h"
#include "tools/sample_content/placeholder_art.h"
#include "tools/sample_content/thing_art.h"

#include <fstream>
#include <iterator>
#include <string>

namespace Kavo::SampleContent {

namespace {

const char* const kRewardNames[] = {"LinesCount",     "BonusCount",     "ScoresPerTime",    "LinesPerTime",
                                    "SameTypeCount",  "ScoresPerBoard", "SameTypePerBoard", "BonusPerBoard",
                                    "ScoresPerStage", "RPuzzle"};

// One strip animation over a picture of `cels` frames.
std::string StripAnim(const std::string& sprite, const std::string& image, int size, int cels, int delay) {
    std::string frames;
    for (int i = 0; i < cels; ++i)
        frames += (i > 0 ? "," : "") + std::to_string(i);
    return "[Main]\nSprite=" + sprite + "\nFrames=" + frames + "\nFrameDelay=" + std::to_string(delay) + "\n[" +
           sprite + "]\nImageFile=" + image + "\nRects=0,0," + std::to_string(size) + "," + std::to_string(size) +
           "\nColCount=" + std::to_string(cels) + "\nRowCount=1\n";
}

const std::string kUnlockLayout = FlyInDialogMain(0, 400, 320, 344) + R"([BonusXY]
Type=Point
X=160
Y=40
)" + WrappedTextSection("Message", "", 30, 140, 340, 100) +
                                  R"([Ok]
Type=Button
ID=1
Description=MenuButton
Caption=Ok
Position=140,260,120,40
)";

std::string RewardLayout() {
    std::string text = "[Title]\nType=Link\nFont=FONT_DEFAULT_BIG\nColor=0xFFFFFF\nOverColor=0xFFFFFF\nAlign=1\n"
                       "DoFinger=0\nCaption=RewardsTitle\nPosition=262,60,500,40\n"
                       "[Done]\nType=Button\nID=1\nDescription=MenuButton\nCaption=Done\nPosition=780,680,120,40\n"
                       "[Hint]\nType=Link\nPosition=0,0,250,20\n"
                       "[Hint2]\nType=Link\nPosition=0,20,250,20\n"
                       "[PlashkaWH]\nType=Point\nX=300\nY=140\n";
    // Two rows of five.
    for (int i = 0; i < 10; ++i) {
        const int x = 200 + (i % 5) * 150;
        const int y = 250 + (i / 5) * 220;
        const std::string n = std::to_string(i);
        text += "[Reward" + n + "]\nType=Point\nX=" + std::to_string(x) + "\nY=" + std::to_string(y) + "\n";
        text +=
            "[RewardHint" + n + "]\nType=Point\nX=" + std::to_string(x - 60) + "\nY=" + std::to_string(y + 70) + "\n";
    }
    return text;
}

// The bonuses' descriptions and hints and the rewards' level texts, as a
// section of their own.
std::string Terms() {
    std::string text = "[Bonuses]\n"
                       "KnifeHint=The knife takes one item off the board.\n"
                       "ShuffleHint=The shuffle mixes every item on the board.\n"
                       "LineBreakHint=The line break clears a whole row or column.\n"
                       "HintHint=The hint shows you a move.\n"
                       "TimerHint=The timer stops the clock for a while.\n"
                       "PepperHint=The pepper strikes items all over the board.\n"
                       "ReplaceHint=The recolour turns every item of one kind into another.\n"
                       "X2Hint=Double score for a while.\n"
                       "KnifeHintShort=Click an item to remove it\n"
                       "LineBreakHintShort=Click to break the line\n"
                       "ReplaceHintShort=Click an item to recolour its kind\n"
                       "[Rewards]\n"
                       "RewardsTitle=Your rewards\n";
    for (const char* name : kRewardNames) {
        for (int level = 1; level <= 3; ++level) {
            const std::string n = std::to_string(level);
            text += std::string("Got") + name + n + "=You have the " + name + " award, level " + n + ".\n";
            text += std::string("Get") + name + n + "=Earn the " + name + " award, level " + n + ".\n";
        }
    }
    return text;
}

// Adds the terms to the term table that the game content wrote.
bool AppendTerms(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string existing((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return WriteContentFile(path, existing + WithCrLf(Terms()));
}

bool WritePicture(const std::string& path, const Placeholder& art, const GlyphSheet* labels) {
    const Pixels pixels = DrawPlaceholder(art, labels);
    return WriteContentFile(
        path, ImageEncoders::EncodePngArgb(art.mCelWidth * art.mCols, art.mCelHeight * art.mRows, pixels));
}

// The shuffle's charged show over its 80 x 100 button (picture_art.h).
constexpr int kBonusButtonWidth = 80;
constexpr int kBonusButtonHeight = 100;

std::string BlenderAnim() {
    std::string frames;
    for (int i = 0; i < kBlenderFrames; ++i)
        frames += (i > 0 ? "," : "") + std::to_string(i);
    return "[Main]\nSprite=Blender\nFrames=" + frames +
           "\nFrameDelay=5\n[Blender]\nImageFile=images/bonuses/blender\n" + "Rects=0,0," +
           std::to_string(2 * kBonusButtonWidth) + "," + std::to_string(2 * kBonusButtonHeight) +
           "\nColCount=" + std::to_string(kBlenderFrames) + "\nRowCount=1\n";
}

bool WriteBlender(const std::string& path) {
    return WriteContentFile(path,
                            ImageEncoders::EncodePngArgb(2 * kBonusButtonWidth * kBlenderFrames, 2 * kBonusButtonHeight,
                                                         BlenderStrip(kBonusButtonWidth, kBonusButtonHeight)));
}

} // namespace

bool WriteBonusDialogsContent(const std::string& root) {
    GlyphSheet labels;
    const GlyphSheet* glyphs = RenderGlyphSheet(11, &labels) ? &labels : nullptr;
    bool ok = WriteContentFile(root + "/data/blender.anim", WithCrLf(BlenderAnim())) &&
              WriteContentFile(root + "/data/knifeblink.anim",
                               WithCrLf(StripAnim("KnifeBlink", "images/bonuses/knifeblink", 24, 4, 4))) &&
              WriteContentFile(root + "/data/pepperbox.anim",
                               WithCrLf(StripAnim("PepperBox", "images/bonuses/pepperbox", 64, 2, 8))) &&
              WriteBlender(root + "/images/bonuses/blender.png") &&
              WritePicture(root + "/images/bonuses/knifeblink.png", {24, 24, 4, 1, 0xC0FFFFFF, ""}, glyphs) &&
              WriteContentFile(root + "/images/bonuses/pepperbox.png",
                               ImageEncoders::EncodePngArgb(64 * 2, 64, PepperShakerStrip(64, 2))) &&
              WritePicture(root + "/images/bonuses/pepper.png", {8, 8, 1, 1, 0xFF402010, ""}, glyphs) &&
              WriteContentFile(root + "/ui/BonusUnlock.txt", WithCrLf(kUnlockLayout)) &&
              WriteContentFile(root + "/ui/reward.txt", WithCrLf(RewardLayout())) &&
              AppendTerms(root + "/data/termins.txt");
    const uint32_t levelColours[3] = {0xFFB08040, 0xFFC0C0C0, 0xFFFFD040};
    for (const char* name : kRewardNames) {
        ok = ok &&
             WritePicture(root + "/images/rewards/shadows/" + name + ".png", {96, 96, 1, 1, 0x60000000, ""}, glyphs);
        for (int level = 0; level < 3; ++level)
            ok = ok && WriteContentFile(root + "/images/rewards/" + name + std::to_string(level + 1) + ".png",
                                        ImageEncoders::EncodePngArgb(96, 96, Medal(96, levelColours[level])));
    }
    return ok;
}

} // namespace Kavo::SampleContent
