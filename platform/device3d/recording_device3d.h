#pragma once
// A 3D device for tests: it draws nothing, but keeps every call in order
// with its arguments (states and values, the texture bound, copies of the
// vertices drawn) and its result. It applies the same checks as the software
// device, and can be told to fail one chosen call with a chosen code.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/device3d/device_core.h"

namespace platform {

struct RecordedCall {
    std::string name; // the operation, e.g. "SetRenderState"
    HResult result = D3D_OK;
    int stage = 0;
    std::uint32_t code = 0;  // state code, primitive type or clear flags
    std::uint32_t value = 0; // state value, vertex format or clear colour
    std::shared_ptr<Texture> texture;
    std::vector<TLVertex> vertices;
    Viewport viewport;
    RenderTargetView target;
};

class RecordingDevice3D : public DeviceCore {
public:
    explicit RecordingDevice3D(AdapterDescription adapter = SoftwareAdapter());

    // The `n`th call from now (1 is the next one) does nothing and returns
    // `code`; it is recorded all the same.
    void FailNthCall(int n, HResult code);

    const std::vector<RecordedCall>& Calls() const { return mCalls; }
    // The recorded calls of one operation, in order.
    std::vector<RecordedCall> CallsNamed(const std::string& name) const;
    void ClearLog() { mCalls.clear(); }

    HResult GetCaps(DeviceCaps& out) override;
    HResult EnumTextureFormats(std::vector<PixelFormat>& out) override;
    HResult GetDeviceIdentifier(Device3DIdentifier& out) override;
    HResult GetAvailableVidMem(VideoMemory& out) override;
    HResult CreateTexture(int width, int height, TextureFormat format, std::shared_ptr<Texture>& out) override;
    HResult CreatePalette(bool withAlpha, const std::array<PaletteEntry, TexturePalette::kEntryCount>& entries,
                          std::shared_ptr<TexturePalette>& out) override;
    HResult SetRenderTarget(const RenderTargetView& target) override;
    HResult SetViewport(const Viewport& viewport) override;
    HResult GetViewport(Viewport& out) override;
    HResult Clear(int count, const ClearRect* rects, std::uint32_t flags, std::uint32_t color, float z,
                  std::uint32_t stencil) override;
    HResult BeginScene() override;
    HResult EndScene() override;
    HResult SetRenderState(RenderState state, std::uint32_t value) override;
    HResult GetRenderState(RenderState state, std::uint32_t& out) override;
    HResult SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) override;
    HResult GetTextureStageState(int stage, TextureStageState state, std::uint32_t& out) override;
    HResult SetTexture(int stage, std::shared_ptr<Texture> texture) override;
    HResult DrawPrimitive(PrimitiveType type, std::uint32_t vertexFormat, const TLVertex* vertices, int count,
                          std::uint32_t flags) override;

private:
    // Counts the call; the result of the injected failure when it is the
    // chosen one, else the result of `run`. Either way the call is logged.
    template <typename Run>
    HResult Record(RecordedCall call, Run run);

    std::vector<RecordedCall> mCalls;
    int mCallsUntilFailure = 0;
    HResult mFailure = D3D_OK;
};

} // namespace platform
