#include "tools/sample_content/meta_pictures.h"

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/content_files.h"
#include "tools/sample_content/placeholder_art.h"
#include "tools/sample_content/sketch.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace Kavo::SampleContent {

namespace {

std::string Format(const char* format, int a, int b = 0, int c = 0) {
    char text[160];
    std::snprintf(text, sizeof(text), format, a, b, c);
    return text;
}

// What a picture shows: the comics' people and things, the map's
// restaurants and the animations' eyes, shine and calendar leaf.
enum class Shows { Person, Phone, Bubble, Eye, Restaurant, Dog, CatEye, Shine, Calendar, Haze };

struct FilePicture {
    const char* mPath; // under the content folder, without ".png"
    Placeholder mArt;  // its caption, where it has one, names what it shows
    Shows mShows;
};

// The pictures the screens fetch by file name, and those of the frame
// animations below.
const FilePicture kPictures[] = {
    {"images/comix/girl", {360, 560, 1, 1, 0xFFE0A0B0, "Girl"}, Shows::Person},
    {"images/comix/aunt", {360, 560, 1, 1, 0xFFA0B0E0, "Aunt"}, Shows::Person},
    {"images/comix/phone", {200, 200, 1, 1, 0xFF606060, ""}, Shows::Phone},
    // The captions' balloon, stretched from 90 x 47 over each caption: it
    // lies under the caption's words, so it carries none of its own.
    {"images/comix/circle", {90, 47, 1, 1, 0xE0FFFFF0, ""}, Shows::Bubble},
    {"images/comix/aunteye", {40, 20, 1, 1, 0xFF402020, ""}, Shows::Eye},
    {"images/comix/girleye", {40, 20, 1, 1, 0xFF402020, ""}, Shows::Eye},
    {"images/comix2/girl", {360, 560, 1, 1, 0xFFE0B0A0, "Girl"}, Shows::Person},
    {"images/comix2/aunt", {360, 560, 1, 1, 0xFFB0A0E0, "Aunt"}, Shows::Person},
    {"images/comix3/girl", {360, 560, 1, 1, 0xFFE0C0A0, "Girl"}, Shows::Person},
    {"images/comix3/aunt", {360, 560, 1, 1, 0xFFC0A0E0, "Aunt"}, Shows::Person},
    {"images/map/cloudsday", {1024, 256, 1, 1, 0x60FFFFFF, ""}, Shows::Haze}, // no label drifting over the map
    // The three restaurants, where the map's glows light up around them.
    {"images/map/restaurant1", {150, 110, 1, 1, 0xFFC07050, "Restaurant 1"}, Shows::Restaurant},
    {"images/map/restaurant2", {150, 110, 1, 1, 0xFF5080C0, "Restaurant 2"}, Shows::Restaurant},
    {"images/map/restaurant3", {150, 110, 1, 1, 0xFF60A060, "Restaurant 3"}, Shows::Restaurant},
    {"images/dog", {240, 200, 1, 1, 0xFFC08040, ""}, Shows::Dog},
    {"images/dogeye", {24, 16, 1, 1, 0xFF201000, ""}, Shows::Eye},
    {"images/anim/cateye", {48, 24, 4, 1, 0xFF40C040, ""}, Shows::CatEye},
    {"images/anim/ringshine", {64, 64, 4, 1, 0xC0FFFFA0, ""}, Shows::Shine},
    {"images/anim/month", {160, 80, 4, 1, 0xFFF0F0F0, ""}, Shows::Calendar},
};

void Person(Sketch& s, uint32_t color) {
    const double w = s.Width(), h = s.Height();
    s.Polygon({{w * 0.2, h}, {w * 0.3, h * 0.45}, {w * 0.7, h * 0.45}, {w * 0.8, h}}, color);
    s.Disc(w / 2, h * 0.3, w * 0.2, 0xFF503020);
    s.Disc(w / 2, h * 0.33, w * 0.17, 0xFFF4D0B0);
    s.Disc(w * 0.44, h * 0.32, w * 0.02, 0xFF302020);
    s.Disc(w * 0.56, h * 0.32, w * 0.02, 0xFF302020);
    s.Line({w * 0.45, h * 0.38}, {w * 0.55, h * 0.38}, 3, 0xFFC05050);
}

void Eye(Sketch& s, int left, int width, double open, uint32_t iris) {
    const double h = s.Height(), cx = left + width / 2.0;
    s.Ellipse(cx, h / 2, width / 2.0 - 1, std::max(1.0, (h / 2 - 1) * open), 0xFFFFFFFF);
    if (open > 0.3)
        s.Disc(cx, h / 2, std::min(width, int(h)) * 0.28 * open, iris);
}

Pixels Draw(const FilePicture& picture, const GlyphSheet& labels) {
    const Placeholder& art = picture.mArt;
    const int w = art.mCelWidth, h = art.mCelHeight;
    Sketch s(w * art.mCols, h * art.mRows);
    switch (picture.mShows) {
    case Shows::Person:
        Person(s, art.mColor);
        break;
    case Shows::Phone:
        s.RoundBox(w * 0.15, h * 0.45, w * 0.85, h * 0.9, 12, 0xFF303030);
        s.RoundBox(w * 0.1, h * 0.2, w * 0.9, h * 0.4, 14, 0xFF404040);
        s.Disc(w / 2.0, h * 0.67, h * 0.14, 0xFFD0D0D0);
        break;
    case Shows::Bubble:
        s.Polygon({{w * 0.3, h * 0.7}, {w * 0.2, h - 2.0}, {w * 0.45, h * 0.75}}, art.mColor);
        s.Ellipse(w / 2.0, h * 0.42, w / 2.0 - 2, h * 0.4, art.mColor);
        break;
    case Shows::Eye:
        Eye(s, 0, w, 1.0, 0xFF403020);
        break;
    case Shows::CatEye:
        for (int cel = 0; cel < art.mCols; ++cel) {
            const double open = cel == 2 ? 0.15 : cel == 1 ? 0.6 : 1.0;
            Eye(s, cel * w, w / 2, open, art.mColor);
            Eye(s, cel * w + w / 2, w / 2, open, art.mColor);
        }
        break;
    case Shows::Restaurant:
        s.Box(w * 0.15, h * 0.4, w * 0.85, h * 0.95, art.mColor);
        s.Polygon({{w * 0.08, h * 0.42}, {w * 0.5, h * 0.05}, {w * 0.92, h * 0.42}}, Shade(art.mColor, 0.6));
        s.Box(w * 0.44, h * 0.62, w * 0.56, h * 0.95, 0xFF604030);
        s.Box(w * 0.22, h * 0.52, w * 0.36, h * 0.66, 0xFFF0E8A0);
        s.Box(w * 0.64, h * 0.52, w * 0.78, h * 0.66, 0xFFF0E8A0);
        break;
    case Shows::Dog:
        s.Ellipse(w * 0.55, h * 0.65, w * 0.3, h * 0.2, art.mColor);
        s.Disc(w * 0.28, h * 0.4, h * 0.18, art.mColor);
        s.Ellipse(w * 0.2, h * 0.32, w * 0.05, h * 0.12, Shade(art.mColor, 0.6));
        s.Disc(w * 0.16, h * 0.46, h * 0.04, 0xFF201000);
        for (double leg : {0.35, 0.5, 0.65, 0.78})
            s.Box(w * leg, h * 0.75, w * leg + 10, h * 0.97, art.mColor);
        s.Line({w * 0.84, h * 0.6}, {w * 0.95, h * 0.42}, 8, art.mColor);
        break;
    case Shows::Shine:
        for (int cel = 0; cel < art.mCols; ++cel) {
            const double c = w / 2.0;
            s.Glow(cel * w + c, c, c * (0.5 + 0.15 * cel), art.mColor);
            s.Star(cel * w + c, c, c * (0.5 + 0.12 * cel), c * 0.1, 4, cel * 0.2, 0xFFFFFFFF);
        }
        break;
    case Shows::Calendar:
        for (int cel = 0; cel < art.mCols; ++cel) {
            const double left = cel * w + 4, lift = cel * 2.0;
            s.Box(left, 4 - lift, left + w - 8, h - 4 - lift, 0xFF606060);
            s.Box(left + 2, 6 - lift, left + w - 10, h - 6 - lift, art.mColor);
            s.Box(left + 2, 6 - lift, left + w - 10, h * 0.3 - lift, 0xFFD04040);
            for (int row = 0; row < 3; ++row)
                for (int col = 0; col < 7; ++col)
                    s.Box(left + 10 + col * 19, h * 0.4 + row * 12 - lift, left + 18 + col * 19,
                          h * 0.4 + row * 12 + 6 - lift, 0xFF909090);
        }
        break;
    case Shows::Haze:
        // Soft puffs well inside the picture: it is tiled as it drifts, so
        // anything at an edge would show as a straight band where tiles meet.
        for (int cloud = 0; cloud < 4; ++cloud) {
            const double cx = w * (0.14 + 0.24 * cloud), cy = h * (cloud % 2 == 0 ? 0.38 : 0.62);
            for (int puff = -2; puff <= 2; ++puff) {
                const double x = cx + puff * w * 0.03, y = cy - (2 - std::abs(puff)) * h * 0.05;
                const double r = h * (0.2 - std::abs(puff) * 0.025);
                s.Glow(x, y, r * 1.3, art.mColor);
                s.Disc(x, y, r * 0.75, WithAlpha(art.mColor, 0x38));
            }
        }
        break;
    }
    Pixels pixels = s.Pixels();
    // A small caption along the bottom, where one helps.
    if (!art.mLabel.empty())
        DrawLabel(pixels, s.Width(), s.Height(), (s.Width() - LabelWidth(art.mLabel, labels)) / 2,
                  s.Height() - labels.mHeight - 2, art.mLabel, labels);
    return pixels;
}

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
    for (const FilePicture& picture : kPictures) {
        const Placeholder& art = picture.mArt;
        if (!WriteContentFile(root + "/" + picture.mPath + ".png",
                              ImageEncoders::EncodePngArgb(art.mCelWidth * art.mCols, art.mCelHeight * art.mRows,
                                                           Draw(picture, labels))))
            return false;
    }
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
