#pragma once
// The part of a 3D device that does not draw: what the adapter reports,
// texture and palette creation, the render target and viewport, scenes,
// states and the bound texture, with the checks every device applies.
// Devices derive from it and add clearing and drawing.

#include <memory>

#include "platform/device3d/adapter_description.h"
#include "platform/device3d/device3d.h"
#include "platform/device3d/device_state.h"

namespace platform {

class DeviceCore : public Device3D {
public:
    explicit DeviceCore(AdapterDescription adapter);

    HResult GetCaps(DeviceCaps& out) override;
    HResult EnumTextureFormats(std::vector<PixelFormat>& out) override;
    HResult GetDeviceIdentifier(Device3DIdentifier& out) override;
    HResult GetAvailableVidMem(VideoMemory& out) override;
    HResult CreateTexture(int width, int height, TextureFormat format, std::shared_ptr<Texture>& out) override;
    HResult CreatePalette(bool withAlpha, const std::array<PaletteEntry, TexturePalette::kEntryCount>& entries,
                          std::shared_ptr<TexturePalette>& out) override;
    // DDERR_INVALIDPARAMS for missing bits or a pitch too short for the
    // width, DDERR_INVALIDPIXELFORMAT for a format other than 565, 555 and
    // x8r8g8b8. Success resets the viewport to the whole target.
    HResult SetRenderTarget(const RenderTargetView& target) override;
    // The viewport must lie inside the target.
    HResult SetViewport(const Viewport& viewport) override;
    HResult GetViewport(Viewport& out) override;
    HResult BeginScene() override;
    HResult EndScene() override;
    HResult SetRenderState(RenderState state, std::uint32_t value) override;
    HResult GetRenderState(RenderState state, std::uint32_t& out) override;
    HResult SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) override;
    HResult GetTextureStageState(int stage, TextureStageState state, std::uint32_t& out) override;
    HResult SetTexture(int stage, std::shared_ptr<Texture> texture) override;

protected:
    // The checks of a clear or a draw before anything is touched.
    HResult CheckClear(int count, const ClearRect* rects, std::uint32_t flags) const;
    HResult CheckDraw(PrimitiveType type, std::uint32_t vertexFormat, const TLVertex* vertices, int count) const;

    bool HasTarget() const { return mTargetFormat != TargetFormat::Unsupported; }
    const RenderTargetView& Target() const { return mTarget; }
    TargetFormat TargetPixelFormat() const { return mTargetFormat; }
    const Viewport& CurrentViewport() const { return mViewport; }
    const DeviceState& States() const { return mState; }
    const std::shared_ptr<Texture>& BoundTexture() const { return mTexture; }

private:
    AdapterDescription mAdapter;
    DeviceState mState;
    RenderTargetView mTarget;
    TargetFormat mTargetFormat = TargetFormat::Unsupported;
    Viewport mViewport;
    bool mInScene = false;
    std::shared_ptr<Texture> mTexture;
};

} // namespace platform
