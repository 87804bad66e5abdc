// Blending into each target format: results clamp at 255 per channel and are
// written in the target's own layout.

#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

struct BlendCase {
    const char* name;
    Blend source, destination;
    std::uint32_t background, colour; // ARGB
    Rgb8 expected;                    // worked out by hand in 8 bits a channel
};

// SRCALPHA/INVSRCALPHA: s × a + d × (1 − a). ONE/ONE: s + d, clamped.
// SRCALPHA/ONE: s × a + d, clamped.
const BlendCase kBlendCases[] = {
    {"alpha over", Blend::SrcAlpha, Blend::InvSrcAlpha, 0xFF0000FF, 0x80FF0000, {128, 0, 127}},
    {"alpha over grey", Blend::SrcAlpha, Blend::InvSrcAlpha, 0xFFC0C0C0, 0x40FF4000, {208, 160, 144}},
    {"additive clamps", Blend::One, Blend::One, 0xFF804020, 0xFFC08040, {255, 192, 96}},
    {"additive all clamp", Blend::One, Blend::One, 0xFFFFFFFF, 0xFF808080, {255, 255, 255}},
    {"alpha add clamps", Blend::SrcAlpha, Blend::One, 0xFFC04000, 0x80FF8040, {255, 128, 32}},
    {"transparent keeps", Blend::SrcAlpha, Blend::InvSrcAlpha, 0xFF102030, 0x00FFFFFF, {16, 32, 48}},
    {"zero and inverse", Blend::Zero, Blend::InvSrcAlpha, 0xFFFF8000, 0x40FFFFFF, {191, 96, 0}},
};

class BlendTest : public ::testing::TestWithParam<TargetFormat> {};

TEST_P(BlendTest, BlendsClampAndWriteInTheTargetFormat) {
    for (const BlendCase& c : kBlendCases) {
        SCOPED_TRACE(c.name);
        TargetBuffer target(GetParam(), 8, 8);
        SoftwareDevice3D device;
        Prepare(device, target);
        ASSERT_EQ(device.Clear(0, nullptr, kClearTarget, c.background, 1.0f, 0), D3D_OK);
        SetBlend(device, c.source, c.destination);
        const auto quad = QuadStrip(1, 1, 5, 5, c.colour);
        ASSERT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0),
                  D3D_OK);
        const Rgb8 got = target.At(2, 2);
        EXPECT_NEAR(got.r, c.expected.r, target.Tolerance());
        EXPECT_NEAR(got.g, c.expected.g, target.Tolerance());
        EXPECT_NEAR(got.b, c.expected.b, target.Tolerance());
        EXPECT_TRUE(target.GuardsIntact());
    }
}

TEST_P(BlendTest, ClearWritesTheTargetLayout) {
    TargetBuffer target(GetParam(), 6, 4);
    SoftwareDevice3D device;
    ASSERT_EQ(device.SetRenderTarget(target.View()), D3D_OK);
    const ClearRect rect{1, 1, 3, 9}; // runs past the bottom: cut to the viewport
    ASSERT_EQ(device.Clear(1, &rect, kClearTarget, 0x12FF8040, 1.0f, 0), D3D_OK);
    const std::uint32_t expected = GetParam() == TargetFormat::Rgb565   ? 0xFC08u
                                   : GetParam() == TargetFormat::Rgb555 ? 0x7E08u
                                                                        : 0xFFFF8040u;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 1;
            EXPECT_EQ(target.Raw(x, y), inside ? expected : 0u) << x << "," << y;
        }
    }
    EXPECT_TRUE(target.GuardsIntact());
}

INSTANTIATE_TEST_SUITE_P(Formats, BlendTest,
                         ::testing::Values(TargetFormat::Rgb565, TargetFormat::Rgb555, TargetFormat::Xrgb8888),
                         [](const auto& info) {
                             return info.param == TargetFormat::Rgb565   ? std::string("Rgb565")
                                    : info.param == TargetFormat::Rgb555 ? std::string("Rgb555")
                                                                         : std::string("Xrgb8888");
                         });

} // namespace
} // namespace platform::test
