#include "tools/sample_content/picture_art.h"

#include "tools/sample_content/thing_art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <vector>

namespace Kavo::SampleContent {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kInk = 0xFF202020;

// The timer, as the board draws it: the dial centred on the layout's point,
// the ring centred 3 pixels left of it and 37 below, and the needle turned
// about its point (0, 18), which lands 9 pixels below the ring's centre. The
// needle sweeps from 50 degrees (up and right) over the top to 132 degrees
// (up and left) as the stage's time runs out.
constexpr int kDialWidth = 128;
constexpr int kDialHeight = 224;
constexpr int kRingSize = 128;
constexpr int kNeedleWidth = 46;
constexpr int kNeedleHeight = 36;
constexpr int kFaceRadius = 52;
constexpr double kSweepFrom = 50.0;
constexpr double kSweepTo = 132.0;

struct Canvas {
    int mWidth;
    int mHeight;
    Pixels mPixels;

    Canvas(int width, int height) : mWidth(width), mHeight(height), mPixels(size_t(width) * size_t(height), 0) {}
    void Put(int x, int y, uint32_t color) {
        if (x >= 0 && y >= 0 && x < mWidth && y < mHeight)
            mPixels[size_t(y) * size_t(mWidth) + size_t(x)] = color;
    }
    // Every pixel whose centre passes `inside` takes the colour.
    template <typename Inside>
    void Fill(uint32_t color, Inside inside) {
        for (int y = 0; y < mHeight; ++y)
            for (int x = 0; x < mWidth; ++x)
                if (inside(x + 0.5, y + 0.5))
                    Put(x, y, color);
    }
};

// The angle (degrees, counter-clockwise from the right, as seen) of a point
// about a centre, in 0..360.
double AngleAbout(double x, double y, double cx, double cy) {
    const double degrees = std::atan2(cy - y, x - cx) * 180.0 / kPi;
    return degrees < 0 ? degrees + 360.0 : degrees;
}

// A clock face about (cx, cy): a light disk with a dark rim, the sweep's arc
// green with its last tenth red, and a mark every tenth of the sweep.
void DrawFace(Canvas& canvas, double cx, double cy) {
    auto distance = [&](double x, double y) { return std::hypot(x - cx, y - cy); };
    canvas.Fill(0xFF404040, [&](double x, double y) { return distance(x, y) <= kFaceRadius; });
    canvas.Fill(0xFFF4ECD8, [&](double x, double y) { return distance(x, y) <= kFaceRadius - 3; });
    const double redFrom = kSweepTo - (kSweepTo - kSweepFrom) / 10.0;
    canvas.Fill(0xFF70C070, [&](double x, double y) {
        const double r = distance(x, y), a = AngleAbout(x, y, cx, cy);
        return r >= kFaceRadius - 14 && r <= kFaceRadius - 6 && a >= kSweepFrom && a < redFrom;
    });
    canvas.Fill(0xFFE04030, [&](double x, double y) {
        const double r = distance(x, y), a = AngleAbout(x, y, cx, cy);
        return r >= kFaceRadius - 14 && r <= kFaceRadius - 6 && a >= redFrom && a <= kSweepTo;
    });
    for (int mark = 0; mark <= 10; ++mark) {
        const double a = (kSweepFrom + (kSweepTo - kSweepFrom) * mark / 10.0) * kPi / 180.0;
        for (double r = kFaceRadius - 20; r <= kFaceRadius - 4; r += 0.5)
            for (int w = -1; w <= 0; ++w)
                canvas.Put(int(cx + r * std::cos(a) - w * std::sin(a)), int(cy - r * std::sin(a) - w * std::cos(a)),
                           kInk);
    }
}

Pixels Dial() {
    Canvas canvas(kDialWidth, kDialHeight);
    // The needle's point, in the dial centred on the board's point.
    DrawFace(canvas, kDialWidth / 2 - 3, kDialHeight / 2 + 46);
    return canvas.mPixels;
}

// A rim over the face's edge and a hub over the needle's root, clear
// between them, so that the needle is seen turning under the rim.
Pixels Ring() {
    Canvas canvas(kRingSize, kRingSize);
    const double cx = kRingSize / 2.0, cy = kRingSize / 2.0 + 9;
    canvas.Fill(0xFF806040, [&](double x, double y) {
        const double r = std::hypot(x - cx, y - cy);
        return (r >= kFaceRadius - 2 && r <= kFaceRadius + 3) || r <= 5;
    });
    return canvas.mPixels;
}

// Pointing right from its point (0, 18), tapering to its tip.
Pixels Needle() {
    Canvas canvas(kNeedleWidth, kNeedleHeight);
    const double cy = 18.0, length = kFaceRadius - 8;
    canvas.Fill(0xFFB02020,
                [&](double x, double y) { return x <= length && std::fabs(y - cy) <= 3.0 - 2.0 * x / length + 0.01; });
    return canvas.mPixels;
}

// A point inside the polygon (even-odd rule).
bool InPolygon(const std::vector<std::pair<double, double>>& points, double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const auto [xi, yi] = points[i];
        const auto [xj, yj] = points[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

// A shape in `fill` with a dark outline a pixel wide.
Pixels Outlined(int width, int height, uint32_t fill, const std::vector<std::pair<double, double>>& points) {
    Canvas canvas(width, height);
    canvas.Fill(kInk, [&](double x, double y) { return InPolygon(points, x, y); });
    canvas.Fill(fill, [&](double x, double y) {
        return InPolygon(points, x - 1, y) && InPolygon(points, x + 1, y) && InPolygon(points, x, y - 1) &&
               InPolygon(points, x, y + 1);
    });
    return canvas.mPixels;
}

// The game draws a pointer centred on the mouse: the arrow's tip is the
// picture's centre.
Pixels Pointer(int size, uint32_t fill) {
    const double c = size / 2.0;
    return Outlined(size, size, fill,
                    {{c, c},
                     {c, c + 14},
                     {c + 3.5, c + 10.5},
                     {c + 6.5, c + 16},
                     {c + 9, c + 15},
                     {c + 6, c + 9.5},
                     {c + 10.5, c + 9.5}});
}

// Four arrows out of the centre: something is being carried.
Pixels Dragging(int size) {
    const double c = size / 2.0;
    std::vector<std::pair<double, double>> cross;
    for (int quarter = 0; quarter < 4; ++quarter) {
        // One arm, turned by a quarter each time.
        const std::pair<double, double> arm[] = {{2, -2}, {9, -2}, {9, -5}, {14, 0}, {9, 5}, {9, 2}};
        for (const auto& [u, v] : arm) {
            const double x = quarter == 0 ? u : quarter == 1 ? -v : quarter == 2 ? -u : v;
            const double y = quarter == 0 ? v : quarter == 1 ? u : quarter == 2 ? -v : -u;
            cross.emplace_back(c + x, c + y);
        }
    }
    return Outlined(size, size, 0xFFFFFFFF, cross);
}

// An I-beam centred on the mouse: text is typed here.
Pixels TextBeam(int size) {
    Canvas canvas(size, size);
    const int c = size / 2;
    for (int y = c - 9; y <= c + 9; ++y)
        canvas.Put(c, y, kInk);
    for (int x = c - 3; x <= c + 3; ++x) {
        canvas.Put(x, c - 9, kInk);
        canvas.Put(x, c + 9, kInk);
    }
    return canvas.mPixels;
}

// A bright frame around the two cells of a move, clear inside so that the
// items stay seen.
Pixels MoveFrame(int width, int height) {
    Canvas canvas(width, height);
    canvas.Fill(0xFFFFE040, [&](double x, double y) { return x < 4 || y < 4 || x > width - 4 || y > height - 4; });
    return canvas.mPixels;
}

// Words along the bottom of a clear picture, on a light strip: laid over a
// button, they leave its sign seen.
Pixels Caption(int width, int height, const std::string& text, const GlyphSheet& glyphs) {
    Canvas canvas(width, height);
    const int top = height - glyphs.mHeight - 6;
    canvas.Fill(0xC0FFF4D0, [&](double, double y) { return y >= top && y < height - 2; });
    DrawLabel(canvas.mPixels, width, height, (width - LabelWidth(text, glyphs)) / 2, top + 2, text, glyphs);
    return canvas.mPixels;
}

// What each picture that stands for words says.
const std::map<std::string, std::string>& Words() {
    static const std::map<std::string, std::string> words = {
        {"SECRETPART_TEXT", "Secret piece!"},
        {"COMBO1_1", "Combo!"},
        {"COMBO1_2", "Combo!"},
        {"COMBO2_1", "Super combo!"},
        {"COMBO2_2", "Super combo!"},
        {"GO", "Go!"},
        {"NO_MORE_MOVES", "No more moves"},
        {"TIME_IS_OVER", "Time is over"},
        {"LEVEL_COMPLETE", "Stage complete!"},
        {"PAUSED", "Paused"},
        {"BUY", "Buy"},
        {"INROOM", "In room"},
        {"MENUTEXT", "Hint!"},
    };
    return words;
}

bool Fits(const std::string& text, const GlyphSheet& glyphs, int width, int height) {
    const int rim = std::max(1, std::min(width, height) / 16);
    return LabelWidth(text, glyphs) <= width - 2 * rim && glyphs.mHeight <= height - 2 * rim;
}

} // namespace

std::string PictureWords(const std::string& name) {
    const auto found = Words().find(name);
    return found != Words().end() ? found->second : std::string();
}

Pixels DrawGamePicture(const std::string& name, const Placeholder& art, const GlyphSheet& labels,
                       const GlyphSheet& words) {
    const int size = art.mCelWidth;
    if (name == "TIMER")
        return Dial();
    if (name == "TIMER_CIRCLE")
        return Ring();
    if (name == "TIMER_ARROW")
        return Needle();
    if (name == "CUSTOM_POINTER")
        return Pointer(size, 0xFFFFFFFF);
    if (name == "CUSTOM_HAND")
        return Pointer(size, 0xFFFFD040);
    if (name == "CUSTOM_DRAGGING")
        return Dragging(size);
    if (name == "CUSTOM_TEXT")
        return TextBeam(size);
    if (name == "HINT_HORZ" || name == "HINT_VERT")
        return MoveFrame(art.mCelWidth, art.mCelHeight);
    const std::string text = PictureWords(name);
    if (name == "MENUTEXT")
        return Caption(art.mCelWidth, art.mCelHeight, text,
                       Fits(text, words, art.mCelWidth, art.mCelHeight) ? words : labels);
    if (text.empty()) {
        // A picture that stands for a thing shows it, never its resource
        // name; one with no drawing of its own is a plain panel.
        Pixels thing = ThingPicture(name, art);
        if (!thing.empty())
            return thing;
        Placeholder plain = art;
        plain.mLabel.clear();
        return DrawPlaceholder(plain, nullptr);
    }
    Placeholder worded = art;
    worded.mLabel = text;
    const bool large = art.mCols * art.mRows == 1 && Fits(text, words, art.mCelWidth, art.mCelHeight);
    return DrawPlaceholder(worded, large ? &words : &labels);
}

Pixels BlenderStrip(int buttonWidth, int buttonHeight) {
    const int frameWidth = 2 * buttonWidth, frameHeight = 2 * buttonHeight;
    const int width = frameWidth * kBlenderFrames;
    Pixels strip(size_t(width) * size_t(frameHeight), 0);
    constexpr double kCorner = 14, kRadius = 22, kStroke = 3;
    const double halfW = buttonWidth / 2.0, halfH = buttonHeight / 2.0;
    for (int frame = 0; frame < kBlenderFrames; ++frame) {
        // The shuffle's own plate, its circling arrow turned a step further
        // each frame and its blue pulsing: the items are being stirred.
        const double turn = 2.0 * std::numbers::pi * frame / kBlenderFrames;
        const double pulse = 1.0 + 0.15 * (frame % 3);
        for (int y = 0; y < buttonHeight; ++y)
            for (int x = 0; x < buttonWidth; ++x) {
                const double cx = x + 0.5 - halfW, cy = y + 0.5 - halfH;
                const double ox = std::max(std::abs(cx) - (halfW - 1 - kCorner), 0.0);
                const double oy = std::max(std::abs(cy) - (halfH - 1 - kCorner), 0.0);
                const double edge = kCorner - std::hypot(ox, oy);
                if (edge <= 0)
                    continue;
                const auto alpha = uint32_t(std::lround(std::min(edge, 1.0) * 255)) << 24;
                const double rx = cx * std::cos(turn) + cy * std::sin(turn);
                const double ry = cy * std::cos(turn) - cx * std::sin(turn);
                const bool arrow = std::abs(std::hypot(rx, ry) - kRadius) < kStroke && !(std::abs(ry) < 6 && rx > 0);
                auto channel = [&](double c) { return uint32_t(std::clamp(std::lround(c * pulse), 0L, 255L)); };
                const uint32_t colour =
                    arrow ? 0xFFFFFFu : (channel(60) << 16) | (channel(150) << 8) | channel(edge < 3 ? 150 : 200);
                strip[size_t(buttonHeight + y) * size_t(width) + size_t(frame * frameWidth + buttonWidth + x)] =
                    alpha | colour;
            }
    }
    return strip;
}

Pixels SwapArrow(int width, int height, uint32_t fill) {
    // Laid out along x for a wide picture; a tall one takes the same arrow
    // turned a quarter.
    const bool wide = width >= height;
    const double length = wide ? width : height, across = wide ? height : width;
    const double mid = across / 2.0, head = std::min(across / 2.0, length / 4.0), shaft = across / 7.0;
    const std::pair<double, double> outline[] = {{2, mid},
                                                 {head, 3},
                                                 {head, mid - shaft},
                                                 {length - head, mid - shaft},
                                                 {length - head, 3},
                                                 {length - 2, mid},
                                                 {length - head, across - 3},
                                                 {length - head, mid + shaft},
                                                 {head, mid + shaft},
                                                 {head, across - 3}};
    std::vector<std::pair<double, double>> points;
    for (const auto& [along, side] : outline)
        points.emplace_back(wide ? along : side, wide ? side : along);
    return Outlined(width, height, fill, points);
}

Pixels PairRing(int width, int height, uint32_t fill) {
    const bool wide = width >= height;
    const double length = wide ? width : height, across = wide ? height : width;
    // The items leave about a tenth of a cell clear at its edge.
    const double rim = across / 10.0;
    Canvas canvas(width, height);
    canvas.Fill(fill, [&](double x, double y) {
        const double along = wide ? x : y, side = wide ? y : x;
        const bool ring = along < rim || side < rim || along > length - rim || side > across - rim;
        const bool bridge = std::abs(along - length / 2.0) < rim && std::abs(side - across / 2.0) < across / 3.0;
        return ring || bridge;
    });
    return canvas.mPixels;
}

} // namespace Kavo::SampleContent
