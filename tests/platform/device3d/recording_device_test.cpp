// The recording device keeps every call with its arguments and result, and
// fails the chosen call.

#include "platform/device3d/recording_device3d.h"
#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

TEST(RecordingDeviceTest, LogsStatesTexturesAndVertexCopies) {
    RecordingDevice3D device;
    std::shared_ptr<Texture> texture;
    ASSERT_EQ(device.CreateTexture(64, 32, TextureFormat::Argb4444, texture), DD_OK);
    ASSERT_EQ(device.BeginScene(), D3D_OK);
    ASSERT_EQ(device.SetRenderState(RenderState::DestBlend, static_cast<std::uint32_t>(Blend::One)), D3D_OK);
    ASSERT_EQ(
        device.SetTextureStageState(0, TextureStageState::AlphaOp, static_cast<std::uint32_t>(TextureOp::Modulate)),
        D3D_OK);
    ASSERT_EQ(device.SetTexture(0, texture), D3D_OK);
    std::vector<TLVertex> quad = QuadStrip(0, 0, 10, 10, 0x80FFFFFF);
    // Drawing needs a target even on this device, like any other.
    EXPECT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0),
              DDERR_SURFACELOST);
    TargetBuffer target(TargetFormat::Rgb565, 8, 8);
    ASSERT_EQ(device.SetRenderTarget(target.View()), D3D_OK);
    ASSERT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0), D3D_OK);
    const std::vector<TLVertex> sent = quad;
    quad[0].x = 99; // the log holds a copy, not the caller's array
    ASSERT_EQ(device.EndScene(), D3D_OK);

    std::vector<std::string> names;
    for (const RecordedCall& call : device.Calls()) {
        names.push_back(call.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"CreateTexture", "BeginScene", "SetRenderState", "SetTextureStageState",
                                               "SetTexture", "DrawPrimitive", "SetRenderTarget", "DrawPrimitive",
                                               "EndScene"}));
    const RecordedCall& state = device.Calls()[2];
    EXPECT_EQ(state.code, static_cast<std::uint32_t>(RenderState::DestBlend));
    EXPECT_EQ(state.value, static_cast<std::uint32_t>(Blend::One));
    const RecordedCall& stage = device.Calls()[3];
    EXPECT_EQ(stage.code, static_cast<std::uint32_t>(TextureStageState::AlphaOp));
    EXPECT_EQ(stage.value, static_cast<std::uint32_t>(TextureOp::Modulate));
    EXPECT_EQ(device.Calls()[4].texture, texture);

    const auto draws = device.CallsNamed("DrawPrimitive");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].result, DDERR_SURFACELOST);
    EXPECT_EQ(draws[1].result, D3D_OK);
    EXPECT_EQ(draws[1].code, static_cast<std::uint32_t>(PrimitiveType::TriangleStrip));
    EXPECT_EQ(draws[1].value, kFvfTransformedTextured);
    EXPECT_EQ(draws[1].texture, texture);
    EXPECT_EQ(draws[1].vertices, sent);
    // Nothing was drawn.
    EXPECT_EQ(target.Raw(3, 3), 0u);
}

TEST(RecordingDeviceTest, FailsTheNthCallWithTheChosenCode) {
    RecordingDevice3D device;
    device.FailNthCall(3, DDERR_SURFACELOST);
    EXPECT_EQ(device.BeginScene(), D3D_OK);
    EXPECT_EQ(device.SetRenderState(RenderState::AlphaBlendEnable, 1), D3D_OK);
    EXPECT_EQ(device.SetRenderState(RenderState::SrcBlend, static_cast<std::uint32_t>(Blend::InvSrcAlpha)),
              DDERR_SURFACELOST);
    EXPECT_EQ(device.SetRenderState(RenderState::DestBlend, static_cast<std::uint32_t>(Blend::One)), D3D_OK);

    std::uint32_t value = 0;
    ASSERT_EQ(device.GetRenderState(RenderState::SrcBlend, value), D3D_OK);
    EXPECT_EQ(value, static_cast<std::uint32_t>(Blend::One)) << "the failed call changed nothing";
    ASSERT_EQ(device.Calls().size(), 5u);
    EXPECT_EQ(device.Calls()[2].result, DDERR_SURFACELOST);
    EXPECT_EQ(device.Calls()[2].value, static_cast<std::uint32_t>(Blend::InvSrcAlpha));

    // The failure is spent; a new one can be set up for any call.
    device.FailNthCall(1, D3DERR_SCENE_END_FAILED);
    EXPECT_EQ(device.EndScene(), D3DERR_SCENE_END_FAILED);
    EXPECT_EQ(device.EndScene(), D3D_OK);
    EXPECT_EQ(device.EndScene(), D3DERR_SCENE_NOT_IN_SCENE);
}

} // namespace
} // namespace platform::test
