// The AVX2 kernels for white x8r8g8b8 spans give exactly the pixels of the
// SSE2 ones, span by span: point and bilinear sampling, magnified, minified,
// mirrored and one texel per pixel, runs that start or end past the
// texture's edge (clamped or wrapped) and texels or-ed with a stage's
// select, in every blend with a kernel of its own. The AVX2 row blend alone
// matches the one-pixel blend too.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/device3d/row_blend_avx2.h"
#include "platform/device3d/span_kernels.h"
#include "platform/device3d/vector_level.h"
#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

#if KAVO_DEVICE3D_AVX2

constexpr BlendKind kBlends[] = {BlendKind::Replace, BlendKind::AlphaOver, BlendKind::Add, BlendKind::AlphaAdd};

template <BlendKind B>
void ExpectRowMatchesPixels(std::mt19937& rng) {
    constexpr int kCount = 1021; // the tail after the groups of eight goes one by one
    std::vector<std::uint32_t> src(kCount);
    for (int i = 0; i < kCount; ++i) {
        // Runs of transparent and of opaque pixels, which the row skips or copies.
        const std::uint32_t alpha = i < 16 ? 0 : i < 32 ? 255 : (rng() % 4 == 0 ? 0 : rng() & 0xFF);
        src[static_cast<std::size_t>(i)] = alpha << 24 | (rng() & 0xFFFFFF);
    }
    std::vector<std::uint8_t> row(kCount * 4);
    for (auto& byte : row) {
        byte = static_cast<std::uint8_t>(rng());
    }
    std::vector<std::uint8_t> pixels = row;
    const SpanShader shader;
    BlendRowXrgbAvx2<B>(shader, row.data(), src.data(), kCount);
    for (int i = 0; i < kCount; ++i) {
        target_pixels::Write<TargetFormat::Xrgb8888, B>(shader, pixels.data() + i * 4,
                                                        src[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < kCount; ++i) {
        std::uint32_t a = 0, b = 0;
        std::memcpy(&a, row.data() + i * 4, 4);
        std::memcpy(&b, pixels.data() + i * 4, 4);
        // The unused top byte may differ where a transparent pixel was skipped.
        ASSERT_EQ(a & 0xFFFFFF, b & 0xFFFFFF) << "blend " << static_cast<int>(B) << " pixel " << i;
    }
}

TEST(Avx2SpanTest, RowBlendEqualsPixelBlend) {
    if (!ProcessorHasAvx2()) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    std::mt19937 rng(77);
    ExpectRowMatchesPixels<BlendKind::Replace>(rng);
    ExpectRowMatchesPixels<BlendKind::AlphaOver>(rng);
    ExpectRowMatchesPixels<BlendKind::Add>(rng);
    ExpectRowMatchesPixels<BlendKind::AlphaAdd>(rng);
}

TEST(Avx2SpanTest, SpansEqualTheSse2Kernels) {
    if (!ProcessorHasAvx2()) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    std::mt19937 rng(2024);
    constexpr int kTexWidth = 37, kTexHeight = 11, kSpan = 300;
    const std::vector<std::uint32_t> texels = MixedAlphaTexels(kTexWidth, kTexHeight, rng);
    // Texels per pixel, 32 fraction bits: magnified as a background is, one
    // to one, minified, backwards, and a step of whole texels.
    const std::int64_t one = std::int64_t{1} << 32;
    const std::int64_t steps[] = {one / 2, one / 3, one, one + one / 7, 3 * one, -one / 2, -one, 0};
    int compared = 0;
    for (const Sampling sampling : {Sampling::Point, Sampling::Bilinear}) {
        for (const BlendKind blend : kBlends) {
            for (int round = 0; round < 40; ++round) {
                const SpanShader shader = VariedShader(texels, kTexWidth, kTexHeight, round);
                SpanCursor start;
                start.ds = steps[static_cast<std::size_t>(round) % std::size(steps)];
                // From a few texels before the texture to a few past it.
                start.s = static_cast<std::int64_t>(rng() % (kTexWidth + 8) * one) - 4 * one +
                          static_cast<std::int64_t>(rng() % 4) * (one / 4) + (round % 2 ? 0x12345 : 0);
                start.t = static_cast<std::int64_t>(rng() % (kTexHeight + 2) * one) - one + (one / 5) * (round % 5);
                const int count = 1 + static_cast<int>(rng() % kSpan);

                std::vector<std::uint8_t> fast(kSpan * 4), reference;
                for (auto& byte : fast) {
                    byte = static_cast<std::uint8_t>(rng());
                }
                reference = fast;
                SpanCursor a = start, b = start;
                a.dst = fast.data();
                b.dst = reference.data();
                const SpanFunction vector = SelectSpanFunction(TargetFormat::Xrgb8888, sampling, blend, true, true);
                const SpanFunction plain = SelectSpanFunction(TargetFormat::Xrgb8888, sampling, blend, true, false);
                ASSERT_NE(vector, plain);
                vector(shader, a, count);
                plain(shader, b, count);
                const std::string where = "sampling " + std::to_string(static_cast<int>(sampling)) + " blend " +
                                          std::to_string(static_cast<int>(blend)) + " round " + std::to_string(round);
                ASSERT_EQ(a.dst - fast.data(), b.dst - reference.data()) << where;
                ASSERT_EQ(a.s, b.s) << where;
                for (int i = 0; i < count; ++i) {
                    std::uint32_t x = 0, y = 0;
                    std::memcpy(&x, fast.data() + i * 4, 4);
                    std::memcpy(&y, reference.data() + i * 4, 4);
                    ASSERT_EQ(x & 0xFFFFFF, y & 0xFFFFFF) << where << " pixel " << i;
                }
                compared += count;
            }
        }
    }
    EXPECT_GT(compared, 10000);
}

#endif

} // namespace
} // namespace platform::test
