// The device as a whole: identity, capabilities, render targets, scenes and
// the values the states accept.

#include <algorithm>
#include <cctype>

#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The capability test trusts a card by name (nvidia, radeon, "ati ") or by a
// driver file from 2002 on. The software device must earn neither, so that
// 3D is offered with a warning and 2D stays the default.
TEST(SoftwareDeviceTest, IdentityEarnsTheNotRecommendedWarning) {
    SoftwareDevice3D device;
    Device3DIdentifier id;
    ASSERT_EQ(device.GetDeviceIdentifier(id), DD_OK);
    const std::string description = Lower(id.description);
    EXPECT_FALSE(description.empty());
    for (const char* trusted : {"nvidia", "radeon", "ati "}) {
        EXPECT_EQ(description.find(trusted), std::string::npos) << trusted;
    }
    EXPECT_EQ(id.driver.find_first_of("/\\."), std::string::npos) << "no driver file to date";
    EXPECT_NE(id.deviceGuid, (std::array<std::uint8_t, 16>{})) << "the stored test result is keyed by it";

    VideoMemory memory;
    ASSERT_EQ(device.GetAvailableVidMem(memory), DD_OK);
    EXPECT_GE(memory.totalBytes >> 20, 14u) << "above the recommended amount";
    DeviceCaps caps;
    ASSERT_EQ(device.GetCaps(caps), D3D_OK);
    EXPECT_EQ(caps.maxTextureWidth, 1024u);
    EXPECT_EQ(caps.maxTextureAspectRatio, 0u);
    EXPECT_TRUE(caps.paletteAlpha);
}

TEST(SoftwareDeviceTest, RenderTargetMayFailAndThenNothingDraws) {
    TargetBuffer good(TargetFormat::Rgb565, 4, 4);
    SoftwareDevice3D device;
    Prepare(device, good);

    RenderTargetView noBits = good.View();
    noBits.bits = nullptr;
    RenderTargetView rgb24 = good.View();
    rgb24.bitCount = 24;
    RenderTargetView shortPitch = good.View();
    shortPitch.pitch = 6;
    const struct {
        RenderTargetView view;
        HResult expected;
    } cases[] = {{noBits, DDERR_INVALIDPARAMS}, {rgb24, DDERR_INVALIDPIXELFORMAT}, {shortPitch, DDERR_INVALIDPARAMS}};
    const auto quad = QuadStrip(0, 0, 4, 4, 0xFFFFFFFF);
    for (const auto& c : cases) {
        EXPECT_EQ(device.SetRenderTarget(c.view), c.expected);
        EXPECT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0),
                  DDERR_SURFACELOST);
        EXPECT_EQ(device.Clear(0, nullptr, kClearTarget, 0xFFFFFFFF, 1.0f, 0), DDERR_SURFACELOST);
    }
    EXPECT_EQ(good.Raw(1, 1), 0u);
    ASSERT_EQ(device.SetRenderTarget(good.View()), D3D_OK);
    EXPECT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0), D3D_OK);
    EXPECT_EQ(good.Raw(1, 1), 0xFFFFu);
}

TEST(SoftwareDeviceTest, CallsOutOfOrderOrWithBadArgumentsFail) {
    TargetBuffer target(TargetFormat::Xrgb8888, 4, 4);
    SoftwareDevice3D device;
    ASSERT_EQ(device.SetRenderTarget(target.View()), D3D_OK);
    const auto quad = QuadStrip(0, 0, 4, 4, 0xFFFFFFFF);
    EXPECT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0),
              D3DERR_SCENE_NOT_IN_SCENE);
    EXPECT_EQ(device.EndScene(), D3DERR_SCENE_NOT_IN_SCENE);
    ASSERT_EQ(device.BeginScene(), D3D_OK);
    EXPECT_EQ(device.BeginScene(), D3DERR_SCENE_IN_SCENE);
    EXPECT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, 0x142, quad.data(), 4, 0), D3DERR_INVALIDVERTEXTYPE);
    EXPECT_EQ(device.DrawPrimitive(PrimitiveType::PointList, kFvfTransformedTextured, quad.data(), 4, 0),
              D3DERR_INVALIDPRIMITIVETYPE);
    EXPECT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, nullptr, 4, 0),
              DDERR_INVALIDPARAMS);
    EXPECT_EQ(device.Clear(0, nullptr, kClearTarget | kClearZBuffer, 0, 1.0f, 0), D3DERR_ZBUFFER_NOTPRESENT);
    EXPECT_EQ(device.SetViewport(Viewport{2, 0, 3, 4, 0, 1}), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device.SetViewport(Viewport{0, 0, 0, 4, 0, 1}), DDERR_INVALIDPARAMS);
    EXPECT_EQ(target.Raw(0, 0), 0u) << "a failed call draws nothing";

    EXPECT_EQ(device.SetRenderState(RenderState::SrcBlend, 3), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device.SetRenderState(RenderState::CullMode, 0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device.SetRenderState(static_cast<RenderState>(300), 1), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device.SetTextureStageState(0, TextureStageState::ColorOp, 7), D3DERR_UNSUPPORTEDCOLOROPERATION);
    EXPECT_EQ(device.SetTextureStageState(0, TextureStageState::AlphaOp, 0), D3DERR_UNSUPPORTEDALPHAOPERATION);
    EXPECT_EQ(device.SetTextureStageState(0, TextureStageState::MagFilter, 3), D3DERR_UNSUPPORTEDTEXTUREFILTER);
    EXPECT_EQ(device.SetTextureStageState(0, TextureStageState::AddressU, 2), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device.SetTextureStageState(1, TextureStageState::ColorOp, 1), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device.SetTexture(1, nullptr), DDERR_INVALIDPARAMS);
    // States the pre-transformed path does not use are still kept.
    EXPECT_EQ(device.SetRenderState(RenderState::Lighting, 0), D3D_OK);
    std::uint32_t value = 1;
    ASSERT_EQ(device.GetRenderState(RenderState::Lighting, value), D3D_OK);
    EXPECT_EQ(value, 0u);
}

} // namespace
} // namespace platform::test
