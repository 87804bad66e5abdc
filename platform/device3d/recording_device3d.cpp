#include "platform/device3d/recording_device3d.h"

#include <utility>

namespace platform {

namespace {

RecordedCall Named(const char* name) {
    RecordedCall call;
    call.name = name;
    return call;
}

} // namespace

RecordingDevice3D::RecordingDevice3D(AdapterDescription adapter) : DeviceCore(std::move(adapter)) {}

void RecordingDevice3D::FailNthCall(int n, HResult code) {
    mCallsUntilFailure = n;
    mFailure = code;
}

std::vector<RecordedCall> RecordingDevice3D::CallsNamed(const std::string& name) const {
    std::vector<RecordedCall> out;
    for (const RecordedCall& call : mCalls) {
        if (call.name == name) {
            out.push_back(call);
        }
    }
    return out;
}

template <typename Run>
HResult RecordingDevice3D::Record(RecordedCall call, Run run) {
    if (mCallsUntilFailure > 0 && --mCallsUntilFailure == 0) {
        call.result = mFailure;
    } else {
        call.result = run();
    }
    mCalls.push_back(std::move(call));
    return mCalls.back().result;
}

HResult RecordingDevice3D::GetCaps(DeviceCaps& out) {
    return Record(Named("GetCaps"), [&] { return DeviceCore::GetCaps(out); });
}

HResult RecordingDevice3D::EnumTextureFormats(std::vector<PixelFormat>& out) {
    return Record(Named("EnumTextureFormats"), [&] { return DeviceCore::EnumTextureFormats(out); });
}

HResult RecordingDevice3D::GetDeviceIdentifier(Device3DIdentifier& out) {
    return Record(Named("GetDeviceIdentifier"), [&] { return DeviceCore::GetDeviceIdentifier(out); });
}

HResult RecordingDevice3D::GetAvailableVidMem(VideoMemory& out) {
    return Record(Named("GetAvailableVidMem"), [&] { return DeviceCore::GetAvailableVidMem(out); });
}

HResult RecordingDevice3D::CreateTexture(int width, int height, TextureFormat format, std::shared_ptr<Texture>& out) {
    RecordedCall call = Named("CreateTexture");
    call.code = static_cast<std::uint32_t>(format);
    call.value = static_cast<std::uint32_t>(width) << 16 | static_cast<std::uint32_t>(height & 0xFFFF);
    return Record(std::move(call), [&] { return DeviceCore::CreateTexture(width, height, format, out); });
}

HResult RecordingDevice3D::CreatePalette(bool withAlpha,
                                         const std::array<PaletteEntry, TexturePalette::kEntryCount>& entries,
                                         std::shared_ptr<TexturePalette>& out) {
    RecordedCall call = Named("CreatePalette");
    call.value = withAlpha ? 1 : 0;
    return Record(std::move(call), [&] { return DeviceCore::CreatePalette(withAlpha, entries, out); });
}

HResult RecordingDevice3D::SetRenderTarget(const RenderTargetView& target) {
    RecordedCall call = Named("SetRenderTarget");
    call.target = target;
    return Record(std::move(call), [&] { return DeviceCore::SetRenderTarget(target); });
}

HResult RecordingDevice3D::SetViewport(const Viewport& viewport) {
    RecordedCall call = Named("SetViewport");
    call.viewport = viewport;
    return Record(std::move(call), [&] { return DeviceCore::SetViewport(viewport); });
}

HResult RecordingDevice3D::GetViewport(Viewport& out) {
    return Record(Named("GetViewport"), [&] { return DeviceCore::GetViewport(out); });
}

HResult RecordingDevice3D::Clear(int count, const ClearRect* rects, std::uint32_t flags, std::uint32_t color,
                                 float /*z*/, std::uint32_t /*stencil*/) {
    RecordedCall call = Named("Clear");
    call.code = flags;
    call.value = color;
    return Record(std::move(call), [&] { return CheckClear(count, rects, flags); });
}

HResult RecordingDevice3D::BeginScene() {
    return Record(Named("BeginScene"), [&] { return DeviceCore::BeginScene(); });
}

HResult RecordingDevice3D::EndScene() {
    return Record(Named("EndScene"), [&] { return DeviceCore::EndScene(); });
}

HResult RecordingDevice3D::SetRenderState(RenderState state, std::uint32_t value) {
    RecordedCall call = Named("SetRenderState");
    call.code = static_cast<std::uint32_t>(state);
    call.value = value;
    return Record(std::move(call), [&] { return DeviceCore::SetRenderState(state, value); });
}

HResult RecordingDevice3D::GetRenderState(RenderState state, std::uint32_t& out) {
    RecordedCall call = Named("GetRenderState");
    call.code = static_cast<std::uint32_t>(state);
    return Record(std::move(call), [&] { return DeviceCore::GetRenderState(state, out); });
}

HResult RecordingDevice3D::SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) {
    RecordedCall call = Named("SetTextureStageState");
    call.stage = stage;
    call.code = static_cast<std::uint32_t>(state);
    call.value = value;
    return Record(std::move(call), [&] { return DeviceCore::SetTextureStageState(stage, state, value); });
}

HResult RecordingDevice3D::GetTextureStageState(int stage, TextureStageState state, std::uint32_t& out) {
    RecordedCall call = Named("GetTextureStageState");
    call.stage = stage;
    call.code = static_cast<std::uint32_t>(state);
    return Record(std::move(call), [&] { return DeviceCore::GetTextureStageState(stage, state, out); });
}

HResult RecordingDevice3D::SetTexture(int stage, std::shared_ptr<Texture> texture) {
    RecordedCall call = Named("SetTexture");
    call.stage = stage;
    call.texture = texture;
    return Record(std::move(call), [&] { return DeviceCore::SetTexture(stage, std::move(texture)); });
}

HResult RecordingDevice3D::DrawPrimitive(PrimitiveType type, std::uint32_t vertexFormat, const TLVertex* vertices,
                                         int count, std::uint32_t flags) {
    RecordedCall call = Named("DrawPrimitive");
    call.code = static_cast<std::uint32_t>(type);
    call.value = vertexFormat;
    call.texture = BoundTexture();
    if (vertices != nullptr && count > 0) {
        call.vertices.assign(vertices, vertices + count);
    }
    (void)flags;
    return Record(std::move(call), [&] { return CheckDraw(type, vertexFormat, vertices, count); });
}

} // namespace platform
