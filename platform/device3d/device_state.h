#pragma once
// The render and texture-stage states of a 3D device, with the defaults a
// fresh device starts from and the values each state accepts. The device has
// one texture stage; stage 0's arguments are fixed (texture, then the
// diffuse colour), so only the operations choose how the two combine.

#include <array>
#include <cstdint>

#include "platform/device3d/device3d_types.h"
#include "platform/result_codes.h"

namespace platform {

class DeviceState {
public:
    DeviceState();

    HResult SetRenderState(RenderState state, std::uint32_t value);
    HResult GetRenderState(RenderState state, std::uint32_t& out) const;
    HResult SetTextureStageState(int stage, TextureStageState state, std::uint32_t value);
    HResult GetTextureStageState(int stage, TextureStageState state, std::uint32_t& out) const;

    bool AlphaBlend() const { return Render(RenderState::AlphaBlendEnable) != 0; }
    Blend Source() const { return static_cast<Blend>(Render(RenderState::SrcBlend)); }
    Blend Destination() const { return static_cast<Blend>(Render(RenderState::DestBlend)); }
    Cull CullMode() const { return static_cast<Cull>(Render(RenderState::CullMode)); }
    bool Flat() const { return Render(RenderState::ShadeMode) == static_cast<std::uint32_t>(ShadeMode::Flat); }
    TextureOp ColorOp() const { return static_cast<TextureOp>(Stage(TextureStageState::ColorOp)); }
    TextureOp AlphaOp() const { return static_cast<TextureOp>(Stage(TextureStageState::AlphaOp)); }
    bool WrapU() const {
        return Stage(TextureStageState::AddressU) == static_cast<std::uint32_t>(TextureAddress::Wrap);
    }
    bool WrapV() const {
        return Stage(TextureStageState::AddressV) == static_cast<std::uint32_t>(TextureAddress::Wrap);
    }
    TextureFilter MagFilter() const { return static_cast<TextureFilter>(Stage(TextureStageState::MagFilter)); }
    TextureFilter MinFilter() const { return static_cast<TextureFilter>(Stage(TextureStageState::MinFilter)); }

private:
    static constexpr std::size_t kRenderStates = 256;
    static constexpr std::size_t kStageStates = 32;

    std::uint32_t Render(RenderState s) const { return mRender[static_cast<std::size_t>(s)]; }
    std::uint32_t Stage(TextureStageState s) const { return mStage[static_cast<std::size_t>(s)]; }

    std::array<std::uint32_t, kRenderStates> mRender{};
    std::array<bool, kRenderStates> mRenderKnown{};
    std::array<std::uint32_t, kStageStates> mStage{};
    std::array<bool, kStageStates> mStageKnown{};
};

} // namespace platform
