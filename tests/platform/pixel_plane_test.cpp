#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/surface/pixel_plane.h"

namespace platform {
namespace {

// A plane of random bytes, rows padded so that pitch and width disagree.
struct Plane {
    std::vector<std::uint8_t> bytes;
    PixelPlane plane;

    Plane(int width, int height, int bpp, std::mt19937& random) {
        const int pitch = width * bpp + 7;
        bytes.resize(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height));
        for (std::uint8_t& b : bytes) {
            // Few distinct values, so that a key range matches some pixels.
            b = static_cast<std::uint8_t>(random() % 4);
        }
        plane = {bytes.data(), pitch, width, height, bpp};
    }
};

// The nearest-pixel rule one pixel at a time: what every faster copy must
// reproduce.
void ReferenceBlit(const PixelPlane& dest, const Rect& destRect, const Rect& clip, const PixelPlane& src,
                   const Rect& srcRect, const ColorKey* key) {
    const int bpp = dest.bytesPerPixel;
    for (int y = clip.top; y < clip.bottom; ++y) {
        for (int x = clip.left; x < clip.right; ++x) {
            const std::int64_t u = x - destRect.left, v = y - destRect.top;
            const int sx = srcRect.left + static_cast<int>((2 * u + 1) * srcRect.Width() / (2 * destRect.Width()));
            const int sy = srcRect.top + static_cast<int>((2 * v + 1) * srcRect.Height() / (2 * destRect.Height()));
            const std::uint32_t value = ReadPixel(src.bits + std::ptrdiff_t{sy} * src.pitch + sx * bpp, bpp);
            if (key && value >= key->low && value <= key->high) {
                continue;
            }
            WritePixel(dest.bits + std::ptrdiff_t{y} * dest.pitch + x * bpp, bpp, value);
        }
    }
}

TEST(PixelPlane, BlitsMatchThePixelByPixelRuleAtEveryDepthScaledOrNotKeyedOrNot) {
    std::mt19937 random(7);
    struct Case {
        const char* name;
        Rect src;
        Rect dest;
        Rect clip;
    };
    const Case cases[] = {
        {"unscaled whole", {0, 0, 37, 21}, {0, 0, 37, 21}, {0, 0, 37, 21}},
        {"unscaled moved and clipped", {3, 2, 30, 19}, {5, 1, 32, 18}, {9, 4, 31, 15}},
        {"enlarged", {1, 1, 12, 9}, {0, 0, 37, 21}, {2, 3, 30, 20}},
        {"reduced", {0, 0, 37, 21}, {4, 4, 15, 11}, {4, 4, 15, 11}},
    };
    for (const int bpp : {2, 3, 4}) {
        for (const Case& c : cases) {
            for (const bool keyed : {false, true}) {
                SCOPED_TRACE(testing::Message() << c.name << ", " << bpp << " bytes, keyed " << keyed);
                const Plane src(40, 24, bpp, random);
                Plane fast(40, 24, bpp, random);
                Plane reference = fast;
                reference.plane.bits = reference.bytes.data();
                // Values made of bytes 0..3: the key skips a range of them.
                const ColorKey key{0x0101, bpp == 2 ? 0x0303u : 0x010303u};
                BlitNearest(fast.plane, c.dest, c.clip, src.plane, c.src, keyed ? &key : nullptr);
                ReferenceBlit(reference.plane, c.dest, c.clip, src.plane, c.src, keyed ? &key : nullptr);
                EXPECT_EQ(fast.bytes, reference.bytes);
            }
        }
    }
}

TEST(PixelPlane, FillWritesTheValueInsideTheRectangleOnly) {
    std::mt19937 random(11);
    for (const int bpp : {2, 3, 4}) {
        SCOPED_TRACE(bpp);
        Plane plane(20, 10, bpp, random);
        std::vector<std::uint8_t> expected = plane.bytes;
        const Rect rect{3, 2, 17, 9};
        const std::uint32_t value = 0x12345678u;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                WritePixel(expected.data() + y * plane.plane.pitch + x * bpp, bpp, value);
            }
        }
        FillPixels(plane.plane, rect, value);
        EXPECT_EQ(plane.bytes, expected);
        FillPixels(plane.plane, Rect{5, 5, 5, 9}, 0); // empty: nothing
        EXPECT_EQ(plane.bytes, expected);
    }
}

} // namespace
} // namespace platform
