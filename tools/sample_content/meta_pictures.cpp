#include "tools/sample_content/meta_pictures.h"

#include "tools/sample_content/content_files.h"
#include "tools/sample_content/placeholder_art.h"

#include <cstdio>
#include <string>

namespace Kavo::SampleContent {

namespace {

std::string Format(const char* format, int a, int b = 0, int c = 0) {
    char text[160];
    std::snprintf(text, sizeof(text), format, a, b, c);
    return text;
}

struct FilePicture {
    const char* mPath; // under the content folder, without ".png"
    Placeholder mArt;
};

// The pictures the screens fetch by file name, and those of the frame
// animations below.
const FilePicture kPictures[] = {
    {"images/comix/girl", {360, 560, 1, 1, 0xFFE0A0B0, "GIRL"}},
    {"images/comix/aunt", {360, 560, 1, 1, 0xFFA0B0E0, "AUNT"}},
    {"images/comix/phone", {200, 200, 1, 1, 0xFF606060, "PHONE"}},
    // The captions' balloon, stretched from 90 x 47 over each caption: it
    // lies under the caption's words, so it carries none of its own.
    {"images/comix/circle", {90, 47, 1, 1, 0xE0FFFFF0, ""}},
    {"images/comix/aunteye", {40, 20, 1, 1, 0xFF402020, "EYE"}},
    {"images/comix/girleye", {40, 20, 1, 1, 0xFF402020, "EYE"}},
    {"images/comix2/girl", {360, 560, 1, 1, 0xFFE0B0A0, "GIRL 2"}},
    {"images/comix2/aunt", {360, 560, 1, 1, 0xFFB0A0E0, "AUNT 2"}},
    {"images/comix3/girl", {360, 560, 1, 1, 0xFFE0C0A0, "GIRL 3"}},
    {"images/comix3/aunt", {360, 560, 1, 1, 0xFFC0A0E0, "AUNT 3"}},
    {"images/map/cloudsday", {1024, 256, 1, 1, 0x60FFFFFF, ""}}, // a haze: no label drifting over the map
    // The three restaurants, where the map's glows light up around them.
    {"images/map/restaurant1", {150, 110, 1, 1, 0xFFC07050, "Restaurant 1"}},
    {"images/map/restaurant2", {150, 110, 1, 1, 0xFF5080C0, "Restaurant 2"}},
    {"images/map/restaurant3", {150, 110, 1, 1, 0xFF60A060, "Restaurant 3"}},
    {"images/dog", {240, 200, 1, 1, 0xFFC08040, "DOG"}},
    {"images/dogeye", {24, 16, 1, 1, 0xFF201000, ""}},
    {"images/anim/cateye", {48, 24, 4, 1, 0xFF40C040, "CAT"}},
    {"images/anim/ringshine", {64, 64, 4, 1, 0xC0FFFFA0, "RING"}},
    {"images/anim/month", {160, 80, 4, 1, 0xFFF0F0F0, "MONTH"}},
};

// A four-frame animation of a picture cut into four cels in a row.
std::string CelAnimation(const char* picture, int w, int h, int x, int y, int delay) {
    return Format("[Main]\nSprite=Sprite\nX=%d\nY=%d\n", x, y) +
           Format("Frames=0,1,2,3\nFrameDelay=%d\n[Sprite]\nImageFile=", delay) + picture +
           Format("\nAttributes=nopal\nRects=0,0,%d,%d\nColCount=4\nRowCount=1\n", w, h);
}

// The flying piece and the glows of the secret dialog: a single frame whose
// picture the dialog gives.
constexpr const char* kEmptyAnimation = "[Main]\nFrames=0\nFrameDelay=1\n";

// The map's clouds drift to the right across the window, picture given.
constexpr const char* kCloudsAnimation = "[Main]\nFrames=0\nFrameDelay=1\nSpeedX=0.25\nSpeedY=0\n"
                                         "Width=1024\nHeight=768\n";

// A comics page set: one page whose captions type in one after another;
// the first scene has sixteen (the fifteenth shows the month).
std::string ComicsPages(int scene) {
    const int count = scene == 1 ? 16 : 4;
    std::string text = "[Main]\nPagesCount=1\n[Page1]\n";
    for (int n = 1; n <= count; ++n)
        text += Format("Text%d=300,560,424,80,", n) + Format("Comix%d_%d,0x000000,0,40,80\n", scene, n);
    return WithCrLf(text);
}

// Furniture put in the room: a short puff of sparkles over the piece,
// WIDTH and HEIGHT set by the room to the piece's size.
constexpr const char* kAddInRoom = "[Main]\nTime=0.5\n"
                                   "[Item1]\nImage=IMAGE_SPARKLE\nShape=2\nIntense=1\nDrawAdditive=1\n"
                                   "NUMBER=0,30;1,0\nEMISSION_RANGE=0,1\nLIFE=0,0.5\nWIDTH=0,100;1,100\n"
                                   "HEIGHT=0,100;1,100\nVELOCITY=0,1;1,0\nSTART_SPREAD=0,6.28\n"
                                   "SIZE=0,1;1,0.3\nALPHA=0,255;1,0\n";

} // namespace

bool WriteMetaPictures(const std::string& root, const GlyphSheet& labels) {
    for (const FilePicture& picture : kPictures)
        if (!WritePlaceholderPng(root + "/" + picture.mPath + ".png", picture.mArt, &labels))
            return false;
    const std::string data = root + "/data/";
    return WriteContentFile(data + "cateye.anim",
                            WithCrLf(CelAnimation("images\\anim\\cateye", 48, 24, 700, 420, 8))) &&
           WriteContentFile(data + "ringshine.anim",
                            WithCrLf(CelAnimation("images\\anim\\ringshine", 64, 64, 660, 300, 5))) &&
           WriteContentFile(data + "month.anim",
                            WithCrLf(CelAnimation("images\\anim\\month", 160, 80, 512, 120, 12))) &&
           WriteContentFile(data + "clouds.anim", WithCrLf(kCloudsAnimation)) &&
           WriteContentFile(data + "empty.anim", WithCrLf(kEmptyAnimation)) &&
           WriteContentFile(data + "empty1.anim", WithCrLf(kEmptyAnimation)) &&
           WriteContentFile(data + "comix.txt", ComicsPages(1)) &&
           WriteContentFile(data + "comix2.txt", ComicsPages(2)) &&
           WriteContentFile(data + "comix3.txt", ComicsPages(3)) &&
           WriteContentFile(root + "/particles/addinroom.ini", WithCrLf(kAddInRoom));
}

} // namespace Kavo::SampleContent
