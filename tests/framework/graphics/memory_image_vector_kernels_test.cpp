// The vector kernels of the blits, stretches and rotation against the
// portable kernels, which state the arithmetic pixel by pixel: the same
// drawing done both ways must give the same pixels, bit for bit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blit_pixel.h"
#include "framework/graphics/memory_image_blit_simd.h"
#include "tests/framework/graphics/blit_test_support.h"

namespace Kavo {
namespace {

using namespace BlitTest;

#if defined(__SSE2__)
TEST(VectorKernelSteps, DivisionBy255MatchesTheMultiplyShiftForEveryProduct) {
    for (uint32_t x = 0; x <= 255 * 255; x += 8) {
        alignas(16) uint16_t in[8], out[8];
        for (uint32_t k = 0; k < 8; ++k)
            in[k] = static_cast<uint16_t>(std::min(x + k, 255u * 255u));
        _mm_store_si128(reinterpret_cast<__m128i*>(out),
                        BlitSimd::Div255(_mm_load_si128(reinterpret_cast<const __m128i*>(in))));
        for (int k = 0; k < 8; ++k)
            ASSERT_EQ(out[k], PixelMath::Div255(in[k])) << in[k];
    }
}

TEST(VectorKernelSteps, NormalWeightsMatchForEverySourceAndDestinationAlpha) {
    for (uint32_t a = 1; a <= 255; ++a)
        for (uint32_t ad = 0; ad <= 255; ad += 4) {
            alignas(16) uint32_t outA[4], weight[4];
            __m128i va, vw;
            BlitSimd::WeighNormal4(_mm_set1_epi32(static_cast<int>(a)),
                                   _mm_set_epi32(static_cast<int>(ad + 3), static_cast<int>(ad + 2),
                                                 static_cast<int>(ad + 1), static_cast<int>(ad)),
                                   va, vw);
            _mm_store_si128(reinterpret_cast<__m128i*>(outA), va);
            _mm_store_si128(reinterpret_cast<__m128i*>(weight), vw);
            for (uint32_t k = 0; k < 4; ++k) {
                const BlitPixel::NormalWeight expected = BlitPixel::WeighNormal(ad + k, a);
                ASSERT_EQ(outA[k], expected.mAlpha) << a << " over " << ad + k;
                ASSERT_EQ(weight[k], expected.mWeight) << a << " over " << ad + k;
            }
        }
}
#endif

// Pixels with the alphas that take special paths (0, 255) as often as the
// ones in between, and colours at both ends as well as random ones.
class RandomPixels {
public:
    explicit RandomPixels(uint32_t seed) : mRandom(seed) {}

    uint32_t Channel() {
        switch (mRandom() % 4) {
        case 0:
            return 0;
        case 1:
            return 255;
        default:
            return mRandom() % 256;
        }
    }
    uint32_t Pixel() { return Channel() << 24 | (mRandom() & 0x00FFFFFFu); }
    uint32_t Opaque() { return 0xFF000000u | (mRandom() & 0x00FFFFFFu); }
    std::vector<uint32_t> Pixels(size_t count, bool opaque) {
        std::vector<uint32_t> pixels(count);
        for (uint32_t& p : pixels)
            p = opaque ? Opaque() : Pixel();
        return pixels;
    }
    // Runs of one pixel repeated, so that the alpha runs are longer than one.
    std::vector<uint32_t> Runs(size_t count) {
        std::vector<uint32_t> pixels;
        while (pixels.size() < count)
            pixels.resize(std::min(count, pixels.size() + 1 + mRandom() % 9), Pixel());
        return pixels;
    }
    Color Tint() {
        const int g = static_cast<int>(Channel());
        switch (mRandom() % 4) {
        case 0:
            return Color::White;
        case 1:
            return Color(g, g, g, static_cast<int>(Channel()));
        default:
            return Color(static_cast<int>(Channel()), static_cast<int>(Channel()), static_cast<int>(Channel()),
                         static_cast<int>(Channel()));
        }
    }
    uint32_t Below(uint32_t n) { return mRandom() % n; }

private:
    std::mt19937 mRandom;
};

// A palettised image of at most 256 of the given pixels.
std::unique_ptr<MemoryImage> MakeSource(int width, int height, std::vector<uint32_t> pixels, Form form) {
    if (form == Form::Palettised)
        for (uint32_t& p : pixels)
            p = pixels[(p * 2654435761u >> 8) % std::min<size_t>(pixels.size(), 256)];
    return MakeImage(width, height, pixels, form);
}

// A source of random pixels and size (from minSize to minSize + sizeRange -
// 1 each way), palettised in every third round.
struct RandomSource {
    Form form;
    int width, height;
    std::unique_ptr<MemoryImage> image;

    RandomSource(RandomPixels& random, int round, int minSize, int sizeRange)
        : form(round % 3 == 2 ? Form::Palettised : Form::Plain),
          width(minSize + static_cast<int>(random.Below(static_cast<uint32_t>(sizeRange)))),
          height(minSize + static_cast<int>(random.Below(static_cast<uint32_t>(sizeRange)))),
          image(MakeSource(width, height, random.Pixels(static_cast<size_t>(width) * height, false), form)) {}
};

// Draws on copies of dest with the portable kernels and with the vector
// kernels of every level the processor has, and expects the same pixels.
// Returns whether the drawing changed anything, so that a test can tell it
// compared drawings.
bool ExpectSameBothWays(const std::vector<uint32_t>& dest, int width, int height, bool forceOpaqueFlags,
                        const std::function<void(MemoryImage&)>& draw) {
    using BlitPixel::KernelLevel;
    auto drawAt = [&](KernelLevel level) {
        auto image = MakeImage(width, height, dest);
        if (forceOpaqueFlags) // possibly stale: the blit takes the flags as they stand
            image->mHasAlpha = image->mHasTrans = false;
        BlitPixel::SetKernelLevel(level);
        draw(*image);
        return PixelsOf(*image);
    };
    const std::vector<uint32_t> reference = drawAt(KernelLevel::Portable);
    for (KernelLevel level : {KernelLevel::Sse2, KernelLevel::Ssse3, KernelLevel::Avx2}) {
        if (level > BlitPixel::MaxKernelLevel())
            continue;
        const std::vector<uint32_t> result = drawAt(level);
        EXPECT_EQ(result.size(), reference.size());
        for (size_t i = 0; i < std::min(result.size(), reference.size()); ++i)
            if (result[i] != reference[i]) {
                ADD_FAILURE() << "pixel " << i % width << ", " << i / width << ": " << std::hex << result[i]
                              << " drawn at level " << static_cast<int>(level) << ", " << reference[i]
                              << " by the portable kernels";
                break;
            }
    }
    BlitPixel::SetKernelLevel(BlitPixel::MaxKernelLevel());
    return reference != dest;
}

TEST(VectorKernels, BlitsMatchThePortableKernels) {
    RandomPixels random(12345);
    int drawn = 0;
    for (int round = 0; round < 300; ++round) {
        const Form form = round % 3 == 2 ? Form::Palettised : Form::Plain;
        const int sw = 1 + static_cast<int>(random.Below(40)), sh = 1 + static_cast<int>(random.Below(4));
        const int dw = 48, dh = 6;
        auto source = MakeSource(sw, sh,
                                 round % 2 ? random.Runs(static_cast<size_t>(sw) * sh)
                                           : random.Pixels(static_cast<size_t>(sw) * sh, false),
                                 form);
        const bool opaqueDest = random.Below(2) == 0;
        const auto dest = random.Pixels(static_cast<size_t>(dw) * dh, opaqueDest);
        const Color tint = random.Tint();
        const int mode = static_cast<int>(random.Below(2));
        const int x = static_cast<int>(random.Below(8)), y = static_cast<int>(random.Below(2));
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << FormName(form) << ", mode " << mode);
        drawn += ExpectSameBothWays(dest, dw, dh, opaqueDest || random.Below(4) == 0, [&](MemoryImage& image) {
            image.Blt(source.get(), x, y, IntRect(0, 0, sw, sh), tint, mode);
        });
    }
    EXPECT_GT(drawn, 200);
}

// The additive blit of a source with soft alpha, the usual glow: rows with
// fully transparent pixels (of any colour) at either end, which the vector
// kernels pass over, drawn at every destination offset within two cache
// lines and at every width from one pixel to five groups of eight, so that
// the pieces before and after the aligned groups take every length. Each
// is drawn by a fresh source, which scales its colour as it goes, and by
// one drawn before, which adds its cached added colour; and each is drawn
// whole and through a smaller source rectangle, some cut by the
// destination's left or right edge, with an odd or even count of rows.
TEST(VectorKernels, AdditiveBlitsMatchAtEveryOffsetAndWidth) {
    RandomPixels random(2024);
    constexpr int dw = 64, dh = 4;
    int drawn = 0;
    for (int width = 1; width <= 40; ++width)
        for (int x = 0; x < 16; ++x) {
            const int sh = 3 + (width + x) % 2;
            std::vector<uint32_t> pixels;
            for (int row = 0; row < sh; ++row) {
                const int lead = static_cast<int>(random.Below(static_cast<uint32_t>(width) + 1));
                const int trail = static_cast<int>(random.Below(static_cast<uint32_t>(width - lead) + 1));
                for (int k = 0; k < width; ++k)
                    pixels.push_back(k < lead || k >= width - trail ? random.Pixel() & 0x00FFFFFFu : random.Pixel());
            }
            const Form form = (width + x) % 4 == 3 ? Form::Palettised : Form::Plain;
            const auto dest = random.Pixels(static_cast<size_t>(dw) * dh, random.Below(2) == 0);
            // Whole, or a part of the source placed anywhere from all but
            // its last column past the left edge to all but its first past
            // the right one.
            const bool part = random.Below(2) == 0;
            const int sx = part ? static_cast<int>(random.Below(static_cast<uint32_t>(width))) : 0;
            const int sy = part ? static_cast<int>(random.Below(2)) : 0;
            const IntRect rect(
                sx, sy, width - sx - (part ? static_cast<int>(random.Below(static_cast<uint32_t>(width - sx))) : 0),
                sh - sy);
            const int at =
                part ? static_cast<int>(random.Below(static_cast<uint32_t>(dw + rect.mWidth - 1))) - (rect.mWidth - 1)
                     : x;
            for (bool drawnBefore : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << "width " << width << ", rows " << sh << ", from " << rect.mX << ", " << rect.mY
                             << " size " << rect.mWidth << " x " << rect.mHeight << " at " << at << ", "
                             << FormName(form) << (drawnBefore ? ", drawn before" : ", fresh"));
                drawn += ExpectSameBothWays(dest, dw, dh, false, [&](MemoryImage& image) {
                    const auto source = MakeSource(width, sh, pixels, form);
                    if (drawnBefore) {
                        MemoryImage scratch;
                        scratch.Create(width, sh);
                        scratch.Blt(source.get(), 0, 0, IntRect(0, 0, width, sh), Color::White, 1);
                    }
                    image.Blt(source.get(), at, 0, rect, Color::White, 1);
                    const bool cached = drawnBefore && source->mHasAlpha && BlitPixel::VectorKernelsEnabled();
                    EXPECT_EQ(source->mAddedColorData != nullptr, cached);
                });
            }
        }
    EXPECT_GT(drawn, 1000);
}

// The cached added colour lives only while the pixels stay: a blit after a
// change adds the new pixels, and a volatile image never builds it.
TEST(VectorKernels, AdditiveBlitsFollowTheSourceThroughChanges) {
    if (BlitPixel::MaxKernelLevel() == BlitPixel::KernelLevel::Portable)
        GTEST_SKIP() << "no vector kernels here";
    auto addTwice = [](MemoryImage& source) {
        auto dest = MakeFilled(8, 1, 0xFF000000u);
        dest->Blt(&source, 0, 0, IntRect(0, 0, 8, 1), Color::White, 1);
        dest->Blt(&source, 0, 0, IntRect(0, 0, 8, 1), Color::White, 1);
        return PixelAt(*dest, 7, 0);
    };
    const std::vector<uint32_t> red(8, 0x80FF0000u), green(8, 0x80008000u);
    auto source = MakeImage(8, 1, red);
    EXPECT_EQ(addTwice(*source), 0xFFFE0000u); // 0xFF * 0x80 >> 8, twice
    ASSERT_NE(source->mAddedColorData, nullptr);

    source->SetBits(green.data(), 8, 1);
    EXPECT_EQ(source->mAddedColorData, nullptr);
    EXPECT_EQ(addTwice(*source), 0xFF008000u);
    ASSERT_NE(source->mAddedColorData, nullptr);
    source->DropSoftwareCaches();
    EXPECT_EQ(source->mAddedColorData, nullptr);

    auto glow = MakeImage(8, 1, red);
    glow->SetVolatile(true);
    EXPECT_EQ(addTwice(*glow), 0xFFFE0000u);
    EXPECT_EQ(glow->mAddedColorData, nullptr);
}

TEST(VectorKernels, StretchesMatchThePortableKernels) {
    RandomPixels random(4242);
    int drawn = 0;
    for (int round = 0; round < 200; ++round) {
        const bool fast = round % 2 == 0;
        const RandomSource source(random, round, 1, 24);
        const int sw = source.width, sh = source.height;
        const int dw = 64, dh = 48;
        // Enlarging, shrinking or neither along each axis, partly clipped.
        const IntRect destRect(static_cast<int>(random.Below(20)) - 4, static_cast<int>(random.Below(10)) - 4,
                               1 + static_cast<int>(random.Below(60)), 1 + static_cast<int>(random.Below(44)));
        const IntRect srcRect(static_cast<int>(random.Below(2)), static_cast<int>(random.Below(2)),
                              sw - static_cast<int>(random.Below(2)), sh - static_cast<int>(random.Below(2)));
        const IntRect clip(static_cast<int>(random.Below(6)), 0, dw - static_cast<int>(random.Below(12)), dh);
        const bool opaqueDest = random.Below(2) == 0;
        const auto dest = random.Pixels(static_cast<size_t>(dw) * dh, opaqueDest);
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << FormName(source.form)
                                        << (fast ? ", fast" : ""));
        drawn += ExpectSameBothWays(dest, dw, dh, false, [&](MemoryImage& image) {
            image.StretchBlt(source.image.get(), destRect, srcRect, clip, Color::White, 0, fast);
        });
    }
    EXPECT_GT(drawn, 150);
}

// Destination rows wider than the stretch takes columns in at a time: the
// column sums carry on from one piece of the row to the next, so every
// column samples source column x * sw / dw at every level, and soft pixels
// blend the same as the portable kernels make them.
TEST(VectorKernels, WideFastStretchesSampleEveryColumnAcrossTheRow) {
    constexpr int sw = 7, sh = 2, dw = 2600, dh = 3;
    std::vector<uint32_t> opaque(sw * sh);
    for (int i = 0; i < sw * sh; ++i)
        opaque[i] = 0xFF000000u | static_cast<uint32_t>(i + 1) * 0x010203u;
    const auto background = std::vector<uint32_t>(static_cast<size_t>(dw) * dh, 0xFF808080u);
    using BlitPixel::KernelLevel;
    for (KernelLevel level : {KernelLevel::Portable, KernelLevel::Sse2, KernelLevel::Ssse3, KernelLevel::Avx2}) {
        if (level > BlitPixel::MaxKernelLevel())
            continue;
        SCOPED_TRACE(testing::Message() << "level " << static_cast<int>(level));
        BlitPixel::SetKernelLevel(level);
        auto source = MakeImage(sw, sh, opaque);
        auto dest = MakeImage(dw, dh, background);
        dest->StretchBlt(source.get(), IntRect(0, 0, dw - 1, dh), IntRect(0, 0, sw, sh), IntRect(0, 0, dw, dh),
                         Color::White, 0, true);
        const std::vector<uint32_t> drawn = PixelsOf(*dest);
        for (int x = 0; x < dw - 1; ++x)
            ASSERT_EQ(drawn[x], opaque[x * sw / (dw - 1)]) << "column " << x;
        EXPECT_EQ(drawn[dw - 1], 0xFF808080u); // past the stretch
    }
    BlitPixel::SetKernelLevel(BlitPixel::MaxKernelLevel());

    RandomPixels random(77);
    const auto soft = MakeSource(sw, sh, random.Pixels(sw * sh, false), Form::Plain);
    const auto dest = random.Pixels(static_cast<size_t>(dw) * dh, false);
    EXPECT_TRUE(ExpectSameBothWays(dest, dw, dh, false, [&](MemoryImage& image) {
        image.StretchBlt(soft.get(), IntRect(-3, 0, dw + 5, dh), IntRect(0, 0, sw, sh), IntRect(0, 0, dw, dh),
                         Color::White, 0, true);
    }));
}

TEST(VectorKernels, RotationsMatchThePortableKernels) {
    RandomPixels random(99);
    int drawn = 0;
    for (int round = 0; round < 200; ++round) {
        const RandomSource source(random, round, 2, 30);
        const int sw = source.width, sh = source.height;
        const int dw = 64, dh = 64;
        const double angle = round % 5 == 0 ? 0.0 : (static_cast<double>(random.Below(6283)) / 1000.0);
        const float x = static_cast<float>(random.Below(400)) / 10.0f;
        const float y = static_cast<float>(random.Below(400)) / 10.0f;
        const float cx = static_cast<float>(random.Below(static_cast<uint32_t>(sw) * 10)) / 10.0f;
        const float cy = static_cast<float>(random.Below(static_cast<uint32_t>(sh) * 10)) / 10.0f;
        const Color tint = random.Tint();
        const int mode = static_cast<int>(random.Below(2));
        const bool opaqueDest = random.Below(2) == 0;
        const auto dest = random.Pixels(static_cast<size_t>(dw) * dh, opaqueDest);
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << FormName(source.form) << ", angle " << angle);
        drawn += ExpectSameBothWays(dest, dw, dh, false, [&](MemoryImage& image) {
            const IntRect clip(0, 0, dw, dh);
            image.BltRotated(source.image.get(), x, y, IntRect(0, 0, sw, sh), clip, tint, mode, angle, cx, cy);
        });
    }
    EXPECT_GT(drawn, 100);
}

} // namespace
} // namespace Kavo
