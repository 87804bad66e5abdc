// The scenes the 3D capability test renders before it trusts a device: each
// draws 64×64 textures into a 100×100 target and reads the top-left block
// back. The software device must pass them all, with uniform results, in 16-
// and 32-bit targets.

#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

struct Scene {
    const char* name;
    Blend source, destination;
    bool modulateAlpha;
    std::uint32_t firstTexel, firstDiffuse, secondTexel, secondDiffuse;
    Rgb8 expected;
};

const Scene kScenes[] = {
    {"alpha",
     Blend::SrcAlpha,
     Blend::InvSrcAlpha,
     false,
     0xFF0000FF,
     0xFFFFFFFF,
     0x80FF0000,
     0xFFFFFFFF,
     {0x7F, 0, 0x7F}},
    {"additive", Blend::One, Blend::One, false, 0xFF404040, 0xFFFFFFFF, 0xFF404040, 0xFFFFFFFF, {0x80, 0x80, 0x80}},
    {"alpha add",
     Blend::SrcAlpha,
     Blend::One,
     false,
     0xFF404040,
     0xFFFFFFFF,
     0x80808080,
     0xFFFFFFFF,
     {0x80, 0x80, 0x80}},
    {"alpha modulated",
     Blend::SrcAlpha,
     Blend::InvSrcAlpha,
     true,
     0xFF0000FF,
     0xFFFFFFFF,
     0xFFFF0000,
     0x80FFFFFF,
     {0x7F, 0, 0x7F}},
};

class CapabilityScenesTest : public ::testing::TestWithParam<TargetFormat> {
protected:
    void Begin(Blend source, Blend destination) {
        ASSERT_EQ(device.SetRenderTarget(target.View()), D3D_OK);
        ASSERT_EQ(device.BeginScene(), D3D_OK);
        ASSERT_EQ(device.Clear(0, nullptr, kClearTarget, 0xFF000000, 1.0f, 0), D3D_OK);
        SetBlend(device, source, destination);
        ASSERT_EQ(device.SetRenderState(RenderState::CullMode, static_cast<std::uint32_t>(Cull::None)), D3D_OK);
    }

    // The test's upload and draw of one 64×64 tile at (x, y).
    void DrawTile(const std::vector<std::uint32_t>& pixels, std::uint32_t diffuse, float x, float y) {
        auto texture = MakeTexture(device, 64, 64, TextureFormat::Argb8888, pixels);
        ASSERT_EQ(device.SetTexture(0, texture), D3D_OK);
        const auto quad = QuadStrip(x - 0.5f, y - 0.5f, x + 63.5f, y + 63.5f, diffuse);
        ASSERT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0),
                  D3D_OK);
        ASSERT_EQ(device.SetTexture(0, nullptr), D3D_OK);
    }

    static bool Close(const Rgb8& got, const Rgb8& want) {
        const int dr = got.r - want.r, dg = got.g - want.g, db = got.b - want.b;
        return dr * dr + dg * dg + db * db <= 768;
    }

    TargetBuffer target{GetParam(), 100, 100};
    SoftwareDevice3D device;
};

TEST_P(CapabilityScenesTest, BlendScenesGiveTheExpectedUniformColour) {
    for (const Scene& s : kScenes) {
        SCOPED_TRACE(s.name);
        Begin(s.source, s.destination);
        if (s.modulateAlpha) {
            ASSERT_EQ(device.SetTextureStageState(0, TextureStageState::AlphaOp,
                                                  static_cast<std::uint32_t>(TextureOp::Modulate)),
                      D3D_OK);
        }
        DrawTile(std::vector<std::uint32_t>(64 * 64, s.firstTexel), s.firstDiffuse, 0, 0);
        DrawTile(std::vector<std::uint32_t>(64 * 64, s.secondTexel), s.secondDiffuse, 0, 0);
        ASSERT_EQ(device.EndScene(), D3D_OK);
        const Rgb8 first = target.At(0, 0);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                ASSERT_TRUE(Close(target.At(x, y), s.expected)) << x << "," << y << " " << target.At(x, y);
                ASSERT_EQ(target.At(x, y), first) << "not uniform at " << x << "," << y;
            }
        }
        // Outside the tile the cleared black remains.
        EXPECT_EQ(target.At(64, 10), (Rgb8{0, 0, 0}));
        EXPECT_EQ(target.At(10, 64), (Rgb8{0, 0, 0}));
    }
}

TEST_P(CapabilityScenesTest, StripesDrawnPartlyOffTheTargetLandOnTheRightColumns) {
    Begin(Blend::SrcAlpha, Blend::InvSrcAlpha);
    std::vector<std::uint32_t> stripes(64 * 64);
    for (int i = 0; i < 64 * 64; ++i) {
        stripes[static_cast<std::size_t>(i)] = (i % 64) % 2 == 1 ? 0xFFFFFFFF : 0xFF000000;
    }
    DrawTile(stripes, 0xFFFFFFFF, -2, -2);
    ASSERT_EQ(device.EndScene(), D3D_OK);
    for (int y = 0; y < 62; ++y) {
        for (int x = 0; x < 62; ++x) {
            const Rgb8 want = x % 2 == 1 ? Rgb8{255, 255, 255} : Rgb8{0, 0, 0};
            ASSERT_TRUE(Close(target.At(x, y), want)) << x << "," << y;
        }
    }
    EXPECT_EQ(target.At(62, 5), (Rgb8{0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Formats, CapabilityScenesTest,
                         ::testing::Values(TargetFormat::Rgb565, TargetFormat::Rgb555, TargetFormat::Xrgb8888));

} // namespace
} // namespace platform::test
