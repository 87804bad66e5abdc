#include "tools/sample_content/thing_art.h"

#include "tools/sample_content/sketch.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace Kavo::SampleContent {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kOutline = 0xFF303030;
constexpr uint32_t kGold = 0xFFF0C030;

using CelDrawing = std::function<void(Sketch& cel, int index)>;

// A picture of cols x rows cels, each drawn on its own.
Pixels Cels(int width, int height, int cols, int rows, const CelDrawing& draw) {
    const int stride = width * cols;
    Pixels pixels(size_t(stride) * size_t(height * rows), 0);
    for (int index = 0; index < cols * rows; ++index) {
        Sketch cel(width, height);
        draw(cel, index);
        const int left = index % cols * width, top = index / cols * height;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[size_t(top + y) * size_t(stride) + size_t(left + x)] =
                    cel.Pixels()[size_t(y) * size_t(width) + size_t(x)];
    }
    return pixels;
}

Pixels CelsOf(const Placeholder& art, const CelDrawing& draw) {
    return Cels(art.mCelWidth, art.mCelHeight, art.mCols, art.mRows, draw);
}

// A four-pointed sparkle in a soft light of its colour.
void Sparkle(Sketch& s, double cx, double cy, double size, uint32_t color) {
    s.Glow(cx, cy, size, WithAlpha(color, 0x90));
    s.Star(cx, cy, size, size * 0.22, 4, 0, color);
    s.Disc(cx, cy, size * 0.2, 0xFFFFFFFF);
}

// A coin seen turned by `turn` (0 face on, 1 edge on).
void Coin(Sketch& s, double cx, double cy, double radius, double turn) {
    const double rx = std::max(1.5, radius * std::cos(turn * kPi / 2));
    s.Ellipse(cx, cy, rx, radius, Shade(kGold, 0.6));
    s.Ellipse(cx, cy, std::max(1.0, rx - 2), radius - 2, kGold);
    if (rx > radius / 2)
        s.Ellipse(cx, cy, rx * 0.45, radius * 0.45, Shade(kGold, 1.2));
}

// A drinking glass, a plate with a dish, and a crate: the three kinds of
// item a stage asks for (stuff, food, drink by cel).
void KindIcon(Sketch& s, int kind) {
    const double w = s.Width(), h = s.Height(), u = std::min(w, h) / 28.0;
    if (kind == 0) {
        s.Box(5 * u, 9 * u, 23 * u, 24 * u, kOutline);
        s.Box(6.5 * u, 10.5 * u, 21.5 * u, 22.5 * u, 0xFFC08040);
        s.Line({6.5 * u, 10.5 * u}, {21.5 * u, 22.5 * u}, 1.5 * u, 0xFF805020);
        s.Line({21.5 * u, 10.5 * u}, {6.5 * u, 22.5 * u}, 1.5 * u, 0xFF805020);
        s.Polygon({{5 * u, 9 * u}, {9 * u, 5 * u}, {27 * u, 5 * u}, {23 * u, 9 * u}}, 0xFFD8A060);
    } else if (kind == 1) {
        s.Ellipse(w / 2, 17 * u, 12.5 * u, 6 * u, kOutline);
        s.Ellipse(w / 2, 17 * u, 11.5 * u, 5 * u, 0xFFF4F4F0);
        s.Ellipse(w / 2, 14 * u, 7 * u, 5 * u, 0xFFD06030);
        s.Disc(w / 2 - 2 * u, 12.5 * u, 1.5 * u, 0xFF60B040);
    } else {
        s.Polygon({{8 * u, 3 * u}, {20 * u, 3 * u}, {18 * u, 25 * u}, {10 * u, 25 * u}}, kOutline);
        s.Polygon({{9.3 * u, 4 * u}, {18.7 * u, 4 * u}, {17 * u, 24 * u}, {11 * u, 24 * u}}, 0xFFD8ECF8);
        s.Polygon({{10.2 * u, 11 * u}, {17.8 * u, 11 * u}, {17 * u, 24 * u}, {11 * u, 24 * u}}, 0xFFE05070);
    }
}

// Links of a chain along the line from a to b.
void Chain(Sketch& s, Point a, Point b, uint32_t color) {
    const int links = 5;
    for (int i = 0; i < links; ++i) {
        const double t = (i + 0.5) / links;
        const double x = a.first + (b.first - a.first) * t, y = a.second + (b.second - a.second) * t;
        const double along = std::atan2(b.second - a.second, b.first - a.first);
        const double rx = i % 2 == 0 ? 6.5 : 5.5, ry = i % 2 == 0 ? 4.0 : 2.0;
        s.Shape(Shade(color, 0.5), [&](double px, double py) {
            const double u = (px - x) * std::cos(along) + (py - y) * std::sin(along);
            const double v = -(px - x) * std::sin(along) + (py - y) * std::cos(along);
            return std::fabs(std::hypot(u / rx, v / ry) - 1.0) * std::min(rx, ry) - 1.8;
        });
        s.Shape(color, [&](double px, double py) {
            const double u = (px - x) * std::cos(along) + (py - y) * std::sin(along);
            const double v = -(px - x) * std::sin(along) + (py - y) * std::cos(along);
            return std::fabs(std::hypot(u / rx, v / ry) - 1.0) * std::min(rx, ry) - 1.0;
        });
    }
}

// Two chains across the cell: corner to corner, or side to side.
Pixels Chains(const Placeholder& art, uint32_t color, bool diagonal) {
    return CelsOf(art, [color, diagonal](Sketch& s, int) {
        const double w = s.Width(), h = s.Height();
        Chain(s, diagonal ? Point{3, 3} : Point{3, h / 2}, diagonal ? Point{w - 3, h - 3} : Point{w - 3, h / 2}, color);
        Chain(s, diagonal ? Point{w - 3, 3} : Point{w / 2, 3}, diagonal ? Point{3, h - 3} : Point{w / 2, h - 3}, color);
    });
}

// An arrow from a to b with a head at b.
void Arrow(Sketch& s, Point a, Point b, double width, uint32_t color) {
    const double angle = std::atan2(b.second - a.second, b.first - a.first), head = width * 2.2;
    const Point base{b.first - head * std::cos(angle), b.second - head * std::sin(angle)};
    s.Line(a, base, width, color);
    s.Polygon({b,
               {base.first - head * 0.7 * std::sin(angle), base.second + head * 0.7 * std::cos(angle)},
               {base.first + head * 0.7 * std::sin(angle), base.second - head * 0.7 * std::cos(angle)}},
              color);
}

void Lightning(Sketch& s, int seed) {
    const double w = s.Width(), h = s.Height();
    std::vector<Point> points;
    for (int i = 0; i <= 8; ++i) {
        const double jitter = ((i * 37 + seed * 23) % 11 - 5) / 5.0;
        points.emplace_back(w / 2 + (i == 0 || i == 8 ? 0 : jitter * w * 0.3), h * i / 8.0);
    }
    for (size_t i = 0; i + 1 < points.size(); ++i)
        s.Line(points[i], points[i + 1], 7, 0x6080C0FF);
    for (size_t i = 0; i + 1 < points.size(); ++i)
        s.Line(points[i], points[i + 1], 2.5, 0xFFFFFFFF);
}

// A postcard in small: a light card with a hill and a sun, greyed when the
// card is not yet found.
void Thumb(Sketch& s, double left, double top, double w, double h, int index, bool greyed) {
    auto tone = [&](uint32_t color) {
        if (!greyed)
            return color;
        const uint32_t grey = (((color >> 16) & 0xFF) + ((color >> 8) & 0xFF) + (color & 0xFF)) / 3;
        return (color & 0xFF000000) | grey << 16 | grey << 8 | grey;
    };
    s.Box(left, top, left + w, top + h, tone(0xFF806850));
    s.Box(left + 2, top + 2, left + w - 2, top + h - 2, tone(0xFF90C8F0 - uint32_t(index % 5) * 0x080400));
    s.Shape(tone(0xFF50A050 + uint32_t(index % 3) * 0x101000), [&](double x, double y) {
        return y < top + h - 2 && x > left + 2 && x < left + w - 2
                   ? std::hypot((x - left - w * (0.3 + 0.1 * (index % 4))) / (w * 0.6), (y - top - h) / (h * 0.55)) - 1
                   : 1.0;
    });
    s.Disc(left + w * 0.75, top + h * 0.3, h * 0.12, tone(0xFFFFE060));
}

const std::map<std::string, std::function<Pixels(const Placeholder&)>>& Drawings() {
    static const std::map<std::string, std::function<Pixels(const Placeholder&)>> drawings = {
        {"SPARKLE",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int i) {
                 Sparkle(s, s.Width() / 2.0, s.Height() / 2.0, s.Width() * (0.3 + 0.06 * i), 0xFFFFF4C0);
             });
         }},
        {"PARTICLES",
         [](const Placeholder& art) {
             static const uint32_t colors[] = {0xFFFFFFFF, 0xFFFFE070, 0xFFFFA0D0, 0xFFA0D8FF};
             return CelsOf(art, [](Sketch& s, int i) {
                 const double c = s.Width() / 2.0;
                 if (i % 2 == 0)
                     Sparkle(s, c, c, s.Width() * (0.28 + 0.04 * (i % 4)), colors[i / 4 % 4]);
                 else {
                     s.Glow(c, c, c, WithAlpha(colors[i / 4 % 4], 0xA0));
                     s.Star(c, c, c * 0.7, c * 0.3, 5, i * 0.3, colors[i / 4 % 4]);
                 }
             });
         }},
        {"RANK_DUST",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int i) {
                 s.Glow(s.Width() / 2.0, s.Height() / 2.0, s.Width() * (0.5 - 0.08 * i), 0xFFFFE8A0);
             });
         }},
        {"FIREWORK",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int i) {
                 const double c = s.Width() / 2.0, r = 2 + i * 1.7;
                 for (int ray = 0; ray < 8; ++ray) {
                     const double a = ray * kPi / 4;
                     s.Disc(c + r * std::cos(a), c + r * std::sin(a), 2.2 - i * 0.15,
                            WithAlpha(0xFFFFC060, 255 - uint32_t(i) * 20));
                 }
             });
         }},
        {"BUBBLE",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int i) {
                 const double c = s.Width() / 2.0;
                 s.Disc(c, c, c - 1 - i * 0.4, 0x40A0D0FF);
                 s.Ring(c, c, c - 1.5 - i * 0.4, 1.2, 0xC0E0F4FF);
                 s.Disc(c - c * 0.35, c - c * 0.35, 1.2, 0xFFFFFFFF);
             });
         }},
        {"GLOW",
         [](const Placeholder& art) {
             return CelsOf(
                 art, [](Sketch& s, int) { s.Glow(s.Width() / 2.0, s.Height() / 2.0, s.Width() / 2.0, 0xE0FFF0B0); });
         }},
        {"CELLBLINK",
         [](const Placeholder& art) {
             // Drawn added to the cell: a soft light filling it, brighter
             // from frame to frame.
             return CelsOf(art, [](Sketch& s, int i) {
                 const double half = s.Width() / 2.0;
                 s.Glow(half, half, half * 1.3, WithAlpha(0xFFFFF0B0, 0x60 + 0x30 * uint32_t(i)));
             });
         }},
        {"LIGHTNING", [](const Placeholder& art) { return CelsOf(art, [](Sketch& s, int i) { Lightning(s, i); }); }},
        {"WHITECELL",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int) {
                 s.RoundBox(1, 1, s.Width() - 1, s.Height() - 1, 6, 0x60FFFFFF);
                 s.Shape(0xC0FFFFFF, [&](double x, double y) {
                     const double w = s.Width(), h = s.Height();
                     return 1.0 - std::min({x - 1, w - 1 - x, y - 1, h - 1 - y});
                 });
             });
         }},
        {"LINE",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int) {
                 s.RoundBox(0, 1, s.Width(), s.Height() - 1, 3, 0xC0FFF0A0);
                 s.Box(0, s.Height() / 2.0 - 1, s.Width(), s.Height() / 2.0 + 1, 0xFFFFFFFF);
             });
         }},
        {"CHAIN", [](const Placeholder& art) { return Chains(art, 0xFFB0B0B8, true); }},
        {"CHAIN1", [](const Placeholder& art) { return Chains(art, 0xFFC08850, true); }},
        {"CHAIN2", [](const Placeholder& art) { return Chains(art, 0xFF8890A0, false); }},
        {"BREAD",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int) {
                 const double w = s.Width(), h = s.Height();
                 auto slice = [&](double inset, uint32_t color) {
                     s.Shape(color, [&](double x, double y) {
                         const double top =
                             std::hypot((x - w / 2) / (w * 0.42 - inset), (y - h * 0.34) / (h * 0.24 - inset)) - 1;
                         const double body =
                             std::max({w * 0.12 + inset - x, x - w * 0.88 + inset, h * 0.34 - y, y - h * 0.92 + inset});
                         return std::min(top * 10, body);
                     });
                 };
                 slice(0, 0xFF905020);
                 slice(4, 0xFFF0D090);
             });
         }},
        {"BONUS_KNIFE_CURSOR", [](const Placeholder& art) { return KnifeStrip(art.mCelWidth, art.mCelHeight, 1); }},
        {"BONUS_BREAKLINECURV",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int i) {
                 const double c = s.Width() / 2.0;
                 const uint32_t color = WithAlpha(0xFFFFE040, 255 - uint32_t(i) * 30);
                 Arrow(s, {c, c}, {c, 2}, 4, color);
                 Arrow(s, {c, c}, {c, s.Height() - 2.0}, 4, color);
             });
         }},
        {"BONUS_BREAKLINECURH",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int i) {
                 const double c = s.Height() / 2.0;
                 const uint32_t color = WithAlpha(0xFFFFE040, 255 - uint32_t(i) * 30);
                 Arrow(s, {c, c}, {2, c}, 4, color);
                 Arrow(s, {c, c}, {s.Width() - 2.0, c}, 4, color);
             });
         }},
        {"SHUFFLE_RINGS",
         [](const Placeholder& art) {
             static const uint32_t colors[] = {0xFF60C0FF, 0xFFFF8080, 0xFF80E080, 0xFFFFE060};
             return CelsOf(art, [](Sketch& s, int i) {
                 s.Ring(s.Width() / 2.0, s.Height() / 2.0, s.Width() * 0.3, 3, colors[i % 4]);
             });
         }},
        {"RECOLORARROWS",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int i) {
                 const double c = s.Width() / 2.0, r = s.Width() * 0.32, turn = i * kPi / 8;
                 for (int half = 0; half < 2; ++half) {
                     const double from = turn + half * kPi, to = from + kPi * 0.7;
                     for (double a = from; a < to; a += 0.05)
                         s.Line({c + r * std::cos(a), c + r * std::sin(a)},
                                {c + r * std::cos(a + 0.05), c + r * std::sin(a + 0.05)}, 4, 0xFFFFFFFF);
                     Arrow(s, {c + r * std::cos(to - 0.2), c + r * std::sin(to - 0.2)},
                           {c + r * std::cos(to + 0.25), c + r * std::sin(to + 0.25)}, 4, 0xFFFFFFFF);
                 }
             });
         }},
        {"RANK",
         [](const Placeholder& art) {
             static const uint32_t colors[] = {0xFFD08A40, 0xFFD8D8E0, 0xFFF8D040};
             return CelsOf(art, [](Sketch& s, int i) {
                 const double c = s.Width() / 2.0;
                 s.Star(c, c + 1, c - 1, c * 0.45, 5, 0, kOutline);
                 s.Star(c, c + 1, c - 2.5, c * 0.38, 5, 0, colors[i % 3]);
             });
         }},
        {"MAP_RANK_STARS",
         [](const Placeholder& art) {
             static const uint32_t colors[] = {0xFFD08A40, 0xFFD8D8E0, 0xFFF8D040};
             return CelsOf(art, [&art](Sketch& s, int i) {
                 const double c = s.Width() / 2.0;
                 s.Star(c, c + 1, c - 1, c * 0.45, 5, 0, kOutline);
                 s.Star(c, c + 1, c - 2.5, c * 0.38, 5, 0, colors[i / art.mCols % 3]);
             });
         }},
        {"ICON_ITEMS", [](const Placeholder& art) { return CelsOf(art, [](Sketch& s, int i) { KindIcon(s, i); }); }},
        {"ICON_ITEMSBIG", [](const Placeholder& art) { return CelsOf(art, [](Sketch& s, int i) { KindIcon(s, i); }); }},
        {"ICON_MONEY",
         [](const Placeholder& art) {
             return CelsOf(art,
                           [](Sketch& s, int) { Coin(s, s.Width() / 2.0, s.Height() / 2.0, s.Width() / 2.0 - 2, 0); });
         }},
        {"ICON_POSTCARD",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int) {
                 const double w = s.Width(), h = s.Height();
                 s.Box(2, h * 0.2, w - 2, h * 0.8, kOutline);
                 s.Box(3, h * 0.2 + 1, w - 3, h * 0.8 - 1, 0xFFF8F0D8);
                 s.Box(w * 0.66, h * 0.28, w * 0.86, h * 0.5, 0xFFD04040);
                 for (int line = 0; line < 3; ++line)
                     s.Line({w * 0.14, h * (0.36 + 0.12 * line)}, {w * 0.55, h * (0.36 + 0.12 * line)}, 1.2,
                            0xFF606060);
             });
         }},
        {"RATING_BLICK",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int) {
                 s.Ellipse(s.Width() / 2.0, s.Height() / 2.0, s.Width() / 2.0 - 1, s.Height() / 4.0, 0x70FFFFFF);
                 s.Ellipse(s.Width() / 2.0, s.Height() / 2.0, s.Width() / 4.0, s.Height() / 8.0, 0xC0FFFFFF);
             });
         }},
        {"PLAY_SHINE",
         [](const Placeholder& art) {
             return CelsOf(art, [](Sketch& s, int) {
                 const double h = s.Height();
                 s.Polygon({{h * 0.8, 0}, {h * 1.3, 0}, {h * 0.8, h}, {h * 0.3, h}}, 0x80FFFFFF);
                 s.Polygon({{h * 1.5, 0}, {h * 1.7, 0}, {h * 1.2, h}, {h, h}}, 0x60FFFFFF);
             });
         }},
        {"TIP_ARROW",
         [](const Placeholder& art) {
             const uint32_t color = art.mColor;
             return CelsOf(art, [color](Sketch& s, int) {
                 const double w = s.Width(), h = s.Height();
                 s.Polygon({{0, 0}, {w, 0}, {3, h}}, Shade(color, 0.55));
                 s.Polygon({{2, 0}, {w - 3, 0}, {4, h - 4}}, color);
             });
         }},
        {"POSTTUMB",
         [](const Placeholder& art) {
             Sketch s(art.mCelWidth, art.mCelHeight);
             for (int i = 0; i < 15; ++i)
                 Thumb(s, i % 5 * 68, i / 5 * 52, 64, 48, i, false);
             return s.Pixels();
         }},
        {"POSTTUMBDISABLED",
         [](const Placeholder& art) {
             Sketch s(art.mCelWidth, art.mCelHeight);
             for (int i = 0; i < 15; ++i)
                 Thumb(s, i % 5 * 68, i / 5 * 52, 64, 48, i, true);
             return s.Pixels();
         }},
    };
    return drawings;
}

} // namespace

Pixels ThingPicture(const std::string& name, const Placeholder& art) {
    const auto found = Drawings().find(name);
    return found != Drawings().end() ? found->second(art) : Pixels();
}

Pixels CoinStrip(int size, int cels) {
    return Cels(size, size, cels, 1, [cels](Sketch& s, int i) {
        Coin(s, s.Width() / 2.0, s.Height() / 2.0, s.Width() / 2.0 - 1, double(i) / cels);
    });
}

Pixels StarStrip(int size, int cels, uint32_t color, bool growing) {
    return Cels(size, size, cels, 1, [&](Sketch& s, int i) {
        const double c = size / 2.0, scale = growing ? 0.4 + 0.6 * (i + 1) / cels : 1.0;
        s.Glow(c, c, c, WithAlpha(color, 0x80));
        s.Star(c, c + 1, (c - 1) * scale, (c - 1) * scale * 0.42, 5, i * 0.15, kOutline);
        s.Star(c, c + 1, (c - 2.5) * scale, (c - 2.5) * scale * 0.42, 5, i * 0.15, color);
    });
}

Pixels FlameStrip(int size, int cels) {
    return Cels(size, size, cels, 1, [size](Sketch& s, int i) {
        const double c = size / 2.0, sway = std::sin(i * 1.3) * size * 0.06;
        auto flame = [&](double scale, uint32_t color) {
            s.Shape(color, [&](double x, double y) {
                const double v = (y - size * 0.15) / (size * 0.8);
                if (v < 0 || v > 1)
                    return 1.0;
                const double half = scale * size * 0.32 * std::sin(v * kPi * 0.85 + 0.15) * std::sqrt(v);
                return std::fabs(x - c - sway * (1 - v)) - half;
            });
        };
        flame(1.0, 0xE0E04010);
        flame(0.6, 0xF0FFA020);
        flame(0.3, 0xFFFFF080);
    });
}

Pixels KnifeStrip(int width, int height, int cels) {
    return Cels(width, height, cels, 1, [width, height](Sketch& s, int i) {
        // Upright when narrow (the flying knife), else across the picture
        // with its tip at the centre (the knife bonus's pointer).
        const bool upright = width * 2 < height;
        const Point tip = upright ? Point{width / 2.0, 1} : Point{width / 2.0, height / 2.0};
        const Point guard = upright ? Point{width / 2.0, height * 0.62} : Point{width * 0.8, height * 0.2};
        const Point end = upright ? Point{width / 2.0, height - 2.0} : Point{width - 2.0, 2};
        const double blade = upright ? width * 0.3 : 5;
        s.Line(tip, guard, blade + 2, kOutline);
        s.Line(tip, guard, blade, i % 2 == 0 ? 0xFFE0E4EC : 0xFFFFFFFF);
        s.Line(guard, end, blade + 2, 0xFF603010);
        s.Line(guard, end, blade, 0xFF905028);
    });
}

Pixels GiftStrip(int size, int cels, uint32_t color) {
    return Cels(size, size, cels, 1, [size, color](Sketch& s, int i) {
        const double lift = i % 2 == 0 ? 0 : size * 0.04;
        const double l = size * 0.18, r = size * 0.82, t = size * 0.35 - lift, b = size * 0.9 - lift;
        s.Box(l, t, r, b, Shade(color, 0.6));
        s.Box(l + 2, t + 2, r - 2, b - 2, color);
        s.Box(size / 2.0 - 3, t, size / 2.0 + 3, b, 0xFFE04050);
        s.Box(l - 2, t - 6, r + 2, t + 4, 0xFFE04050);
        s.Ellipse(size / 2.0 - 7, t - 9, 7, 4, 0xFFE04050);
        s.Ellipse(size / 2.0 + 7, t - 9, 7, 4, 0xFFE04050);
    });
}

Pixels PepperShakerStrip(int size, int cels) {
    return Cels(size, size, cels, 1, [size](Sketch& s, int i) {
        const double c = size / 2.0, tilt = i % 2 == 0 ? 0 : size * 0.05;
        s.RoundBox(c - size * 0.22 + tilt, size * 0.3, c + size * 0.22 + tilt, size * 0.92, 6, 0xFF5A3A28);
        s.RoundBox(c - size * 0.19 + tilt, size * 0.33, c + size * 0.19 + tilt, size * 0.89, 5, 0xFF9A6A48);
        s.RoundBox(c - size * 0.2 + tilt, size * 0.12, c + size * 0.2 + tilt, size * 0.3, 4, 0xFFB8B8C0);
        for (int hole = -1; hole <= 1; ++hole)
            s.Disc(c + hole * size * 0.09 + tilt, size * 0.2, 1.5, kOutline);
    });
}

Pixels ColourRing(int size, uint32_t color) {
    Sketch s(size, size);
    const double c = size / 2.0;
    s.Ring(c, c, c * 0.78, c * 0.2, WithAlpha(color, 0x70));
    s.Ring(c, c, c * 0.78, c * 0.1, color);
    return s.Pixels();
}

Pixels DustStrip(int size, int cels, uint32_t color) {
    return Cels(size, size, cels, 1, [size, cels, color](Sketch& s, int i) {
        const uint32_t alpha = uint32_t(200 - 150 * i / std::max(1, cels - 1));
        for (int puff = 0; puff < 5; ++puff) {
            const double a = puff * 2 * kPi / 5 + i * 0.3, r = size * (0.12 + 0.05 * i);
            s.Glow(size / 2.0 + r * std::cos(a), size / 2.0 + r * std::sin(a), size * 0.22, WithAlpha(color, alpha));
        }
    });
}

Pixels ScoreBurstStrip(int width, int height, int cels, uint32_t color) {
    return Cels(width, height, cels, 1, [=](Sketch& s, int i) {
        const double cx = width / 2.0, cy = height / 2.0, grow = 0.55 + 0.45 * (i + 1) / std::max(1, cels);
        const double room = std::min(width, height) / 2.0 - 1, outer = (room - 2) * grow;
        s.Glow(cx, cy, std::min(room, outer * 1.15), WithAlpha(color, 0x90));
        s.Star(cx, cy, outer, outer * 0.55, 8 + 2 * i, i * 0.2, WithAlpha(color, 0xC0));
        s.Star(cx, cy, outer * 0.7, outer * 0.4, 8 + 2 * i, i * 0.2 + 0.2, WithAlpha(Shade(color, 1.2), 0xE0));
        s.Glow(cx, cy, outer * 0.6, 0xB0FFFFF0);
    });
}

Pixels Padlock(int width, int height, uint32_t color) {
    Sketch s(width, height);
    const double cx = width / 2.0, bodyTop = height * 0.45, half = std::min(width * 0.3, height * 0.38);
    const double shackle = half * 0.68, bar = std::max(4.0, half * 0.2);
    // The shackle: a half ring on two legs down into the body.
    const auto arc = [&](double thickness, uint32_t ink) {
        s.Shape(ink, [&](double x, double y) {
            const double legs = std::max(std::fabs(std::fabs(x - cx) - shackle) - thickness / 2, y - bodyTop - 4);
            const double top =
                y > bodyTop - shackle * 0.4
                    ? 1e9
                    : std::fabs(std::hypot(x - cx, y - (bodyTop - shackle * 0.4)) - shackle) - thickness / 2;
            const double side = y < bodyTop - shackle * 0.4 ? 1e9 : legs;
            return std::min(top, side);
        });
    };
    arc(bar + 3, Shade(color, 0.45));
    arc(bar, Shade(color, 1.15));
    s.RoundBox(cx - half, bodyTop, cx + half, height - 3.0, half * 0.18, Shade(color, 0.45));
    s.RoundBox(cx - half + 3, bodyTop + 3, cx + half - 3, height - 6.0, half * 0.14, color);
    s.Box(cx - half + 6, bodyTop + 6, cx + half - 6, bodyTop + 10, WithAlpha(0xFFFFFFFF, 0x70));
    const double holeY = (bodyTop + height) / 2.0 - 4;
    s.Disc(cx, holeY, half * 0.16, Shade(color, 0.3));
    s.Polygon({{cx - half * 0.08, holeY},
               {cx + half * 0.08, holeY},
               {cx + half * 0.12, holeY + half * 0.4},
               {cx - half * 0.12, holeY + half * 0.4}},
              Shade(color, 0.3));
    return s.Pixels();
}

Pixels Medal(int size, uint32_t color) {
    Sketch s(size, size);
    const double c = size / 2.0;
    s.Polygon(
        {{c - size * 0.22, 0}, {c - size * 0.04, 0}, {c + size * 0.06, size * 0.45}, {c - size * 0.1, size * 0.5}},
        0xFF3060C0);
    s.Polygon(
        {{c + size * 0.04, 0}, {c + size * 0.22, 0}, {c + size * 0.1, size * 0.5}, {c - size * 0.06, size * 0.45}},
        0xFFC03040);
    s.Disc(c, size * 0.64, size * 0.3, Shade(color, 0.6));
    s.Disc(c, size * 0.64, size * 0.26, color);
    s.Star(c, size * 0.65, size * 0.16, size * 0.07, 5, 0, Shade(color, 1.25));
    return s.Pixels();
}

Pixels ChipSheet(int size, int cols, int rows) {
    static const uint32_t colors[] = {0xFFDC2828, 0xFF28B43C, 0xFF325ADC, 0xFFF0C81E,
                                      0xFFAA3CC8, 0xFFF08220, 0xFF1EBEBE};
    return Cels(size, size, cols, rows, [size](Sketch& s, int i) {
        const double c = size / 2.0;
        s.Disc(c, c, size * 0.4, Shade(colors[i % 7], 0.6));
        s.Disc(c, c, size * 0.4 - 2, colors[i % 7]);
        s.Disc(c - size * 0.12, c - size * 0.12, size * 0.08, 0xC0FFFFFF);
    });
}

Pixels SelectionStrip(int size, int cels) {
    return Cels(size, size, cels, 1, [size](Sketch& s, int i) {
        const double inset = 4 - i;
        s.Shape(0xFFFFF4A0, [&](double x, double y) {
            const double outside = std::max({inset - x, x - (size - inset), inset - y, y - (size - inset)});
            return std::max(outside, -outside - 3.0);
        });
    });
}

} // namespace Kavo::SampleContent
