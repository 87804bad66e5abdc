#include "tools/sample_content/scene_content.h"

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/content_files.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace Kavo::SampleContent {

namespace {

// Colour keys are the unsigned decimal of 0xAARRGGBB.
std::string Argb(std::uint32_t argb) {
    return std::to_string(argb);
}

// The board's sparkle when items are done: a short additive burst.
std::string DoneItem() {
    return "[Main]\nTime=0.4\n"
           "[Item1]\nImage=IMAGE_SPARKLE\nShape=0\nDrawAdditive=1\nIntense=0\n"
           "NUMBER=0,12;1,0\nEMISSION_RANGE=0,1\nLIFE=0,0.5\nLIFE_VAR=0,0.2\nWIDTH=0,40\nHEIGHT=0,40\n"
           "VELOCITY=0,1.5;1,0\nSTART_SPREAD=0,6.28\nSIZE=0,1;1,0.3\nALPHA=0,255;1,0\n"
           "COLOR=0," +
           Argb(0xFFFFFF40) + ";1," + Argb(0xFFFF8000) + "\n";
}

// The bonus item's ring: a fan of sparks from an ellipse.
std::string ItemDoneBonus() {
    return "[Main]\nTime=0.5\n"
           "[Item1]\nImage=IMAGE_PARTICLES\nTextRect=0,0,32,32\nShape=3\nIntense=1\nUseDeltaAngle=1\n"
           "NUMBER=0,16;1,16\nEMISSION_RANGE=0,1\nLIFE=0,0.6\nWIDTH=0,60\nHEIGHT=0,30\nSTART_DIRECTION=0,6.28\n"
           "VELOCITY=0,2;1,0.5\nSIZE=0,0.8;1,0.2\nSPIN=0,0.05\nALPHA=0,255;1,0\n"
           "COLOR=0," +
           Argb(0xFFFFFFFF) + ";1," + Argb(0xFF80C0FF) + "\n";
}

// The pepper bonus: flames running round an oval, carried with it.
std::string Pepper() {
    return "[Main]\nX=512\nY=384\nTime=0.8\n"
           "[Item1]\nImage=images/scene_glow\nShape=0\nDrawAdditive=1\nLineIndex=0\nTrMoveItems=1\n"
           "NUMBER=0,20;1,5\nEMISSION_RANGE=0,1\nLIFE=0,0.4\nWIDTH=0,10\nHEIGHT=0,10\nWEIGHT=0,-0.3\n"
           "TRAJECTORY_SPEED=0,1;1,1\nSIZE=0,1.2;1,0.4\nALPHA=0,220;1,0\nCOLOR=0," +
           Argb(0xFFFF6020) + ";1," + Argb(0xFFFFD040) +
           "\n"
           "[Line1]\nType=1\nPoints=1.000000,0,0,120,60\n";
}

// The double score: sparks round a rectangle, born on a box outline.
std::string X2() {
    return "[Main]\nTime=0.6\n"
           "[Item1]\nImage=IMAGE_SPARKLE\nShape=2\nIntense=1\nLineIndex=0\n"
           "NUMBER=0,24;1,0\nEMISSION_RANGE=0,1\nLIFE=0,0.3\nWIDTH=0,50\nHEIGHT=0,50\nSTART_SPREAD=0,6.28\n"
           "VELOCITY=0,0.8\nTRAJECTORY_SPEED=0,1;1,1\nSIZE=0,0.7\nALPHA=0,255;1,0\n"
           "[Line1]\nType=2\nPoints=1.000000,0,0,160,100\n";
}

// A flash of one colour.
std::string Flash(std::uint32_t color) {
    return "[Main]\nTime=0.3\n"
           "[Item1]\nImage=IMAGE_SPARKLE\nShape=0\nDrawAdditive=1\nIntense=0\n"
           "NUMBER=0,30;1,0\nEMISSION_RANGE=0,1\nLIFE=0,0.3\nWIDTH=0,80\nHEIGHT=0,80\nVELOCITY=0,3;1,0\n"
           "START_SPREAD=0,6.28\nSIZE=0,1.5;1,0.5\nALPHA=0,255;1,0\nCOLOR=0," +
           Argb(color) + ";1," + Argb(0xFFFFFFFF) + "\n";
}

// The rank star: sparks on a star-shaped picture, flying in along a spline.
std::string RankStarAppear() {
    return "[Main]\nTime=0.7\n"
           "[Item1]\nImage=IMAGE_SPARKLE\nShapeName=images/scene_shape\nShape=1\nIntense=1\nLineIndex=0\n"
           "NUMBER=0,20;1,4\nEMISSION_RANGE=0,1\nLIFE=0,0.4\nLIFE_VAR=0,0.1\nWIDTH=0,64\nHEIGHT=0,64\n"
           "TRAJECTORY_SPEED=0,1;1,1\nSIZE=0,0.9;1,0.3\nSIZE_VAR=0,0.1\nALPHA=0,255;1,0\nCOLOR=0," +
           Argb(0xFFFFE080) +
           "\n"
           "[Line1]\nType=0\nPoints=1.000000;0;-200,120,-80,-40,0,0,\n";
}

// The reward picture's appearance: a glow from its shape.
std::string RewardAppear() {
    return "[Main]\nTime=0.6\n"
           "[Item1]\nImage=images/scene_glow\nShapeName=images/scene_shape\nShape=1\nDrawAdditive=1\n"
           "NUMBER=0,40;1,0\nEMISSION_RANGE=0,1\nLIFE=0,0.5\nWIDTH=0,120\nHEIGHT=0,120\nVELOCITY=0,0.5\n"
           "START_SPREAD=0,6.28\nSIZE=0,0.6;1,1.2\nALPHA=0,200;1,0\n";
}

// Behind the reward: a slow, drifting, turning glow.
std::string BehindReward() {
    return "[Main]\nTime=1.0\n"
           "[Item1]\nImage=images/scene_glow\nShape=3\nIntense=1\nDrawAdditive=1\nAngleType=1\n"
           "NUMBER=0,10;1,2\nEMISSION_RANGE=0,1\nLIFE=0,0.8\nWIDTH=0,140\nHEIGHT=0,90\nMOTION_RAND=0,2\n"
           "TANGENT_ACCEL=0,0.4\nSPIN=0,0.02\nSPIN_VAR=0,0.01\nSIZE=0,1.4;1,0.8\nALPHA=0,120;0.5,160;1,0\n"
           "COLOR=0," +
           Argb(0xFFFFF0C0) + "\n";
}

// The main menu's shine: one warm sparkle frame, drawn additively, running
// round the rim of the Play button (the layout's 432, 560, 160 x 48). A
// line gives screen points, so its corners are the button's, inset by the
// sparkle's reach. Nothing is born on the first update: the sparkles start
// once the line has taken the emitter from where the menu started it.
std::string PieShine() {
    return "[Main]\nX=492\nY=574\nTime=1.2\n"
           "[Item1]\nImage=IMAGE_SPARKLE\nTextRect=0,0,16,16\nShape=0\nIntense=1\nDrawAdditive=1\nLineIndex=0\n"
           "PivotX=4\nPivotY=2\nFixSize=1\nDrawReverse=1\nNUMBER=0,0;0.01,8;1,8\nEMISSION_RANGE=0,1\nLIFE=0,0.1\n"
           "WIDTH=0,6\nHEIGHT=0,6\nTRAJECTORY_SPEED=0,1;1,1\nSIZE=0,1;1,0.2\nALPHA=0,255;1,0\nCOLOR=0," +
           Argb(0xFFFFF8D0) + ";1," + Argb(0xFFFFE080) +
           "\n"
           "[Line1]\nType=3\nPoints=1.000000;1;492,574,578,574,578,594,446,594,446,574,\n";
}

// A restaurant's star on the map: a twinkle of the restaurant's colour.
std::string RestStar(std::uint32_t color, int shape) {
    return "[Main]\nTime=0.8\n"
           "[Item1]\nImage=IMAGE_PARTICLES\nTextRect=64,64,32,32\nShape=" +
           std::to_string(shape) +
           "\nIntense=1\nDrawAdditive=1\nRandomFrame=1\nFramesCount=4\nFrameDelay=3\n"
           "NUMBER=0,6;1,0\nEMISSION_RANGE=0,1\nLIFE=0,0.5\nWIDTH=0,30\nHEIGHT=0,30\nSTART_SPREAD=0,6.28\n"
           "VELOCITY=0,0.4\nSIZE=0,1;1,0.2\nSPIN=0,0.1\nALPHA=0,255;1,0\nCOLOR=0," +
           Argb(color) + "\n";
}

std::vector<std::pair<std::string, std::string>> Scenes() {
    return {
        {"particles/doneitem.ini", DoneItem()},
        {"particles/itemdonebonus.ini", ItemDoneBonus()},
        {"particles/pepper.ini", Pepper()},
        {"particles/x2.ini", X2()},
        {"particles/flashfxyellow.ini", Flash(0xFFFFE020)},
        {"particles/flashfxgreen.ini", Flash(0xFF40FF40)},
        {"particles/flashfxred.ini", Flash(0xFFFF3030)},
        {"particles/flashfxblue.ini", Flash(0xFF4080FF)},
        {"particles/RankStarAppear.ini", RankStarAppear()},
        {"particles/rewardappear.ini", RewardAppear()},
        {"particles/behindreward.ini", BehindReward()},
        {"particles/pieshine2.ini", PieShine()},
        {"particles/reststar0.ini", RestStar(0xFFFFD060, 0)},
        {"particles/reststar1.ini", RestStar(0xFF80FFC0, 2)},
        {"particles/reststar2.ini", RestStar(0xFFFF80E0, 3)},
    };
}

// A soft white round glow.
std::vector<uint32_t> Glow(int size) {
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double r = std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) / (size / 2.0);
            const double fall = r < 1 ? (1 - r) * (1 - r) : 0.0;
            pixels[static_cast<size_t>(y) * size + x] =
                static_cast<uint32_t>(std::lround(255 * fall)) << 24 | 0xFFFFFFu;
        }
    return pixels;
}

// A five-pointed star, opaque inside; outside transparent blue, the colour
// that births skip.
std::vector<uint32_t> StarShape(int size) {
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size, 0x000000FFu);
    const double c = size / 2.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - c;
            const double dy = y + 0.5 - c;
            const double angle = std::atan2(dy, dx);
            const double reach = c * (0.55 + 0.45 * std::cos(5 * angle)) * 0.95;
            if (std::hypot(dx, dy) < reach)
                pixels[static_cast<size_t>(y) * size + x] = 0xFFFFFFFFu;
        }
    return pixels;
}

} // namespace

std::vector<std::string> SceneFileNames() {
    std::vector<std::string> names;
    for (const auto& [name, text] : Scenes())
        names.push_back(name);
    return names;
}

bool WriteSceneContent(const std::string& root) {
    for (const auto& [name, text] : Scenes())
        if (!WriteContentFile(root + "/" + name, WithCrLf(text)))
            return false;
    return WriteContentFile(root + "/images/scene_glow.png", ImageEncoders::EncodePngArgb(32, 32, Glow(32))) &&
           WriteContentFile(root + "/images/scene_shape.png", ImageEncoders::EncodePngArgb(64, 64, StarShape(64)));
}

} // namespace Kavo::SampleContent
