#pragma once
// The 3D device the renderer draws through: capabilities and identity,
// managed textures and palettes, render target, viewport and clear, scenes,
// render and texture-stage states, and primitives of pre-transformed
// vertices. Every call answers with a result code of result_codes.h.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/device3d/device3d_types.h"
#include "platform/device3d/render_target_view.h"
#include "platform/device3d/texture.h"
#include "platform/device3d/texture_format.h"
#include "platform/device3d/texture_palette.h"
#include "platform/result_codes.h"

namespace platform {

class Device3D {
public:
    virtual ~Device3D() = default;

    virtual HResult GetCaps(DeviceCaps& out) = 0;
    // The texture formats the device draws from, in its preferred order.
    virtual HResult EnumTextureFormats(std::vector<PixelFormat>& out) = 0;
    virtual HResult GetDeviceIdentifier(Device3DIdentifier& out) = 0;
    virtual HResult GetAvailableVidMem(VideoMemory& out) = 0;

    // A managed texture of an enumerated format within the caps' limits.
    virtual HResult CreateTexture(int width, int height, TextureFormat format, std::shared_ptr<Texture>& out) = 0;
    virtual HResult CreatePalette(bool withAlpha, const std::array<PaletteEntry, TexturePalette::kEntryCount>& entries,
                                  std::shared_ptr<TexturePalette>& out) = 0;

    // May fail (a surface that cannot be drawn on); the previous target is
    // then dropped, so nothing draws until a target is set again.
    virtual HResult SetRenderTarget(const RenderTargetView& target) = 0;
    virtual HResult SetViewport(const Viewport& viewport) = 0;
    virtual HResult GetViewport(Viewport& out) = 0;
    // Fills the rectangles (the whole viewport when count is 0), cut to the
    // viewport, with `color` (ARGB). Only kClearTarget has an effect here.
    virtual HResult Clear(int count, const ClearRect* rects, std::uint32_t flags, std::uint32_t color, float z,
                          std::uint32_t stencil) = 0;

    virtual HResult BeginScene() = 0;
    virtual HResult EndScene() = 0;

    virtual HResult SetRenderState(RenderState state, std::uint32_t value) = 0;
    virtual HResult GetRenderState(RenderState state, std::uint32_t& out) = 0;
    virtual HResult SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) = 0;
    virtual HResult GetTextureStageState(int stage, TextureStageState state, std::uint32_t& out) = 0;
    // A null texture makes stage 0 pass the diffuse colour and alpha through.
    virtual HResult SetTexture(int stage, std::shared_ptr<Texture> texture) = 0;

    virtual HResult DrawPrimitive(PrimitiveType type, std::uint32_t vertexFormat, const TLVertex* vertices, int count,
                                  std::uint32_t flags) = 0;
};

} // namespace platform
