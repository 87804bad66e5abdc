#include "platform/device3d/device_state.h"

namespace platform {

namespace {

bool IsBlend(std::uint32_t v) {
    return v == static_cast<std::uint32_t>(Blend::Zero) || v == static_cast<std::uint32_t>(Blend::One) ||
           v == static_cast<std::uint32_t>(Blend::SrcAlpha) || v == static_cast<std::uint32_t>(Blend::InvSrcAlpha);
}

bool IsOp(std::uint32_t v) {
    return v >= static_cast<std::uint32_t>(TextureOp::Disable) && v <= static_cast<std::uint32_t>(TextureOp::Modulate);
}

bool IsFilter(std::uint32_t v) {
    return v == static_cast<std::uint32_t>(TextureFilter::Point) ||
           v == static_cast<std::uint32_t>(TextureFilter::Linear);
}

bool IsAddress(std::uint32_t v) {
    return v == static_cast<std::uint32_t>(TextureAddress::Wrap) ||
           v == static_cast<std::uint32_t>(TextureAddress::Clamp);
}

// The result for a value the state does not take, or S_OK.
HResult CheckRender(RenderState state, std::uint32_t v) {
    switch (state) {
    case RenderState::SrcBlend:
    case RenderState::DestBlend:
        return IsBlend(v) ? D3D_OK : DDERR_INVALIDPARAMS;
    case RenderState::CullMode:
        return v >= 1 && v <= 3 ? D3D_OK : DDERR_INVALIDPARAMS;
    case RenderState::ShadeMode:
        return v == 1 || v == 2 ? D3D_OK : DDERR_INVALIDPARAMS;
    default:
        // Depth, fog, dithering, specular and lighting have no effect on
        // pre-transformed vertices drawn without a depth buffer.
        return D3D_OK;
    }
}

HResult CheckStage(TextureStageState state, std::uint32_t v) {
    switch (state) {
    case TextureStageState::ColorOp:
        return IsOp(v) ? D3D_OK : D3DERR_UNSUPPORTEDCOLOROPERATION;
    case TextureStageState::AlphaOp:
        return IsOp(v) ? D3D_OK : D3DERR_UNSUPPORTEDALPHAOPERATION;
    case TextureStageState::ColorArg1:
        return v == kTextureArgTexture ? D3D_OK : D3DERR_UNSUPPORTEDCOLORARG;
    case TextureStageState::AlphaArg1:
        return v == kTextureArgTexture ? D3D_OK : D3DERR_UNSUPPORTEDALPHAARG;
    case TextureStageState::ColorArg2:
        return v == kTextureArgCurrent || v == kTextureArgDiffuse ? D3D_OK : D3DERR_UNSUPPORTEDCOLORARG;
    case TextureStageState::AlphaArg2:
        return v == kTextureArgCurrent || v == kTextureArgDiffuse ? D3D_OK : D3DERR_UNSUPPORTEDALPHAARG;
    case TextureStageState::AddressU:
    case TextureStageState::AddressV:
        return IsAddress(v) ? D3D_OK : DDERR_INVALIDPARAMS;
    case TextureStageState::MagFilter:
    case TextureStageState::MinFilter:
        return IsFilter(v) ? D3D_OK : D3DERR_UNSUPPORTEDTEXTUREFILTER;
    case TextureStageState::MipFilter:
        // No texture has mip levels, so any mip filter draws the same.
        return v >= 1 && v <= 3 ? D3D_OK : D3DERR_UNSUPPORTEDTEXTUREFILTER;
    }
    return DDERR_INVALIDPARAMS;
}

} // namespace

DeviceState::DeviceState() {
    const auto render = [this](RenderState s, std::uint32_t v) {
        mRender[static_cast<std::size_t>(s)] = v;
        mRenderKnown[static_cast<std::size_t>(s)] = true;
    };
    render(RenderState::ZEnable, 0);
    render(RenderState::ShadeMode, static_cast<std::uint32_t>(ShadeMode::Gouraud));
    render(RenderState::ZWriteEnable, 1);
    render(RenderState::SrcBlend, static_cast<std::uint32_t>(Blend::One));
    render(RenderState::DestBlend, static_cast<std::uint32_t>(Blend::Zero));
    render(RenderState::CullMode, static_cast<std::uint32_t>(Cull::CounterClockwise));
    render(RenderState::ZFunc, 4);
    render(RenderState::DitherEnable, 0);
    render(RenderState::AlphaBlendEnable, 0);
    render(RenderState::FogEnable, 0);
    render(RenderState::SpecularEnable, 0);
    render(RenderState::Lighting, 1);

    const auto stage = [this](TextureStageState s, std::uint32_t v) {
        mStage[static_cast<std::size_t>(s)] = v;
        mStageKnown[static_cast<std::size_t>(s)] = true;
    };
    stage(TextureStageState::ColorOp, static_cast<std::uint32_t>(TextureOp::Modulate));
    stage(TextureStageState::ColorArg1, kTextureArgTexture);
    stage(TextureStageState::ColorArg2, kTextureArgCurrent);
    stage(TextureStageState::AlphaOp, static_cast<std::uint32_t>(TextureOp::SelectArg1));
    stage(TextureStageState::AlphaArg1, kTextureArgTexture);
    stage(TextureStageState::AlphaArg2, kTextureArgCurrent);
    stage(TextureStageState::AddressU, static_cast<std::uint32_t>(TextureAddress::Wrap));
    stage(TextureStageState::AddressV, static_cast<std::uint32_t>(TextureAddress::Wrap));
    stage(TextureStageState::MagFilter, static_cast<std::uint32_t>(TextureFilter::Point));
    stage(TextureStageState::MinFilter, static_cast<std::uint32_t>(TextureFilter::Point));
    stage(TextureStageState::MipFilter, kMipFilterNone);
}

HResult DeviceState::SetRenderState(RenderState state, std::uint32_t value) {
    const auto i = static_cast<std::size_t>(state);
    if (i >= kRenderStates || !mRenderKnown[i]) {
        return DDERR_INVALIDPARAMS;
    }
    const HResult check = CheckRender(state, value);
    if (Failed(check)) {
        return check;
    }
    mRender[i] = value;
    return D3D_OK;
}

HResult DeviceState::GetRenderState(RenderState state, std::uint32_t& out) const {
    const auto i = static_cast<std::size_t>(state);
    if (i >= kRenderStates || !mRenderKnown[i]) {
        return DDERR_INVALIDPARAMS;
    }
    out = mRender[i];
    return D3D_OK;
}

HResult DeviceState::SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) {
    const auto i = static_cast<std::size_t>(state);
    if (stage != 0 || i >= kStageStates || !mStageKnown[i]) {
        return DDERR_INVALIDPARAMS;
    }
    const HResult check = CheckStage(state, value);
    if (Failed(check)) {
        return check;
    }
    mStage[i] = value;
    return D3D_OK;
}

HResult DeviceState::GetTextureStageState(int stage, TextureStageState state, std::uint32_t& out) const {
    const auto i = static_cast<std::size_t>(state);
    if (stage != 0 || i >= kStageStates || !mStageKnown[i]) {
        return DDERR_INVALIDPARAMS;
    }
    out = mStage[i];
    return D3D_OK;
}

} // namespace platform
