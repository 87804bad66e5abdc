#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <random>

#include "framework/raster/tri_walk.h"
#include "tests/framework/raster/raster_support.h"
#include "tests/support/headless_environment.h"

namespace Kavo {
namespace {

using RasterTest::Canvas;
using RasterTest::CountOp;
using RasterTest::Texture;
using RasterTest::Vertex;

// A member that counts the visits of every pixel through the shared walk.
void CountMember(const TriFixedVertex* corners, void* bits, int32_t pitch, const TriRasterParams*,
                 const TriTintColor*) {
    TriWalkTriangle(corners, bits, pitch, CountOp{});
}

struct Draw {
    IntRect clip;
    std::vector<TriVertex> strip;
};

// Quads turned, scaled and moved, and ribbons: strips whose triangles tile
// an affine image of a row of rectangles, so that none overlaps another.
Draw RandomDraw(std::mt19937& rng, int width, int height) {
    auto real = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto whole = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Draw d;
    const int cx = whole(0, width - 1), cy = whole(0, height - 1);
    d.clip = IntRect(cx, cy, whole(0, width - cx), whole(0, height - cy));
    if (whole(0, 5) == 0)
        d.clip = IntRect(0, 0, width, height);

    double angle = real(-3.2, 3.2);
    if (whole(0, 4) == 0)
        angle = real(-3e-5, 3e-5); // nearly axis-aligned: edges flatter than a slope can hold
    if (whole(0, 6) == 0)
        angle = 0;
    const double sx = real(0.3, 2.5), sy = whole(0, 3) == 0 ? sx : real(0.3, 2.5);
    const double shear = whole(0, 3) == 0 ? real(-0.8, 0.8) : 0.0;
    const double ox = real(-10, width + 10), oy = real(-10, height + 10);
    const double c = std::cos(angle), s = std::sin(angle);
    auto place = [&](double x, double y) {
        const double px = (x + shear * y) * sx, py = y * sy;
        return std::pair<float, float>(static_cast<float>(ox + px * c - py * s),
                                       static_cast<float>(oy + px * s + py * c));
    };
    const int columns = whole(0, 2) == 0 ? whole(2, 7) : 2; // 2 columns: a quad
    const double rail = real(1, 30);
    double at = real(-20, 0);
    for (int i = 0; i < columns; ++i) {
        for (int side = 0; side < 2; ++side) {
            const auto [x, y] = place(at, side ? rail : 0.0);
            const uint32_t color = static_cast<uint32_t>(rng());
            d.strip.push_back(Vertex(x, y, static_cast<float>(i) / (columns - 1), static_cast<float>(side), color));
        }
        at += real(0.2, 25);
    }
    // A ribbon is drawn (0,1,2), (1,3,2): vertices alternate top and bottom rail.
    return d;
}

double Cross(const TriVertex& a, const TriVertex& b, double x, double y) {
    return (double{b.x} - a.x) * (y - a.y) - (double{b.y} - a.y) * (x - a.x);
}

// (x, y) lies inside the triangle, at least `margin` pixels from each edge.
bool WellInside(const TriVertex& a, const TriVertex& b, const TriVertex& c, double x, double y, double margin) {
    const double area = Cross(a, b, c.x, c.y);
    if (std::abs(area) < 1e-9)
        return false;
    const double sign = area > 0 ? 1 : -1;
    const TriVertex* v[3] = {&a, &b, &c};
    for (int i = 0; i < 3; ++i) {
        const TriVertex& p = *v[i];
        const TriVertex& q = *v[(i + 1) % 3];
        const double len = std::hypot(double{q.x} - p.x, double{q.y} - p.y);
        if (sign * Cross(p, q, x, y) < margin * len)
            return false;
    }
    return true;
}

constexpr int kPropertyWidth = 48;
constexpr int kPropertyHeight = 40;
constexpr int kDraws = 400;

class TriProperty : public HeadlessEnvironment {
protected:
    // Draws every entry through `member` until the next call or the test's end.
    void FillTable(TriRasterFunc member) {
        TriRasterMemberTable table;
        table.fill(member);
        mTable.reset();
        mTable.emplace(TriRasterTableSlot(), std::make_shared<const TriRasterMemberTable>(table));
    }

private:
    std::optional<platform::Installed<const TriRasterMemberTable>> mTable;
};

TEST_F(TriProperty, RandomStripsCoverOnceInsideTheClip) {
    std::mt19937 rng(20240611);
    FillTable(CountMember);
    for (int n = 0; n < kDraws; ++n) {
        const Draw d = RandomDraw(rng, kPropertyWidth, kPropertyHeight);
        const std::vector<TriVertex> before = d.strip;
        Canvas<uint32_t> count(kPropertyWidth, kPropertyHeight, 0);
        TriRasterRenderFan(d.clip, Color::White, d.strip.data(), static_cast<int32_t>(d.strip.size()), nullptr,
                           count.Bits(), count.Pitch(), 0x8888, false, false);
        ASSERT_EQ(std::memcmp(before.data(), d.strip.data(), sizeof(TriVertex) * before.size()), 0) << n;
        for (int y = 0; y < kPropertyHeight; ++y) {
            for (int x = 0; x < kPropertyWidth; ++x) {
                const uint32_t visits = count.At(x, y);
                ASSERT_LE(visits, 1u) << "draw " << n << " pixel " << x << "," << y;
                if (!d.clip.Contains(x, y)) {
                    ASSERT_EQ(visits, 0u) << "draw " << n << " pixel " << x << "," << y;
                    continue;
                }
                bool inside = false;
                for (size_t t = 0; t + 2 < d.strip.size() && !inside; ++t) {
                    const bool odd = t & 1;
                    inside =
                        WellInside(d.strip[t], d.strip[odd ? t + 2 : t + 1], d.strip[odd ? t + 1 : t + 2], x, y, 1e-3);
                }
                if (inside) {
                    ASSERT_EQ(visits, 1u) << "draw " << n << " pixel " << x << "," << y;
                }
            }
        }
    }
}

// Runs every table entry, in turn installed at every index, with the drawing
// state its flags ask for; nothing outside the counted pixels may change.
TEST_F(TriProperty, EveryEntryWritesOnlyThePixelsTheWalkVisits) {
    std::mt19937 rng(7);
    std::vector<uint32_t> texels(8 * 6);
    for (uint32_t& t : texels)
        t = static_cast<uint32_t>(rng()) & (rng() % 3 == 0 ? 0x08FFFFFF : 0xFFFFFFFF);
    Texture texture(8, 6, texels, true, true);
    const int32_t formats[4] = {0x8888, 0x888, 0x565, 0x555};

    for (int n = 0; n < kDraws / 4; ++n) {
        const Draw d = RandomDraw(rng, kPropertyWidth, kPropertyHeight);
        FillTable(CountMember);
        Canvas<uint32_t> count(kPropertyWidth, kPropertyHeight, 0);
        TriRasterRenderFan(d.clip, Color::White, d.strip.data(), static_cast<int32_t>(d.strip.size()), nullptr,
                           count.Bits(), count.Pitch(), 0x8888, false, false);
        for (int index = 0; index < kTriRasterTableSize; ++index) {
            FillTable(TriRasterDefaultMember(index));
            const int32_t format = formats[index >> 5];
            const Color tint = (index & TriRasterTint) ? Color(200, 90, 255, 130) : Color::White;
            TriTextureView* tex = (index & TriRasterTextured) ? &texture.view : nullptr;
            const bool linear = index & TriRasterLinear, colors = index & TriRasterVertexColors;
            const bool sixteen = format == 0x565 || format == 0x555;
            Canvas<uint32_t> wide(kPropertyWidth, kPropertyHeight, 0x5A3C5A3C);
            Canvas<uint16_t> narrow(kPropertyWidth, kPropertyHeight, 0xA5C3);
            void* bits = sixteen ? narrow.Bits() : wide.Bits();
            const int32_t pitch = sixteen ? narrow.Pitch() : wide.Pitch();
            TriRasterRenderFan(d.clip, tint, d.strip.data(), static_cast<int32_t>(d.strip.size()), tex, bits, pitch,
                               format, linear, colors);
            for (int y = 0; y < kPropertyHeight; ++y)
                for (int x = 0; x < kPropertyWidth; ++x) {
                    const bool changed = sixteen ? narrow.At(x, y) != 0xA5C3 : wide.At(x, y) != 0x5A3C5A3C;
                    if (changed) {
                        ASSERT_EQ(count.At(x, y), 1u) << "entry " << index << " draw " << n << " " << x << "," << y;
                    }
                }
        }
    }
}

// The same draw on the three opaque formats: the same pixels are written, and
// 5-6-5 and 5-5-5 agree on red and blue.
TEST_F(TriProperty, SixteenAndThirtyTwoBitFormatsWriteTheSamePixels) {
    std::mt19937 rng(99);
    std::vector<uint32_t> texels(8 * 8);
    for (uint32_t& t : texels)
        t = static_cast<uint32_t>(rng());
    Texture texture(8, 8, texels, true, true);
    struct Kind {
        const char* name;
        bool textured, linear, colors;
        Color tint;
    };
    const Kind kinds[] = {
        {"gouraud", false, false, true, Color::White},
        {"gouraud tint", false, false, true, Color(100, 200, 255, 180)},
        {"texture alpha", true, false, false, Color::White},
        {"texture alpha linear", true, true, false, Color::White},
        {"texture alpha tint", true, false, false, Color(255, 120, 30, 90)},
        {"texture alpha tint linear", true, true, false, Color(60, 255, 200, 200)},
    };
    // Destination red 21 and blue 9 in every format; 888 top byte 0 and 555
    // bit 15 set, so that every write shows; 5-6-5 is drawn twice over
    // different backgrounds for the same reason.
    const uint32_t back888 = 0x00AD5548;
    const uint16_t back555 = 0x8000 | (21 << 10) | (10 << 5) | 9;
    const uint16_t back565[2] = {(21 << 11) | (42 << 5) | 9, (21 << 11) | (3 << 5) | 9};
    for (int n = 0; n < kDraws / 2; ++n) {
        const Draw d = RandomDraw(rng, kPropertyWidth, kPropertyHeight);
        const Kind& k = kinds[n % std::size(kinds)];
        const auto count = static_cast<int32_t>(d.strip.size());
        TriTextureView* tex = k.textured ? &texture.view : nullptr;
        Canvas<uint32_t> c888(kPropertyWidth, kPropertyHeight, back888);
        Canvas<uint16_t> c555(kPropertyWidth, kPropertyHeight, back555);
        Canvas<uint16_t> c565a(kPropertyWidth, kPropertyHeight, back565[0]);
        Canvas<uint16_t> c565b(kPropertyWidth, kPropertyHeight, back565[1]);
        TriRasterRenderFan(d.clip, k.tint, d.strip.data(), count, tex, c888.Bits(), c888.Pitch(), 0x888, k.linear,
                           k.colors);
        TriRasterRenderFan(d.clip, k.tint, d.strip.data(), count, tex, c555.Bits(), c555.Pitch(), 0x555, k.linear,
                           k.colors);
        TriRasterRenderFan(d.clip, k.tint, d.strip.data(), count, tex, c565a.Bits(), c565a.Pitch(), 0x565, k.linear,
                           k.colors);
        TriRasterRenderFan(d.clip, k.tint, d.strip.data(), count, tex, c565b.Bits(), c565b.Pitch(), 0x565, k.linear,
                           k.colors);
        for (int y = 0; y < kPropertyHeight; ++y)
            for (int x = 0; x < kPropertyWidth; ++x) {
                const bool w888 = c888.At(x, y) != back888;
                const bool w555 = c555.At(x, y) != back555;
                const bool w565 = c565a.At(x, y) != back565[0] || c565b.At(x, y) != back565[1];
                ASSERT_EQ(w888, w555) << k.name << " draw " << n << " " << x << "," << y;
                ASSERT_EQ(w565, w555) << k.name << " draw " << n << " " << x << "," << y;
                const uint32_t p555 = c555.At(x, y), p565 = c565a.At(x, y);
                ASSERT_EQ((p565 >> 11) & 31, (p555 >> 10) & 31) << k.name << " draw " << n;
                ASSERT_EQ(p565 & 31, p555 & 31) << k.name << " draw " << n;
                if (w555) {
                    ASSERT_EQ(p555 & 0x8000, 0u);
                }
            }
    }
}

} // namespace
} // namespace Kavo
