#include "platform/device3d/device_core.h"

#include <utility>

namespace platform {

DeviceCore::DeviceCore(AdapterDescription adapter) : mAdapter(std::move(adapter)) {}

HResult DeviceCore::GetCaps(DeviceCaps& out) {
    out = mAdapter.caps;
    return D3D_OK;
}

HResult DeviceCore::EnumTextureFormats(std::vector<PixelFormat>& out) {
    out = mAdapter.formats;
    return D3D_OK;
}

HResult DeviceCore::GetDeviceIdentifier(Device3DIdentifier& out) {
    out = mAdapter.identifier;
    return DD_OK;
}

HResult DeviceCore::GetAvailableVidMem(VideoMemory& out) {
    out = mAdapter.memory;
    return DD_OK;
}

HResult DeviceCore::CreateTexture(int width, int height, TextureFormat format, std::shared_ptr<Texture>& out) {
    const HResult check = CheckTextureRequest(mAdapter, width, height, format);
    if (Failed(check)) {
        return check;
    }
    out = std::make_shared<Texture>(width, height, format);
    return DD_OK;
}

HResult DeviceCore::CreatePalette(bool withAlpha, const std::array<PaletteEntry, TexturePalette::kEntryCount>& entries,
                                  std::shared_ptr<TexturePalette>& out) {
    if (withAlpha && !mAdapter.caps.paletteAlpha) {
        return DDERR_NOALPHAHW;
    }
    out = std::make_shared<TexturePalette>(withAlpha, entries);
    return DD_OK;
}

HResult DeviceCore::SetRenderTarget(const RenderTargetView& target) {
    mTarget = {};
    mTargetFormat = TargetFormat::Unsupported;
    const TargetFormat format = ClassifyTarget(target);
    if (target.bits == nullptr || target.width <= 0 || target.height <= 0) {
        return DDERR_INVALIDPARAMS;
    }
    if (format == TargetFormat::Unsupported) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    if (target.pitch < target.width * TargetBytesPerPixel(format)) {
        return DDERR_INVALIDPARAMS;
    }
    mTarget = target;
    mTargetFormat = format;
    mViewport = Viewport{0, 0, target.width, target.height, 0.0f, 1.0f};
    return D3D_OK;
}

HResult DeviceCore::SetViewport(const Viewport& viewport) {
    if (viewport.x < 0 || viewport.y < 0 || viewport.width <= 0 || viewport.height <= 0 ||
        viewport.width > mTarget.width - viewport.x || viewport.height > mTarget.height - viewport.y) {
        return DDERR_INVALIDPARAMS;
    }
    mViewport = viewport;
    return D3D_OK;
}

HResult DeviceCore::GetViewport(Viewport& out) {
    out = mViewport;
    return D3D_OK;
}

HResult DeviceCore::BeginScene() {
    if (mInScene) {
        return D3DERR_SCENE_IN_SCENE;
    }
    mInScene = true;
    return D3D_OK;
}

HResult DeviceCore::EndScene() {
    if (!mInScene) {
        return D3DERR_SCENE_NOT_IN_SCENE;
    }
    mInScene = false;
    return D3D_OK;
}

HResult DeviceCore::SetRenderState(RenderState state, std::uint32_t value) {
    return mState.SetRenderState(state, value);
}

HResult DeviceCore::GetRenderState(RenderState state, std::uint32_t& out) {
    return mState.GetRenderState(state, out);
}

HResult DeviceCore::SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) {
    return mState.SetTextureStageState(stage, state, value);
}

HResult DeviceCore::GetTextureStageState(int stage, TextureStageState state, std::uint32_t& out) {
    return mState.GetTextureStageState(stage, state, out);
}

HResult DeviceCore::SetTexture(int stage, std::shared_ptr<Texture> texture) {
    if (stage != 0) {
        return DDERR_INVALIDPARAMS;
    }
    mTexture = std::move(texture);
    return D3D_OK;
}

HResult DeviceCore::CheckClear(int count, const ClearRect* rects, std::uint32_t flags) const {
    if (count < 0 || (count > 0 && rects == nullptr)) {
        return DDERR_INVALIDPARAMS;
    }
    if ((flags & kClearZBuffer) != 0) {
        return D3DERR_ZBUFFER_NOTPRESENT;
    }
    if (!HasTarget()) {
        return DDERR_SURFACELOST;
    }
    return D3D_OK;
}

HResult DeviceCore::CheckDraw(PrimitiveType type, std::uint32_t vertexFormat, const TLVertex* vertices,
                              int count) const {
    if (vertexFormat != kFvfTransformedTextured) {
        return D3DERR_INVALIDVERTEXTYPE;
    }
    switch (type) {
    case PrimitiveType::LineList:
    case PrimitiveType::LineStrip:
    case PrimitiveType::TriangleList:
    case PrimitiveType::TriangleStrip:
    case PrimitiveType::TriangleFan:
        break;
    default:
        return D3DERR_INVALIDPRIMITIVETYPE;
    }
    if (count < 0 || (count > 0 && vertices == nullptr)) {
        return DDERR_INVALIDPARAMS;
    }
    if (!mInScene) {
        return D3DERR_SCENE_NOT_IN_SCENE;
    }
    if (!HasTarget()) {
        return DDERR_SURFACELOST;
    }
    if (mTexture && mTexture->IsLocked()) {
        return D3DERR_TEXTURE_LOCKED;
    }
    return D3D_OK;
}

} // namespace platform
