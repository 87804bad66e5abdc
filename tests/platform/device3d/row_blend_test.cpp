// The four-at-a-time row blend gives exactly the values of the one-pixel
// blend, in every format and blend, including runs of wholly transparent and
// wholly opaque pixels that it takes shortcuts for.

#include <random>

#include "platform/device3d/row_blend.h"
#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

template <TargetFormat F, BlendKind B>
void ExpectRowMatchesPixels() {
    constexpr int kCount = 1023; // not a multiple of four: the tail goes one by one
    constexpr int kBytes = target_pixels::TargetPixel<F>::kBytes;
    std::mt19937 rng(static_cast<unsigned>(static_cast<int>(F) * 10 + static_cast<int>(B)));
    std::vector<std::uint32_t> src(kCount);
    for (int i = 0; i < kCount; ++i) {
        const std::uint32_t alpha = i < 8 ? 0 : i < 16 ? 255 : static_cast<std::uint32_t>(rng() % 4 == 0 ? 0 : rng());
        src[static_cast<std::size_t>(i)] = (alpha & 0xFF) << 24 | (rng() & 0xFFFFFF);
    }
    std::vector<std::uint8_t> row(kCount * kBytes), pixels;
    for (auto& byte : row) {
        byte = static_cast<std::uint8_t>(rng());
    }
    pixels = row;
    SpanShader shader;
    shader.source = Blend::InvSrcAlpha;
    shader.destination = Blend::SrcAlpha;
    BlendRow<F, B>(shader, row.data(), src.data(), kCount);
    for (int i = 0; i < kCount; ++i) {
        target_pixels::Write<F, B>(shader, pixels.data() + i * kBytes, src[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < kCount; ++i) {
        std::uint32_t a = 0, b = 0;
        std::memcpy(&a, row.data() + i * kBytes, kBytes);
        std::memcpy(&b, pixels.data() + i * kBytes, kBytes);
        // The unused top bits may differ where a transparent pixel was skipped.
        const std::uint32_t colourBits = F == TargetFormat::Xrgb8888 ? 0xFFFFFF
                                         : F == TargetFormat::Rgb555 ? 0x7FFF
                                                                     : 0xFFFF;
        a &= colourBits;
        b &= colourBits;
        ASSERT_EQ(a, b) << "format " << static_cast<int>(F) << " blend " << static_cast<int>(B) << " pixel " << i;
    }
}

template <TargetFormat F>
void ExpectAllBlends() {
    ExpectRowMatchesPixels<F, BlendKind::Replace>();
    ExpectRowMatchesPixels<F, BlendKind::AlphaOver>();
    ExpectRowMatchesPixels<F, BlendKind::Add>();
    ExpectRowMatchesPixels<F, BlendKind::AlphaAdd>();
    ExpectRowMatchesPixels<F, BlendKind::Generic>();
}

TEST(RowBlendTest, RowBlendEqualsPixelBlendInEveryFormat) {
    ExpectAllBlends<TargetFormat::Rgb565>();
    ExpectAllBlends<TargetFormat::Rgb555>();
    ExpectAllBlends<TargetFormat::Xrgb8888>();
}

} // namespace
} // namespace platform::test
