#include "tools/sample_content/bonus_content.h"

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/content_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace Kavo::SampleContent {

namespace {

using Pixels = std::vector<uint32_t>;

uint32_t Argb(double a, int r, int g, int b) {
    const auto alpha = static_cast<uint32_t>(std::clamp(static_cast<int>(std::lround(a * 255)), 0, 255));
    return (alpha << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

// A soft ring per cel, its radius growing from cel to cel: the charged blink.
Pixels BlinkStrip(int cel, int count) {
    Pixels px(size_t(cel) * count * cel, 0);
    for (int i = 0; i < count; ++i) {
        const double radius = cel * (0.2 + 0.25 * i / std::max(1, count - 1));
        for (int y = 0; y < cel; ++y)
            for (int x = 0; x < cel; ++x) {
                const double d = std::hypot(x + 0.5 - cel / 2.0, y + 0.5 - cel / 2.0) - radius;
                const double a = std::max(0.0, 1.0 - std::abs(d) / 4.0) * (1.0 - 0.6 * i / count);
                px[size_t(y) * cel * count + size_t(i) * cel + x] = Argb(a, 255, 240, 160);
            }
    }
    return px;
}

// The bonus buttons' faces, 80 x 100: the board screen clips a charging face
// to its charge from the bottom and draws the charge line one pixel lower
// per missing percent from the face's top, so a face 100 high keeps the line
// on the edge of its filled part. A rounded plate of the bonus's colour with
// its sign in white.
constexpr int kFaceWidth = 80;
constexpr int kFaceHeight = 100;
// The charge line: eight cels of a thin strip as wide as a face, a light
// running along it.
constexpr int kLineHeight = 6;
constexpr int kLineCels = 8;

struct Face {
    const char* mFile;
    int mRed, mGreen, mBlue;
    // The sign, tested per pixel with coordinates relative to the face's
    // centre.
    bool (*mSign)(double x, double y);
};

bool Ring(double x, double y, double radius, double width) {
    return std::abs(std::hypot(x, y) - radius) < width;
}

constexpr Face kFaces[] = {
    {"bonus_knife", 200, 60, 60, [](double x, double y) { return std::abs(x + y) < 4 && std::abs(x - y) < 50; }},
    {"bonus_shuffle", 60, 150, 200,
     [](double x, double y) { return Ring(x, y, 22, 3) && !(std::abs(y) < 6 && x > 0); }},
    {"bonus_breakline", 220, 140, 40, [](double x, double y) { return std::abs(y) < 4 && std::abs(x) < 28; }},
    {"bonus_hint", 230, 200, 60,
     [](double x, double y) { return std::hypot(x, y + 6) < 14 || (std::abs(x) < 6 && y > 8 && y < 20); }},
    {"bonus_timer", 80, 170, 90,
     [](double x, double y) {
         return Ring(x, y, 24, 3) || (std::abs(x) < 2.5 && y < 0 && y > -18) || (std::abs(y) < 2.5 && x > 0 && x < 14);
     }},
    {"bonus_pepper", 210, 50, 40, [](double x, double y) { return std::hypot(x / 12, (y - 4) / 22) < 1; }},
    {"bonus_recolor", 160, 80, 200,
     [](double x, double y) {
         return std::hypot(x + 16, y + 8) < 8 || std::hypot(x - 16, y + 8) < 8 || std::hypot(x, y + 20 - 34) < 8;
     }},
    {"bonus_x2", 90, 90, 200,
     [](double x, double y) {
         return std::abs(y) < 16 &&
                (std::abs(x + 10 - y * 0.5) < 3 || std::abs(x + 10 + y * 0.5) < 3 || std::abs(x - 18) < 3);
     }},
    // Drawn over a face: the line break's toast and the pepper's gold pulse.
    {"bonus_breakline2", 250, 220, 120, [](double x, double y) { return std::abs(y) < 6 && std::abs(x) < 34; }},
    {"bonus_pepper_gold", 250, 200, 60, [](double x, double y) { return std::hypot(x / 14, (y - 4) / 24) < 1; }},
};

Pixels FacePicture(const Face& face) {
    Pixels px(size_t(kFaceWidth) * kFaceHeight, 0);
    const double halfW = kFaceWidth / 2.0;
    const double halfH = kFaceHeight / 2.0;
    constexpr double kCorner = 14;
    for (int y = 0; y < kFaceHeight; ++y)
        for (int x = 0; x < kFaceWidth; ++x) {
            const double cx = x + 0.5 - halfW;
            const double cy = y + 0.5 - halfH;
            // Distance outside the rounded rectangle inset by the corner.
            const double ox = std::max(std::abs(cx) - (halfW - 1 - kCorner), 0.0);
            const double oy = std::max(std::abs(cy) - (halfH - 1 - kCorner), 0.0);
            const double edge = kCorner - std::hypot(ox, oy);
            if (edge <= 0)
                continue;
            const double alpha = std::min(edge, 1.0);
            if (face.mSign(cx, cy)) {
                px[size_t(y) * kFaceWidth + x] = Argb(alpha, 255, 255, 255);
                continue;
            }
            // Lighter at the top, a darker rim.
            const double shade = (edge < 3 ? 0.6 : 1.0) * (1.1 - 0.3 * (y / double(kFaceHeight)));
            auto channel = [&](int c) { return std::clamp(static_cast<int>(c * shade), 0, 255); };
            px[size_t(y) * kFaceWidth + x] = Argb(alpha, channel(face.mRed), channel(face.mGreen), channel(face.mBlue));
        }
    return px;
}

Pixels ChargeLine() {
    const int width = kFaceWidth * kLineCels;
    Pixels px(size_t(width) * kLineHeight, 0);
    for (int cel = 0; cel < kLineCels; ++cel)
        for (int y = 0; y < kLineHeight; ++y)
            for (int x = 0; x < kFaceWidth; ++x) {
                const double across = 1.0 - std::abs(y + 0.5 - kLineHeight / 2.0) / (kLineHeight / 2.0);
                const double light = std::max(0.0, 1.0 - std::abs(x - (cel + 0.5) * kFaceWidth / kLineCels) / 12.0);
                px[size_t(y) * width + size_t(cel) * kFaceWidth + x] =
                    Argb(across * (0.6 + 0.4 * light), 255, 255, static_cast<int>(120 + 135 * light));
            }
    return px;
}

// CR LF, as the game's data files are written.
constexpr const char* kBlinkAnim = "[Main]\r\n"
                                   "Sprite=BonusBlink\r\n"
                                   "Frames=0,1,2,3\r\n"
                                   "FrameDelay=6\r\n"
                                   "NeverEnding=1\r\n"
                                   "DrawAdditive=1\r\n"
                                   "\r\n"
                                   "[BonusBlink]\r\n"
                                   "ImageFile=images/bonusblink\r\n"
                                   "Rects=0,0,96,96\r\n"
                                   "ColCount=4\r\n"
                                   "RowCount=1\r\n";

} // namespace

// The faces and the line replace the game pictures' placeholders of the
// same names (the resource list names them; it is written before).
bool WriteBonusContent(const std::string& root) {
    for (const Face& face : kFaces)
        if (!WriteContentFile(root + "/images/game/" + face.mFile + ".png",
                              ImageEncoders::EncodePngArgb(kFaceWidth, kFaceHeight, FacePicture(face))))
            return false;
    return WriteContentFile(root + "/images/game/bonusline.png",
                            ImageEncoders::EncodePngArgb(kFaceWidth * kLineCels, kLineHeight, ChargeLine())) &&
           WriteContentFile(root + "/data/bonusblink.anim", std::string(kBlinkAnim)) &&
           WriteContentFile(root + "/images/bonusblink.png",
                            ImageEncoders::EncodePngArgb(96 * 4, 96, BlinkStrip(96, 4)));
}

} // namespace Kavo::SampleContent
