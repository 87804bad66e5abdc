#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "tests/framework/raster/raster_support.h"

namespace Kavo {
namespace {

using RasterTest::Canvas;
using RasterTest::RotatedQuad;
using RasterTest::Texture;
using RasterTest::Vertex;

constexpr uint32_t kSentinel = 0x00123456; // top byte 0: every 888 write shows

int Written(const Canvas<uint32_t>& c) {
    int n = 0;
    for (uint32_t p : c.pixels)
        n += p != kSentinel;
    return n;
}

// Opaque white through the 888 Gouraud member.
void Fill(Canvas<uint32_t>& c, const IntRect& clip, const std::vector<TriVertex>& strip) {
    TriRasterRenderFan(clip, Color::White, strip.data(), static_cast<int32_t>(strip.size()), nullptr, c.Bits(),
                       c.Pitch(), 0x888, false, true);
}

TEST(TriRender, ClipIncludesItsLastColumnAndRowAndNothingBeyond) {
    struct Case {
        const char* name;
        IntRect clip;
        std::vector<TriVertex> strip;
        int expected;
    };
    const Case cases[] = {
        {"quad exactly on the clip", IntRect(3, 2, 10, 10), RotatedQuad(3, 2, 10, 10, 0), 100},
        {"quad larger than the clip", IntRect(3, 2, 10, 10), RotatedQuad(-20, -20, 60, 60, 0), 100},
        {"quad turned over the clip", IntRect(3, 2, 10, 10), RotatedQuad(-7, -8, 30, 30, 0.7), 100},
        {"clip of one pixel", IntRect(5, 5, 1, 1), RotatedQuad(0, 0, 16, 16, 0.3), 1},
        {"empty clip", IntRect(5, 5, 0, 4), RotatedQuad(0, 0, 16, 16, 0), 0},
    };
    for (const Case& k : cases) {
        Canvas<uint32_t> canvas(16, 16, kSentinel);
        Fill(canvas, k.clip, k.strip);
        EXPECT_EQ(Written(canvas), k.expected) << k.name;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (!k.clip.Contains(x, y)) {
                    EXPECT_EQ(canvas.At(x, y), kSentinel) << k.name << " " << x << "," << y;
                }
    }
}

TEST(TriRender, QuadTurnedByATinyAngleStaysInsideItsBounds) {
    for (double angle : {2e-5, -2e-5, 7e-6, -1e-6}) {
        for (float offset : {0.0f, 0.37f, 0.5f, 0.93f}) {
            Canvas<uint32_t> canvas(128, 128, kSentinel);
            const std::vector<TriVertex> quad = RotatedQuad(100 + offset, 100 + offset, 5, 5, angle);
            Fill(canvas, canvas.Full(), quad);
            float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
            for (const TriVertex& v : quad) {
                minX = std::min(minX, v.x), maxX = std::max(maxX, v.x);
                minY = std::min(minY, v.y), maxY = std::max(maxY, v.y);
            }
            int written = 0;
            for (int y = 0; y < 128; ++y)
                for (int x = 0; x < 128; ++x)
                    if (canvas.At(x, y) != kSentinel) {
                        ++written;
                        EXPECT_TRUE(x >= minX && x < maxX && y >= minY && y < maxY)
                            << angle << " " << offset << ": " << x << "," << y;
                    }
            EXPECT_GE(written, 16) << angle << " " << offset;
            EXPECT_LE(written, 36) << angle << " " << offset;
        }
    }
}

TEST(TriRender, TextureCoordinatesThatAreNotNumbersStillDrawSafely) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Texture tex(2, 2, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF});
    std::vector<TriVertex> quad = RotatedQuad(1, 1, 6, 6, 0);
    quad[0].u = nan;
    quad[3].v = std::numeric_limits<float>::infinity();
    Canvas<uint32_t> canvas(8, 8, kSentinel);
    for (bool linear : {false, true}) {
        TriRasterRenderFan(canvas.Full(), Color::White, quad.data(), 4, &tex.view, canvas.Bits(), canvas.Pitch(), 0x888,
                           linear, false);
        EXPECT_GT(Written(canvas), 0);
    }
}

TEST(TriRender, CallerVerticesAndClipAreLeftAsTheyWere) {
    Texture tex(2, 2, {0x80FF0000, 0xFF00FF00, 0x00000000, 0xFFFFFFFF}, true, true);
    std::vector<TriVertex> strip = RotatedQuad(-3, 2, 14, 9, 0.4);
    strip.push_back(Vertex(15, 15, 1, 1, 0x80402010));
    const std::vector<TriVertex> before = strip;
    const IntRect clip(1, 1, 10, 10);
    Canvas<uint32_t> canvas(16, 16, kSentinel);
    TriRasterRenderFan(clip, Color(200, 100, 50, 128), strip.data(), 5, &tex.view, canvas.Bits(), canvas.Pitch(),
                       0x8888, true, true);
    EXPECT_EQ(std::memcmp(before.data(), strip.data(), sizeof(TriVertex) * strip.size()), 0);
    EXPECT_EQ(clip, IntRect(1, 1, 10, 10));
}

} // namespace
} // namespace Kavo
