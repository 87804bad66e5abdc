// A rectangle kernel gives exactly the pixels of its span kernel run row by
// row from the same cursors: every target format, sampling and blend, white
// and shaded, the SSE2 and the AVX2 choice, with texture rows and columns
// that start inside, before and past the texture (clamped or wrapped), one
// texel per pixel, magnified, minified and mirrored, and texels or-ed with a
// stage's select. Nothing outside the rows is written.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/device3d/span_kernels.h"
#include "platform/device3d/vector_level.h"
#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

constexpr TargetFormat kFormats[] = {TargetFormat::Rgb565, TargetFormat::Rgb555, TargetFormat::Xrgb8888};
constexpr Sampling kSamplings[] = {Sampling::None, Sampling::Point, Sampling::Bilinear};
constexpr BlendKind kRectBlends[] = {BlendKind::Replace, BlendKind::AlphaOver, BlendKind::Add, BlendKind::AlphaAdd,
                                     BlendKind::Generic};

TEST(RectKernelTest, RowsEqualTheSpanKernelRowByRow) {
    std::mt19937 rng(71);
    constexpr int kTexWidth = 13, kTexHeight = 9, kMaxCount = 90, kMaxRows = 40, kGap = 8;
    const std::vector<std::uint32_t> texels = MixedAlphaTexels(kTexWidth, kTexHeight, rng);
    const std::int64_t one = std::int64_t{1} << 32;
    const std::int64_t steps[] = {one, one / 2, one / 3, one + one / 7, 2 * one, -one, -one / 2, 0};
    std::vector<bool> vectorLevels = {false};
    if (ProcessorHasAvx2()) {
        vectorLevels.push_back(true);
    }
    int compared = 0;
    for (const bool avx2 : vectorLevels) {
        for (const TargetFormat format : kFormats) {
            const int bytes = TargetBytesPerPixel(format);
            for (const Sampling sampling : kSamplings) {
                for (const BlendKind blend : kRectBlends) {
                    for (int round = 0; round < 12; ++round) {
                        const bool white = round % 2 == 0;
                        const SpanKernels kernels = SelectSpanKernels(format, sampling, blend, white, avx2);
                        ASSERT_NE(kernels.rect, nullptr);
                        SpanShader shader = VariedShader(texels, kTexWidth, kTexHeight, round);
                        shader.source = Blend::InvSrcAlpha;
                        shader.destination = Blend::SrcAlpha;

                        const int count = 1 + static_cast<int>(rng() % kMaxCount);
                        const int rows = 1 + static_cast<int>(rng() % kMaxRows);
                        const std::ptrdiff_t pitch = (count + kGap) * bytes;
                        SpanCursor first;
                        first.ds =
                            steps[static_cast<std::size_t>(round + static_cast<int>(rng() % 3)) % std::size(steps)];
                        first.s = static_cast<std::int64_t>(rng() % (kTexWidth + 6)) * one - 3 * one +
                                  static_cast<std::int64_t>(rng() % 4) * (one / 4) + (round % 2 ? 0x12345 : 0);
                        if (!white) {
                            first.a = static_cast<std::int32_t>(rng() % 256) << 16;
                            first.r = static_cast<std::int32_t>(rng() % 256) << 16;
                            first.g = static_cast<std::int32_t>(rng() % 256) << 16;
                            first.b = static_cast<std::int32_t>(rng() % 256) << 16;
                            first.dr = static_cast<std::int32_t>(rng() % 512) - 256;
                        }
                        // Texture rows down the rectangle, from above the texture to below it.
                        std::vector<std::int64_t> rowT(static_cast<std::size_t>(rows));
                        const std::int64_t dt = steps[static_cast<std::size_t>(rng() % std::size(steps))];
                        const std::int64_t t0 =
                            static_cast<std::int64_t>(rng() % (kTexHeight + 2)) * one - one + (one / 5) * (round % 5);
                        for (int k = 0; k < rows; ++k) {
                            rowT[static_cast<std::size_t>(k)] = t0 + dt * k;
                        }

                        std::vector<std::uint8_t> fast(static_cast<std::size_t>(pitch * (rows + 1))), reference;
                        for (auto& byte : fast) {
                            byte = static_cast<std::uint8_t>(rng());
                        }
                        reference = fast;
                        first.dst = fast.data() + kGap / 2 * bytes;
                        kernels.rect(shader, first, count, rows, pitch, rowT.data());
                        for (int k = 0; k < rows; ++k) {
                            SpanCursor row = first;
                            row.dst = reference.data() + kGap / 2 * bytes + k * pitch;
                            row.t = rowT[static_cast<std::size_t>(k)];
                            kernels.span(shader, row, count);
                        }
                        const std::string where = std::string(avx2 ? "avx2" : "sse2") + " format " +
                                                  std::to_string(static_cast<int>(format)) + " sampling " +
                                                  std::to_string(static_cast<int>(sampling)) + " blend " +
                                                  std::to_string(static_cast<int>(blend)) + " round " +
                                                  std::to_string(round);
                        ASSERT_EQ(fast, reference) << where;
                        compared += count * rows;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 100000);
}

} // namespace
} // namespace platform::test
