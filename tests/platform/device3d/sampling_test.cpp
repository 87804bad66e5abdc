// Texture sampling and the stage-0 combination of texture and diffuse, on a
// 2×2 texture whose four texels are red, green, blue and white: so green
// measures the horizontal weight of the right column and blue the vertical
// weight of the bottom row.

#include <cmath>

#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

class SamplingTest : public ::testing::Test {
protected:
    void SetUp() override {
        Prepare(device, target);
        texture = MakeTexture<std::uint32_t>(device, 2, 2, TextureFormat::Argb8888,
                                             {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
        ASSERT_EQ(device.SetTexture(0, texture), D3D_OK);
    }

    void SetStage(TextureStageState state, std::uint32_t value) {
        ASSERT_EQ(device.SetTextureStageState(0, state, value), D3D_OK);
    }

    void SetFilter(TextureFilter filter) {
        SetStage(TextureStageState::MagFilter, static_cast<std::uint32_t>(filter));
        SetStage(TextureStageState::MinFilter, static_cast<std::uint32_t>(filter));
    }

    void SetAddress(TextureAddress address) {
        SetStage(TextureStageState::AddressU, static_cast<std::uint32_t>(address));
        SetStage(TextureStageState::AddressV, static_cast<std::uint32_t>(address));
    }

    // An n × n pixel quad at the origin showing texture coordinates 0..extent,
    // placed as the renderer places a blit (corners half a pixel up and left).
    void DrawQuad(float pixels, float extent, std::uint32_t diffuse = kWhite) {
        const auto v = QuadStrip(-0.5f, -0.5f, pixels - 0.5f, pixels - 0.5f, diffuse, 0, 0, extent, extent);
        ASSERT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, v.data(), 4, 0), D3D_OK);
    }

    TargetBuffer target{TargetFormat::Xrgb8888, 16, 16};
    SoftwareDevice3D device;
    std::shared_ptr<Texture> texture;
};

// The colour of the 2×2 texture at horizontal weight wx and vertical weight
// wy of the second column and row, worked out by hand from the four texels.
Rgb8 Mix(double wx, double wy) {
    const double red = (1 - wx) * (1 - wy) + wx * wy;
    return {static_cast<int>(std::lround(255 * red)), static_cast<int>(std::lround(255 * wx)),
            static_cast<int>(std::lround(255 * wy))};
}

void ExpectNear(const Rgb8& got, const Rgb8& want, int tolerance) {
    EXPECT_NEAR(got.r, want.r, tolerance);
    EXPECT_NEAR(got.g, want.g, tolerance);
    EXPECT_NEAR(got.b, want.b, tolerance);
}

// Pixel x of a 4-pixel quad over u 0..1 has its centre at u = (x + 0.5) / 4:
// point sampling reads texel floor(u × 2) = 0, 0, 1, 1.
TEST_F(SamplingTest, PointSamplingReadsTexelFloorOfUTimesWidth) {
    DrawQuad(4, 1);
    const int texel[] = {0, 0, 1, 1};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(target.At(x, y), Mix(texel[x], texel[y])) << x << "," << y;
        }
    }
}

// Bilinear reads around u × 2 − 0.5 = -0.25, 0.25, 0.75, 1.25: weights of the
// second texel 0 (clamped), 0.25, 0.75 and 1 (clamped).
TEST_F(SamplingTest, BilinearMixesAroundUTimesWidthMinusHalfWithClamping) {
    SetFilter(TextureFilter::Linear);
    SetAddress(TextureAddress::Clamp);
    DrawQuad(4, 1);
    const double weight[] = {0, 0.25, 0.75, 1};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            ExpectNear(target.At(x, y), Mix(weight[x], weight[y]), 1);
        }
    }
}

// Texture coordinates 0..2 over 8 pixels: u × 2 runs past the texture's
// right edge in the second half, where clamping repeats the last column and
// wrapping starts the texture again.
TEST_F(SamplingTest, PointSamplingClampsOrWrapsPastTheEdge) {
    SetAddress(TextureAddress::Clamp);
    DrawQuad(8, 2);
    const int clamped[] = {0, 0, 1, 1, 1, 1, 1, 1};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(target.At(x, 0), Mix(clamped[x], 0)) << x;
    }
    SetAddress(TextureAddress::Wrap);
    DrawQuad(8, 2);
    const int wrapped[] = {0, 0, 1, 1, 0, 0, 1, 1};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(target.At(x, 7), Mix(wrapped[x], 1)) << x;
    }
}

TEST_F(SamplingTest, MinificationUsesTheMinFilter) {
    SetStage(TextureStageState::MagFilter, static_cast<std::uint32_t>(TextureFilter::Point));
    SetStage(TextureStageState::MinFilter, static_cast<std::uint32_t>(TextureFilter::Linear));
    SetAddress(TextureAddress::Clamp);
    // One pixel over the whole texture: u × 2 − 0.5 = 0.5 at its centre.
    DrawQuad(1, 1);
    ExpectNear(target.At(0, 0), Mix(0.5, 0.5), 1);
}

// Texture × diffuse, channel by channel (x × y / 255, rounded). Alpha comes
// from the texture unless ALPHAOP is MODULATE; it shows through
// SRCALPHA/INVSRCALPHA over an opaque blue background.
TEST_F(SamplingTest, TextureTimesDiffuseWithAndWithoutAlphaModulate) {
    auto tex = MakeTexture<std::uint32_t>(device, 1, 1, TextureFormat::Argb8888, {0xFFFF8040});
    ASSERT_EQ(device.SetTexture(0, tex), D3D_OK);
    DrawQuad(2, 1, 0xFF80C0FF);
    EXPECT_EQ(target.At(0, 0), (Rgb8{128, 96, 64}));

    SetBlend(device, Blend::SrcAlpha, Blend::InvSrcAlpha);
    const struct {
        TextureOp alphaOp;
        Rgb8 expected;
    } cases[] = {{TextureOp::SelectArg1, {255, 128, 64}}, // texture alpha 255: the texel replaces blue
                 {TextureOp::Modulate, {128, 64, 160}}};  // 255 × 128: half texel, half blue
    for (const auto& c : cases) {
        ASSERT_EQ(device.Clear(0, nullptr, kClearTarget, 0xFF0000FF, 1.0f, 0), D3D_OK);
        SetStage(TextureStageState::AlphaOp, static_cast<std::uint32_t>(c.alphaOp));
        DrawQuad(2, 1, 0x80FFFFFF);
        ExpectNear(target.At(1, 1), c.expected, 1);
    }
}

TEST_F(SamplingTest, ColorOpSelectsTextureOrDiffuse) {
    auto tex = MakeTexture<std::uint32_t>(device, 1, 1, TextureFormat::Argb8888, {0xFFFF8040});
    ASSERT_EQ(device.SetTexture(0, tex), D3D_OK);
    const struct {
        TextureOp op;
        Rgb8 expected;
    } cases[] = {{TextureOp::SelectArg1, {255, 128, 64}},
                 {TextureOp::SelectArg2, {0, 0, 255}},
                 {TextureOp::Disable, {0, 0, 255}},
                 {TextureOp::Modulate, {0, 0, 64}}};
    for (const auto& c : cases) {
        SetStage(TextureStageState::ColorOp, static_cast<std::uint32_t>(c.op));
        DrawQuad(2, 1, 0xFF0000FF);
        EXPECT_EQ(target.At(0, 0), c.expected) << static_cast<int>(c.op);
    }
    // Without a texture the diffuse colour passes through.
    SetStage(TextureStageState::ColorOp, static_cast<std::uint32_t>(TextureOp::Modulate));
    ASSERT_EQ(device.SetTexture(0, nullptr), D3D_OK);
    DrawQuad(2, 1, 0xFF102030);
    EXPECT_EQ(target.At(1, 1), (Rgb8{0x10, 0x20, 0x30}));
}

// Colours interpolate linearly between the vertices (evaluated at pixel
// centres); flat shading takes the first vertex's.
TEST_F(SamplingTest, GouraudAndFlatShading) {
    ASSERT_EQ(device.SetTexture(0, nullptr), D3D_OK);
    // Red rises from 0 at x = -0.5 to 255 at x = 7.5: pixel x sits at (x + 0.5) / 8.
    const std::vector<TLVertex> v = {Vertex(-0.5f, -0.5f, 0xFF000000), Vertex(-0.5f, 1.5f, 0xFF000000),
                                     Vertex(7.5f, -0.5f, 0xFFFF0000), Vertex(7.5f, 1.5f, 0xFFFF0000)};
    ASSERT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, v.data(), 4, 0), D3D_OK);
    for (int x = 0; x < 8; ++x) {
        EXPECT_NEAR(target.At(x, 0).r, std::lround(255.0 * (x + 0.5) / 8), 1) << x;
    }
    ASSERT_EQ(device.SetRenderState(RenderState::ShadeMode, static_cast<std::uint32_t>(ShadeMode::Flat)), D3D_OK);
    ASSERT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, v.data(), 4, 0), D3D_OK);
    EXPECT_EQ(target.At(6, 0), (Rgb8{0, 0, 0}));
}

} // namespace
} // namespace platform::test

namespace platform::test {
namespace {

// A blit's strip is filled as one rectangle; it must shade exactly as its
// two triangles do, mirrored or not, at any sub-pixel position.
TEST(RectangleStripTest, ShadesLikeItsTwoTriangles) {
    const struct {
        float left, top, right, bottom;
    } cases[] = {{0.5f, 1.25f, 13.75f, 9.5f}, {12.3f, 0.7f, 2.1f, 10.2f}, {-3.5f, -2.5f, 20.5f, 4.5f}};
    for (const auto& c : cases) {
        TargetBuffer strip(TargetFormat::Xrgb8888, 16, 12), triangles(TargetFormat::Xrgb8888, 16, 12);
        for (TargetBuffer* target : {&strip, &triangles}) {
            SoftwareDevice3D device;
            Prepare(device, *target);
            SetBlend(device, Blend::SrcAlpha, Blend::InvSrcAlpha);
            ASSERT_EQ(device.SetTextureStageState(0, TextureStageState::MagFilter,
                                                  static_cast<std::uint32_t>(TextureFilter::Linear)),
                      D3D_OK);
            ASSERT_EQ(
                device.SetTexture(0, MakeTexture<std::uint32_t>(device, 2, 2, TextureFormat::Argb8888,
                                                                {0xFFFF0000, 0x8000FF00, 0x400000FF, 0xFFFFFFFF})),
                D3D_OK);
            const auto q = QuadStrip(c.left, c.top, c.right, c.bottom, 0xC080FF40, 0.1f, 0.2f, 0.9f, 1.3f);
            const std::vector<TLVertex> list = {q[0], q[1], q[2], q[1], q[3], q[2]};
            const bool asStrip = target == &strip;
            ASSERT_EQ(device.DrawPrimitive(asStrip ? PrimitiveType::TriangleStrip : PrimitiveType::TriangleList,
                                           kFvfTransformedTextured, asStrip ? q.data() : list.data(), asStrip ? 4 : 6,
                                           0),
                      D3D_OK);
        }
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 16; ++x) {
                ASSERT_EQ(strip.Raw(x, y), triangles.Raw(x, y)) << c.left << ": pixel " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace platform::test

namespace platform::test {
namespace {

// Texture coordinates far out of range, or not numbers, and a sliver whose
// gradients are huge still draw every covered pixel and nothing else (the
// sanitizer build checks that no arithmetic overflows on the way).
TEST(ExtremeCoordinatesTest, GarbageTextureCoordinatesStillCoverTheTriangle) {
    TargetBuffer target(TargetFormat::Xrgb8888, 40, 24);
    SoftwareDevice3D device;
    Prepare(device, target);
    SetBlend(device, Blend::One, Blend::One);
    ASSERT_EQ(device.SetTexture(
                  0, MakeTexture<std::uint32_t>(device, 2, 1, TextureFormat::Argb8888, {0xFF010101, 0xFF010101})),
              D3D_OK);
    for (TextureFilter filter : {TextureFilter::Point, TextureFilter::Linear}) {
        ASSERT_EQ(device.SetTextureStageState(0, TextureStageState::MagFilter, static_cast<std::uint32_t>(filter)),
                  D3D_OK);
        ASSERT_EQ(device.SetTextureStageState(0, TextureStageState::MinFilter, static_cast<std::uint32_t>(filter)),
                  D3D_OK);
        ASSERT_EQ(device.Clear(0, nullptr, kClearTarget, 0, 1, 0), D3D_OK);
        const float nan = std::nanf("");
        const std::vector<TLVertex> v = {Vertex(0, 0, 0xFFFFFFFF, 1e30f, nan), Vertex(8, 0, 0xFFFFFFFF, -1e30f, 0),
                                         Vertex(0, 8, 0xFFFFFFFF, 0, 1e20f),
                                         // A sliver a 256th of a pixel high along a row of centres.
                                         Vertex(10, 20, 0x80FFFFFF, 0, 0), Vertex(39, 20, 0x80FFFFFF, 1e6f, 0),
                                         Vertex(10, 20.00390625f, 0xFFFFFFFF, -1e6f, 1)};
        ASSERT_EQ(device.DrawPrimitive(PrimitiveType::TriangleList, kFvfTransformedTextured, v.data(), 6, 0), D3D_OK);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 40; ++x) {
                const bool first = x + y < 8;
                const bool sliver = y == 20 && x >= 10 && x < 39;
                ASSERT_EQ(target.At(x, y).r, first || sliver ? 1 : 0) << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace platform::test
