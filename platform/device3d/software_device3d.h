#pragma once
// The 3D device that draws with the processor into a render-target view.
// Triangles follow the top-left fill rule with pixel centres on integer
// coordinates; colours are Gouraud-shaded; stage 0 multiplies the texture by
// the diffuse colour (each operation may select either instead); point
// sampling reads texel floor(u × width), bilinear sampling mixes the four
// texels around u × width − 0.5, clamped or wrapped at the border; blending
// clamps each channel at 255 and writes in the target's own format; lines
// leave out their last pixel.

#include "platform/device3d/device_core.h"
#include "platform/device3d/draw_setup.h"

namespace platform {

class SoftwareDevice3D : public DeviceCore {
public:
    explicit SoftwareDevice3D(AdapterDescription adapter = SoftwareAdapter());

    HResult Clear(int count, const ClearRect* rects, std::uint32_t flags, std::uint32_t color, float z,
                  std::uint32_t stencil) override;
    HResult DrawPrimitive(PrimitiveType type, std::uint32_t vertexFormat, const TLVertex* vertices, int count,
                          std::uint32_t flags) override;

private:
    DrawSetup MakeSetup() const;
};

} // namespace platform
